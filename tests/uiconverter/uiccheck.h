#pragma once

// Asks the installed uic whether a form compiles: its complaint, empty when it has none.
#include <QProcess>
#include <QString>

inline QString uicProblem(const QString &path)
{
    QProcess uic;
    uic.start(QStringLiteral(VELL_UIC), {path});
    if (!uic.waitForFinished(30000))
        return QStringLiteral("uic did not finish: ") + uic.errorString();
    const QString errors = QString::fromLocal8Bit(uic.readAllStandardError()).trimmed();
    if (uic.exitStatus() != QProcess::NormalExit || uic.exitCode() != 0 || !errors.isEmpty()
        || uic.readAllStandardOutput().isEmpty())
        return QStringLiteral("uic %1: exit %2: %3").arg(path).arg(uic.exitCode()).arg(errors);
    return QString();
}
