#include "cvq4vmvmenufactory.h"

#include "cvq4vmvbuildcontext.h"
#include "cvq4vmvdocumentreader.h"

#include "q4support/cvq4vmvabstractmvitemfactory.h"
#include "vellcore/cdebugstream.h"

cVQ4VMVMenuFactory::cVQ4VMVMenuFactory(cVQ4VMVDataViewMgr &mgr, vucs::cLILocale &locale,
                                       const vio::cSearchPaths &searchPaths)
    : mMgr(mgr), mLocale(locale), mSearchPaths(searchPaths)
{
}

QMenu *cVQ4VMVMenuFactory::createMenu(QWidget *parent, vmva::cDVDataViewArgList &arguments,
                                      vsa::cAbstractDeserializer &document)
{
    cVQ4VMVBuildContext context(mMgr, arguments, mSearchPaths, &mLocale);
    cVQ4VMVDocumentReader reader(context);
    std::unique_ptr<QObject> built(reader.buildTopLevel(document, parent, vq4::CategoryMenu));
    if (!built)
        return nullptr;
    auto *menu = qobject_cast<QMenu *>(built.get());
    if (!menu) {
        VELL_TRACE("+++ WARNING: The menu element built no menu!");
        return nullptr;
    }
    built.release();
    return menu;
}
