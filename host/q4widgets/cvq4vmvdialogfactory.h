#pragma once

#include "cvq4appwidget.h"

#include "vellcore/vio.h"
#include "vellcore/vsa.h"

class cVQ4VMVDataViewMgr;
namespace vmva { class cDVDataViewArgList; }

// Builds a live dialog window from a dialog document (its "ViewElement" records), binding the
// elements' properties to the models the argument list names.
class cVQ4VMVDialogFactory
{
public:
    cVQ4VMVDialogFactory(cVQ4VMVDataViewMgr &mgr, const vio::cSearchPaths &searchPaths);

    // The window for the first top-level dialog element of the document, owned by the caller;
    // null when the document holds none. Throws cRuntimeException for a corrupt document.
    cVQ4AppWidget *createDialog(QWidget *parent, vmva::cDVDataViewArgList &arguments,
                                vsa::cAbstractDeserializer &document, void *reserved = nullptr);

private:
    cVQ4VMVDataViewMgr &mMgr;
    vio::cSearchPaths mSearchPaths;
};
