#pragma once

#include "q4support/cvq4application.h"

#include "vellcore/vio.h"
#include "vellcore/vsa.h"

#include <QToolBar>

// Builds a live tool bar from a tool bar document.
class cVQ4VMVToolbarFactory
{
public:
    cVQ4VMVToolbarFactory(cVQ4VMVDataViewMgr &mgr, vucs::cLILocale &locale,
                          const vio::cSearchPaths &searchPaths);

    // The tool bar of the first top-level tool bar element, a child of `parent`, owned by the
    // caller; null when the document holds none. Throws cRuntimeException for a corrupt document.
    QToolBar *createToolBar(QWidget *parent, vmva::cDVDataViewArgList &arguments,
                            vsa::cAbstractDeserializer &document);

private:
    cVQ4VMVDataViewMgr &mMgr;
    vucs::cLILocale &mLocale;
    vio::cSearchPaths mSearchPaths;
};
