#include "editortesthost.h"

#include "qdialogeditorwidget/cqmodelviewdialogeditoredit.h"
#include "qdialogeditorwidget/cqmodelviewdialogeditorviewitems.h"
#include "qdialogeditorwidget/cqmodelviewdialoglayouttreewidget.h"

#include "q4support/elements/cstdelementfactory.h"
#include "q4support/elements/stdelementsets.h"
#include "qdialoglayoutitems/cexternaldialogitemfactory.h"
#include "vellcore/cabstractexception.h"
#include "vellcore/cdebugstream.h"

#include <QMenu>
#include <QRegularExpression>
#include <QtTest>

// The insert and append menus and the edit commands with the clipboard, driven through the
// editor's menus and shortcut keys.
class tst_EditMenus : public QObject, public vrmi::cConnectable
{
    Q_OBJECT

    cEditorTestHost mHost;
    QTemporaryDir mDir;
    int mActivations = 0;

    piVoid activated(QTreeWidgetItem *) { ++mActivations; return piVoid(); }

    struct tEditor
    {
        std::unique_ptr<cQModelViewDialogEditorWidget> window;
        QTreeWidget *tree;
        cQModelViewDialogEditorEdit *edit;
        cQModelViewDialogEditorViewItems *viewItems;

        QAction *action(const char *name) const { return window->findChild<QAction *>(name); }
        // The Views (append) or Insert entry of an element by its menu text.
        QAction *entry(const QString &name, bool append) const
        {
            for (const auto &e : viewItems->entries())
                if (e->appendAction->text() == name)
                    return append ? e->appendAction : e->insertAction;
            return nullptr;
        }
        cQAbstractDialogLayoutItem *current() const { return window->currentLayoutItem(); }
    };

    // An editor, active so that its shortcuts reach it; `form` is loaded when given.
    tEditor editor(const QString &form = {})
    {
        tEditor e;
        e.window = mHost.newEditor();
        e.tree = e.window->findChild<QTreeWidget *>("dialogLayoutTree");
        e.edit = e.window->findChild<cQModelViewDialogEditorEdit *>();
        e.viewItems = e.window->findChild<cQModelViewDialogEditorViewItems *>();
        static_cast<cQModelViewDialogLayoutTreeWidget *>(e.tree)->sigItemActivated.connect(
            vrmi::cDirectLocalSlotCall1<tst_EditMenus, QTreeWidgetItem *>(
                this, &tst_EditMenus::activated));
        e.window->resize(900, 700);
        e.window->show();
        e.window->activateWindow();
        if (!QTest::qWaitForWindowActive(e.window.get()))
            qWarning("editor not active");
        if (!form.isEmpty())
            e.window->loadDocument(form, true);
        settle();
        return e;
    }

    // Waits until the tree reported its current row activated, as after every user's change.
    void settle()
    {
        const int before = mActivations;
        QTRY_VERIFY_WITH_TIMEOUT(mActivations > before, 2000);
    }
    // A key the user presses on the tree; `changes` when it changes the document.
    void key(tEditor &e, int key, Qt::KeyboardModifiers mods = {}, bool changes = true)
    {
        const int before = mActivations;
        QTest::keyClick(e.tree, Qt::Key(key), mods);
        if (changes)
            QTRY_VERIFY_WITH_TIMEOUT(mActivations > before, 2000);
    }
    void select(tEditor &e, const QString &row)
    {
        QTreeWidgetItem *r = findRow(*e.tree, row);
        QVERIFY2(r, qPrintable(row));
        if (r == e.tree->currentItem())
            return;
        e.tree->setCurrentItem(r);
        settle();
    }

    // Dialog > VBox "box" > Label "a", Push Button "b", Line Edit "c".
    QString writeForm(int labels = 0)
    {
        cFormWriter writer(mHost);
        auto &box = writer.add(writer.add(writer.root(), "Dialog"), "VBoxLayout", "box");
        writer.add(box, "Label", "a");
        writer.add(box, "PushButton", "b");
        writer.add(box, "LineEdit", "c");
        for (int i = 0; i < labels; ++i)
            writer.add(box, "Label", qPrintable(QString("l%1").arg(i)));
        const QString path = mDir.filePath(QString("form%1.dlg").arg(labels));
        writer.save(path);
        return path;
    }

