#pragma once

class cVQ4VMVDataViewMgr;

// Gives each standard element extension of `mgr` (found by element name) the builder of its
// live widget, menu or tool bar entry. Extensions that already have a builder keep it, so
// calling it again, or after a plug-in registered its own builders, changes nothing.
void installStandardBuilders(cVQ4VMVDataViewMgr &mgr);
