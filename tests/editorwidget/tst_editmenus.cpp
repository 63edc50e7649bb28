#include "editortesthost.h"

#include "qdialogeditorwidget/celementplacement.h"
#include "qdialogeditorwidget/cqelementsdock.h"
#include "qdialogeditorwidget/cqmodelviewdialogeditoredit.h"
#include "qdialogeditorwidget/cqmodelviewdialogeditorviewitems.h"
#include "qdialogeditorwidget/cqpreviewwidgetview.h"
#include "qdialogeditorwidget/undo/cqdialogundorecorder.h"

#include "q4support/elements/cstdelementfactory.h"
#include "q4support/elements/standardelements.h"
#include "q4support/elements/stdelementsets.h"
#include "q4support/cvq4vmvdataviewmgr.h"
#include "qdialoglayoutitems/cexternaldialogitemfactory.h"
#include "vellcore/cabstractexception.h"
#include "vellcore/cdebugstream.h"
#include "vellcore/cdocumentlimits.h"

#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QUndoStack>
#include <QRegularExpression>
#include <QtTest>

// The insert and append menus, the "Elements" dock that shows their entries, the edit commands
// with the clipboard and the drops on the layout tree, driven through the editor's keys, the
// dock's fields and drag events on the tree.
class tst_EditMenus : public QObject
{
    Q_OBJECT

    cEditorTestHost mHost;
    QTemporaryDir mDir;

    // An editor holding Dialog > VBox "box" > Label "a", Push Button "b", Line Edit "c" and
    // `more` labels; null form: an empty document.
    std::unique_ptr<cEditorDriver> editor(bool form = true, int more = 0)
    {
        auto d = std::make_unique<cEditorDriver>(mHost);
        if (!form)
            return d;
        cFormWriter writer(mHost);
        auto &box = writer.add(writer.add(writer.root(), "Dialog"), "VBoxLayout", "box");
        for (const char *label : {"a", "b", "c"})
            writer.add(box, *label == 'a' ? "Label" : *label == 'b' ? "PushButton" : "LineEdit",
                       label);
        for (int i = 0; i < more; ++i)
            writer.add(box, "Label", "more");
        writer.save(mDir.filePath("form.dlg"));
        d->after([&] { d->window->loadDocument(mDir.filePath("form.dlg"), true); });
        return d;
    }
    static cQModelViewDialogEditorEdit &edit(const cEditorDriver &d)
    {
        return *d.window->findChild<cQModelViewDialogEditorEdit *>();
    }
    static const auto &entries(const cEditorDriver &d)
    {
        return d.window->findChild<cQModelViewDialogEditorViewItems *>()->entries();
    }
    static QAction *entry(const cEditorDriver &d, const QString &name, bool append)
    {
        for (const auto &e : entries(d))
            if (e->appendAction->text() == name)
                return append ? e->appendAction : e->insertAction;
        return nullptr;
    }
    // The rows the document calls for: the tree must show exactly these.
    static QStringList documentRows(const cQAbstractDialogLayoutItem &item, int depth = 0)
    {
        QStringList rows(QString(depth * 2, ' ')
                         + cQModelViewDialogLayoutTreeWidget::rowText(item));
        for (const cQAbstractDialogLayoutItem *child : item.children())
            rows += documentRows(*child, depth + 1);
        return rows;
    }
    static QStringList boxRows(const cEditorDriver &d)
    {
        QStringList rows = treeRows(*d.tree).mid(3);
        for (QString &row : rows)
            row = row.trimmed();
        return rows;
    }

    // Whether each layout of the preview holds what its element holds, in the element's order.
    static bool previewFollows(const cEditorDriver &d, const cQAbstractDialogLayoutItem &item)
    {
        auto *view = d.window->findChild<cQPreviewWidgetView *>("previewView");
        if (item.elementKind() == vq4::KindLayout) {
            auto *layout = view->currentPreview()->findChild<QLayout *>(qstr(item.debugInfo()));
            if (!layout || layout->count() != int(item.children().size()))
                return false;
            for (int i = 0; i < layout->count(); ++i) {
                QLayoutItem *at = layout->itemAt(i);
                const QObject *o = at->widget() ? static_cast<QObject *>(at->widget())
                                                : at->layout();
                if (!o || o->objectName() != qstr(item.children()[size_t(i)]->debugInfo()))
                    return false;
            }
        }
        return std::all_of(item.children().begin(), item.children().end(),
                           [&d](const auto *child) { return previewFollows(d, *child); });
    }

