#pragma once

#include "cvq4application.h"

#include "vellcore/vcs.h"

// Base of components that live in a Qt host application.
class cVQ4AbstractComponent : public vcs::cAbstractComponent
{
public:
    cVQ4AbstractComponent(vcs::cModuleMgr &moduleMgr, vsa::cReferenceFrame &frame)
        : vcs::cAbstractComponent(moduleMgr, frame) {}
    ~cVQ4AbstractComponent() override;
    // The application this component runs in.
    cVQ4Application &app() const { return cVQ4Application::instance(); }

    // The host application's entry for a document named on its command line, called once the
    // component's window is shown. Throws cRuntimeException when the component opens no
    // documents (the default) or the document cannot be opened.
    virtual void openDocument(const vucs::cString &path);
};
