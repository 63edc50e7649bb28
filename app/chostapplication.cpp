#include "chostapplication.h"

#include "vellcore/cdebugstream.h"

#include <QRegularExpression>

#include <cstdio>

cHostApplication::cHostApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("vellhost"));
    setApplicationVersion(QStringLiteral(VELL_VERSION_STRING));
    setQuitOnLastWindowClosed(true);
}

bool cHostApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const vstd::cAbstractException &e) {
        reportError(e);
    }
    return false;
}

void cHostApplication::installMessageHandler()
{
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context,
                              const QString &message) {
        if (type == QtCriticalMsg || type == QtFatalMsg) {
            std::fprintf(stderr, "vellhost: %s\n", message.toLocal8Bit().constData());
            std::fflush(stderr);
        }
        if (context.file)
            vpi::system().trace(context.file, context.line, QStringLiteral("Qt: ") + message);
        else
            vpi::system() << QStringLiteral("Qt: ") + message + QLatin1Char('\n');
    });
}

void cHostApplication::choosePlatform()
{
    const bool chosen = !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    const bool display = !qEnvironmentVariableIsEmpty("DISPLAY")
                         || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (!chosen && !display)
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

void cHostApplication::reportError(const vstd::cAbstractException &e)
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