    static cQElementsDock &dock(const cEditorDriver &d)
    {
        return *d.window->findChild<cQElementsDock *>("mpDockElements");
    }
    // The dock's shown entry rows, as "group/name" or, for disabled ones, "group/-name".
    static QStringList dockRows(const cEditorDriver &d)
    {
        QStringList rows;
        QTreeWidget *list = dock(d).list();
        for (int g = 0; g < list->topLevelItemCount(); ++g)
            for (int r = 0; r < list->topLevelItem(g)->childCount(); ++r) {
                const QTreeWidgetItem *row = list->topLevelItem(g)->child(r);
                if (!row->isHidden())
                    rows << row->parent()->text(0) + "/"
                                + (row->flags() & Qt::ItemIsEnabled ? "" : "-") + row->text(0);
            }
        return rows;
    }
    // Drags `data` over the tree to `pos` and drops it there as the tree's own drag would,
    // without the platform's drag loop; false when the tree refused it while moving.
    static bool dropOnTree(cEditorDriver &d, const QMimeData &data, QPoint pos,
                           cQModelViewDialogLayoutTreeWidget::tDropPair *shown = nullptr)
    {
        QWidget *viewport = static_cast<QTreeWidget *>(d.tree)->viewport();
        QDragEnterEvent enter(pos, Qt::MoveAction | Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(viewport, &enter);
        QDragMoveEvent move(pos, Qt::MoveAction | Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(viewport, &move);
        if (shown)
            *shown = static_cast<cQModelViewDialogLayoutTreeWidget *>(d.tree)->dropPlace();
        QDropEvent drop(pos, Qt::MoveAction | Qt::CopyAction, &data, Qt::LeftButton, {});
        // Only a drop that lands selects anew.
        if (move.isAccepted())
            d.after([&] { QApplication::sendEvent(viewport, &drop); });
        else
            QApplication::sendEvent(viewport, &drop);
        return move.isAccepted();
    }
    // A point in the row showing `text`: its upper edge, middle or lower edge (-1, 0, 1).
    static QPoint inRow(const cEditorDriver &d, const QString &text, int edge)
    {
        const QRect rect = d.tree->visualItemRect(findRow(*d.tree, text));
        const int y = edge < 0 ? rect.top() + 1 : edge > 0 ? rect.bottom() - 1 : rect.center().y();
        return QPoint(rect.left() + 8, y);
    }

private slots:
    void findShortCut_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("known");
        QTest::addColumn<QString>("letter"); // empty: none found
        QTest::newRow("first") << "Label" << "" << "L";
        QTest::newRow("skips used") << "List" << "LI" << "S";
        QTest::newRow("case of name") << "label" << "L" << "A";
        QTest::newRow("case of known") << "Abc" << "a" << "B";
        QTest::newRow("blanks") << "E F" << "E" << "F";
        QTest::newRow("punctuation") << "(x)" << "" << "(";
        QTest::newRow("empty") << "" << "" << "";
        QTest::newRow("blanks only") << "   " << "" << "";
        QTest::newRow("all used") << "ab a" << "AB" << "";
    }

    void findShortCut()
    {
        QFETCH(QString, name);
        QFETCH(QString, known);
        QFETCH(QString, letter);
        vstd::cAsciiString sKnown = qPrintable(known);
        piChar sNew = 0;
        const bool found = cQModelViewDialogEditorViewItems::findShortCut(qPrintable(name),
                                                                          sKnown, sNew);
        QCOMPARE(found, !letter.isEmpty());
        if (found)
            QCOMPARE(QString(QChar(sNew)), letter);
    }

    // Groups in order of first appearance; the first elements keep the letters of their names.
    void menusListEveryFactoryGrouped()
    {
        auto d = editor(false);
        for (const char *menu : {"mpMnuViews", "mpMnuInsert"}) {
            QStringList titles;
            for (QAction *a : d->window->findChild<QMenu *>(menu)->actions())
                titles << a->menu()->title();
            QCOMPARE(titles, QStringList({"Containers", "Layouts", "Widgets", "Menus",
                                          "Tool Bars"}));
        }
        QCOMPARE(entry(*d, "Line Edit", true)->shortcut(), QKeySequence("I"));
        QCOMPARE(entry(*d, "Line Edit", false)->shortcut(), QKeySequence("Alt+I"));
        QCOMPARE(entry(*d, "Push Button", true)->shortcut(), QKeySequence("P"));

        cQModelViewDialogLayoutTreeWidget tree(nullptr);
        cDialogItemFactoryRegistry none(nullptr);
        QMenu append, insert;
        cQModelViewDialogEditorViewItems items(nullptr, &tree, &none, &append, &insert);
        items.rebuildMenus();
        QVERIFY(append.actions().isEmpty() && !append.isEnabled() && !insert.isEnabled());
    }

    void shortcutLetters_data()
    {
        QTest::addColumn<bool>("append");
        QTest::addColumn<int>("extra"); // elements beyond the standard ones
        QTest::newRow("append menu") << true << 0;
        QTest::newRow("insert menu") << false << 0;
        QTest::newRow("append menu, more entries than keys") << true << 12;
        QTest::newRow("insert menu, more entries than keys") << false << 12;
    }

    // Every entry of a menu has a key of its own while keys are free: a character of its name
    // where one is left, else a free letter or digit.
    void shortcutLetters()
    {
        QFETCH(bool, append);
        QFETCH(int, extra);
        static const char *const names[][2] = {
            {"E1", "Extra 1"}, {"E2", "Extra 2"}, {"E3", "Extra 3"}, {"E4", "Extra 4"},
            {"E5", "Extra 5"}, {"E6", "Extra 6"}, {"E7", "Extra 7"}, {"E8", "Extra 8"},
            {"E9", "Extra 9"}, {"E10", "Extra 10"}, {"E11", "Extra 11"}, {"E12", "Extra 12"}};
        cVQ4VMVDataViewMgr mgr(mHost.moduleMgr);
        registerStandardElements(mgr);
        for (int i = 0; i < extra; ++i)
            mgr.addExtension(std::make_unique<cQUIDataViewItemExtension>(
                std::make_unique<cStdElementFactory>(cStdElementFactory::tInfoSet{
                    names[i][0], names[i][1], "Extras", 1, 2, false,
                    stdelements::labelProperties})));
        cDialogItemFactoryRegistry registry(&mgr);
        registry.rebuildFactories();
        cQModelViewDialogLayoutTreeWidget tree(nullptr);
        QMenu appendMenu, insertMenu;
        cQModelViewDialogEditorViewItems items(&mgr, &tree, &registry, &appendMenu,
                                               &insertMenu);
        items.rebuildMenus();

        // What the menu shows, group by group.
        QStringList texts, keys;
        for (QAction *group : (append ? appendMenu : insertMenu).actions()) {
            for (QAction *a : group->menu()->actions()) {
                texts << a->text();
                QString key = a->shortcut().toString();
                QVERIFY2(key.isEmpty() || key.startsWith("Alt+") != append, qPrintable(key));
                keys << key.remove("Alt+");
            }
        }
        const int free = 26 + 10;
        QCOMPARE(texts.size(), int(registry.factories().size()));
        QCOMPARE(int(keys.size() - keys.count(QString())), std::min<int>(texts.size(), free));
        QStringList given = keys;
        given.removeAll(QString());
        QCOMPARE(QSet<QString>(given.begin(), given.end()).size(), given.size());
        for (qsizetype i = 0; i < texts.size(); ++i) {
            const QString name = texts[i].toUpper().remove(' ');
            if (keys[i].isEmpty() || name.contains(keys[i]))
                continue;
            // A stand-in only where every character of the name went to another entry.
            for (QChar c : name)
                QVERIFY2(given.contains(QString(c)), qPrintable(texts[i] + ": " + c));
        }
    }

    void enableTable_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<QStringList>("append");
        QTest::addColumn<QStringList>("insert");
        QTest::addColumn<QStringList>("edit");
        // All a layout takes: anything of a dialog but a page.
        const QStringList inBox = {"Dialog", "Group Box", "Tab Widget", "Vertical Box Layout",
                                   "Horizontal Box Layout", "Label", "Push Button", "Line Edit",
                                   "Check Box", "Spin Box", "Combo Box", "Progress Bar",
                                   "Spacer", "Widget", "Frame", "Scroll Area", "Splitter",
                                   "Stacked Widget", "Grid Layout", "Form Layout",
                                   "Radio Button", "Text Edit", "List", "Slider", "Dial",
                                   "Line", "Double Spin Box", "Date Edit", "Time Edit",
                                   "Date Time Edit", "Button Box"};
        const QStringList cut = {"Copy", "Cut", "Remove"};
        QTest::newRow("empty root") << "" << QStringList({"Dialog", "Menu", "Tool Bar"})
                                    << QStringList() << QStringList();
        QTest::newRow("full root") << "/" << QStringList() << QStringList() << QStringList();
        // A dialog takes one layout, which it has already.
        QTest::newRow("top-level") << "Dialog" << QStringList() << QStringList() << cut;
        QTest::newRow("layout") << "Vertical Box Layout (\"box\")" << inBox << QStringList()
                                << cut;
        QTest::newRow("first leaf") << "Label (\"a\")" << inBox << inBox << cut + QStringList{
            "Move Dn"};
        QTest::newRow("last leaf") << "Line Edit (\"c\")" << inBox << inBox << cut + QStringList{
            "Move Up"};
    }

