#include "editortesthost.h"
#include "modalanswer.h"

#include "qdialogeditorwidget/cqpwnameitem.h"
#include "qdialogeditorwidget/cqveconnectortreewidget.h"

#include "app/cdemocomponent.h"
#include "app/cformrunner.h"
#include "vellcore/creferenceframe.h"

#include "vellmva2/tgenericnode.h"

#include <QAbstractSlider>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <QTextEdit>
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
    cDemoComponent *mDemo = nullptr;

    // The demo component, added to the host on first use.
    cDemoComponent &demo()
    {
        if (!mDemo) {
            auto component = std::make_unique<cDemoComponent>(mHost.moduleMgr, mFrame);
            mDemo = component.get();
            mHost.moduleMgr.addComponent(std::move(component));
        }
        return *mDemo;
    }
    QTemporaryDir mDir;

    static void saveShot(QWidget *widget, const char *name)
    {
        const QImage shot = widget->grab().toImage();
        QVERIFY(!shot.isNull());
        if (qEnvironmentVariableIsSet("VELL_TEST_SCREENSHOTS"))
            shot.save(qEnvironmentVariable("VELL_TEST_SCREENSHOTS") + "/" + name);
    }

    // Types `text` into the editor of `column` (1 value, 2 connector) of the table's row for the
    // property `name` of the selected element, and confirms it with Return; a list's editor
    // takes one entry per line, each added in its dialog.
    static bool typeInto(cQModelViewDialogEditorWidget &window, const char *name, int column,
                         const QString &text)
    {
        cQVEConnectorTreeWidget &table = *window.connectorTable();
        for (int row = 0; row < table.rowCount(); ++row) {
            auto *cell = qobject_cast<cQPWNameItem *>(table.cellWidget(row, 0));
            if (!cell || cell->property()->name() != name)
                continue;
            // A command's location is its value: its chooser is the value cell.
            if (!table.cellWidget(row, column))
                column = 1;
            QTest::mouseClick(table.cellWidget(row, column), Qt::LeftButton, {}, QPoint(4, 4));
            if (auto *edit = table.cellWidget(row, column)->findChild<QPushButton *>(
                    "mpBtEditList")) {
                whenModalOpens([&](QWidget *dialog) {
                    for (const QString &entry : text.split('\n')) {
                        QTest::mouseClick(dialog->findChild<QPushButton *>("mpBtAdd"),
                                          Qt::LeftButton);
                        // The entry's editor; the one of the entry before goes later.
                        QLineEdit *line = nullptr;
                        for (auto *l : dialog->findChild<QListWidget *>()
                                           ->findChildren<QLineEdit *>())
                            line = l->isVisible() ? l : line;
                        QTest::keyClicks(line, entry);
                        QTest::keyClick(line, Qt::Key_Return);
                    }
                    QTest::mouseClick(dialog->findChild<QPushButton *>("mpBtOk"),
                                      Qt::LeftButton);
                });
                QTest::mouseClick(edit, Qt::LeftButton);
                // The off-screen platform has no window manager to give the editor back the
                // keys the dialog had.
                window.activateWindow();
                return QTest::qWaitForWindowActive(&window);
            }
            auto *line = table.cellWidget(row, column)->findChild<QLineEdit *>();
            if (!line)
                return false;
            line->setText(text);
            QTest::keyClick(line, Qt::Key_Return);
            return true;
        }
        return false;
    }

    using tReal = vmva::tGenericNode<double, vmva::cDRangeModelProperties>;
    using tInt = vmva::tGenericNode<__int64, vmva::cRangeModelProperties>;
    using tFlag = vmva::tGenericNode<bool, vmva::cBasicModelProperties>;
    using tText = vmva::tGenericNode<vucs::cString, vmva::cBasicModelProperties>;
    using tList = vmva::tGenericNode<vmva::cStringList, vmva::cBasicModelProperties>;

    // The widget of `form` whose class is `className`.
    static QWidget *widgetOfClass(QWidget &form, const QString &className)
    {
        for (QWidget *w : form.findChildren<QWidget *>())
            if (w->metaObject()->className() == className)
                return w;
        return nullptr;
    }

    // The value of the demo machine's node `name` as text.
    static QString nodeText(vmva::cDMDataModel &machine, const QString &name)
    {
        vmva::cAbstractNodeUI *node = machine.tryFindNode(qstr(name).ascii('?'));
        if (auto *n = dynamic_cast<tReal *>(node))
            return QString::number(n->value());
        if (auto *n = dynamic_cast<tInt *>(node))
            return QString::number(n->value());
        if (auto *n = dynamic_cast<tFlag *>(node))
            return n->value() ? "true" : "false";
        if (auto *n = dynamic_cast<tText *>(node))
            return qstr(n->value());
        if (auto *n = dynamic_cast<tList *>(node)) {
            QStringList entries;
            for (const vucs::cString &entry : n->value())
                entries << qstr(entry);
            return entries.join(", ");
        }
        return "?";
    }

    static void setNode(vmva::cDMDataModel &machine, const QString &name, const QString &text)
    {
        vmva::cAbstractNodeUI *node = machine.tryFindNode(qstr(name).ascii('?'));
        if (auto *n = dynamic_cast<tReal *>(node))
            n->setValue(text.toDouble());
        if (auto *n = dynamic_cast<tInt *>(node))
            n->setValue(text.toLongLong());
        if (auto *n = dynamic_cast<tFlag *>(node))
            n->setValue(text == "true");
        if (auto *n = dynamic_cast<tText *>(node))
            n->setValue(qstr(text));
        if (auto *n = dynamic_cast<tList *>(node)) {
            vmva::cStringList entries;
            for (const QString &entry : text.split(", "))
                entries.push_back(qstr(entry));
            n->setValue(entries);
        }
    }

    // The Qt property `name` of `widget` as text; "entries" are a combo box's or list's
    // entries as nodeText() gives a list.
    static QString shownText(QWidget &widget, const QString &name)
    {
        if (name != "entries")
            return widget.property(name.toLatin1()).toString();
        QStringList entries;
        if (auto *combo = qobject_cast<QComboBox *>(&widget))
            for (int i = 0; i < combo->count(); ++i)
                entries << combo->itemText(i);
        if (auto *list = qobject_cast<QListWidget *>(&widget))
            for (int i = 0; i < list->count(); ++i)
                entries << list->item(i)->text();
        return entries.join(", ");
    }

