// The layout item tree: acceptance rules, insertion, two-phase removal, moving, identities; and
// the item factories, one per host element extension, in the host's order, first name wins.

#include "testelements.h"

#include "qdialoglayoutitems/cexternaldialogitemfactory.h"
#include "vellmva2/cdvitypedproperties.h"

#include <QtTest>

class tst_LayoutItems : public QObject
{
    Q_OBJECT

private slots:
    void viewItemAcceptance_data();
    void viewItemAcceptance();
    void containersCategoriesAndRoot();
    void rootCategoryFollowsFirstChild();
    void insertChildAppendsOrPutsInFront();
    void removalIsTwoPhase();
    void rootHasNoParent();
    void siblingsAndMoving();
    void debugInfoIdentifiesItems();
    void labelAndProperties();
    void factoriesFollowHostOrderFirstNameWins();
};

// One row per kind of parent: which child kinds it takes (when it has no child yet).
void tst_LayoutItems::viewItemAcceptance_data()
{
    QTest::addColumn<int>("parentKind");
    QTest::addColumn<QString>("accepted");
    QTest::newRow("0 container") << 0 << "1";
    QTest::newRow("1 layout") << 1 << "012356";
    QTest::newRow("2 widget") << 2 << "";
    QTest::newRow("3 entry") << 3 << "";
    QTest::newRow("4 tab page") << 4 << "1";
    QTest::newRow("5 tab container") << 5 << "4";
    QTest::newRow("6 menu") << 6 << "36";
    QTest::newRow("7 unknown kind") << 7 << "";
}

void tst_LayoutItems::viewItemAcceptance()
{
    QFETCH(int, parentKind);
    QFETCH(QString, accepted);
    cTestHost host;
    host.addElement("TParent", parentKind, 1, false);
    host.registry.rebuildFactories();
    cQDialogLayoutRootItem root(&host.dataViewMgr);
    cQDialogLayoutViewItem &parent = host.append(root, "TParent");
    QCOMPARE(parent.elementKind(), parentKind);
    for (int childKind = 0; childKind <= 6; ++childKind) {
        const bool expected = accepted.contains(QString::number(childKind));
        QVERIFY2(parent.canAccept(childKind, 1, false) == expected,
                 qPrintable(QStringLiteral("child kind %1").arg(childKind)));
        // A refusal says why, naming the parent or the child.
        const QString why = parent.refusal(childKind, 1, false, "TChild").toQString();
        QCOMPARE(why.isEmpty(), expected);
        QVERIFY(expected || why.contains("TParent") || why.contains("TChild"));
        // Being a top-level element changes nothing below the root.
        QCOMPARE(parent.canAccept(childKind, 1, true), expected);
    }
}

// A container holds one layout; a layout holds many, including layouts, but no tab pages; the
// category must match; the root holds one top-level element of any kind.
void tst_LayoutItems::containersCategoriesAndRoot()
{
    cTestHost host;
    cQDialogLayoutRootItem root(&host.dataViewMgr);
    QVERIFY(!root.canAccept(2, 1, false));
    QVERIFY(root.canAccept(6, 3, true));   // kind and category do not matter
    cQDialogLayoutViewItem &dialog = host.append(root, "TDialog");
    QVERIFY(!root.canAccept(0, 1, true));
    for (const char *container : {"TGroup", "TPage"}) {
        cQDialogLayoutRootItem other(&host.dataViewMgr);
        cQDialogLayoutViewItem &item = host.append(other, container);
        QVERIFY(item.canAccept(1, 1, false));
        host.append(item, "TLayout");
        QVERIFY2(!item.canAccept(1, 1, false), container);
    }
    QVERIFY(dialog.canAccept(1, 1, false));
    cQDialogLayoutViewItem &layout = host.append(dialog, "TLayout");
    QVERIFY(!dialog.canAccept(1, 1, false));
    host.append(layout, "TButton");
    host.append(layout, "TLayout");
    QVERIFY(layout.canAccept(2, 1, false));
    QVERIFY(!layout.canAccept(4, 1, false));
    QVERIFY(!layout.canAccept(2, 2, false));

    cQDialogLayoutRootItem menuRoot(&host.dataViewMgr);
    cQDialogLayoutViewItem &menu = host.append(menuRoot, "TMenu");
    QVERIFY(menu.canAccept(3, 2, false));
    QVERIFY(menu.canAccept(6, 2, false));
    QVERIFY(!menu.canAccept(3, 3, false));   // a tool bar entry
    QVERIFY(!menu.canAccept(3, 1, false));
}

