#include "cdlgtool.h"

#include "cfaultline.h"
#include "cformdescription.h"

#include "app/cformrunner.h"
#include "app/cscreenshot.h"
#include "q4support/elements/standardelements.h"
#include "q4widgets/standardbuilders.h"
#include "qdialoglayoutitems/cdefaultforminfostore.h"
#include "qdialoguiconverter/cuiformfiles.h"
#include "qdialoguiconverter/cuiformwriter.h"

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QWidget>

#include <cstdio>

namespace {

void print(FILE *stream, const QString &line)
{
    std::fputs((line + QLatin1Char('\n')).toLocal8Bit().constData(), stream);
}

void printAll(const QStringList &lines)
{
    for (const QString &line : lines)
        print(stdout, line);
    std::fflush(stdout);
}

} // namespace

cDlgTool::cDlgTool() : mApplication(mModuleMgr), mRegistry(&mApplication.vmvMgr())
{
    registerStandardElements(mApplication.vmvMgr());
    installStandardBuilders(mApplication.vmvMgr());
    mRegistry.rebuildFactories();
}

cDlgTool::~cDlgTool()
{
    mUiForms.clear();
    mDocument.reset();
}

bool cDlgTool::isUiForm(const QString &path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("ui"), Qt::CaseInsensitive) == 0;
}

int cDlgTool::failed(const vstd::cAbstractException &e, const QString &file)
{
    print(stderr, cFaultLine::format(e, file));
    std::fflush(stderr);
    return 1;
}

std::vector<cDlgTool::tFormView> cDlgTool::read(const QString &path, cUiConversionReport &report)
{
    mUiForms.clear();
    mDocument.reset();
    std::vector<tFormView> forms;
    if (isUiForm(path)) {
        mUiForms = cUiFormReader(mRegistry).readFile(qstr(path), report);
        for (const cUiFormReader::tFormSet &form : mUiForms)
            forms.push_back({form.name, form.root.get()});
        return forms;
    }
    mDocument = std::make_unique<cDialogDocument>(&mApplication.vmvMgr(), mRegistry, mArguments);
    mDocument->loadDocument(qstr(path), true);
    forms.push_back({QString(), &mDocument->root()});
    return forms;
}

int cDlgTool::convert(const QString &in, const QString &out)
{
    return isUiForm(in) ? convertUi(in, out) : convertDlg(in, out);
}

int cDlgTool::convertUi(const QString &in, const QString &out)
{
    cUiConversionReport report;
    try {
        read(in, report);
    } catch (const vstd::cAbstractException &e) {
        return failed(e, in);
    }
    QStringList lines = report.lines(in);
    for (cUiFormReader::tFormSet &form : mUiForms) {
        const QString path = cUiFormFiles::formPath(out, form.name);
        try {
            cUiFormFiles::saveForm(mRegistry, std::move(form.root), path);
        } catch (const vstd::cAbstractException &e) {
            return failed(e, path);
        }
        if (!form.name.isEmpty())
            lines << QStringLiteral("%1: form \"%2\" written to %3").arg(in, form.name, path);
    }
    printAll(lines << report.summary());
    return 0;
}

int cDlgTool::convertDlg(const QString &in, const QString &out)
{
    cUiConversionReport report;
    std::vector<tFormView> forms;
    try {
        forms = read(in, report);
    } catch (const vstd::cAbstractException &e) {
        return failed(e, in);
    }
    try {
        cUiFormWriter(mRegistry).writeFile(*forms.front().root, qstr(out), report);
    } catch (const vstd::cAbstractException &e) {
        return failed(e, out);
    }
    printAll(report.lines(in) << report.summary());
    return 0;
}

int cDlgTool::validate(const QStringList &files)
{
    int result = 0;
    for (const QString &file : files) {
        cUiConversionReport report;
        try {
            int elements = 0;
            for (const tFormView &form : read(file, report))
                elements += cDialogItemFactoryRegistry::formElements(*form.root);
            print(stdout, QStringLiteral("%1: ok (%2 elements)").arg(file).arg(elements));
            std::fflush(stdout);
        } catch (const vstd::cAbstractException &e) {
            result = failed(e, file);
        }
    }
    return result;
}

int cDlgTool::info(const QString &file)
{
    cUiConversionReport report;
    std::vector<tFormView> forms;
    try {
        forms = read(file, report);
    } catch (const vstd::cAbstractException &e) {
        return failed(e, file);
    }
    QStringList lines;
    for (const tFormView &form : forms) {
        const auto *store = mDocument ? dynamic_cast<const cDefaultFormInfoStore *>(
                                            &mDocument->formInfoStore())
                                      : nullptr;
        lines << QStringLiteral("form: %1").arg(form.name.isEmpty() ? file : form.name);
        for (const QString &line : cFormDescription::lines(*form.root,
                                                           store ? &store->record() : nullptr))
            lines << QStringLiteral("  ") + line;
    }
    printAll(lines);
    return 0;
}

int cDlgTool::render(const QString &file, const QString &png, const QSize &size)
{
    // A Qt Designer form is built from the document its import gives, written where the
    // runner reads it as it reads any saved form.
    QTemporaryDir scratch;
    QString formPath = file;
    cFormRunner runner(mApplication);
    QWidget *shown = nullptr;
    try {
        if (isUiForm(file)) {
            cUiConversionReport report;
            if (read(file, report).empty())
                return 1;
            formPath = scratch.filePath(QFileInfo(file).completeBaseName() + ".dlg");
            cUiFormFiles::saveForm(mRegistry, std::move(mUiForms.front().root), formPath);
        }
        shown = runner.open(formPath);
    } catch (const vstd::cAbstractException &e) {
        return failed(e, file);
    }
    if (size.isValid()) {
        shown->resize(size);
        if (shown->size() != size)
            print(stderr, QStringLiteral("%1: the form needs at least %2x%3 pixels")
                              .arg(file)
                              .arg(shown->width())
                              .arg(shown->height()));
    }
    cScreenshot screenshot(png);
    screenshot.start(shown);
    return QApplication::exec();
}
