#include "modeltesthost.h"

#include "app/cdemocomponent.h"
#include "app/cformrunner.h"
#include "qdialogeditorwidget/cqpreviewwidgetview.h"
#include "qdialogeditorwidget/cqpwnameitem.h"
#include "qdialogeditorwidget/cqveconnectortreewidget.h"
#include "qdialogeditorwidget/propertywidgets/cqmvviewlocationdialog.h"
#include "qvmvtreeviewwidget/cqmodelviewtreewidget.h"
#include "tests/editorwidget/editortesthost.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QScreen>
#include <QtTest>

namespace {
// Pictures for a person to look at, when VELL_SCREENSHOT_DIR names a folder.
void screenshot(const QString &name, QWidget *widget = nullptr)
{
    const QString dir = qEnvironmentVariable("VELL_SCREENSHOT_DIR");
    if (dir.isEmpty())
        return;
    const QPixmap picture = widget ? widget->grab()
                                   : QGuiApplication::primaryScreen()->grabWindow(0);
    picture.save(dir + "/" + name + ".png");
}

using tInt = vmva::tGenericNode<__int64, vmva::cRangeModelProperties>;

QString location(const cQAbstractDialogLayoutItem &item, const char *property)
{
    return qstr(item.findProperty(property)->modelLocation().toString());
}
} // namespace

// The editor bound to live data: parameters assigned to running models, properties bound
// through the "Assign to model" cascade, the preview following the model, and models that go
// away while they are shown.
class tst_LiveBinding : public QObject
{
    Q_OBJECT

    cEditorTestHost mHost;
    vsa::cReferenceFrame mFrame;
    cDemoComponent *mDemo = nullptr;
    std::unique_ptr<cQModelViewDialogEditorWidget> mEditor;
    QTemporaryDir mDir;

    QTreeWidget *layoutTree() const
    {
        return mEditor->findChild<QTreeWidget *>("dialogLayoutTree");
    }
    // Makes the layout row of the label showing `text` current and returns its item.
    cQAbstractDialogLayoutItem *selectLabel(const QString &text)
    {
        for (QTreeWidgetItem *row : layoutTree()->findItems("*", Qt::MatchWildcard
                                                            | Qt::MatchRecursive)) {
            cQAbstractDialogLayoutItem *item = cQModelViewDialogLayoutTreeItem::layoutItemOf(row);
            vmva::cDVIAbstractProperty *p = item ? item->findProperty("Text") : nullptr;
            if (p && p->ucStringView() && qstr(p->ucStringView()->value()) == text) {
                layoutTree()->setCurrentItem(row);
                cQVEConnectorTreeWidget *table = mEditor->connectorTable();
                if (!QTest::qWaitFor([&] { return table->properties() == item->properties(); }))
                    qFatal("the table does not show the label");
                return item;
            }
        }
        return nullptr;
    }
    // Presses the connector of `property` and its choose button, and picks `path` from the
    // cascade that opens.
    void chooseNode(const char *property, const QStringList &path)
    {
        cQVEConnectorTreeWidget *table = mEditor->connectorTable();
        for (int row = 0; row < table->rowCount(); ++row) {
            auto *name = qobject_cast<cQPWNameItem *>(table->cellWidget(row, 0));
            if (!name || name->property()->name() != property)
                continue;
            QWidget *connector = table->cellWidget(row, 2);
            QTest::mouseClick(connector, Qt::LeftButton, {}, QPoint(4, 4));
            pickFromNextPopup(path);
            QTest::mouseClick(connector->findChild<QPushButton *>("mpBtChoose"), Qt::LeftButton);
            return;
        }
        qFatal("no connector %s", property);
    }
    QLabel *previewLabel(const QString &text) const
    {
        // Replaced previews go later; only the shown one counts.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (QLabel *l : mEditor->previewView()->findChildren<QLabel *>())
            if (l->text() == text)
                return l;
        return nullptr;
    }
    tInt &motorSpeed()
    {
        return *dynamic_cast<tInt *>(mDemo->machine().tryFindNode("drive.motor.speed"));
    }
    void load(const QString &path)
    {
        auto dialogs = std::make_unique<cScriptedFileDialogs>();
        dialogs->answers << path;
        mEditor->setFileDialogProvider(std::move(dialogs));
        mEditor->findChild<QAction *>("mpActLoadDocument")->trigger();
    }
    void assignToMachine()
    {
        mEditor->findChild<QAction *>("mpActShowParameters")->trigger();
        auto *panel = mEditor->findChild<QWidget *>("mpDialogParameters");
        QVERIFY(panel && panel->isVisible());
        auto *list = panel->findChild<QTreeWidget *>("mpLstParamters");
        // Derived at load, in the order the document names them.
        QCOMPARE(list->topLevelItem(0)->text(0), QString("Machine"));
        QCOMPARE(list->topLevelItem(1)->text(0), QString("Settings"));
        list->setCurrentItem(list->topLevelItem(0));
        pickFromNextPopup({"\"Component\"", "Machine", "Model Machine"});
        QTest::mouseClick(panel->findChild<QPushButton *>("mpBtAssign"), Qt::LeftButton);
        QCOMPARE(list->topLevelItem(0)->text(1), qstr(mDemo->address().toString()) + " : Machine");
        screenshot("parameters", panel);
    }

private slots:
    void init()
    {
        mDemo = static_cast<cDemoComponent *>(&mHost.moduleMgr.addComponent(
            std::make_unique<cDemoComponent>(mHost.moduleMgr, mFrame)));
        mEditor = mHost.newEditor();
        mEditor->resize(1000, 760);
        mEditor->show();
        QVERIFY(QTest::qWaitForWindowExposed(mEditor.get()));
    }
    void cleanup()
    {
        mEditor.reset();
        if (mDemo)
            mHost.moduleMgr.removeComponent(*mDemo);
        mDemo = nullptr;
        for (auto *a : mHost.app.dialogArguments().arguments())
            mHost.app.dialogArguments().removeParameter(a->parameterName());
    }

