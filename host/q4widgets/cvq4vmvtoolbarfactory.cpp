#include "cvq4vmvtoolbarfactory.h"

#include "cvq4vmvbuildcontext.h"
#include "cvq4vmvdocumentreader.h"

#include "q4support/cvq4vmvabstractmvitemfactory.h"
#include "vellcore/cdebugstream.h"

cVQ4VMVToolbarFactory::cVQ4VMVToolbarFactory(cVQ4VMVDataViewMgr &mgr, vucs::cLILocale &locale,
                                             const vio::cSearchPaths &searchPaths)
    : mMgr(mgr), mLocale(locale), mSearchPaths(searchPaths)
{
}

QToolBar *cVQ4VMVToolbarFactory::createToolBar(QWidget *parent,
                                               vmva::cDVDataViewArgList &arguments,
                                               vsa::cAbstractDeserializer &document)
{
    cVQ4VMVBuildContext context(mMgr, arguments, mSearchPaths, &mLocale);
    cVQ4VMVDocumentReader reader(context);
    std::unique_ptr<QObject> built(reader.buildTopLevel(document, parent, vq4::CategoryToolBar));
    if (!built)
        return nullptr;
    auto *toolBar = qobject_cast<QToolBar *>(built.get());
    if (!toolBar) {
        VELL_TRACE("+++ WARNING: The tool bar element built no tool bar!");
        return nullptr;
    }
    built.release();
    return toolBar;
}