void tst_LayoutItems::rootCategoryFollowsFirstChild()
{
    cTestHost host;
    cQDialogLayoutRootItem root(&host.dataViewMgr);
    QCOMPARE(root.viewCategory(), 0);
    cQDialogLayoutViewItem &bar = host.append(root, "TBar");
    QCOMPARE(root.viewCategory(), 3);
    host.append(root, "TDialog");   // documents may hold more; the first decides
    QCOMPARE(root.viewCategory(), 3);
    bar.removeFromParent();
    root.purgeRemoved();
    QCOMPARE(root.viewCategory(), 1);
}

// In front of a child or at the end; in front of a stranger is refused, the child destroyed.
void tst_LayoutItems::insertChildAppendsOrPutsInFront()
{
    cTestHost host;
    cQDialogLayoutRootItem root(&host.dataViewMgr);
    cQDialogLayoutViewItem &layout = host.append(host.append(root, "TDialog"), "TLayout");
    auto a = host.create(layout, "TButton");
    auto b = host.create(layout, "TButton");
    auto c = host.create(layout, "TButton");
    cQAbstractDialogLayoutItem *pa = a.get(), *pb = b.get(), *pc = c.get();
    layout.insertChild(nullptr, std::move(a));
    layout.insertChild(nullptr, std::move(c));
    layout.insertChild(pc, std::move(b));
    QCOMPARE(layout.children(), (std::vector<cQAbstractDialogLayoutItem *>{pa, pb, pc}));
    auto d = host.create(layout, "TButton");
    cQAbstractDialogLayoutItem *pd = d.get();
    layout.insertChild(pa, std::move(d));
    QCOMPARE(layout.children().front(), pd);
    QCOMPARE(pd->parent(), &layout);

    const int before = cTestProperties::live;
    auto child = host.create(root, "TMenu");
    QCOMPARE(cTestProperties::live, before + 1);
    // `layout` is a grandchild of the root, not a child.
    QVERIFY_THROWS_EXCEPTION(vstd::cBugException, root.insertChild(&layout, std::move(child)));
    QCOMPARE(cTestProperties::live, before);
    QCOMPARE(root.children().size(), size_t(1));
}

void tst_LayoutItems::removalIsTwoPhase()
{
    cTestHost host;
    const int before = cTestProperties::live;
    {
        cQDialogLayoutRootItem root(&host.dataViewMgr);
        cQDialogLayoutViewItem &dialog = host.append(root, "TDialog");
        cQDialogLayoutViewItem &layout = host.append(dialog, "TLayout");
        cQDialogLayoutViewItem &first = host.append(layout, "TButton");
        cQDialogLayoutViewItem &inner = host.append(layout, "TLayout");
        host.append(inner, "TButton");
        host.append(inner, "TButton");
        cQDialogLayoutViewItem &last = host.append(layout, "TButton");
        QCOMPARE(cTestProperties::live, before + 7);

        inner.removeFromParent();
        first.removeFromParent();
        // Marked items stay alive and listed until the purge.
        QVERIFY(inner.isMarkedForRemoval());
        QCOMPARE(layout.children().size(), size_t(3));
        QCOMPARE(inner.children().size(), size_t(2));
        QCOMPARE(first.nextSibling(), &inner);

        // A purge on the root reaches marked items anywhere below it.
        root.purgeRemoved();
        QCOMPARE(layout.children(), (std::vector<cQAbstractDialogLayoutItem *>{&last}));
        QCOMPARE(cTestProperties::live, before + 3);   // inner's subtree went with it
        QVERIFY(!last.isMarkedForRemoval());
    }
    QCOMPARE(cTestProperties::live, before);
}

void tst_LayoutItems::rootHasNoParent()
{
    cTestHost host;
    cQDialogLayoutRootItem root(&host.dataViewMgr);
    QCOMPARE(root.parentOrNull(), nullptr);
    QVERIFY_THROWS_EXCEPTION(vstd::cBugException, root.parent());
    QVERIFY_THROWS_EXCEPTION(vstd::cBugException, root.removeFromParent());
    // An item its parent does not list is left alone.
    auto stray = host.create(root, "TDialog");
    stray->removeFromParent();
    QVERIFY(!stray->isMarkedForRemoval());
}