    void enableTable()
    {
        QFETCH(QString, row);
        QFETCH(QStringList, append);
        QFETCH(QStringList, insert);
        QFETCH(QStringList, edit);
        auto d = editor(!row.isEmpty());
        QVERIFY(row.isEmpty() || d->click(row));
        QStringList enabled[2], commands;
        for (const auto &e : entries(*d))
            for (QAction *a : {e->appendAction, e->insertAction})
                if (a->isEnabled())
                    enabled[a == e->insertAction] << a->text();
        QCOMPARE(enabled[0], append);
        QCOMPARE(enabled[1], insert);
        for (const char *name : {"mpActCopy", "mpActCut", "mpActPaste", "mpActRemove",
                                 "mpActMoveUp", "mpActMoveDn"})
            if (d->action(name)->isEnabled())
                commands << d->action(name)->text();
        QCOMPARE(commands, edit);
        QCOMPARE(d->window->findChild<QMenu *>("mpMnuViews")->isEnabled(), !append.isEmpty());
        QCOMPARE(d->window->findChild<QMenu *>("mpMnuInsert")->isEnabled(), !insert.isEmpty());
    }

    // Appending where only the parent takes the element inserts in front, as Insert does.
    void keysAppendAndInsert()
    {
        auto d = editor(false);
        for (int key : {Qt::Key_M, Qt::Key_N, Qt::Key_M, Qt::Key_N}) // menu, item, submenu, item
            QVERIFY(d->key(key));
        QVERIFY(d->click("Menu Item"));
        QVERIFY(d->key(Qt::Key_N));
        QVERIFY(d->key(Qt::Key_M, Qt::AltModifier));
        // Siblings of one type without labels are numbered to tell them apart.
        QCOMPARE(treeRows(*d->tree), QStringList({"/", "  Menu", "    Menu #1",
                                                  "    Menu Item #1", "    Menu Item #2",
                                                  "    Menu #2", "      Menu Item"}));
        QCOMPARE(d->current(), d->window->document().children()[0]->children()[0]);
    }

