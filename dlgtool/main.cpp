// dlgtool: forms converted, checked, described and rendered from the command line.
#include "cdlgtool.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QRegularExpression>

#include <cstdio>

namespace {

const char *const kDescription =
    "Converts, checks, describes and renders dialog forms (.dlg) and Qt Designer forms (.ui).\n"
    "\n"
    "Commands:\n"
    "  convert IN OUT        .ui to .dlg or .dlg to .ui, chosen by the extensions; a main\n"
    "                        window's menus and tool bars go beside OUT as OUT-NAME.dlg\n"
    "  validate FILE...      load each form as the editor does: \"FILE: ok (N elements)\"\n"
    "                        or \"FILE:LINE:COLUMN: reason\"\n"
    "  render FILE --png OUT [--size WxH]\n"
    "                        build the form as \"vellhost --run\" does and save a picture\n"
    "  info FILE             the element tree, the dialog parameters and every binding\n"
    "\n"
    "Exit status: 0 done (every file valid), 1 a file that cannot be read or written,\n"
    "2 wrong usage.";

int usage(const QString &error)
{
    std::fprintf(stderr, "dlgtool: %s\nTry 'dlgtool --help' for more information.\n",
                 error.toLocal8Bit().constData());
    return 2;
}

// Qt's notes about fonts and platforms are not the tool's output; its errors are.
void quietMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "dlgtool: %s\n", message.toLocal8Bit().constData());
}

} // namespace

int main(int argc, char **argv)
{
    // A tool in a script never needs a display, and a picture of a form should not depend on
    // the desktop it was taken from; a platform chosen by the caller is kept.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietMessages);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("dlgtool"));
    QApplication::setApplicationVersion(QStringLiteral(VELL_VERSION_STRING));

    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromLatin1(kDescription));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption png(QStringLiteral("png"),
                                 QStringLiteral("render: write the picture to <file>."),
                                 QStringLiteral("file"));
    const QCommandLineOption size(QStringLiteral("size"),
                                  QStringLiteral("render: the form's size, e.g. 640x480."),
                                  QStringLiteral("WxH"));
    parser.addOptions({png, size});
    parser.addPositionalArgument(QStringLiteral("command"),
                                 QStringLiteral("convert, validate, render or info."));
    parser.addPositionalArgument(QStringLiteral("files"), QStringLiteral("The forms."),
                                 QStringLiteral("FILE..."));
    if (!parser.parse(QApplication::arguments()))
        return usage(parser.errorText());
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        // The usage line names the program as it is called, not the path it was run from.
        QString text = parser.helpText();
        text.replace(QApplication::arguments().constFirst(), QStringLiteral("dlgtool"));
        std::fputs(text.toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("dlgtool %s\n", VELL_VERSION_STRING);
        return 0;
    }

    QStringList files = parser.positionalArguments();
    if (files.isEmpty())
        return usage(QStringLiteral("no command given"));
    const QString command = files.takeFirst();
    const bool rendering = command == QLatin1String("render");
    if (!rendering && (parser.isSet(png) || parser.isSet(size)))
        return usage(QStringLiteral("--png and --size belong to render"));
    const auto count = [&](int wanted, const char *shape) {
        return files.size() == wanted ? QString()
                                      : QStringLiteral("%1 takes %2").arg(command, shape);
    };
    QString wrong;
    if (command == QLatin1String("convert"))
        wrong = count(2, "IN OUT");
    else if (command == QLatin1String("validate"))
        wrong = files.isEmpty() ? QStringLiteral("validate takes FILE...") : QString();
    else if (command == QLatin1String("info"))
        wrong = count(1, "FILE");
    else if (rendering)
        wrong = parser.isSet(png) ? count(1, "FILE --png OUT [--size WxH]")
                                  : QStringLiteral("render needs --png OUT");
    else
        return usage(QStringLiteral("unknown command '%1'").arg(command));
    if (!wrong.isEmpty())
        return usage(wrong);
    // Any file not named .ui reads as a .dlg, as in the editor; what is written is named so.
    const auto toDlg = [](const QString &path) {
        return QFileInfo(path).suffix().compare(QLatin1String("dlg"), Qt::CaseInsensitive) == 0;
    };
    if (command == QLatin1String("convert")
        && (cDlgTool::isUiForm(files[0]) ? !toDlg(files[1]) : !cDlgTool::isUiForm(files[1])))
        return usage(QStringLiteral("convert turns a .ui into a .dlg or a .dlg into a .ui"));

    QSize shape;
    if (parser.isSet(size)) {
        static const QRegularExpression pattern(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$"));
        const QRegularExpressionMatch match = pattern.match(parser.value(size));
        shape = match.hasMatch() ? QSize(match.captured(1).toInt(), match.captured(2).toInt())
                                 : QSize();
        if (shape.isEmpty())
            return usage(QStringLiteral("--size takes WxH, e.g. 640x480, not '%1'")
                             .arg(parser.value(size)));
    }

    try {
        cDlgTool tool;
        if (command == QLatin1String("convert"))
            return tool.convert(files[0], files[1]);
        if (command == QLatin1String("validate"))
            return tool.validate(files);
        if (command == QLatin1String("info"))
            return tool.info(files[0]);
        return tool.render(files[0], parser.value(png), shape);
    } catch (const vstd::cAbstractException &e) {
        std::fprintf(stderr, "dlgtool: %s\n", e.what());
    }
    return 1;
}
