// The item factories: one per host element extension, in the host's order, first name wins.

#include "testelements.h"

#include "qdialoglayoutitems/cexternaldialogitemfactory.h"

#include <QtTest>

class tst_ItemFactories : public QObject
{
    Q_OBJECT

private slots:
    void noExtensionsNoFactories();
    void wrapperAnswersWhatTheHostSays();
    void rebuildFollowsHostOrder();
    void firstOfTwoNamesWins();
    void itemsOutliveRebuild();
};

void tst_ItemFactories::noExtensionsNoFactories()
{
    cTestHost host(false);
    host.registry.rebuildFactories();
    QVERIFY(host.registry.factories().empty());
    QCOMPARE(host.registry.findFactory("TDialog"), nullptr);
}

void tst_ItemFactories::wrapperAnswersWhatTheHostSays()
{
    cTestHost host(false);
    host.addElement("TMenu", 6, 2, true, true, "A Menu");
    host.addElement("TEntry", 3, 2, false, false);
    host.registry.rebuildFactories();
    QCOMPARE(host.registry.factories().size(), size_t(2));

    auto *menu = dynamic_cast<cExternalDialogItemFactory *>(host.registry.factories()[0]);
    QVERIFY(menu);
    QCOMPARE(menu->hostFactory(), host.dataViewMgr.dataViewElementExtensions()[0]->factory());
    QCOMPARE(menu->elementKind(), 6);
    QCOMPARE(menu->viewCategory(), 2);
    QVERIFY(menu->isTopLevelElement());
    QCOMPARE(menu->displayName(), vstd::cAsciiString("A Menu"));
    QCOMPARE(menu->elementName(), vstd::cAsciiString("TMenu"));
    QCOMPARE(menu->groupName(), vstd::cAsciiString("Test"));
    auto props = menu->createProperties();
    QVERIFY(props);
    QVERIFY(!props->isInitialized());

    auto *entry = dynamic_cast<cExternalDialogItemFactory *>(host.registry.factories()[1]);
    QVERIFY(entry);
    QVERIFY(!entry->isTopLevelElement());
    QCOMPARE(entry->createProperties(), nullptr);

    // createItem() makes an item for the parent but leaves inserting to the caller.
    cQDialogLayoutRootItem root(&host.dataViewMgr);
    std::unique_ptr<cQDialogLayoutViewItem> item = menu->createItem(&root, &host.dataViewMgr);
    QCOMPARE(item->parentOrNull(), &root);
    QCOMPARE(item->dataViewMgr(), &host.dataViewMgr);
    QCOMPARE(item->itemFactory(), menu->hostFactory());
    QVERIFY(item->properties()->isInitialized());
    QVERIFY(root.children().empty());
}

void tst_ItemFactories::rebuildFollowsHostOrder()
{
    cTestHost host;
    const size_t before = host.registry.factories().size();
    QCOMPARE(before, host.dataViewMgr.dataViewElementExtensions().size());
    QCOMPARE(host.registry.factories().front()->elementName(), vstd::cAsciiString("TDialog"));

    // A plug-in's element shows up behind the others after the next rebuild only.
    host.addElement("TPlugged", 2, 1, false);
    QCOMPARE(host.registry.factories().size(), before);
    QCOMPARE(host.registry.findFactory("TPlugged"), nullptr);
    host.registry.rebuildFactories();
    QCOMPARE(host.registry.factories().size(), before + 1);
    QCOMPARE(host.registry.factories().back()->elementName(), vstd::cAsciiString("TPlugged"));
    QCOMPARE(host.registry.findFactory("TPlugged"), host.registry.factories().back());

    // Rebuilding again does not duplicate anything.
    host.registry.rebuildFactories();
    QCOMPARE(host.registry.factories().size(), before + 1);
    for (size_t i = 0; i < host.registry.factories().size(); ++i)
        QCOMPARE(host.registry.factories()[i]->elementName(),
                 host.dataViewMgr.dataViewElementExtensions()[i]->factory()->elementName());
}

void tst_ItemFactories::firstOfTwoNamesWins()
{
    cTestHost host(false);
    host.addElement("TTwin", 2, 1, false, true, "First");
    host.addElement("TOther", 2, 1, false);
    host.addElement("TTwin", 1, 1, false, true, "Second");
    host.registry.rebuildFactories();
    QCOMPARE(host.registry.factories().size(), size_t(3));
    QCOMPARE(host.registry.findFactory("TTwin")->displayName(), vstd::cAsciiString("First"));

    // A factory appended by hand comes last, so it never shadows a host element.
    host.registry.appendFactory(std::make_unique<cExternalDialogItemFactory>(
        host.dataViewMgr.dataViewElementExtensions()[1]->factory()));
    QCOMPARE(host.registry.findFactory("TTwin")->displayName(), vstd::cAsciiString("First"));
    QCOMPARE(host.registry.findFactory("TOther"), host.registry.factories()[1]);
}

void tst_ItemFactories::itemsOutliveRebuild()
{
    cTestHost host;
    cQDialogLayoutRootItem root(&host.dataViewMgr);
    cQDialogLayoutViewItem &dialog = host.append(root, "TDialog");
    host.registry.rebuildFactories();
    // The item refers to the host factory, which the rebuild did not touch.
    QCOMPARE(dialog.elementName(), vstd::cAsciiString("TDialog"));
    QCOMPARE(dialog.elementKind(), 0);
    QVERIFY(dialog.canAccept(1, 1, false));
}

QTEST_GUILESS_MAIN(tst_ItemFactories)
#include "tst_itemfactories.moc"
