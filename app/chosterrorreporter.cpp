#include "chosterrorreporter.h"

#include "vellcore/cdebugstream.h"
#include "vellcore/cerrorreporter.h"

#include <QApplication>
#include <QMessageBox>
#include <QRegularExpression>

#include <cstdio>

void cHostErrorReporter::install()
{
    vpi::cErrorReporter::setHandler(&cHostErrorReporter::report);
}

void cHostErrorReporter::uninstall()
{
    vpi::cErrorReporter::setHandler({});
}

void cHostErrorReporter::writeLine(const vstd::cAbstractException &e)
{
    // describe() puts each cause on its own indented line. The user reads what went wrong; the
    // trace also says where in the code.
    const auto oneLine = [&e](bool withSource) {
        QString text = vstd::describe(e, withSource).text();
        text.replace(QRegularExpression(QStringLiteral("\\n\\s*")),
                     QStringLiteral("; caused by: "));
        return text;
    };
    VELL_TRACE(QStringLiteral("+++ ERROR: ") + oneLine(true));
    std::fprintf(stderr, "vellhost: %s\n", oneLine(false).toLocal8Bit().constData());
    std::fflush(stderr);
}

QString cHostErrorReporter::messages(const vstd::cAbstractException &e)
{
    QStringList lines;
    for (const vstd::cAbstractException *c = &e; c; c = c->cause())
        lines << c->message().toQString();
    return lines.join(QLatin1Char('\n'));
}

void cHostErrorReporter::report(const vstd::cAbstractException &e)
{
    writeLine(e);
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return;
    // Not exec(): no event loop may run inside the frame that caught the error.
    auto *box = new QMessageBox(QMessageBox::Warning, QCoreApplication::applicationName(),
                                messages(e), QMessageBox::Ok);
    box->setObjectName(QStringLiteral("mpErrorBox"));
    // Messages quote what the user typed and what files hold: never markup to render.
    box->setTextFormat(Qt::PlainText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    box->show();
}
