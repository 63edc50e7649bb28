#include "cformrunner.h"

#include "q4support/cvq4vmvabstractmvitemfactory.h"
#include "q4support/cvq4application.h"
#include "q4widgets/cvq4vmvbuildcontext.h"
#include "q4widgets/cvq4vmvdialogfactory.h"
#include "q4widgets/cvq4vmvmenufactory.h"
#include "q4widgets/cvq4vmvtoolbarfactory.h"
#include "vellcore/cdocumentlimits.h"
#include "vellcore/cmodulemgr.h"
#include "vellcore/vce.h"

#include <QApplication>
#include <QFileInfo>
#include <QMainWindow>

namespace {

const QSize kToolBarRoom(400, 60);

std::unique_ptr<vsa::cAbstractDeserializer> openForm(cVQ4Application &application,
                                                     const QString &path)
{
    auto document = application.moduleMgr().coreExtensions().createDeserializer("XML-Config",
                                                                               qstr(path));
    document->setPreferNoLabels(false);
    document->setRefuseDuplicateLabels(true);
    return document;
}

// Adds the parameter names of the connectors below the reader's cursor to `names`; a
// connector is a property's "Parameter" entry.
void collectParameters(vsa::cAbstractDeserializer &document, bool inProperty, QStringList &names)
{
    using Kind = vsa::cAbstractDeserializer::EntryKind;
    static const vstd::cAsciiString none;
    for (Kind kind; (kind = document.nextEntryKind()) != Kind::NoEntry;) {
        const vstd::cAsciiString label = document.nextEntryLabel();
        switch (kind) {
        case Kind::ContextEntry:
            document.beginContext(none);
            collectParameters(document, label == vstd::cAsciiString("Property"), names);
            document.endContext();
            break;
        case Kind::AsciiEntry: {
            const QString value = qstr(document.readAscii(none));
            if (inProperty && label == vstd::cAsciiString("Parameter") && !value.isEmpty()
                && value != QLatin1String(cVQ4VMVBuildContext::kRelativeParameter)
                && !names.contains(value))
                names << value;
            break;
        }
        case Kind::StringEntry: document.readString(none); break;
        case Kind::UIntEntry: document.readUInt(none); break;
        case Kind::Int64Entry: document.readInt64(none); break;
        case Kind::BoolEntry: document.readBool(none); break;
        case Kind::DoubleEntry: document.readDouble(none); break;
        case Kind::BytesEntry: document.readBytes(none); break;
        default: return;
        }
    }
}

} // namespace

cFormRunner::cFormRunner(cVQ4Application &application) : mApplication(application) {}

cFormRunner::~cFormRunner() = default;

void cFormRunner::assign(const QString &parameter, const QString &modelPath)
{
    const vstd::cAsciiString name = qstr(parameter).ascii('?');
    const vstd::cAsciiString path = qstr(modelPath).ascii('?');
    vmva::cDMDataModel *model = mApplication.vmvMgr().root().tryFindModel(path);
    if (!model)
        VELL_THROW(vstd::cRuntimeException,
                   vucs::cLIMessage("$VTR$There is no model %name% for parameter %name%!")
                       << path << name);
    vmva::cDVDataViewArgList &arguments = mApplication.dialogArguments();
    arguments.addParameter(name);
    arguments.changeParameter(name, model->modelProviderLocation(), path);
    arguments.bindModel(name, model);
}

int cFormRunner::categoryOf(const QString &path, QStringList &skipped) const
{
    auto document = openForm(mApplication, path);
    while (!document->atEnd() && document->hasEntry("ViewElement")) {
        vsa::cContext record(*document, "ViewElement");
        const vstd::cAsciiString name = document->contextName("Element");
        const cQUIDataViewItemExtension *ext = mApplication.vmvMgr().findExtension(name);
        record.release();
        if (ext && ext->factory()->isTopLevelElement())
            return ext->factory()->viewCategory();
        const QString shown = QLatin1Char('"') + vsa::cDocumentLimits::cut(qstr(name))
                              + QLatin1Char('"');
        if (!skipped.contains(shown))
            skipped << shown;
    }
    return 0;
}

