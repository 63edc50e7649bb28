#pragma once

#include "cvq4application.h"

#include "vellcore/vcs.h"

// Base of components that live in a Qt host application.
class cVQ4AbstractComponent : public vcs::cAbstractComponent
{
public:
    cVQ4AbstractComponent(vcs::cModuleMgr &moduleMgr, vsa::cReferenceFrame &frame)
        : vcs::cAbstractComponent(moduleMgr, frame) {}
    // The application this component runs in.
    cVQ4Application &app() const { return cVQ4Application::instance(); }
};
