#include "editortesthost.h"

#include "qdialogeditorwidget/cqmodelviewdialoglayouttreewidget.h"

#include "app/cdemocomponent.h"
#include "app/cformrunner.h"
#include "vellcore/creferenceframe.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

// The editor's proof of work: a form built from nothing the way a user does it, saved, loaded
// again and run with its data model.
class tst_BuildForm : public QObject, public vrmi::cConnectable
{
    Q_OBJECT

    vsa::cReferenceFrame mFrame;
    cEditorTestHost mHost;
    QTemporaryDir mDir;
    int mActivations = 0;
    QTreeWidget *mTree = nullptr;

    piVoid activated(QTreeWidgetItem *) { ++mActivations; return piVoid(); }

    // A key on the focused tree that changes the document: waits until the new selection was
    // reported, as the menus follow it only then.
    void type(int key, Qt::KeyboardModifiers mods = {})
    {
        const int before = mActivations;
        QTest::keyClick(mTree, Qt::Key(key), mods);
        QTRY_VERIFY_WITH_TIMEOUT(mActivations > before, 2000);
    }
    void click(cQAbstractDialogLayoutItem *item)
    {
        for (QTreeWidgetItem *row : mTree->findItems("", Qt::MatchContains | Qt::MatchRecursive))
            if (cQModelViewDialogLayoutTreeItem::layoutItemOf(row) == item) {
                const int before = mActivations;
                mTree->scrollToItem(row);
                QTest::mouseClick(mTree->viewport(), Qt::LeftButton, {},
                                  mTree->visualItemRect(row).center());
                QTRY_VERIFY_WITH_TIMEOUT(mActivations > before, 2000);
                return;
            }
        QFAIL("no row for the item");
    }
    static void saveShot(QWidget *widget, const char *name)
    {
        const QString folder = qEnvironmentVariable("VELL_TEST_SCREENSHOTS");
        QImage shot = widget->grab().toImage();
        QVERIFY(!shot.isNull());
        if (!folder.isEmpty())
            shot.save(folder + "/" + name);
    }

private slots:
    void buildSaveLoadAndRun()
    {
        mHost.moduleMgr.addComponent(std::make_unique<cDemoComponent>(mHost.moduleMgr, mFrame));
        auto editor = mHost.newEditor();
        auto dialogs = std::make_unique<cScriptedFileDialogs>();
        cScriptedFileDialogs *answers = dialogs.get();
        editor->setFileDialogProvider(std::move(dialogs));
        mTree = editor->findChild<QTreeWidget *>("dialogLayoutTree");
        static_cast<cQModelViewDialogLayoutTreeWidget *>(mTree)->sigItemActivated.connect(
            vrmi::cDirectLocalSlotCall1<tst_BuildForm, QTreeWidgetItem *>(
                this, &tst_BuildForm::activated));
        editor->resize(1000, 760);
        editor->show();
        editor->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(editor.get()));

        type(Qt::Key_N, Qt::ControlModifier);
        // Dialog, its layout, then a label, a line edit and a push button into the layout.
        for (int key : {Qt::Key_D, Qt::Key_V, Qt::Key_L, Qt::Key_I, Qt::Key_P})
            type(key);
        cQAbstractDialogLayoutItem *box = editor->document().children()[0]->children()[0];
        QCOMPARE(editor->currentLayoutItem(), box);
        QCOMPARE(treeRows(*mTree), QStringList({"/", "  Dialog", "    Vertical Box Layout",
                                                "      Label", "      Line Edit",
                                                "      Push Button"}));
        cQAbstractDialogLayoutItem *label = box->children()[0];
        cQAbstractDialogLayoutItem *edit = box->children()[1];
        cQAbstractDialogLayoutItem *button = box->children()[2];

        // Values the property table would write: straight into the element's properties.
        cFormWriter::setText(*label, "Text", "Machine name");
        cFormWriter::setText(*button, "Text", "Start");
        cFormWriter::setAscii(*button, "Label", "start");
        // What typing "machine.name" into the Text connector stores.
        edit->findProperty("Text")->setModelLocation({"machine", "name"});
        QTest::keyClick(editor.get(), Qt::Key_F4);

        // Two copies of the button in front of it, one moved up, the other removed.
        click(button);
        QTest::keyClick(mTree, Qt::Key_C, Qt::ControlModifier);
        type(Qt::Key_1, Qt::ControlModifier);
        type(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box->children().size(), size_t(5));
        QCOMPARE(box->children()[4], button);
        cQAbstractDialogLayoutItem *moved = box->children()[2];
        cQAbstractDialogLayoutItem *removed = box->children()[3];
        click(moved);
        type(Qt::Key_Up, Qt::ControlModifier);
        click(removed);
        type(Qt::Key_Delete);
        QCOMPARE(editor->currentLayoutItem(), button);
        const std::vector<cQAbstractDialogLayoutItem *> expected = {label, moved, edit, button};
        QVERIFY(box->children() == expected);
        const QStringList built = treeRows(*mTree);
        QCOMPARE(built.mid(3), QStringList({"      Label", "      Push Button (\"start\")",
                                            "      Line Edit", "      Push Button (\"start\")"}));

        const QString path = mDir.filePath("built");
        answers->answers << path << path + ".dlg";
        QTest::keyClick(editor.get(), Qt::Key_F2);
        QVERIFY(QFile::exists(path + ".dlg"));
        QTest::keyClick(editor.get(), Qt::Key_F3);
        QCOMPARE(editor->fileName(), path + ".dlg");
        QCOMPARE(treeRows(*mTree), built);
        const auto *loadedEdit = editor->document().children()[0]->children()[0]->children()[2];
        QCOMPARE(qstr(loadedEdit->findProperty("Text")->modelLocation().toString()),
                 QString("machine.name"));
        saveShot(editor.get(), "editor.png");
        if (qEnvironmentVariableIsSet("VELL_TEST_SCREENSHOTS"))
            QFile::copy(path + ".dlg", qEnvironmentVariable("VELL_TEST_SCREENSHOTS") + "/built.dlg");

        cFormRunner runner(mHost.app);
        runner.assign("machine", "Machine");
        QWidget *form = runner.open(path + ".dlg");
        QVERIFY(form);
        QCOMPARE(form->findChild<QLineEdit *>()->text(), QString("Drill press 7"));
        QCOMPARE(form->findChild<QLabel *>()->text(), QString("Machine name"));
        const QList<QPushButton *> buttons = form->findChildren<QPushButton *>();
        QCOMPARE(buttons.size(), 2);
        QCOMPARE(buttons[0]->text(), QString("Start"));
        saveShot(form, "form.png");
    }
};

QTEST_MAIN(tst_BuildForm)
#include "tst_buildform.moc"
