#include "cvellhost.h"

#include "cdemocomponent.h"
#include "cformrunner.h"
#include "chostapplication.h"
#include "chosterrorreporter.h"
#include "chostscript.h"
#include "cquitonclose.h"
#include "csavechangesquestion.h"
#include "cscreenshot.h"

#include "q4support/cvq4abstractcomponent.h"
#include "q4support/elements/standardelements.h"
#include "q4widgets/standardbuilders.h"

#include "vellmva2/cdmdatamodel.h"
#include "vellmva2/tgenericnode.h"

#include <QApplication>
#include <QWidget>

#include <cstdio>

cVellHost::cVellHost(const cHostOptions &options)
    : mOptions(options), mFrame("local"),
      mApplication(std::make_unique<cVQ4Application>(mModuleMgr))
{
    if (mOptions.trace) {
        mPreviousSink = vpi::system().setSink([](const QString &line) {
            std::fputs(line.toLocal8Bit().constData(), stderr);
            std::fflush(stderr);
        });
    }
    registerStandardElements(mApplication->vmvMgr());
    installStandardBuilders(mApplication->vmvMgr());
}

cVellHost::~cVellHost()
{
    mQuitOnClose.reset();
    mScript.reset();
    mScreenshot.reset();
    mFormRunner.reset();
    // Components use the application object (its data-view manager and argument list).
    mModuleMgr.removeAllComponents();
    mApplication.reset();
    if (mOptions.trace)
        vpi::system().setSink(mPreviousSink);
}

int cVellHost::run()
{
    QWidget *shown = nullptr;
    try {
        registerComponents();
        if (!mOptions.runForm.isEmpty()) {
            shown = runForm();
        } else {
            vcs::cAbstractComponent &module =
                mModuleMgr.loadModule(qstr(mOptions.modulePath), mFrame);
            if (QWidget *editor = showEditor(module)) {
                // The program ends with the editor window, never with a dialog beside it.
                QApplication::setQuitOnLastWindowClosed(false);
                auto *component = dynamic_cast<cVQ4AbstractComponent *>(&module);
                mQuitOnClose = std::make_unique<cQuitOnClose>(*editor, [component, editor] {
                    return cSaveChangesQuestion::mayClose(*component, editor);
                });
            }
            if (!mOptions.documentPath.isEmpty())
                openDocument(module);
        }
    } catch (const vstd::cAbstractException &e) {
        cHostApplication::reportError(e);
        return 1;
    }
    if (!mOptions.scriptPath.isEmpty() && !startScript())
        return 2;
    if (!mOptions.screenshotPath.isEmpty()) {
        mScreenshot = std::make_unique<cScreenshot>(mOptions.screenshotPath);
        mScreenshot->start(shown);
    }
    return QApplication::exec();
}

bool cVellHost::startScript()
{
    mScript = std::make_unique<cHostScript>();
    QString error;
    if (!mScript->load(mOptions.scriptPath, &error)) {
        std::fprintf(stderr, "vellhost: %s\n", qPrintable(error));
        return false;
    }
    QObject::connect(mScript.get(), &cHostScript::finished, [this](bool ok) {
        if (ok)
            return;
        std::fprintf(stderr, "vellhost: %s\n", qPrintable(mScript->error()));
        std::fflush(stderr);
        QCoreApplication::exit(3);
    });
    mScript->start();
    return true;
}

void cVellHost::registerComponents()
{
    // Their models exist before the module starts, so the editor offers them at once.
    mModuleMgr.addComponent(std::make_unique<cDemoComponent>(mModuleMgr, mFrame));
}

QWidget *cVellHost::runForm()
{
    mFormRunner = std::make_unique<cFormRunner>(*mApplication);
    QStringList assigned;
    for (const QString &argument : mOptions.formArguments) {
        const int equals = argument.indexOf(QLatin1Char('='));
        mFormRunner->assign(argument.left(equals), argument.mid(equals + 1));
        assigned << argument.left(equals);
    }
    QWidget *shown = mFormRunner->open(mOptions.runForm);
    for (const QString &line : mFormRunner->parameterWarnings(mOptions.runForm, assigned))
        std::fprintf(stderr, "vellhost: warning: %s\n", line.toLocal8Bit().constData());
    std::fflush(stderr);
    return shown;
}

void cVellHost::openDocument(vcs::cAbstractComponent &component)
{
    try {
        auto *editor = dynamic_cast<cVQ4AbstractComponent *>(&component);
        if (!editor)
            VELL_THROW(vstd::cRuntimeException,
                       vucs::cLIMessage("$VTR$Module \"%file%\" opens no documents!")
                           << qstr(mOptions.modulePath));
        editor->openDocument(qstr(mOptions.documentPath));
    } catch (const vstd::cAbstractException &e) {
        cHostErrorReporter::report(e);
    }
}

QWidget *cVellHost::showEditor(const vcs::cAbstractComponent &component)
{
    const vmva::cDMDataModel &root = mApplication->vmvMgr().root();
    const vmva::cDMDataModel *ctrl = root.tryFindModel("Ctrl", component.address());
    vmva::cAbstractNodeUI *node = ctrl ? ctrl->tryFindNode("ShowEditor") : nullptr;
    if (!node)
        VELL_THROW(vstd::cRuntimeException,
                   vucs::cLIMessage("$VTR$Module \"%file%\" offers no \"Ctrl\" model with a "
                                    "\"ShowEditor\" node!")
                       << qstr(mOptions.modulePath));
    // A command view of the node: triggering it runs the node's receivers.
    vmva::tGenericNode<piVoid, vmva::cBasicModelProperties> command(node->name());
    command.setRef(*node);
    command.trigger();
    // The component names its window: beside it may stand others (the recovery dialog).
    const auto *shows = dynamic_cast<const cVQ4AbstractComponent *>(&component);
    QWidget *window = shows ? shows->mainWindow() : nullptr;
    return window && window->isVisible() ? window : nullptr;
}
