#include "editortesthost.h"

#include "qdialogeditorwidget/cqpwnameitem.h"
#include "qdialogeditorwidget/cqveconnectortreewidget.h"

#include "app/cdemocomponent.h"
#include "app/cformrunner.h"
#include "vellcore/creferenceframe.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

// The editor's proof of work: a form built from nothing the way a user does it, saved, loaded
// again and run with its data model. VELL_TEST_SCREENSHOTS names a folder for pictures of both.
class tst_BuildForm : public QObject
{
    Q_OBJECT

    vsa::cReferenceFrame mFrame;
    cEditorTestHost mHost;
    QTemporaryDir mDir;

    static void saveShot(QWidget *widget, const char *name)
    {
        const QImage shot = widget->grab().toImage();
        QVERIFY(!shot.isNull());
        if (qEnvironmentVariableIsSet("VELL_TEST_SCREENSHOTS"))
            shot.save(qEnvironmentVariable("VELL_TEST_SCREENSHOTS") + "/" + name);
    }

    // Types `text` into the editor of `column` (1 value, 2 connector) of the table's row for the
    // property `name` of the selected element, and confirms it with Return.
    static bool typeInto(cQModelViewDialogEditorWidget &window, const char *name, int column,
                         const QString &text)
    {
        cQVEConnectorTreeWidget &table = *window.connectorTable();
        for (int row = 0; row < table.rowCount(); ++row) {
            auto *cell = qobject_cast<cQPWNameItem *>(table.cellWidget(row, 0));
            if (!cell || cell->property()->name() != name)
                continue;
            QTest::mouseClick(table.cellWidget(row, column), Qt::LeftButton, {}, QPoint(4, 4));
            auto *line = table.cellWidget(row, column)->findChild<QLineEdit *>();
            if (!line)
                return false;
            line->setText(text);
            QTest::keyClick(line, Qt::Key_Return);
            return true;
        }
        return false;
    }

private slots:
    void buildSaveLoadAndRun()
    {
        mHost.moduleMgr.addComponent(std::make_unique<cDemoComponent>(mHost.moduleMgr, mFrame));
        cEditorDriver d(mHost);
        auto dialogs = std::make_unique<cScriptedFileDialogs>();
        cScriptedFileDialogs *answers = dialogs.get();
        d.window->setFileDialogProvider(std::move(dialogs));

        // A dialog, its layout, then a label, a line edit and a push button into the layout.
        QVERIFY(d.key(Qt::Key_N, Qt::ControlModifier));
        for (int key : {Qt::Key_D, Qt::Key_V, Qt::Key_L, Qt::Key_I, Qt::Key_P})
            QVERIFY(d.key(key));
        cQAbstractDialogLayoutItem *box = d.window->document().children()[0]->children()[0];
        QCOMPARE(d.current(), box);
        QCOMPARE(treeRows(*d.tree), QStringList({"/", "  Dialog", "    Vertical Box Layout",
                                                 "      Label", "      Line Edit",
                                                 "      Push Button"}));
        cQAbstractDialogLayoutItem *label = box->children()[0];
        cQAbstractDialogLayoutItem *edit = box->children()[1];
        cQAbstractDialogLayoutItem *button = box->children()[2];

        // Texts in the property table, the binding typed into a connector.
        QVERIFY(d.click(label));
        QVERIFY(typeInto(*d.window, "Text", 1, "Machine name"));
        QVERIFY(d.click(edit));
        QVERIFY(typeInto(*d.window, "Text", 2, "machine.name"));
        QVERIFY(d.click(button));
        QVERIFY(typeInto(*d.window, "Text", 1, "Start"));
        QVERIFY(typeInto(*d.window, "Label", 1, "start"));
        QCOMPARE(d.tree->currentItem()->text(0), QString("Push Button (\"start\")"));
        QCOMPARE(qstr(edit->findProperty("Text")->modelLocation().toString()),
                 QString("machine.name"));

        // Two copies of the button in front of it, one moved up, the other removed.
        d.key(Qt::Key_C, Qt::ControlModifier, false);
        QVERIFY(d.key(Qt::Key_1, Qt::ControlModifier));
        QVERIFY(d.key(Qt::Key_V, Qt::ControlModifier));
        QCOMPARE(box->children().size(), size_t(5));
        cQAbstractDialogLayoutItem *moved = box->children()[2], *removed = box->children()[3];
        QVERIFY(d.click(moved));
        QVERIFY(d.key(Qt::Key_Up, Qt::ControlModifier));
        QVERIFY(d.click(removed));
        QVERIFY(d.key(Qt::Key_Delete));
        QCOMPARE(d.current(), button);
        QVERIFY(box->children() == std::vector<cQAbstractDialogLayoutItem *>({label, moved, edit,
                                                                               button}));
        const QStringList built = treeRows(*d.tree);
        QCOMPARE(built.mid(3), QStringList({"      Label", "      Push Button (\"start\")",
                                            "      Line Edit", "      Push Button (\"start\")"}));

        const QString path = mDir.filePath("built");
        answers->answers << path << path + ".dlg";
        QTest::keyClick(d.window.get(), Qt::Key_F2);
        QTest::keyClick(d.window.get(), Qt::Key_F3);
        QCOMPARE(d.window->fileName(), path + ".dlg");
        QCOMPARE(treeRows(*d.tree), built);
        saveShot(d.window.get(), "editor.png");
        if (qEnvironmentVariableIsSet("VELL_TEST_SCREENSHOTS"))
            QFile::copy(path + ".dlg", qEnvironmentVariable("VELL_TEST_SCREENSHOTS") + "/built.dlg");

        cFormRunner runner(mHost.app);
        runner.assign("machine", "Machine");
        QWidget *form = runner.open(path + ".dlg");
        QCOMPARE(form->findChild<QLineEdit *>()->text(), QString("Drill press 7"));
        QCOMPARE(form->findChild<QLabel *>()->text(), QString("Machine name"));
        const QList<QPushButton *> buttons = form->findChildren<QPushButton *>();
        QCOMPARE(buttons.size(), 2);
        QCOMPARE(buttons[1]->text(), QString("Start"));
        saveShot(form, "form.png");
    }
};

QTEST_MAIN(tst_BuildForm)
#include "tst_buildform.moc"
