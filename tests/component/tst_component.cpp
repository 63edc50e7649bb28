#include "q4support/cvq4abstractcomponent.h"
#include "q4support/cvq4application.h"

#include "vellcore/cdebugstream.h"
#include "vellcore/cmodulemgr.h"
#include "vellmva2/cdmdatamodel.h"
#include "vellmva2/tgenericnode.h"

#include <QDir>
#include <QLineEdit>
#include <QPointer>
#include <QStandardPaths>
#include <QWidget>
#include <QtTest>

namespace {

using tCommand = vmva::tGenericNode<piVoid, vmva::cBasicModelProperties>;

QString modulePath()
{
    return qEnvironmentVariable("VELL_BINARY_DIR") + "/lib/libVQ4VMVDialogEditor.so";
}

// The editor windows that exist now, shown or hidden.
QList<QWidget *> editorWindows()
{
    QList<QWidget *> out;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (QByteArray(w->metaObject()->className()) == "cQModelViewDialogEditorWidget")
            out << w;
    }
    return out;
}

} // namespace

// The dialog editor module's component, loaded through the module manager as the host does.
class tst_Component : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void publishesCtrlModelWithShowEditor();
    void triggerShowsOneEditorReplacingTheFirst();
    void openDocumentLoadsIntoTheEditor();
    void closedWindowIsOnlyHiddenAndThenReplaced();
    void failureWithoutApplicationPassesToTrigger();
    void replacedEditorKeepsItsUnsavedWork();

private:
    void trigger();
    std::unique_ptr<vcs::cModuleMgr> mMgr;
    std::unique_ptr<cVQ4Application> mApp;
    vsa::cReferenceFrame mFrame{"local"};
    vcs::cAbstractComponent *mComponent = nullptr;
    vmva::cDMDataModel *mCtrl = nullptr;
    vmva::cAbstractNodeUI *mNode = nullptr;
    QStringList mTrace;
    std::function<void(const QString &)> mOnTrace;
};

void tst_Component::init()
{
    mTrace.clear();
    mOnTrace = nullptr;
    vpi::system().setSink([this](const QString &line) {
        mTrace << line;
        if (mOnTrace)
            mOnTrace(line);
    });
    mMgr = std::make_unique<vcs::cModuleMgr>();
    mApp = std::make_unique<cVQ4Application>(*mMgr);
    mComponent = &mMgr->loadModule(qstr(modulePath()), mFrame);
    mCtrl = vmva::cDMDataModel::root(*mMgr).tryFindModel("Ctrl", mComponent->address());
    QVERIFY(mCtrl);
    mNode = mCtrl->tryFindNode("ShowEditor");
    QVERIFY(mNode);
}

void tst_Component::cleanup()
{
    if (mMgr)
        mMgr->removeAllComponents();
    mApp.reset();
    mMgr.reset();
    vpi::system().setSink(nullptr);
    QVERIFY(editorWindows().isEmpty());
}

void tst_Component::trigger()
{
    tCommand command("ShowEditor");
    command.setRef(*mNode);
    command.trigger();
}

void tst_Component::publishesCtrlModelWithShowEditor()
{
    QCOMPARE(mCtrl->parentModel(), &vmva::cDMDataModel::root(*mMgr));
    QCOMPARE(mCtrl->modelProviderLocation(), mComponent->address());
    QCOMPARE(mCtrl->lstNodes(), std::vector<vmva::cAbstractNodeUI *>{mNode});
    QVERIFY(mCtrl->lstModels().empty());
    QCOMPARE(QString(mNode->valueTypeName().c_str()), QString("piVoid"));
    QVERIFY(mNode->hasObject());
    // Loading creates no window.
    QVERIFY(editorWindows().isEmpty());
    QVERIFY(mTrace.isEmpty());
}