    void nodeChosenFromTheCascadeShowsLiveInPreviewAndRun()
    {
        load(qEnvironmentVariable("VELL_SOURCE_DIR") + "/examples/machine.dlg");
        assignToMachine();
        cQAbstractDialogLayoutItem *label = selectLabel("Status:");
        QVERIFY(label);
        beforePopupChoice() = [] { screenshot("cascade"); };
        chooseNode("Text", {"Assign to model", "Machine", "drive", "motor", "speed"});
        beforePopupChoice() = nullptr;
        QCOMPARE(location(*label, "Text"), QString("Machine.drive.motor.speed"));
        auto *field = mEditor->viewLocationDialog()->findChild<QLineEdit *>(
            "mpTxtModelParameterAndElement");
        QCOMPARE(field->text(), QString("Machine.drive.motor.speed"));
        QCOMPARE(mEditor->findChild<QDockWidget *>("mpDockDatamodelLocation")->windowTitle(),
                 QString("Datamodel Location (Text)"));
        field->clear();
        QTest::keyClicks(field, "Machine.drive.mo");   // completes from the live model
        QCOMPARE(field->completer()->currentCompletion(), QString("Machine.drive.motor"));
        QTest::keyClick(field->completer()->popup(), Qt::Key_Escape);

        motorSpeed().setValue(4321);
        QVERIFY(previewLabel("4321"));
        QTRY_VERIFY(motorSpeed().value() != 4321);   // the machine runs on
        QVERIFY(previewLabel(QString::number(motorSpeed().value())));
        screenshot("editor", mEditor.get());
        mEditor->findChild<QAction *>("mpActShowAllModels")->trigger();
        mEditor->dataModelsWindow()->expandAll();
        QTest::qWait(50);
        screenshot("datamodels", mEditor->dataModelsWindow());

        const QString saved = mDir.filePath("bound.dlg");
        mEditor->saveDocument(saved);
        load(saved);
        QCOMPARE(location(*selectLabel("Status:"), "Text"), QString("Machine.drive.motor.speed"));

        cFormRunner runner(mHost.app);
        runner.assign("Machine", "Machine");
        QWidget *running = runner.open(saved);
        motorSpeed().setValue(777);
        bool shown = false;
        for (QLabel *l : running->findChildren<QLabel *>())
            shown = shown || l->text() == "777";
        QVERIFY(shown);
    }