private slots:
    void buildSaveLoadAndRun()
    {
        demo();
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

    void laterElementsThroughTheEditor_data()
    {
        QTest::addColumn<QString>("element");  // the append menu's entry
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("property"); // a static property typed into the table
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");    // "qtProperty=value" on the running form
        QTest::addColumn<QString>("bound");    // "property=node", the main value's connector
        QTest::addColumn<QString>("qtValue");
        // The node's value set, then the node after the user's key or click.
        QTest::addColumn<QStringList>("values");
        QTest::newRow("radio button") << "Radio Button" << "QRadioButton" << "Text" << "Runs"
                                      << "text=Runs" << "Checked=running" << "checked"
                                      << QStringList{"false", "true"};
        QTest::newRow("text edit") << "Text Edit" << "QTextEdit" << "ToolTip" << "Notes"
                                   << "toolTip=Notes" << "Text=name" << "plainText"
                                   << QStringList{"Mill", "Mill!"};
        QTest::newRow("double spin box") << "Double Spin Box" << "QDoubleSpinBox" << "Suffix"
                                         << " deg" << "suffix= deg" << "Value=setpoint"
                                         << "value" << QStringList{"20.5", "21.5"};
        QTest::newRow("list") << "List" << "QListWidget" << "Entries" << "a\nb;c\nd" << "count=3"
                              << "CurrentRow=mode" << "currentRow" << QStringList{"0", "1"};
        // Entries from a list node: the user's choice leaves the node's entries as they are.
        QTest::newRow("combo box entries") << "Combo Box" << "QComboBox" << "ToolTip" << "Jobs"
                                           << "toolTip=Jobs" << "Entries=jobs" << "entries"
                                           << QStringList{"7 Gear, 8 Hub", "7 Gear, 8 Hub"};
        QTest::newRow("slider") << "Slider" << "QSlider" << "PageStep" << "2" << "pageStep=2"
                                << "Value=mode" << "value" << QStringList{"0", "1"};
        QTest::newRow("dial") << "Dial" << "QDial" << "ToolTip" << "Mode" << "toolTip=Mode"
                              << "Value=mode" << "value" << QStringList{"0", "1"};
        // The day comes first in the typed format: the arrow key moves the day.
        QTest::newRow("date edit") << "Date Edit" << "QDateEdit" << "DisplayFormat"
                                   << "dd.MM.yyyy" << "displayFormat=dd.MM.yyyy"
                                   << "Value=serviceDate" << "date"
                                   << QStringList{"2027-06-15", "2027-06-16"};
        // A command shows no value: the click on Ok triggers the node, and the machine runs.
        QTest::newRow("button box") << "Button Box" << "QDialogButtonBox" << "ToolTip"
                                    << "Start" << "toolTip=Start" << "AcceptCommand=start"
                                    << "" << QStringList{"running", "true"};
    }

    // Each element added through the append menu, set and bound in the table, saved, and run
    // with the demo machine: the node reaches the widget and the user's input the node.
    void laterElementsThroughTheEditor()
    {
        QFETCH(QString, element);
        QFETCH(QString, className);
        QFETCH(QString, property);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, bound);
        QFETCH(QString, qtValue);
        QFETCH(QStringList, values);
        vmva::cDMDataModel &machine = demo().machine();
        cEditorDriver d(mHost);
        auto dialogs = std::make_unique<cScriptedFileDialogs>();
        cScriptedFileDialogs *answers = dialogs.get();
        d.window->setFileDialogProvider(std::move(dialogs));

        QVERIFY(d.key(Qt::Key_N, Qt::ControlModifier));
        for (int key : {Qt::Key_D, Qt::Key_V})
            QVERIFY(d.key(key));
        cQAbstractDialogLayoutItem *box = d.window->document().children()[0]->children()[0];
        QAction *append = nullptr;
        for (QAction *a : d.window->findChild<QMenu *>("mpMnuViews")->findChildren<QAction *>())
            if (a->text() == element)
                append = a;
        QVERIFY(append && append->isEnabled());
        QVERIFY(d.after([&] { append->trigger(); }));
        QCOMPARE(box->children().size(), size_t(1));
        QVERIFY(d.click(box->children()[0]));
        QVERIFY(typeInto(*d.window, property.toLatin1().constData(), 1, typed));
        const QStringList link = bound.split('=');
        QVERIFY(typeInto(*d.window, link[0].toLatin1().constData(), 2, "machine." + link[1]));

        const QString path = mDir.filePath(className + ".dlg");
        // Saved, then loaded again: the form runs from what the file holds.
        answers->answers << path << path;
        QTest::keyClick(d.window.get(), Qt::Key_F2);
        QTest::keyClick(d.window.get(), Qt::Key_F3);
        QCOMPARE(d.window->fileName(), path);
        QCOMPARE(d.window->document().children()[0]->children()[0]->children().size(),
                 size_t(1));

        cFormRunner runner(mHost.app);
        runner.assign("machine", "Machine");
        QWidget *form = runner.open(path);
        QVERIFY(form);
        QWidget *widget = widgetOfClass(*form, className);
        QVERIFY(widget);
        const QStringList expected = shown.split('=');
        QCOMPARE(widget->property(expected[0].toLatin1()).toString(), expected[1]);
        if (auto *box = qobject_cast<QDialogButtonBox *>(widget)) {
            setNode(machine, values[0], "false");
            QTest::mouseClick(box->button(QDialogButtonBox::Ok), Qt::LeftButton);
            QCOMPARE(nodeText(machine, values[0]), values[1]);
            return;
        }
        // A stopped machine keeps its jobs while the event loop runs.
        setNode(machine, "running", "false");
        QCOMPARE(shownText(*widget, qtValue), nodeText(machine, link[1]));
        setNode(machine, link[1], values[0]);
        QCOMPARE(shownText(*widget, qtValue), values[0]);

        QVERIFY(QTest::qWaitForWindowExposed(form)); // the runner shows it
        widget->setFocus();
        if (auto *radio = qobject_cast<QRadioButton *>(widget)) {
            radio->click();
        } else if (auto *edit = qobject_cast<QTextEdit *>(widget)) {
            edit->moveCursor(QTextCursor::End);
            QTest::keyClick(widget, Qt::Key_Exclam, Qt::ShiftModifier);
        } else if (qobject_cast<QListWidget *>(widget) || qobject_cast<QComboBox *>(widget)) {
            QTest::keyClick(widget, Qt::Key_Down);
        } else {
            QTest::keyClick(widget, Qt::Key_Up);
        }
        QCOMPARE(nodeText(machine, link[1]), values[1]);
    }
};

QTEST_MAIN(tst_BuildForm)
#include "tst_buildform.moc"