// One shown editor per trigger, traced; a second trigger deletes the first window (later, as
// the trigger may have come from inside it) before it creates the next.
void tst_Component::triggerShowsOneEditorReplacingTheFirst()
{
    trigger();
    QPointer<QWidget> first = editorWindows().value(0);
    QVERIFY(first && first->isVisible() && first->isWindow());
    QCOMPARE(editorWindows().size(), 1);
    const QStringList texts = {"Destroy old editor...", "Create new editor...",
                               "Creating new editor..."};
    QCOMPARE(mTrace.size(), texts.size());
    for (int i = 0; i < texts.size(); ++i) {
        const QRegularExpression line("^qdialogeditorcomponent/ccomponent\\.cpp:\\d+ "
                                      + QRegularExpression::escape(texts[i]) + "\\n$");
        QVERIFY2(line.match(mTrace[i]).hasMatch(), qPrintable(mTrace[i]));
    }

    bool firstGoneWhenCreating = false;
    mOnTrace = [&](const QString &line) {
        if (line.endsWith("Creating new editor...\n"))
            firstGoneWhenCreating = !first || !first->isVisible();
    };
    trigger();
    QVERIFY(firstGoneWhenCreating);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!first);
    const QList<QWidget *> windows = editorWindows();
    QCOMPARE(windows.size(), 1);
    QVERIFY(windows.first()->isVisible());
    QCOMPARE(mTrace.size(), 6);
}

// The host's start with a document: the shown editor loads it; one it cannot read leaves the
// editor empty.
void tst_Component::openDocumentLoadsIntoTheEditor()
{
    auto *component = dynamic_cast<cVQ4AbstractComponent *>(mComponent);
    QVERIFY(component);
    QVERIFY_THROWS_EXCEPTION(vstd::cRuntimeException, component->openDocument("x.dlg"));
    trigger();
    QWidget *editor = editorWindows().value(0);
    QVERIFY_THROWS_EXCEPTION(vstd::cRuntimeException, component->openDocument("/nonexistent.dlg"));
    QCOMPARE(editor->windowTitle(), QString("VELL model based dialog editor (untitled)"));
    component->openDocument(qstr(qEnvironmentVariable("VELL_SOURCE_DIR") + "/examples/menu.dlg"));
    QCOMPARE(editor->windowTitle(), QString("VELL model based dialog editor (menu)"));
}

// A second trigger retires an editor with unsaved work: it stays in its recovery file, written
// to the last key, for the next start. The host finds the new window through the component.
void tst_Component::replacedEditorKeepsItsUnsavedWork()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)
                           + "/recovery";
    QDir(folder).removeRecursively();
    auto *component = dynamic_cast<cVQ4AbstractComponent *>(mComponent);
    QVERIFY(!component->mainWindow() && !component->hasUnsavedChanges());
    trigger();
    QWidget *first = editorWindows().value(0);
    QCOMPARE(component->mainWindow(), first);
    QTest::keyClicks(first->findChild<QLineEdit *>("mpTxtName"), " kept");
    QVERIFY(component->hasUnsavedChanges());
    QCOMPARE(qstr(component->documentName()), QString("untitled.dlg"));

    trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!editorWindows().contains(first));
    QCOMPARE(component->mainWindow(), editorWindows().value(0));
    QVERIFY(!component->hasUnsavedChanges());
    const QStringList kept = QDir(folder).entryList({"*.dlg"}, QDir::Files);
    QCOMPARE(kept.size(), 1);
    QFile file(folder + "/" + kept[0]);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("Form kept<"));
    QDir(folder).removeRecursively();
}

void tst_Component::closedWindowIsOnlyHiddenAndThenReplaced()
{
    trigger();
    QPointer<QWidget> first = editorWindows().value(0);
    QVERIFY(first);
    // The editor is an ordinary top-level window: closing it ends a host's event loop.
    QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
    QTimer::singleShot(0, first, [&] { first->close(); });
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    guard.start(5000);
    QCOMPARE(QApplication::exec(), 0);
    QCOMPARE(lastClosed.count(), 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(first);
    QVERIFY(!first->isVisible());

    trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(first.isNull());
    const QList<QWidget *> windows = editorWindows();
    QCOMPARE(windows.size(), 1);
    QVERIFY(windows.first()->isVisible());
}

void tst_Component::failureWithoutApplicationPassesToTrigger()
{
    mApp.reset();   // the component finds no application to take the editor's arguments from
    try {
        trigger();
        QFAIL("the failure did not reach the trigger");
    } catch (const vstd::cRuntimeException &e) {
        QCOMPARE(QString(e.what()), QString("Unable to change model \"ShowEditor\"!"));
        QVERIFY(e.cause() && dynamic_cast<const vstd::cBugException *>(e.cause()));
    }
    QVERIFY(editorWindows().isEmpty());
    QCOMPARE(mTrace.size(), 3);
}

QTEST_MAIN(tst_Component)
#include "tst_component.moc"