    // A form without parameters: the cascade offers the models under their components, nodes
    // of a type the property does not take greyed, and a node chosen adds the parameter.
    void nodeChosenWithoutParameterAddsIt()
    {
        load(qEnvironmentVariable("VELL_SOURCE_DIR") + "/examples/machine.dlg");
        mEditor->findChild<QAction *>("mpActShowParameters")->trigger();
        auto *panel = mEditor->findChild<QWidget *>("mpDialogParameters");
        auto *list = panel->findChild<QTreeWidget *>("mpLstParamters");
        while (list->topLevelItemCount() > 0) {
            const QRect row = list->visualItemRect(list->topLevelItem(0));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
            QTest::mouseClick(panel->findChild<QPushButton *>("mpBtRemove"), Qt::LeftButton);
        }
        QVERIFY(mHost.app.dialogArguments().arguments().empty());

        cQAbstractDialogLayoutItem *label = selectLabel("Status:");
        QVERIFY(label);
        const QString component = cQModelViewTreeWidget::componentLabel(mHost.moduleMgr,
                                                                         mDemo->address());
        QStringList machineMenu;
        beforePopupChoice() = [&machineMenu] {
            auto *open = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            machineMenu = open ? menuOutline(*open) : QStringList();
            screenshot("cascade_greyed");
        };
        chooseNode("Text", {"Assign to model", component, "Machine", "status"});
        beforePopupChoice() = nullptr;
        QVERIFY(machineMenu.contains("status"));
        QVERIFY(machineMenu.contains("(start)"));   // a command: no text to show
        QCOMPARE(location(*label, "Text"), QString("Machine.status"));
        const auto *added = mHost.app.dialogArguments().tryFindParameter("Machine");
        QVERIFY(added && added->modelName() == "Machine");
        QCOMPARE(list->topLevelItem(0)->text(1),
                 qstr(mDemo->address().toString()) + " : Machine");
    }

