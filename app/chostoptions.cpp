#include "chostoptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

cHostOptions cHostOptions::parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Host application: loads a module, opens its window and runs it."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption module(QStringLiteral("module"),
                                    QStringLiteral("Load the module library at <path> instead of "
                                                   "the dialog editor."),
                                    QStringLiteral("path"));
    const QCommandLineOption trace(QStringLiteral("trace"),
                                   QStringLiteral("Write trace lines to stderr."));
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("Once the window is shown, save it as a "
                                                       "PNG image in <file> and quit."),
                                        QStringLiteral("file"));
    const QCommandLineOption runForm(QStringLiteral("run"),
                                     QStringLiteral("Open the form in <file> as the running "
                                                    "application would, instead of the editor."),
                                     QStringLiteral("file"));
    const QCommandLineOption formArgument(QStringLiteral("arg"),
                                          QStringLiteral("With --run: assign the model MODEL (a "
                                                         "model name or a dotted sub-model "
                                                         "path) to the form's parameter PARAM."),
                                          QStringLiteral("PARAM=MODEL"));
    // For tests that drive a whole process; not shown in the help.
    QCommandLineOption script(QStringLiteral("script"),
                              QStringLiteral("Run the user actions in <file>."),
                              QStringLiteral("file"));
    script.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(script);
    parser.addOption(runForm);
    parser.addOption(formArgument);
    parser.addOption(module);
    parser.addOption(trace);
    parser.addOption(screenshot);
    parser.addPositionalArgument(QStringLiteral("FILE.dlg"),
                                 QStringLiteral("Open the editor with this form loaded."),
                                 QStringLiteral("[FILE.dlg]"));

    cHostOptions options;
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "vellhost: %s\n", qPrintable(parser.errorText()));
        options.finished = true;
        options.exitCode = 2;
        return options;
    }
    // One document for the editor; the form runner takes its file from --run.
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > (parser.isSet(runForm) ? 0 : 1)) {
        std::fprintf(stderr, "vellhost: unexpected argument %s\n",
                     qPrintable(positional.last()));
        options.finished = true;
        options.exitCode = 2;
        return options;
    }
    if (parser.isSet(help) || parser.isSet(version)) {
        const QString versionText = QCoreApplication::applicationName() + QLatin1Char(' ')
                                    + QCoreApplication::applicationVersion() + QLatin1Char('\n');
        const QString text = parser.isSet(help) ? parser.helpText() : versionText;
        std::fputs(qPrintable(text), stdout);
        options.finished = true;
        return options;
    }
    options.modulePath = parser.isSet(module) ? parser.value(module) : defaultModulePath();
    options.trace = parser.isSet(trace);
    options.screenshotPath = parser.value(screenshot);
    options.runForm = parser.value(runForm);
    options.formArguments = parser.values(formArgument);
    options.documentPath = positional.value(0);
    options.scriptPath = parser.value(script);
    for (const QString &argument : options.formArguments) {
        if (argument.indexOf(QLatin1Char('=')) <= 0) {
            std::fprintf(stderr, "vellhost: --arg needs PARAM=MODEL, not %s\n",
                         qPrintable(argument));
            options.finished = true;
            options.exitCode = 2;
            return options;
        }
    }
    return options;
}

QString cHostOptions::defaultModulePath()
{
    // The build folder keeps the module in lib/ beside bin/; an installed program finds it in
    // its private library folder.
    const QString dir = QCoreApplication::applicationDirPath();
    const QString built
        = QDir::cleanPath(dir + QStringLiteral("/../lib/libVQ4VMVDialogEditor.so"));
#ifdef VELL_INSTALLED_MODULE_DIR
    const QString installed = QDir::cleanPath(dir + QStringLiteral("/../")
                                              + QStringLiteral(VELL_INSTALLED_MODULE_DIR)
                                              + QStringLiteral("/libVQ4VMVDialogEditor.so"));
    if (!QFileInfo::exists(built) && QFileInfo::exists(installed))
        return installed;
#endif
    return built;
}
