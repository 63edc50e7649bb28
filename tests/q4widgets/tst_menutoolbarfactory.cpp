#include "formfixture.h"

#include <QMenuBar>
#include <QToolButton>
#include <QtTest>

namespace {

const QByteArray kSvgIcon = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"16\" "
                            "height=\"16\"><rect width=\"16\" height=\"16\"/></svg>";

void writeMenu(cVQ4VMVFormWriter &w)
{
    w.open("Menu", "1").set("Title", "File");
    w.open("MenuItem", "2").set("Text", "Open").set("Shortcut", "Ctrl+O")
        .set("ToolTip", "Open a file").set("Icon", kSvgIcon).close();
    w.open("MenuSeparator", "3").close();
    w.open("Menu", "4").set("Title", "Recent");
    w.open("MenuItem", "5").set("Text", "a.dlg").close();
    w.open("Menu", "6").set("Title", "Older").open("MenuItem", "7").set("Text", "b.dlg").close();
    w.close();
    w.close();
    w.open("MenuItem", "8").set("Text", "Auto").set("Checkable", true).set("Checked", true)
        .set("Enabled", false).close();
    w.open("MenuItem", "9").set("Text", "Hidden").set("Visible", false).close();
    w.close();
}

void writeToolBar(cVQ4VMVFormWriter &w)
{
    w.open("ToolBar", "1").set("Title", "Tools").set("ToolButtonStyle", "TextOnly")
        .set("IconSize", 16).set("Orientation", 2);
    w.open("ToolButton", "2").set("Text", "Run").close();
    w.open("ToolSeparator", "3").close();
    w.open("ToolButton", "4").set("Text", "Stop").set("Checkable", true).close();
    w.close();
}

} // namespace

class tst_MenuToolBarFactory : public QObject
{
    Q_OBJECT

private slots:
    void buildsMenuWithSubmenus();
    void menuFitsIntoAMenuBar();
    void buildsToolBar();
    void entriesOutsideTheirHolderAreSkipped();
};

void tst_MenuToolBarFactory::buildsMenuWithSubmenus()
{
    tFormFixture f;
    QWidget owner;
    auto menu = f.menu(f.document(writeMenu), &owner);
    QVERIFY(menu);
    QCOMPARE(menu->parent(), &owner);
    QCOMPARE(menu->objectName(), QString("1"));
    QCOMPARE(menu->title(), QString("File"));
    const QList<QAction *> actions = menu->actions();
    QCOMPARE(actions.size(), 5);
    QCOMPARE(actions[0]->objectName(), QString("2"));
    QCOMPARE(actions[0]->text(), QString("Open"));
    QCOMPARE(actions[0]->shortcut(), QKeySequence("Ctrl+O"));
    QCOMPARE(actions[0]->toolTip(), QString("Open a file"));
    QCOMPARE(actions[0]->icon().availableSizes().value(0), QSize(16, 16));
    QVERIFY(actions[1]->isSeparator());
    QCOMPARE(actions[1]->objectName(), QString("3"));

    QMenu *recent = actions[2]->menu();
    QVERIFY(recent);
    QCOMPARE(recent->objectName(), QString("4"));
    QCOMPARE(recent->title(), QString("Recent"));
    QCOMPARE(recent->actions().size(), 2);
    QCOMPARE(recent->actions()[0]->text(), QString("a.dlg"));
    QMenu *older = recent->actions()[1]->menu();
    QVERIFY(older);
    QCOMPARE(older->objectName(), QString("6"));
    QCOMPARE(older->actions().value(0)->objectName(), QString("7"));

    QVERIFY(actions[3]->isCheckable());
    QVERIFY(actions[3]->isChecked());
    QVERIFY(!actions[3]->isEnabled());
    QVERIFY(!actions[4]->isVisible());
    QVERIFY(actions[1]->icon().isNull());

    // Shown as a popup, the visible entries take up space.
    menu->popup(QPoint(0, 0));
    QVERIFY(QTest::qWaitForWindowExposed(menu.get()));
    QVERIFY(menu->actionGeometry(actions[0]).height() > 0);
    QVERIFY(menu->actionGeometry(actions[4]).isEmpty());
    menu->hide();
}

void tst_MenuToolBarFactory::menuFitsIntoAMenuBar()
{
    tFormFixture f;
    QMenuBar bar;
    auto menu = f.menu(f.document(writeMenu), &bar);
    QVERIFY(menu);
    bar.addMenu(menu.get());
    QCOMPARE(bar.actions().size(), 1);
    QCOMPARE(bar.actions()[0]->text(), QString("File"));
    QCOMPARE(bar.findChild<QMenu *>("6")->title(), QString("Older"));
}

void tst_MenuToolBarFactory::buildsToolBar()
{
    tFormFixture f;
    QWidget owner;
    auto bar = f.toolBar(f.document(writeToolBar), &owner);
    QVERIFY(bar);
    QCOMPARE(bar->parent(), &owner);
    QCOMPARE(bar->objectName(), QString("1"));
    QCOMPARE(bar->windowTitle(), QString("Tools"));
    QCOMPARE(bar->toolButtonStyle(), Qt::ToolButtonTextOnly);
    QCOMPARE(bar->iconSize(), QSize(16, 16));
    QCOMPARE(bar->orientation(), Qt::Vertical);
    const QList<QAction *> actions = bar->actions();
    QCOMPARE(actions.size(), 3);
    QVERIFY(actions[1]->isSeparator());
    // The buttons carry the element's name as well as their actions.
    auto *run = qobject_cast<QToolButton *>(bar->widgetForAction(actions[0]));
    QVERIFY(run);
    QCOMPARE(run->objectName(), QString("2"));
    QCOMPARE(run->text(), QString("Run"));
    auto *stop = bar->findChild<QToolButton *>("4");
    QVERIFY(stop);
    QVERIFY(stop->isCheckable());
    bar->show();
    QTest::mouseClick(stop, Qt::LeftButton);
    QVERIFY(actions[2]->isChecked());
}

void tst_MenuToolBarFactory::entriesOutsideTheirHolderAreSkipped()
{
    tFormFixture f;
    cTraceCollector traces;
    // Entries without their menu at top level, and a tool bar entry given to the menu factory.
    QVERIFY(!f.menu(f.document([](cVQ4VMVFormWriter &w) {
        w.open("MenuItem").close();
    })));
    QVERIFY(!f.menu(f.document(writeToolBar)));
    auto menu = f.menu(f.document([](cVQ4VMVFormWriter &w) {
        w.open("Menu").open("Label", "label").close().open("MenuItem", "item").close().close();
    }));
    QVERIFY(menu);
    QVERIFY(!menu->findChild<QObject *>("label"));
    QCOMPARE(menu->actions().size(), 1);
    QCOMPARE(traces.matching("Element Label does not fit").size(), 1);
}

QTEST_MAIN(tst_MenuToolBarFactory)
#include "tst_menutoolbarfactory.moc"
