#include "cvq4vmvdialogfactory.h"

#include "cvq4vmvbuildcontext.h"
#include "cvq4vmvdocumentreader.h"

#include "q4support/cvq4vmvabstractmvitemfactory.h"
#include "q4support/cvq4vmvdataviewmgr.h"
#include "vellcore/cdebugstream.h"

#include <QVBoxLayout>

cVQ4VMVDialogFactory::cVQ4VMVDialogFactory(cVQ4VMVDataViewMgr &mgr,
                                           const vio::cSearchPaths &searchPaths)
    : mMgr(mgr), mSearchPaths(searchPaths)
{
}

cVQ4AppWidget *cVQ4VMVDialogFactory::createDialog(QWidget *parent,
                                                  vmva::cDVDataViewArgList &arguments,
                                                  vsa::cAbstractDeserializer &document, void *)
{
    cVQ4VMVBuildContext context(mMgr, arguments, mSearchPaths);
    cVQ4VMVDocumentReader reader(context);
    std::unique_ptr<QObject> built(reader.buildTopLevel(document, parent, vq4::CategoryDialog));
    if (!built)
        return nullptr;
    if (auto *window = qobject_cast<cVQ4AppWidget *>(built.get())) {
        built.release();
        return window;
    }
    auto *content = qobject_cast<QWidget *>(built.get());
    if (!content) {
        VELL_TRACE("+++ WARNING: The dialog element built no widget!");
        return nullptr;
    }
    // A plug-in's top-level element may build any widget: it gets a window around it.
    auto *window = new cVQ4AppWidget(parent);
    auto *layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
    built.release();
    return window;
}
