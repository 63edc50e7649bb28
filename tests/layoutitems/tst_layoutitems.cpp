// The layout item tree: acceptance rules, insertion, two-phase removal, moving, identities.

#include "testelements.h"

#include "vellmva2/cdvitypedproperties.h"

#include <QtTest>

class tst_LayoutItems : public QObject
{
    Q_OBJECT

private slots:
    void viewItemAcceptance_data();
    void viewItemAcceptance();
    void containerTakesOneLayoutOnly_data();
    void containerTakesOneLayoutOnly();
    void categoryMustMatch();
    void rootAcceptsOneTopLevelChild();
    void rootCategoryFollowsFirstChild();
    void insertChildAppendsOrPutsInFront();
    void insertBeforeStrangerFailsAndDestroysChild();
    void removalIsTwoPhase();
    void removeFromParentFailures();
    void parentOfRootThrows();
    void siblingsAndMoving();
    void debugInfoIdentifiesItems();
    void labelAndNames();
    void viewItemNeedsParent();
    void propertiesInitialisedOnce();
    void storeWritesOnlyPropertiesWithoutDebugInfo();
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
        // Being a top-level element changes nothing below the root.
        QCOMPARE(parent.canAccept(childKind, 1, true), expected);
    }
}

void tst_LayoutItems::containerTakesOneLayoutOnly_data()
{
    QTest::addColumn<QString>("container");
    QTest::newRow("dialog") << "TDialog";
    QTest::newRow("group") << "TGroup";
    QTest::newRow("tab page") << "TPage";
}

void tst_LayoutItems::containerTakesOneLayoutOnly()
{
    QFETCH(QString, container);
    cTestHost host;
    cQDialogLayoutRootItem root(&host.dataViewMgr);
    cQDialogLayoutViewItem &item = host.append(root, qPrintable(container));
    QVERIFY(item.canAccept(1, 1, false));
    host.append(item, "TLayout");
    QVERIFY(!item.canAccept(1, 1, false));
    // A layout holds many, including layouts, but no tab pages.
    cQDialogLayoutViewItem &layout = *static_cast<cQDialogLayoutViewItem *>(item.children()[0]);
    host.append(layout, "TButton");
    host.append(layout, "TLayout");
    QVERIFY(layout.canAccept(2, 1, false));
    QVERIFY(!layout.canAccept(4, 1, false));
}

void tst_LayoutItems::categoryMustMatch()
{
    cTestHost host;
    cQDialogLayoutRootItem root(&host.dataViewMgr);
    cQDialogLayoutViewItem &menu = host.append(root, "TMenu");
    QCOMPARE(menu.viewCategory(), 2);
    QVERIFY(menu.canAccept(3, 2, false));
    QVERIFY(menu.canAccept(6, 2, false));
    QVERIFY(!menu.canAccept(3, 3, false));   // a tool bar entry
    QVERIFY(!menu.canAccept(3, 1, false));
    cQDialogLayoutRootItem dialogRoot(&host.dataViewMgr);
    cQDialogLayoutViewItem &layout = host.append(host.append(dialogRoot, "TDialog"), "TLayout");
    QVERIFY(layout.canAccept(2, 1, false));
    QVERIFY(!layout.canAccept(2, 2, false));
}

void tst_LayoutItems::rootAcceptsOneTopLevelChild()
{
    cTestHost host;
    cQDialogLayoutRootItem root(&host.dataViewMgr);
    QVERIFY(!root.canAccept(2, 1, false));
    QVERIFY(root.canAccept(0, 1, true));
    QVERIFY(root.canAccept(6, 3, true));   // kind and category do not matter
    host.append(root, "TDialog");
    QVERIFY(!root.canAccept(0, 1, true));
    QVERIFY(!root.canAccept(6, 2, true));
}

void tst_LayoutItems::rootCategoryFollowsFirstChild()
{
    cTestHost host;
    cQDialogLayoutRootItem root(&host.dataViewMgr);
    QCOMPARE(root.viewCategory(), 0);
    QCOMPARE(root.elementKind(), 0);
    QVERIFY(root.isRoot());
    QVERIFY(!root.isTopLevelElement());
    cQDialogLayoutViewItem &bar = host.append(root, "TBar");
    QCOMPARE(root.viewCategory(), 3);
    host.append(root, "TDialog");   // documents may hold more; the first decides
    QCOMPARE(root.viewCategory(), 3);
    bar.removeFromParent();
    root.purgeRemoved();
    QCOMPARE(root.viewCategory(), 1);
}

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
}

