#pragma once

#include "cvq4application.h"

#include "vellcore/vcs.h"

class QWidget;

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

    // The window the component shows as its main window, or null (the default): the host
    // application ends when that window is closed.
    virtual QWidget *mainWindow() const { return nullptr; }
    // What the host asks before it ends: whether the main window holds work that no save has
    // taken, under which name ("Save changes to NAME?"), and the answers Save and Discard.
    virtual bool hasUnsavedChanges() const { return false; }
    virtual vucs::cString documentName() const { return vucs::cString(); }
    // Saves the work as the component's own save command does; false when the user cancelled
    // (no file name chosen). Throws cRuntimeException when the save fails.
    virtual bool saveChanges() { return true; }
    // The work is given up: the component keeps nothing of it for a later start.
    virtual void discardChanges() {}
};
