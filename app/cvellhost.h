#pragma once

#include "chostoptions.h"

#include "q4support/cvq4application.h"

#include "vellcore/cdebugstream.h"
#include "vellcore/cmodulemgr.h"

#include <memory>

class QWidget;
class cFormRunner;
class cHostScript;
class cQuitOnClose;
class cScreenshot;

// Wires the host together: the module manager, the application object, the host's own
// components and the loaded module whose "ShowEditor" command opens its window.
class cVellHost
{
public:
    explicit cVellHost(const cHostOptions &options);
    ~cVellHost();
    cVellHost(const cVellHost &) = delete;
    cVellHost &operator=(const cVellHost &) = delete;

    // Starts the host and runs the event loop; returns the program's exit code.
    int run();

private:
    // The host's own components, registered before any module is loaded.
    void registerComponents();
    // Opens the form of --run with the models of its --arg options; returns the widget shown.
    QWidget *runForm();
    // Triggers the "ShowEditor" node of the component's "Ctrl" model; returns the window that
    // opened, or null.
    QWidget *showEditor(const vcs::cAbstractComponent &component);
    // Hands the document of the command line to the component; a failure is shown and the
    // editor stays empty.
    void openDocument(vcs::cAbstractComponent &component);
    // Starts the --script actions; false when the script cannot be read.
    bool startScript();

    cHostOptions mOptions;
    vcs::cModuleMgr mModuleMgr;
    vsa::cReferenceFrame mFrame;
    std::unique_ptr<cVQ4Application> mApplication;
    std::unique_ptr<cFormRunner> mFormRunner;
    std::unique_ptr<cScreenshot> mScreenshot;
    std::unique_ptr<cHostScript> mScript;
    std::unique_ptr<cQuitOnClose> mQuitOnClose;
    vpi::cDebugStream::tSink mPreviousSink;
};