void tst_LayoutItems::siblingsAndMoving()
{
    cTestHost host;
    cQDialogLayoutRootItem root(&host.dataViewMgr);
    cQDialogLayoutViewItem &layout = host.append(host.append(root, "TDialog"), "TLayout");
    cQDialogLayoutViewItem &a = host.append(layout, "TButton");
    cQDialogLayoutViewItem &b = host.append(layout, "TLayout");
    cQDialogLayoutViewItem &c = host.append(layout, "TButton");
    host.append(b, "TButton");
    using tList = std::vector<cQAbstractDialogLayoutItem *>;

    QCOMPARE(a.previousSibling(), nullptr);
    QCOMPARE(a.nextSibling(), &b);
    QCOMPARE(c.previousSibling(), &b);
    QCOMPARE(c.nextSibling(), nullptr);
    QCOMPARE(root.nextSibling(), nullptr);

    a.moveUp();
    c.moveDown();
    root.moveUp();
    QCOMPARE(layout.children(), (tList{&a, &b, &c}));
    c.moveUp();
    QCOMPARE(layout.children(), (tList{&a, &c, &b}));
    a.moveDown();
    QCOMPARE(layout.children(), (tList{&c, &a, &b}));
    // The moved item keeps its children.
    QCOMPARE(b.children().size(), size_t(1));
    QCOMPARE(b.children()[0]->parent(), &b);

    // Into another parent, in front of a child or at the end, the same item with its subtree.
    c.moveTo(b, b.children()[0]);
    QCOMPARE(layout.children(), (tList{&a, &b}));
    QCOMPARE(b.children().front(), &c);
    QCOMPARE(c.parent(), &b);
    b.moveTo(layout, &a);
    QCOMPARE(layout.children(), (tList{&b, &a}));
    QCOMPARE(b.children().size(), size_t(2));
    c.moveTo(layout, nullptr);
    QCOMPARE(layout.children(), (tList{&b, &a, &c}));
    // Refused without a change: into itself or below, beside a stranger, the root.
    QVERIFY_THROWS_EXCEPTION(vstd::cBugException, layout.moveTo(b, nullptr));
    QVERIFY_THROWS_EXCEPTION(vstd::cBugException, b.moveTo(b, nullptr));
    QVERIFY_THROWS_EXCEPTION(vstd::cBugException, a.moveTo(b, &c));
    QVERIFY_THROWS_EXCEPTION(vstd::cBugException, root.moveTo(layout, nullptr));
    QCOMPARE(layout.children(), (tList{&b, &a, &c}));
    QCOMPARE(a.parent(), &layout);
}

void tst_LayoutItems::debugInfoIdentifiesItems()
{
    cTestHost host;
    cQDialogLayoutRootItem root(&host.dataViewMgr);
    cQDialogLayoutViewItem &dialog = host.append(root, "TDialog");
    cQDialogLayoutViewItem &layout = host.append(dialog, "TLayout");
    cQDialogLayoutViewItem &button = host.append(layout, "TButton");
    QVERIFY(button.debugInfo().empty());

    root.assignDebugInfo();
    QSet<QByteArray> seen;
    for (cQAbstractDialogLayoutItem *item :
         std::vector<cQAbstractDialogLayoutItem *>{&root, &dialog, &layout, &button}) {
        seen.insert(item->debugInfo().bytes());
        QCOMPARE(root.findByDebugInfo(item->debugInfo()), item);
    }
    QCOMPARE(seen.size(), 4);
    QCOMPARE(layout.findByDebugInfo(dialog.debugInfo()), nullptr);   // only downwards

    // Identities survive moving; clearing reaches the whole subtree.
    layout.clearDebugInfo();
    QVERIFY(button.debugInfo().empty());
    QVERIFY(!dialog.debugInfo().empty());
    root.clearDebugInfo();
    QVERIFY(dialog.debugInfo().empty());
    QCOMPARE(root.findByDebugInfo(vstd::cAsciiString()), nullptr);
}

