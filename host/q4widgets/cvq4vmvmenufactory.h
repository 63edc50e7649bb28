#pragma once

#include "q4support/cvq4application.h"

#include "vellcore/vio.h"
#include "vellcore/vsa.h"

#include <QMenu>

// Builds a live menu (with submenus) from a menu document.
class cVQ4VMVMenuFactory
{
public:
    cVQ4VMVMenuFactory(cVQ4VMVDataViewMgr &mgr, vucs::cLILocale &locale,
                       const vio::cSearchPaths &searchPaths);

    // The menu of the first top-level menu element, a child of `parent`, owned by the caller;
    // null when the document holds none. Throws cRuntimeException for a corrupt document.
    QMenu *createMenu(QWidget *parent, vmva::cDVDataViewArgList &arguments,
                      vsa::cAbstractDeserializer &document);

private:
    cVQ4VMVDataViewMgr &mMgr;
    vucs::cLILocale &mLocale;
    vio::cSearchPaths mSearchPaths;
};