QWidget *cFormRunner::open(const QString &path)
{
    mShown.reset();
    QStringList skipped;
    const int category = categoryOf(path, skipped);
    auto document = openForm(mApplication, path);
    cVQ4VMVDataViewMgr &mgr = mApplication.vmvMgr();
    vmva::cDVDataViewArgList &arguments = mApplication.dialogArguments();
    const vio::cSearchPaths searchPaths;
    switch (category) {
    case vq4::CategoryDialog: {
        cVQ4VMVDialogFactory factory(mgr, searchPaths);
        std::unique_ptr<cVQ4AppWidget> dialog(
            factory.createDialog(nullptr, arguments, *document, nullptr));
        if (dialog) {
            dialog->linkLocale(mApplication.locale());
            if (dialog->windowTitle().isEmpty())
                dialog->setWindowTitle(QFileInfo(path).completeBaseName());
            mShown = std::move(dialog);
            mShown->show();
        }
        break;
    }
    case vq4::CategoryMenu: {
        cVQ4VMVMenuFactory factory(mgr, mApplication.locale(), searchPaths);
        std::unique_ptr<QMenu> menu(factory.createMenu(nullptr, arguments, *document));
        if (menu) {
            // A popup that closes, chosen from or not, ends the run.
            QObject::connect(menu.get(), &QMenu::aboutToHide, qApp, &QApplication::quit,
                             Qt::QueuedConnection);
            menu->popup(QPoint(32, 32));
            mShown = std::move(menu);
        }
        break;
    }
    case vq4::CategoryToolBar: {
        // A main window as an application has it, with room for texts that grow once bound.
        auto window = std::make_unique<QMainWindow>();
        cVQ4VMVToolbarFactory factory(mgr, mApplication.locale(), searchPaths);
        QToolBar *bar = factory.createToolBar(window.get(), arguments, *document);
        if (bar) {
            window->addToolBar(bar);
            auto *content = new QWidget(window.get());
            content->setMinimumSize(kToolBarRoom);
            window->setCentralWidget(content);
            window->setWindowTitle(bar->windowTitle());
            mShown = std::move(window);
            mShown->show();
        }
        break;
    }
    default:
        break;
    }
    if (!mShown && category != 0)
        VELL_THROW(vstd::cRuntimeException,
                   vucs::cLIMessage("$VTR$File %file% holds no form that can be built!")
                       << qstr(path));
    if (!mShown && skipped.isEmpty())
        VELL_THROW(vstd::cRuntimeException,
                   vucs::cLIMessage("$VTR$File %file% holds no form: it has no element!")
                       << qstr(path));
    if (!mShown)
        VELL_THROW(vstd::cRuntimeException,
                   vucs::cLIMessage("$VTR$File %file% holds no form: no dialog, menu or tool "
                                    "bar can be built from its elements of type %types%!")
                       << qstr(path) << skipped.join(QStringLiteral(", ")));
    return mShown.get();
}

QStringList cFormRunner::parametersOf(const QString &path) const
{
    auto document = openForm(mApplication, path);
    QStringList names;
    collectParameters(*document, false, names);
    return names;
}

QStringList cFormRunner::parameterWarnings(const QString &path, const QStringList &assigned) const
{
    const QStringList used = parametersOf(path);
    QStringList lines;
    for (const QString &name : used) {
        if (!assigned.contains(name))
            lines << QStringLiteral("parameter %1 of the form is not assigned; its elements "
                                    "stay unbound (--arg %1=MODEL assigns it)")
                         .arg(name);
    }
    for (const QString &name : assigned) {
        if (!used.contains(name))
            lines << QStringLiteral("the form has no parameter %1; --arg %1 assigns nothing")
                         .arg(name);
    }
    return lines;
}
