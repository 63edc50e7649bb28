#include "chostapplication.h"

#include "chosterrorreporter.h"

#include "vellcore/cdebugstream.h"
#include "vellcore/cerrorreporter.h"

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
        // Qt's own frames lie below: the error is shown, the event counts as unhandled.
        vpi::cErrorReporter::report(e);
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
    cHostErrorReporter::writeLine(e);
}
