#include "uireaderinput.h"

#include "qdialoguiconverter/cuiformreader.h"
#include "qdialoguiconverter/cuiformwriter.h"

#include "qdialoglayoutitems/cdialogitemfactoryregistry.h"
#include "q4support/cvq4vmvdataviewmgr.h"
#include "q4support/elements/standardelements.h"
#include "vellcore/cmodulemgr.h"
#include "vellcore/vsa.h"

#include <cstdio>
#include <cstdlib>

struct cUiReaderInput::tHostSet
{
    tHostSet() : dataViewMgr(moduleMgr), registry(&dataViewMgr)
    {
        registerStandardElements(dataViewMgr);
        registry.rebuildFactories();
    }
    vcs::cModuleMgr moduleMgr;
    cVQ4VMVDataViewMgr dataViewMgr;
    cDialogItemFactoryRegistry registry;
};

namespace {

// No picture a form names is looked up: the input alone decides what happens.
const QString kNoFolder = QStringLiteral("/nonexistent/vell-fuzz");

QByteArray recordsOf(const cDialogItemFactoryRegistry &registry,
                     const cQAbstractDialogLayoutItem &root)
{
    vsa::cSerializeBinary serializer;
    serializer.setPreferNoLabels(false);
    for (const cQAbstractDialogLayoutItem *child : root.children())
        registry.storeItem(*child, serializer);
    return serializer.data();
}

// What an import gives must survive an export: else the user's form changes on the way out.
void checkRoundTrip(const cDialogItemFactoryRegistry &registry, const cQDialogLayoutRootItem &root)
{
    try {
        cUiConversionReport report;
        const QByteArray ui = cUiFormWriter(registry).write(root, report);
        std::vector<cUiFormReader::tFormSet> again
            = cUiFormReader(registry).read(ui, vucs::cString("exported"), kNoFolder, report);
        if (again.size() == 1 && recordsOf(registry, *again.front().root)
                                     == recordsOf(registry, root))
            return;
        std::fprintf(stderr, "an imported form changed in an export and import:\n%s\n",
                     ui.constData());
    } catch (const vstd::cAbstractException &e) {
        std::fprintf(stderr, "an imported form cannot be imported after its export:\n%s\n",
                     qPrintable(describe(e).text()));
    }
    std::abort();
}

} // namespace

cUiReaderInput::cUiReaderInput() : mHost(std::make_unique<tHostSet>()) {}

cUiReaderInput::~cUiReaderInput() = default;

bool cUiReaderInput::read(const QByteArray &ui)
{
    std::vector<cUiFormReader::tFormSet> forms;
    try {
        cUiConversionReport report;
        forms = cUiFormReader(mHost->registry).read(ui, vucs::cString("input"), kNoFolder,
                                                     report);
    } catch (const vstd::cAbstractException &e) {
        mRefusal = vstd::describe(e, false).text();
        return false;
    }
    for (const cUiFormReader::tFormSet &form : forms)
        checkRoundTrip(mHost->registry, *form.root);
    return true;
}