    // The rows the document calls for: the tree must show exactly these.
    static QStringList documentRows(const cQAbstractDialogLayoutItem &root)
    {
        QStringList rows;
        std::function<void(const cQAbstractDialogLayoutItem &, int)> walk =
            [&](const cQAbstractDialogLayoutItem &item, int depth) {
                rows << QString(depth * 2, QLatin1Char(' '))
                            + cQModelViewDialogLayoutTreeWidget::rowText(item);
                for (const cQAbstractDialogLayoutItem *child : item.children())
                    walk(*child, depth + 1);
            };
        walk(root, 0);
        return rows;
    }
    static QStringList boxRows(const tEditor &e)
    {
        QStringList rows = treeRows(*e.tree).mid(3);
        for (QString &row : rows)
            row = row.trimmed();
        return rows;
    }
    static QStringList enabledEntries(const tEditor &e, bool append)
    {
        QStringList names;
        for (const auto &entry : e.viewItems->entries()) {
            QAction *a = append ? entry->appendAction : entry->insertAction;
            if (a->isEnabled())
                names << a->text();
        }
        return names;
    }

private slots:
    void findShortCut_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("known");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("letter");
        QTest::newRow("first letter") << "Label" << "" << true << "L";
        QTest::newRow("next free") << "Line Edit" << "L" << true << "I";
        QTest::newRow("skips used ones") << "List" << "LI" << true << "S";
        QTest::newRow("ignores case of name") << "label" << "L" << true << "A";
        QTest::newRow("ignores case of known") << "Abc" << "a" << true << "B";
        QTest::newRow("skips blanks") << "  x" << "" << true << "X";
        QTest::newRow("blank after used") << "E F" << "E" << true << "F";
        QTest::newRow("digit") << "1st" << "" << true << "1";
        QTest::newRow("punctuation") << "(x)" << "" << true << "(";
        QTest::newRow("empty") << "" << "" << false << "";
        QTest::newRow("blanks only") << "   " << "" << false << "";
        QTest::newRow("all used") << "ab a" << "AB" << false << "";
    }

    void findShortCut()
    {
        QFETCH(QString, name);
        QFETCH(QString, known);
        QFETCH(bool, found);
        QFETCH(QString, letter);
        vstd::cAsciiString sKnown = qPrintable(known);
        piChar sNew = 0;
        QCOMPARE(cQModelViewDialogEditorViewItems::findShortCut(qPrintable(name), sKnown, sNew),
                 found);
        if (found)
            QCOMPARE(QString(QChar(sNew)), letter);
        QCOMPARE(qstr(sKnown), known);
    }

    // Groups in order of first appearance, entries in factory order, one letter per entry.
    void menusListEveryFactoryGrouped()
    {
        tEditor e = editor();
        auto *views = e.window->findChild<QMenu *>("mpMnuViews");
        auto *insert = e.window->findChild<QMenu *>("mpMnuInsert");
        const QStringList groups = {"Containers", "Layouts", "Widgets", "Menus", "Tool Bars"};
        for (QMenu *menu : {views, insert}) {
            QStringList titles;
            for (QAction *a : menu->actions())
                titles << a->menu()->title();
            QCOMPARE(titles, groups);
        }
        QCOMPARE(qstr(e.viewItems->entries()[6]->factory->displayName()), QString("Label"));
        QCOMPARE(e.entry("Label", true)->shortcut(), QKeySequence("L"));
        QCOMPARE(e.entry("Label", false)->shortcut(), QKeySequence("Alt+L"));
        QCOMPARE(e.entry("Line Edit", true)->shortcut(), QKeySequence("I"));
        QStringList letters;
        for (const auto &entry : e.viewItems->entries())
            letters << entry->appendAction->shortcut().toString();
        // The tool bar's separator finds every letter of its name taken.
        QCOMPARE(letters.last(), QString());
        letters.removeAll(QString());
        QCOMPARE(QSet<QString>(letters.begin(), letters.end()).size(), letters.size());
        // One activation of an entry reaches the menu's slot once: one element is appended.
        e.entry("Dialog", true)->trigger();
        settle();
        QCOMPARE(e.window->document().children().size(), size_t(1));
    }

    void noFactoriesLeaveMenusEmptyAndDisabled()
    {
        cQModelViewDialogLayoutTreeWidget tree(nullptr);
        cDialogItemFactoryRegistry registry(nullptr);
        QMenu append, insert;
        cQModelViewDialogEditorViewItems items(nullptr, &tree, &registry, &append, &insert);
        items.rebuildMenus();
        QVERIFY(append.actions().isEmpty() && insert.actions().isEmpty());
        QVERIFY(!append.isEnabled() && !insert.isEnabled());
    }

    void enableTable_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<QStringList>("append");
        QTest::addColumn<QStringList>("insert");
        QTest::addColumn<QStringList>("edit");
        const QStringList topLevel = {"Dialog", "Menu", "Tool Bar"};
        const QStringList inBox = {"Dialog", "Group Box", "Tab Widget", "Vertical Box Layout",
                                   "Horizontal Box Layout", "Label", "Push Button", "Line Edit",
                                   "Check Box", "Spin Box", "Combo Box", "Progress Bar",
                                   "Spacer"};
        const QStringList cut = {"Copy", "Cut", "Remove"};
        QTest::newRow("empty root") << "" << topLevel << QStringList() << QStringList();
        QTest::newRow("full root") << "/" << QStringList() << QStringList() << QStringList();
        // A dialog takes one layout, which it has already.
        QTest::newRow("top-level dialog") << "Dialog" << QStringList() << QStringList() << cut;
        QTest::newRow("layout") << "Vertical Box Layout (\"box\")" << inBox << QStringList()
                                << cut;
        QTest::newRow("first leaf") << "Label (\"a\")" << inBox << inBox
                                    << cut + QStringList({"Move Dn"});
        QTest::newRow("last leaf") << "Line Edit (\"c\")" << inBox << inBox
                                   << cut + QStringList({"Move Up"});
    }

    // Which entries and commands are enabled for the selected row.
    void enableTable()
    {
        QFETCH(QString, row);
        QFETCH(QStringList, append);
        QFETCH(QStringList, insert);
        QFETCH(QStringList, edit);
        tEditor e = editor(row.isEmpty() ? QString() : writeForm());
        if (!row.isEmpty())
            select(e, row);
        QCOMPARE(enabledEntries(e, true), append);
        QCOMPARE(enabledEntries(e, false), insert);
        QStringList commands;
        for (const char *name : {"mpActCopy", "mpActCut", "mpActPaste", "mpActRemove",
                                 "mpActMoveUp", "mpActMoveDn"})
            if (e.action(name)->isEnabled())
                commands << e.action(name)->text();
        QCOMPARE(commands, edit);
        QCOMPARE(e.window->findChild<QMenu *>("mpMnuViews")->isEnabled(), !append.isEmpty());
        QCOMPARE(e.window->findChild<QMenu *>("mpMnuInsert")->isEnabled(), !insert.isEmpty());
    }

    // A menu from nothing with the keyboard; appending where only the parent takes the
    // element inserts in front of the selection, as Insert does.
    void keysAppendAndInsert()
    {
        tEditor e = editor();
        key(e, Qt::Key_M);
        QCOMPARE(qstr(e.window->documentType()), QString("Menu"));
        key(e, Qt::Key_N);                  // "Menu Item": the menu stays selected
        QCOMPARE(qstr(e.current()->displayName()), QString("Menu"));
        key(e, Qt::Key_M);                  // a submenu, selected
        key(e, Qt::Key_N);
        select(e, "Menu Item");
        key(e, Qt::Key_N);                  // a menu item takes nothing: in front of it
        key(e, Qt::Key_M, Qt::AltModifier); // inserted in front of the new item
        QCOMPARE(treeRows(*e.tree), QStringList({"/", "  Menu", "    Menu", "    Menu Item",
                                                 "    Menu Item", "    Menu",
                                                 "      Menu Item"}));
        QCOMPARE(e.current(), e.window->document().children()[0]->children()[0]);
    }

    // Copies go to the history with Ctrl+1.., Paste takes the newest out, the history keeps
    // its entries; cut and paste on the former parent puts the element last.
    void clipboardHistory()
    {
        tEditor e = editor(writeForm());
        select(e, "Label (\"a\")");
        key(e, Qt::Key_C, Qt::ControlModifier, false);
        key(e, Qt::Key_C, Qt::ControlModifier, false);
        select(e, "Push Button (\"b\")");
        key(e, Qt::Key_C, Qt::ControlModifier, false);
        const QList<QAction *> history = e.edit->clipboardMenu()->actions();
        QCOMPARE(history.size(), 3);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(history[i]->shortcut(), QKeySequence(QString("Ctrl+%1").arg(i + 1)));
            QVERIFY(QRegularExpression("^\\d\\d:\\d\\d\\.\\d\\d$").match(history[i]->text())
                        .hasMatch());
        }

        select(e, "Vertical Box Layout (\"box\")");
        key(e, Qt::Key_V, Qt::ControlModifier);
        key(e, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(boxRows(e), QStringList({"Label (\"a\")", "Push Button (\"b\")",
                                          "Line Edit (\"c\")", "Push Button (\"b\")",
                                          "Label (\"a\")"}));
        QCOMPARE(e.edit->clipboard().size(), size_t(1));
        QCOMPARE(e.edit->clipboardMenu()->actions().size(), 1);

        // The history entry stays; on a leaf it goes in front of it.
        select(e, "Line Edit (\"c\")");
        key(e, Qt::Key_1, Qt::ControlModifier);
        key(e, Qt::Key_1, Qt::ControlModifier);
        QCOMPARE(e.edit->clipboard().size(), size_t(1));
        QCOMPARE(boxRows(e).mid(2, 3), QStringList({"Label (\"a\")", "Label (\"a\")",
                                                    "Line Edit (\"c\")"}));

        select(e, "Line Edit (\"c\")");
        key(e, Qt::Key_X, Qt::ControlModifier);
        QVERIFY(!findRow(*e.tree, "Line Edit (\"c\")"));
        select(e, "Vertical Box Layout (\"box\")");
        key(e, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(boxRows(e).last(), QString("Line Edit (\"c\")"));
    }

    void removeSelectsNextElsePreviousElseParent()
    {
        tEditor e = editor(writeForm());
        select(e, "Push Button (\"b\")");
        key(e, Qt::Key_Delete);
        QCOMPARE(e.tree->currentItem()->text(0), QString("Line Edit (\"c\")"));
        key(e, Qt::Key_Delete);
        QCOMPARE(e.tree->currentItem()->text(0), QString("Label (\"a\")"));
        key(e, Qt::Key_Delete);
        QCOMPARE(e.tree->currentItem()->text(0), QString("Vertical Box Layout (\"box\")"));
        QCOMPARE(treeRows(*e.tree), documentRows(e.window->document()));
        QVERIFY(!e.action("mpActPaste")->isEnabled());
    }

    void moveAtTheEndsOnlyRebuilds()
    {
        QStringList traces;
        vpi::system().setSink([&traces](const QString &line) { traces << line; });
        auto unhook = qScopeGuard([] { vpi::system().setSink(nullptr); });
        tEditor e = editor(writeForm());
        select(e, "Label (\"a\")");
        const QStringList before = treeRows(*e.tree);
        QTreeWidgetItem *row = e.tree->currentItem();
        e.action("mpActMoveUp")->setEnabled(true);
        key(e, Qt::Key_Up, Qt::ControlModifier);
        QVERIFY(e.tree->currentItem() != row);
        QCOMPARE(treeRows(*e.tree), before);
        key(e, Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(boxRows(e).mid(0, 2), QStringList({"Push Button (\"b\")", "Label (\"a\")"}));
        select(e, "Line Edit (\"c\")");
        e.action("mpActMoveDn")->setEnabled(true);
        key(e, Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(boxRows(e).last(), QString("Line Edit (\"c\")"));
        QCOMPARE(traces.filter(QRegularExpression("cqmodelviewdialogeditoredit.*MoveUp")).size(),
                 1);
        QCOMPARE(traces.filter("MoveDn").size(), 2);
    }

    // A key pressed before the tree reported the new selection finds the enable state of the
    // old one: the command must still only act where it may.
    void staleEnableStateDoesNothingWrong()
    {
        tEditor e = editor(writeForm());
        select(e, "Label (\"a\")");
        QVERIFY(e.action("mpActRemove")->isEnabled() && e.entry("Label", false)->isEnabled());
        const QStringList before = documentRows(e.window->document());
        e.tree->setCurrentItem(e.tree->topLevelItem(0));
        key(e, Qt::Key_Delete, {}, false);
        key(e, Qt::Key_C, Qt::ControlModifier, false);
        e.tree->setCurrentItem(findRow(*e.tree, "Dialog"));
        key(e, Qt::Key_L, Qt::AltModifier, false);
        QCOMPARE(documentRows(e.window->document()), before);
        QVERIFY(e.edit->clipboard().empty());
    }

    // Delete held down on a long list and Ctrl+1 pressed many times in a row.
    void fastRepeatedKeysKeepTreeConsistent()
    {
        tEditor e = editor(writeForm(30));
        select(e, "Label (\"a\")");
        key(e, Qt::Key_C, Qt::ControlModifier, false);
        for (int i = 0; i < 20; ++i)
            QTest::keyClick(e.tree, Qt::Key_1, Qt::ControlModifier);
        QCOMPARE(e.window->document().children()[0]->children()[0]->children().size(),
                 size_t(33 + 20));
        for (int i = 0; i < 40; ++i)
            QTest::keyClick(e.tree, Qt::Key_Delete);
        QCOMPARE(treeRows(*e.tree), documentRows(e.window->document()));
        QCOMPARE(treeRows(*e.tree).size(), 3 + 33 + 20 - 40);
        QVERIFY(e.current() && !e.current()->isMarkedForRemoval());
        settle();
    }

    // An entry whose element type lost its factory fails to paste and changes nothing.
    void pasteWithoutFactoryFailsAndKeepsTree()
    {
        cStdElementFactory ghost({"Ghost", "Ghost", "Extra", 1, 2, false,
                                  stdelements::labelProperties});
        tEditor e = editor(writeForm());
        e.window->factoryRegistry().appendFactory(
            std::make_unique<cExternalDialogItemFactory>(&ghost));
        e.viewItems->rebuildMenus();
        select(e, "Vertical Box Layout (\"box\")");
        e.entry("Ghost", true)->trigger();
        select(e, "Ghost");
        e.action("mpActCopy")->trigger();
        e.window->factoryRegistry().rebuildFactories();
        e.viewItems->rebuildMenus();
        QVERIFY(!e.entry("Ghost", true));

        select(e, "Vertical Box Layout (\"box\")");
        const QStringList before = documentRows(e.window->document());
        QTreeWidgetItem *current = e.tree->currentItem();
        try {
            e.edit->paste(*e.edit->clipboard().back());
            QFAIL("pasted an element without factory");
        } catch (const vstd::cAbstractException &error) {
            QVERIFY(vstd::describe(error).text().contains("ViewElement \"Ghost\" is not loaded"));
        }
        QCOMPARE(documentRows(e.window->document()), before);
        QCOMPARE(treeRows(*e.tree), before);
        QCOMPARE(e.tree->currentItem(), current);
        QCOMPARE(e.edit->clipboard().size(), size_t(1));
    }

    // Last: the plug-in stays loaded in the host the other cases share.
    void loadingPlugInAddsItsElementToBothMenus()
    {
        tEditor e = editor();
        auto dialogs = std::make_unique<cScriptedFileDialogs>();
        dialogs->answers << qstr(mHost.app.vmvMgr().uiRootPath()) + "/libVellLcdElements.so";
        e.window->setFileDialogProvider(std::move(dialogs));
        e.action("mpActLoadUiPlugIn")->trigger();
        const QString name = qstr(e.viewItems->entries().back()->factory->displayName());
        QVERIFY(e.entry(name, true) && e.entry(name, false));
        QVERIFY(e.entry(name, true)->parent() != e.entry(name, false)->parent());
    }
};

QTEST_MAIN(tst_EditMenus)
#include "tst_editmenus.moc"