void tst_LayoutItems::insertBeforeStrangerFailsAndDestroysChild()
{
    cTestHost host;
    cQDialogLayoutRootItem root(&host.dataViewMgr);
    cQDialogLayoutViewItem &dialog = host.append(root, "TDialog");
    cQDialogLayoutViewItem &layout = host.append(dialog, "TLayout");
    const int before = cTestProperties::live;
    auto child = host.create(root, "TMenu");
    QCOMPARE(cTestProperties::live, before + 1);
    try {
        // `layout` is a grandchild of the root, not a child.
        root.insertChild(&layout, std::move(child));
        QFAIL("no exception");
    } catch (const vstd::cBugException &e) {
        QCOMPARE(e.message().rawText(), QStringLiteral("$VTR$cQAbstractDialogLayoutItem: no child before!"));
    }
    QCOMPARE(cTestProperties::live, before);
    QCOMPARE(root.children().size(), size_t(1));
    QCOMPARE(dialog.children().size(), size_t(1));
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

void tst_LayoutItems::removeFromParentFailures()
{
    cTestHost host;
    cQDialogLayoutRootItem root(&host.dataViewMgr);
    try {
        root.removeFromParent();
        QFAIL("no exception");
    } catch (const vstd::cBugException &e) {
        QCOMPARE(e.message().rawText(), QStringLiteral("$VTR$cQAbstractDialogLayoutItem: No parent!"));
    }
    // An item its parent does not list is left alone.
    auto stray = host.create(root, "TDialog");
    stray->removeFromParent();
    QVERIFY(!stray->isMarkedForRemoval());
    root.insertChild(nullptr, std::move(stray));
    root.purgeRemoved();
    QCOMPARE(root.children().size(), size_t(1));
}

void tst_LayoutItems::parentOfRootThrows()
{
    cTestHost host;
    cQDialogLayoutRootItem root(&host.dataViewMgr);
    QCOMPARE(root.parentOrNull(), nullptr);
    QVERIFY_THROWS_EXCEPTION(vstd::cBugException, root.parent());
    try {
        root.parent();
    } catch (const vstd::cBugException &e) {
        QCOMPARE(e.message().rawText(), QStringLiteral("$VTR$cQAbstractDialogLayoutItem No parent!"));
        QCOMPARE(e.file(), nullptr);
    }
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
        bool ok = false;
        const qlonglong id = item->debugInfo().bytes().toLongLong(&ok);
        QVERIFY(ok);
        QCOMPARE(id, qlonglong(reinterpret_cast<quintptr>(item)));
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

void tst_LayoutItems::labelAndNames()
{
    cTestHost host;
    host.addElement("TNamed", 2, 1, false, true, "Named Thing");
    host.registry.rebuildFactories();
    cQDialogLayoutRootItem root(&host.dataViewMgr);
    QCOMPARE(root.displayName(), vstd::cAsciiString("/"));
    QCOMPARE(root.elementName(), vstd::cAsciiString("Dialog"));
    QVERIFY(root.label().empty());
    QCOMPARE(root.properties(), nullptr);
    QCOMPARE(root.createProperties(), nullptr);

    cQDialogLayoutViewItem &named = host.append(root, "TNamed");
    QCOMPARE(named.displayName(), vstd::cAsciiString("Named Thing"));
    QCOMPARE(named.elementName(), vstd::cAsciiString("TNamed"));
    QVERIFY(named.label().empty());
    named.findProperty("Label")->asciiStringView()->setValue("OK button");
    QCOMPARE(named.label(), vstd::cAsciiString("OK button"));
    QCOMPARE(named.findProperty("NoSuch"), nullptr);

    // A "Label" of another kind is not a label; no properties, no label.
    cQDialogLayoutViewItem &bare = host.append(root, "TBare");
    QVERIFY(bare.label().empty());
    QCOMPARE(bare.findProperty("Label"), nullptr);
    QCOMPARE(root.findProperty("Label"), nullptr);
}

void tst_LayoutItems::viewItemNeedsParent()
{
    cTestHost host;
    cTestItemFactory factory("TOrphan", 2, 1, false);
    const int before = cTestProperties::live;
    try {
        cQDialogLayoutViewItem item(nullptr, &host.dataViewMgr, &factory);
        QFAIL("no exception");
    } catch (const vstd::cBugException &e) {
        QVERIFY(e.message().text().text().contains(QStringLiteral("pParent != 0")));
        QVERIFY(QByteArray(e.file()).startsWith("qdialoglayoutitems/cqdialoglayoutviewitem"));
    }
    QCOMPARE(cTestProperties::live, before);
}

void tst_LayoutItems::propertiesInitialisedOnce()
{
    cTestHost host;
    cQDialogLayoutRootItem root(&host.dataViewMgr);
    const int before = cTestProperties::created;
    cQDialogLayoutViewItem &button = host.append(root, "TButton");
    QCOMPARE(cTestProperties::created, before + 1);
    QVERIFY(button.properties()->isInitialized());
    QCOMPARE(button.properties()->properties().size(), size_t(8));
    // createProperties() gives a fresh object each time, not the item's own.
    auto fresh = button.createProperties();
    QVERIFY(fresh != nullptr);
    QVERIFY(fresh.get() != button.properties());
    QCOMPARE(host.append(root, "TBare").properties(), nullptr);
}

void tst_LayoutItems::storeWritesOnlyPropertiesWithoutDebugInfo()
{
    cTestHost host;
    cQDialogLayoutRootItem root(&host.dataViewMgr);
    cQDialogLayoutViewItem &button = host.append(root, "TButton");
    setAllProperties(button, 3, "prm");
    cRecordingSerializer direct, viaItem, withId, bare, ofRoot;
    button.properties()->store(direct);
    button.store(viaItem);
    QCOMPARE(viaItem.lines, direct.lines);
    QVERIFY(direct.lines.size() > 8);

    button.assignDebugInfo();
    button.store(withId);
    QCOMPARE(withId.lines.first(),
             QStringLiteral("ascii [DebugInfo] ") + qstr(button.debugInfo()));
    QCOMPARE(withId.lines.mid(1), direct.lines);

    // Without properties nothing is written, debug identity or not.
    cQDialogLayoutViewItem &plain = host.append(root, "TBare");
    root.assignDebugInfo();
    plain.store(bare);
    root.store(ofRoot);
    QVERIFY(bare.lines.isEmpty());
    QVERIFY(ofRoot.lines.isEmpty());
}

QTEST_GUILESS_MAIN(tst_LayoutItems)
#include "tst_layoutitems.moc"