void tst_LayoutItems::labelAndProperties()
{
    cTestHost host;
    host.addElement("TNamed", 2, 1, false, true, "Named Thing");
    host.registry.rebuildFactories();
    cQDialogLayoutRootItem root(&host.dataViewMgr);
    QCOMPARE(root.properties(), nullptr);

    const int before = cTestProperties::created;
    cQDialogLayoutViewItem &named = host.append(root, "TNamed");
    QCOMPARE(cTestProperties::created, before + 1);
    QCOMPARE(named.displayName(), vstd::cAsciiString("Named Thing"));
    QVERIFY(named.label().empty());
    named.findProperty("Label")->asciiStringView()->setValue("OK button");
    QCOMPARE(named.label(), vstd::cAsciiString("OK button"));

    // No properties, no label.
    cQDialogLayoutViewItem &bare = host.append(root, "TBare");
    QVERIFY(bare.label().empty());
    QCOMPARE(bare.properties(), nullptr);

    // An item without parent is refused and leaks nothing.
    cTestItemFactory factory("TOrphan", 2, 1, false);
    const int live = cTestProperties::live;
    try {
        cQDialogLayoutViewItem item(nullptr, &host.dataViewMgr, &factory);
        QFAIL("no exception");
    } catch (const vstd::cBugException &e) {
        QVERIFY(e.message().text().text().contains(QStringLiteral("pParent != 0")));
    }
    QCOMPARE(cTestProperties::live, live);
}

// One factory per host element, in the host's order, after each rebuild only; items refer to the
// host factory; of two elements with one name the first wins, and a factory appended by hand
// comes last, so that it never shadows a host element.
void tst_LayoutItems::factoriesFollowHostOrderFirstNameWins()
{
    cTestHost host;
    cQDialogLayoutRootItem root(&host.dataViewMgr);
    cQDialogLayoutViewItem &dialog = host.append(root, "TDialog");
    const size_t before = host.registry.factories().size();
    QCOMPARE(before, host.dataViewMgr.dataViewElementExtensions().size());
    host.addElement("TPlugged", 2, 1, false);
    QCOMPARE(host.registry.findFactory("TPlugged"), nullptr);
    host.registry.rebuildFactories();
    host.registry.rebuildFactories();   // twice: nothing duplicated
    QCOMPARE(host.registry.factories().size(), before + 1);
    for (size_t i = 0; i < host.registry.factories().size(); ++i)
        QCOMPARE(host.registry.factories()[i]->elementName(),
                 host.dataViewMgr.dataViewElementExtensions()[i]->factory()->elementName());
    QVERIFY(dialog.canAccept(1, 1, false));

    // createItem() makes an item for the parent but leaves inserting to the caller.
    auto *plugged = dynamic_cast<cExternalDialogItemFactory *>(host.registry.factories().back());
    QVERIFY(plugged && plugged == host.registry.findFactory("TPlugged"));
    QVERIFY(!plugged->createProperties()->isInitialized());
    std::unique_ptr<cQDialogLayoutViewItem> item = plugged->createItem(&root, &host.dataViewMgr);
    QCOMPARE(item->parentOrNull(), &root);
    QCOMPARE(item->itemFactory(), plugged->hostFactory());
    QVERIFY(item->properties()->isInitialized());
    QCOMPARE(root.children().size(), size_t(1));

    cTestHost twins(false);
    twins.addElement("TTwin", 2, 1, false, true, "First");
    twins.addElement("TOther", 2, 1, false);
    twins.addElement("TTwin", 1, 1, false, true, "Second");
    twins.registry.rebuildFactories();
    QCOMPARE(twins.registry.factories().size(), size_t(3));
    QCOMPARE(twins.registry.findFactory("TTwin")->displayName(), vstd::cAsciiString("First"));
    twins.registry.appendFactory(std::make_unique<cExternalDialogItemFactory>(
        twins.dataViewMgr.dataViewElementExtensions()[1]->factory()));
    QCOMPARE(twins.registry.findFactory("TTwin")->displayName(), vstd::cAsciiString("First"));
    QCOMPARE(twins.registry.findFactory("TOther"), twins.registry.factories()[1]);
}

QTEST_GUILESS_MAIN(tst_LayoutItems)
#include "tst_layoutitems.moc"