    // A location typed into the connector cell or the location dock is checked key by key, the
    // reason shown beside the field; nothing is stored until Return.
    void typedLocationIsChecked_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("reason");
        QTest::newRow("a text node") << "Machine.status" << "";
        QTest::newRow("no such node") << "Machine.stat" << "No node \"stat\" in model \"Machine\"";
        QTest::newRow("in a sub-model") << "Machine.drive.motor.sped"
                                        << "No node \"drive.motor.sped\" in model \"Machine\"";
        QTest::newRow("no such parameter") << "Pump.status" << "No dialog parameter \"Pump\"";
        QTest::newRow("a command") << "Machine.start"
                                   << "This property takes cString, piInt64, piDouble, piBool; "
                                      "the node holds piVoid";
        QTest::newRow("no model yet") << "Settings.operator"
                                      << "Parameter \"Settings\" has no model: the path is not "
                                         "checked";
        QTest::newRow("no path") << "Machine" << "Syntax error in path!";
        // The connector cell's shorthand; the dock takes none.
        QTest::newRow("unset") << "unset" << "";
    }
    void typedLocationIsChecked()
    {
        QFETCH(QString, typed);
        QFETCH(QString, reason);
        load(qEnvironmentVariable("VELL_SOURCE_DIR") + "/examples/machine.dlg");
        assignToMachine();
        cQAbstractDialogLayoutItem *label = selectLabel("Status:");
        QVERIFY(label);
        const QString before = location(*label, "Text");
        cQVEConnectorTreeWidget *table = mEditor->connectorTable();
        QWidget *connector = nullptr;
        for (int row = 0; row < table->rowCount(); ++row) {
            auto *name = qobject_cast<cQPWNameItem *>(table->cellWidget(row, 0));
            if (name && name->property()->name() == "Text")
                connector = table->cellWidget(row, 2);
        }
        QVERIFY(connector);
        QTest::mouseClick(connector, Qt::LeftButton, {}, QPoint(4, 4));
        auto *field = connector->findChild<QLineEdit *>("mpTxtLocation");
        auto *panel = mEditor->viewLocationDialog();
        auto *panelField = panel->findChild<QLineEdit *>("mpTxtModelParameterAndElement");
        QList<QLineEdit *> fields{field, panelField};
        if (typed == "unset")
            fields.removeLast();
        for (QLineEdit *edit : fields) {
            edit->selectAll();
            QTest::keyClick(edit, Qt::Key_Backspace);
            QTest::keyClicks(edit, typed);
            auto *problem = edit->parentWidget()->findChild<QLabel *>("mpLblLocationProblem");
            QVERIFY(problem);
            QCOMPARE(problem->isVisibleTo(edit->parentWidget()), !reason.isEmpty());
            if (!reason.isEmpty())
                QCOMPARE(problem->text(), reason);
        }
        if (QTest::currentDataTag() == QLatin1String("a command"))
            screenshot("location_checked", mEditor.get());
        QCOMPARE(location(*label, "Text"), before);
    }

    void modelsDestroyedWhileShownOrBound()
    {
        load(qEnvironmentVariable("VELL_SOURCE_DIR") + "/examples/machine.dlg");
        assignToMachine();
        // The layout tree's context menu binds an element's "Model" property.
        QTreeWidgetItem *group = findRow(*layoutTree(), "Group Box (\"State\")");
        pickFromNextPopup({"Assign to model", "Machine", "drive", "motor", "current"});
        QTest::mousePress(layoutTree()->viewport(), Qt::RightButton, {},
                          layoutTree()->visualItemRect(group).topLeft() + QPoint(8, 4));
        QCOMPARE(location(*cQModelViewDialogLayoutTreeItem::layoutItemOf(group), "Model"),
                 QString("Machine.drive.motor.current"));

        mDemo->attachProbe();
        cQAbstractDialogLayoutItem *label = selectLabel("Status:");
        // The probe goes while the cascade built from it is open; the choice is still a path.
        QTimer::singleShot(0, this, [this] { mDemo->detachProbe(); });
        chooseNode("Text", {"Assign to model", "Machine", "probe", "reading"});
        QCOMPARE(location(*label, "Text"), QString("Machine.probe.reading"));

        mDemo->attachProbe();
        mEditor->findChild<QAction *>("mpActUpdatePreview")->trigger();
        QVERIFY(!previewLabel("Status:"));   // shows the probe's reading
        mEditor->findChild<QAction *>("mpActShowAllModels")->trigger();
        cQModelViewTreeWidget *models = mEditor->dataModelsWindow();
        QVERIFY(models && models->isVisible() && models->windowTitle() == "Data Models");
        QVERIFY(findRow(*models, "probe"));
        mDemo->detachProbe();   // bound in the preview and shown in the window
        QVERIFY(!findRow(*models, "probe"));
        QTRY_VERIFY(previewLabel("Status:"));   // rebuilt without the binding
        mHost.moduleMgr.removeComponent(*mDemo);
        mDemo = nullptr;
        QCOMPARE(models->topLevelItemCount(), 0);

        // A parameter that properties still use can go: the document saves, loads and previews.
        auto *panel = mEditor->findChild<QWidget *>("mpDialogParameters");
        panel->findChild<QLineEdit *>("mpTxtParameter")->setText("Machine");
        QTest::mouseClick(panel->findChild<QPushButton *>("mpBtRemove"), Qt::LeftButton);
        QVERIFY(!mHost.app.dialogArguments().tryFindParameter("Machine"));
        const QString saved = mDir.filePath("unbound.dlg");
        mEditor->saveDocument(saved);
        load(saved);
        QVERIFY(mEditor->previewView()->findChild<QLabel *>());
    }
};

QTEST_MAIN(tst_LiveBinding)
#include "tst_livebinding.moc"