    void clipboardHistory()
    {
        auto d = editor();
        QVERIFY(d->click("Label (\"a\")"));
        d->key(Qt::Key_C, Qt::ControlModifier, false);
        d->key(Qt::Key_C, Qt::ControlModifier, false);
        QVERIFY(d->click("Push Button (\"b\")"));
        d->key(Qt::Key_C, Qt::ControlModifier, false);
        const QList<QAction *> history = edit(*d).clipboardMenu()->actions();
        QCOMPARE(history.size(), 3);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(history[i]->shortcut(), QKeySequence(QString("Ctrl+%1").arg(i + 1)));
            QVERIFY(QRegularExpression("^\\d\\d:\\d\\d\\.\\d\\d$").match(history[i]->text())
                        .hasMatch());
        }
        // Paste takes the newest entry out: the button, then the label.
        QVERIFY(d->click("Vertical Box Layout (\"box\")"));
        QVERIFY(d->key(Qt::Key_V, Qt::ControlModifier));
        QVERIFY(d->key(Qt::Key_V, Qt::ControlModifier));
        QCOMPARE(boxRows(*d), QStringList({"Label (\"a\")", "Push Button (\"b\")",
                                           "Line Edit (\"c\")", "Push Button (\"b\")",
                                           "Label (\"a\")"}));
        QCOMPARE(edit(*d).clipboardMenu()->actions().size(), 1);
        // The history keeps its entry; on a leaf it goes in front of it.
        QVERIFY(d->click("Line Edit (\"c\")"));
        QVERIFY(d->key(Qt::Key_1, Qt::ControlModifier));
        QVERIFY(d->key(Qt::Key_1, Qt::ControlModifier));
        QCOMPARE(edit(*d).clipboard().size(), size_t(1));
        QCOMPARE(boxRows(*d).mid(2, 3), QStringList({"Label (\"a\")", "Label (\"a\")",
                                                     "Line Edit (\"c\")"}));
        // Cut, then Paste on the former parent: back as its last child.
        QVERIFY(d->key(Qt::Key_X, Qt::ControlModifier));
        QVERIFY(!findRow(*d->tree, "Line Edit (\"c\")"));
        QVERIFY(d->click("Vertical Box Layout (\"box\")"));
        QVERIFY(d->key(Qt::Key_V, Qt::ControlModifier));
        QCOMPARE(boxRows(*d).last(), QString("Line Edit (\"c\")"));
    }

    // Remove selects the next sibling, else the previous, else the parent; moving at either
    // end changes nothing but still rebuilds the rows.
    void removeAndMove()
    {
        QStringList traces;
        vpi::system().setSink([&traces](const QString &line) { traces << line; });
        auto unhook = qScopeGuard([] { vpi::system().setSink(nullptr); });
        auto d = editor();
        QVERIFY(d->click("Label (\"a\")"));
        // A rebuilt row may take the freed one's address: the old row is told by a mark.
        d->tree->currentItem()->setData(0, Qt::UserRole + 99, true);
        d->action("mpActMoveUp")->setEnabled(true);
        QVERIFY(d->key(Qt::Key_Up, Qt::ControlModifier));
        QVERIFY(!d->tree->currentItem()->data(0, Qt::UserRole + 99).toBool());
        QVERIFY(d->key(Qt::Key_Down, Qt::ControlModifier));
        QCOMPARE(boxRows(*d).mid(0, 2), QStringList({"Push Button (\"b\")", "Label (\"a\")"}));
        QCOMPARE(traces.filter(QRegularExpression("cqmodelviewdialogeditoredit.*MoveUp")).size(),
                 1);
        QCOMPARE(traces.filter("MoveDn").size(), 1);

        QVERIFY(d->key(Qt::Key_Delete));
        QCOMPARE(d->tree->currentItem()->text(0), QString("Line Edit (\"c\")"));
        QVERIFY(d->key(Qt::Key_Delete));
        QCOMPARE(d->tree->currentItem()->text(0), QString("Push Button (\"b\")"));
        QVERIFY(d->key(Qt::Key_Delete));
        QCOMPARE(d->tree->currentItem()->text(0), QString("Vertical Box Layout (\"box\")"));
    }

    // Keys pressed before the tree reported a new selection find the enable state of the old
    // one; held-down keys repeat faster than the tree reports.
    void fastKeysActOnlyWhereAllowed()
    {
        auto d = editor(true, 30);
        QVERIFY(d->click("Label (\"a\")"));
        const QStringList before = documentRows(d->window->document());
        d->tree->setCurrentItem(d->tree->topLevelItem(0));
        d->key(Qt::Key_Delete, {}, false);
        d->key(Qt::Key_C, Qt::ControlModifier, false);
        d->tree->setCurrentItem(findRow(*d->tree, "Dialog"));
        d->key(Qt::Key_L, Qt::AltModifier, false); // the root takes no label
        QCOMPARE(documentRows(d->window->document()), before);
        QVERIFY(edit(*d).clipboard().empty());

        QVERIFY(d->click("Label (\"a\")"));
        d->key(Qt::Key_C, Qt::ControlModifier, false);
        for (int i = 0; i < 20; ++i)
            d->key(Qt::Key_1, Qt::ControlModifier, false);
        for (int i = 0; i < 40; ++i)
            d->key(Qt::Key_Delete, {}, false);
        QCOMPARE(treeRows(*d->tree), documentRows(d->window->document()));
        QCOMPARE(treeRows(*d->tree).size(), 3 + 33 + 20 - 40);
        QVERIFY(d->current() && !d->current()->isMarkedForRemoval());
    }

    // An entry whose element type lost its factory fails to paste and changes nothing.
    void pasteWithoutFactoryKeepsTree()
    {
        cStdElementFactory ghost({"Ghost", "Ghost", "Extra", 1, 2, false,
                                  stdelements::labelProperties});
        auto d = editor();
        cDialogItemFactoryRegistry &registry = d->window->factoryRegistry();
        auto *viewItems = d->window->findChild<cQModelViewDialogEditorViewItems *>();
        registry.appendFactory(std::make_unique<cExternalDialogItemFactory>(&ghost));
        viewItems->rebuildMenus();
        QVERIFY(d->click("Vertical Box Layout (\"box\")"));
        entry(*d, "Ghost", true)->trigger();
        QVERIFY(d->click("Ghost"));
        d->key(Qt::Key_C, Qt::ControlModifier, false);
        registry.rebuildFactories();
        viewItems->rebuildMenus();

        QVERIFY(d->click("Vertical Box Layout (\"box\")"));
        const QStringList before = documentRows(d->window->document());
        QTreeWidgetItem *current = d->tree->currentItem();
        QVERIFY_THROWS_EXCEPTION(vstd::cRuntimeException,
                                 edit(*d).paste(*edit(*d).clipboard().back()));
        const QStringList reported
            = reportedDuring([&] { d->key(Qt::Key_V, Qt::ControlModifier, false); });
        QCOMPARE(reported.size(), 1);
        QVERIFY(reported[0].contains("ViewElement \"Ghost\" is not loaded!"));
        QCOMPARE(edit(*d).clipboard().size(), size_t(1));
        QCOMPARE(treeRows(*d->tree), before);
        QCOMPARE(documentRows(d->window->document()), before);
        QCOMPARE(d->tree->currentItem(), current);
    }

    // A full form takes no further element: "Append" and "Insert" refuse it as load and paste
    // do, naming the limit, and the tree stays as it was.
    void appendAndInsertStopAtTheElementLimit()
    {
        auto d = editor(true, vsa::cDocumentLimits::maxElements - 5);
        QVERIFY(d->click("Label (\"a\")"));
        const int before = int(d->window->document().children()[0]->children()[0]
                                   ->children().size());
        const QStringList reported = reportedDuring([&] {
            entry(*d, "Label", true)->trigger();
            entry(*d, "Label", false)->trigger();
        });
        const QString message = "Unable to add Label: a form holds at most 20000 elements!";
        QCOMPARE(reported.size(), 2);
        QVERIFY2(reported[0].startsWith(message) && reported[1].startsWith(message),
                 qPrintable(reported.join('|')));
        QCOMPARE(int(d->window->document().children()[0]->children()[0]->children().size()),
                 before);
    }

    // A disabled entry says why in its tips, in both menus; an enabled one what it does.
    void entriesSayWhy_data()
    {
        QTest::addColumn<QString>("row"); // "": an empty form; "+Dialog": one empty dialog
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("append");
        QTest::addColumn<QString>("tip");
        QTest::newRow("empty form") << "" << "Label" << true
            << "A form begins with a dialog, a menu or a tool bar: append one of those first";
        QTest::newRow("dialog without layout") << "+Dialog" << "Label" << true
            << "A Dialog holds one layout: append a layout first";
        QTest::newRow("dialog with layout") << "Dialog" << "Grid Layout" << true
            << "A Dialog holds one layout and has it already: add to that layout";
        QTest::newRow("full form") << "/" << "Menu" << true
            << "A form holds one dialog, menu or tool bar, and this one has its Dialog already";
        QTest::newRow("page in layout") << "Vertical Box Layout (\"box\")" << "Tab Page" << true
            << "A Tab Page goes into a tab widget or a stacked widget, not into a layout";
        QTest::newRow("other category") << "Label (\"a\")" << "Menu Item" << true
            << "A Menu Item belongs in a menu, not in a dialog";
        QTest::newRow("beside the form") << "/" << "Label" << false
            << "Nothing stands beside the form itself: append to it instead";
        QTest::newRow("beside top-level") << "Dialog" << "Label" << false
            << "A form begins with a dialog, a menu or a tool bar: append one of those first";
        QTest::newRow("appends") << "Vertical Box Layout (\"box\")" << "Label" << true
            << "Appends a Label to Vertical Box Layout";
        QTest::newRow("in front") << "Label (\"a\")" << "Push Button" << true
            << "Puts a Push Button in front of Label";
        QTest::newRow("inserts") << "Label (\"a\")" << "Spacer" << false
            << "Puts a Spacer in front of Label";
    }

    void entriesSayWhy()
    {
        QFETCH(QString, row);
        QFETCH(QString, name);
        QFETCH(bool, append);
        QFETCH(QString, tip);
        auto d = editor(!row.isEmpty() && !row.startsWith('+'));
        if (row == "+Dialog")
            QVERIFY(d->key(Qt::Key_D));
        else if (!row.isEmpty())
            QVERIFY(d->click(row));
        QAction *action = entry(*d, name, append);
        const bool enabled = tip.startsWith("Appends") || tip.startsWith("Puts");
        QCOMPARE(action->isEnabled(), enabled);
        QCOMPARE(action->statusTip(), tip);
        QCOMPARE(action->toolTip(), enabled ? name : tip);
        QMenu *menu = qobject_cast<QMenu *>(action->parent());
        QVERIFY(menu->toolTipsVisible());
        // The dock shows the append entry as it is.
        if (append) {
            const QTreeWidgetItem *dockRow = findRow(*dock(*d).list(), name);
            QCOMPARE(bool(dockRow->flags() & Qt::ItemIsEnabled), enabled);
            QCOMPARE(dockRow->statusTip(0), tip);
            QVERIFY(dockRow->toolTip(0).startsWith(tip));
        }
    }

    // The dock lists the menus' entries with their icons and letters; the filter narrows
    // them, Enter appends the first that may be added, Shift+Enter inserts, a double-click
    // appends, and the typing stays in the dock.
    void elementsDockAddsAsTheMenusDo()
    {
        auto d = editor(false);
        QStringList menuRows;
        for (QAction *group : d->window->findChild<QMenu *>("mpMnuViews")->actions())
            for (QAction *a : group->menu()->actions())
                menuRows << group->text() + "/" + (a->isEnabled() ? "" : "-") + a->text();
        QCOMPARE(dockRows(*d), menuRows);
        const QTreeWidgetItem *label = findRow(*dock(*d).list(), "Label");
        QCOMPARE(label->text(1), entry(*d, "Label", true)->shortcut().toString());
        QVERIFY(!label->icon(0).isNull());

        QLineEdit *filter = dock(*d).filterField();
        filter->setFocus();
        QTest::keyClicks(filter, "box");
        QCOMPARE(dockRows(*d), QStringList({"Containers/-Group Box", "Layouts/-Vertical Box "
                                            "Layout", "Layouts/-Horizontal Box Layout",
                                            "Widgets/-Check Box", "Widgets/-Spin Box",
                                            "Widgets/-Combo Box", "Widgets/-Double Spin Box",
                                            "Widgets/-Button Box"}));
        filter->clear();
        QTest::keyClicks(filter, "menu");
        QCOMPARE(dockRows(*d), QStringList({"Menus/Menu", "Menus/-Menu Item",
                                            "Menus/-Separator"}));
        filter->clear();
        QTest::keyClicks(filter, "dia");
        QVERIFY(d->after([&] { QTest::keyClick(filter, Qt::Key_Return); }));
        QVERIFY(filter->hasFocus());
        QTest::keyClicks(filter, "vertical");
        QVERIFY(d->after([&] { QTest::keyClick(filter, Qt::Key_Enter); }));
        QTest::keyClicks(filter, "label");
        QVERIFY(d->after([&] { QTest::keyClick(filter, Qt::Key_Return); }));
        QCOMPARE(treeRows(*d->tree), QStringList({"/", "  Dialog", "    Vertical Box Layout",
                                                  "      Label"}));
        QVERIFY(d->click("Label"));
        filter->setFocus();
        filter->clear();
        QTest::keyClicks(filter, "push");
        QVERIFY(d->after([&] { QTest::keyClick(filter, Qt::Key_Return, Qt::ShiftModifier); }));
        filter->clear();
        QTreeWidget *list = dock(*d).list();
        QTreeWidgetItem *check = findRow(*list, "Check Box");
        list->scrollToItem(check);
        // Qt's double click comes after the click that chose the row.
        const QPoint at = list->visualItemRect(check).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QVERIFY(d->after([&] {
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        }));
        QCOMPARE(treeRows(*d->tree).mid(3), QStringList({"      Check Box", "      Push Button",
                                                         "      Label"}));
        QCOMPARE(d->window->undoRecorder().stack().count(), 5);
    }

    // A row dragged onto another moves its element there by the rules of paste, or between
    // rows in front of or after one, in one step of the history; a place the rules refuse
    // takes nothing and the drag shows it refused.
    void dragRowsMoveElements_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<int>("edge");
        QTest::addColumn<QStringList>("rows"); // the box's rows after the drop; empty: refused
        const QString a = "Label (\"a\")", b = "Push Button (\"b\")", g = "Group Box (\"g\")";
        const QString inner = "Vertical Box Layout (\"inner\")", c = "Line Edit (\"c\")";
        QTest::newRow("onto a layout") << a << inner << 0
                                       << QStringList({b, g, inner, c, a});
        QTest::newRow("above a row") << c << a << -1 << QStringList({c, a, b, g, inner});
        QTest::newRow("below a row") << a << b << 1 << QStringList({b, a, g, inner, c});
        QTest::newRow("onto a leaf: in front") << c << b << 0
                                               << QStringList({a, c, b, g, inner});
        QTest::newRow("onto a full box: in front") << a << g << 0
                                                   << QStringList({b, a, g, inner, c});
        QTest::newRow("layout out of its box") << inner << b << 1
                                               << QStringList({a, b, inner, c, g});
        QTest::newRow("into itself") << g << inner << 0 << QStringList();
        QTest::newRow("where it stands") << a << b << -1 << QStringList();
        QTest::newRow("beside the form") << "Dialog" << a << -1 << QStringList();
        QTest::newRow("the form itself") << "/" << a << 0 << QStringList();
    }

    void dragRowsMoveElements()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(int, edge);
        QFETCH(QStringList, rows);
        cFormWriter writer(mHost);
        auto &box = writer.add(writer.add(writer.root(), "Dialog"), "VBoxLayout", "box");
        writer.add(box, "Label", "a");
        writer.add(box, "PushButton", "b");
        writer.add(writer.add(writer.add(box, "GroupBox", "g"), "VBoxLayout", "inner"),
                   "LineEdit", "c");
        writer.save(mDir.filePath("drag.dlg"));
        auto d = std::make_unique<cEditorDriver>(mHost);
        d->after([&] { d->window->loadDocument(mDir.filePath("drag.dlg"), true); });
        const QStringList before = treeRows(*d->tree);
        auto *tree = static_cast<cQModelViewDialogLayoutTreeWidget *>(d->tree);
        cQAbstractDialogLayoutItem *moved
            = cQModelViewDialogLayoutTreeItem::layoutItemOf(findRow(*d->tree, from));
        std::unique_ptr<QMimeData> data(tree->dragData(*moved));
        QCOMPARE(tree->draggedItem(*data), from == "/" ? nullptr : moved);
        cQModelViewDialogLayoutTreeWidget::tDropPair shown;
        QCOMPARE(dropOnTree(*d, *data, inRow(*d, to, edge), &shown), !rows.isEmpty());
        QCOMPARE(tree->dropPlace().target, nullptr); // the mark goes with the drop
        QUndoStack &stack = d->window->undoRecorder().stack();
        if (rows.isEmpty()) {
            QCOMPARE(shown.target, nullptr);
            QCOMPARE(treeRows(*d->tree), before);
            QCOMPARE(stack.count(), 0);
            return;
        }
        // The mark shows where it lands: a leaf takes it in front.
        QCOMPARE(shown.position, edge < 0 || (edge == 0 && to == "Push Button (\"b\")")
                                         || (edge == 0 && to == "Group Box (\"g\")")
                                     ? int(cElementPlacement::Before)
                                     : edge > 0 ? int(cElementPlacement::After)
                                                : int(cElementPlacement::Into));
        QCOMPARE(boxRows(*d), rows);
        const cQAbstractDialogLayoutItem &root = d->window->document();
        QVERIFY(previewFollows(*d, root));
        QCOMPARE(d->tree->currentItem()->text(0), from);
        QCOMPARE(stack.count(), 1);
        QCOMPARE(stack.undoText(), "Move " + from.section(" (", 0, 0));
        QVERIFY(d->after([&] { stack.undo(); }));
        QCOMPARE(treeRows(*d->tree), before);
        QVERIFY(previewFollows(*d, root));
        QVERIFY(d->after([&] { stack.redo(); }));
        QCOMPARE(boxRows(*d), rows);
        QVERIFY(previewFollows(*d, root));
        QCOMPARE(treeRows(*d->tree), documentRows(d->window->document()));
    }

    // An element type dragged from the dock is added where it is dropped, as append adds it;
    // one dropped below the rows of an empty form starts it.
    void dragFromDockAddsElement()
    {
        auto d = editor(false);
        QMimeData dialog, label, item;
        dialog.setData(cQElementsDock::mimeType(), "Dialog");
        label.setData(cQElementsDock::mimeType(), "Label");
        item.setData(cQElementsDock::mimeType(), "MenuItem");
        QVERIFY(!dropOnTree(*d, label, QPoint(20, 200)));
        QVERIFY(dropOnTree(*d, dialog, QPoint(20, 200)));
        QVERIFY(d->key(Qt::Key_V));
        QVERIFY(dropOnTree(*d, label, inRow(*d, "Vertical Box Layout", 0)));
        QVERIFY(!dropOnTree(*d, item, inRow(*d, "Label", 0)));
        QVERIFY(dropOnTree(*d, label, inRow(*d, "Label", 1)));
        QCOMPARE(treeRows(*d->tree), QStringList({"/", "  Dialog", "    Vertical Box Layout",
                                                  "      Label #1", "      Label #2"}));
    }

    // Last: the plug-in stays loaded in the host the other cases share.
    void loadingPlugInAddsItsElementToBothMenus()
    {
        auto d = editor(false);
        auto dialogs = std::make_unique<cScriptedFileDialogs>();
        dialogs->answers << qstr(mHost.app.vmvMgr().uiPlugInPath()) + "/libVellLcdElements.so";
        d->window->setFileDialogProvider(std::move(dialogs));
        d->action("mpActLoadUiPlugIn")->trigger();
        const QString name = qstr(entries(*d).back()->factory->displayName());
        QVERIFY(entry(*d, name, true) && entry(*d, name, false));
    }
};

QTEST_MAIN(tst_EditMenus)
#include "tst_editmenus.moc"
