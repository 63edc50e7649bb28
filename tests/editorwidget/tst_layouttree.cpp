#include "editortesthost.h"

#include "qdialogeditorwidget/cqmodelviewdialoglayouttreewidget.h"

#include <QtTest>

// The dialog layout tree on its own: rows from a document, texts, and the three host signals.
class tst_LayoutTree : public QObject, public vrmi::cConnectable
{
    Q_OBJECT

    cEditorTestHost mHost;
    QList<QTreeWidgetItem *> mHovered, mActivated, mRightClicked;

    piVoid hovered(QTreeWidgetItem *row) { mHovered << row; return piVoid(); }
    piVoid activated(QTreeWidgetItem *row) { mActivated << row; return piVoid(); }
    piVoid rightClicked(QTreeWidgetItem *row) { mRightClicked << row; return piVoid(); }

    using cSlot = vrmi::cDirectLocalSlotCall1<tst_LayoutTree, QTreeWidgetItem *>;

    std::unique_ptr<cQModelViewDialogLayoutTreeWidget> listeningTree()
    {
        auto tree = std::make_unique<cQModelViewDialogLayoutTreeWidget>(nullptr);
        tree->sigItemHovered.connect(cSlot(this, &tst_LayoutTree::hovered), 1);
        tree->sigItemActivated.connect(cSlot(this, &tst_LayoutTree::activated), 1);
        tree->sigItemRightClick.connect(cSlot(this, &tst_LayoutTree::rightClicked), 1);
        tree->resize(300, 300);
        tree->show();
        if (!QTest::qWaitForWindowExposed(tree.get()))
            qWarning("tree not exposed");
        return tree;
    }

    // Dialog "main" > VBox > (Label "name", PushButton, HBox > LineEdit "entry").
    struct tForm
    {
        explicit tForm(cEditorTestHost &host) : writer(host)
        {
            dialog = &writer.add(writer.root(), "Dialog", "main");
            box = &writer.add(*dialog, "VBoxLayout");
            label = &writer.add(*box, "Label", "name");
            button = &writer.add(*box, "PushButton");
            row = &writer.add(*box, "HBoxLayout");
            edit = &writer.add(*row, "LineEdit", "entry");
        }
        cFormWriter writer;
        cQAbstractDialogLayoutItem *dialog, *box, *label, *button, *row, *edit;
    };

    static QPoint rowCentre(QTreeWidget &tree, QTreeWidgetItem *row)
    {
        return tree.visualItemRect(row).center();
    }

private slots:
    void init()
    {
        mHovered.clear();
        mActivated.clear();
        mRightClicked.clear();
    }

    void fillShowsTreeWithLabels()
    {
        tForm form(mHost);
        auto tree = listeningTree();
        tree->fill(&form.writer.root(), nullptr);
        QCOMPARE(treeRows(*tree), QStringList({"/",
                                               "  Dialog (\"main\")",
                                               "    Vertical Box Layout",
                                               "      Label (\"name\")",
                                               "      Push Button",
                                               "      Horizontal Box Layout",
                                               "        Line Edit (\"entry\")"}));
        QCOMPARE(tree->currentItem(), tree->topLevelItem(0));
        QTreeWidgetItem *editRow = findRow(*tree, "Line Edit (\"entry\")");
        QVERIFY(editRow->parent()->isExpanded());
        QCOMPARE(cQModelViewDialogLayoutTreeItem::layoutItemOf(editRow), form.edit);
        QVERIFY(tree->hasFocus());

        QTRY_COMPARE(mActivated.size(), 1);
        init();
        tree->fill(&form.writer.root(), form.button);
        QCOMPARE(tree->currentLayoutItem(), form.button);
        QCOMPARE(tree->currentItem()->text(0), QString("Push Button"));
        // The selection made by a fill is reported like a user's.
        QCOMPARE(mHovered.size(), 1);
        QTRY_COMPARE(mActivated.size(), 1);
        QCOMPARE(mActivated.first(), tree->currentItem());

        tForm other(mHost);
        tree->fill(&form.writer.root(), other.button);
        QCOMPARE(tree->currentItem(), tree->topLevelItem(0));
    }

    void refreshTextsFollowsLabels()
    {
        tForm form(mHost);
        auto tree = listeningTree();
        tree->fill(&form.writer.root(), form.label);
        QTreeWidgetItem *current = tree->currentItem();
        cFormWriter::setAscii(*form.button, "Label", "ok \"now\"");
        cFormWriter::setAscii(*form.dialog, "Label", "");
        tree->refreshTexts();
        QCOMPARE(treeRows(*tree).mid(1, 4), QStringList({"  Dialog",
                                                         "    Vertical Box Layout",
                                                         "      Label (\"name\")",
                                                         "      Push Button (\"ok \"now\"\")"}));
        QCOMPARE(tree->currentItem(), current);
        QCOMPARE(tree->topLevelItem(0)->text(0), QString("/"));
        QCOMPARE(findRow(*tree, "Push Button (\"ok \"now\"\")")->toolTip(0),
                 QString("Push Button (\"ok \"now\"\")"));
    }

    void hoveredAtOnceActivatedAfterDelay()
    {
        tForm form(mHost);
        auto tree = listeningTree();
        tree->fill(&form.writer.root(), nullptr);
        QTRY_COMPARE(mActivated.size(), 1);
        init();

        QTreeWidgetItem *buttonRow = findRow(*tree, "Push Button");
        QElapsedTimer clock;
        clock.start();
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, rowCentre(*tree, buttonRow));
        QVERIFY(!mHovered.isEmpty());
        QCOMPARE(mHovered.last(), buttonRow);
        QVERIFY(mActivated.isEmpty());
        QTRY_COMPARE(mActivated.size(), 1);
        QVERIFY2(clock.elapsed() >= 190, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(mActivated.first(), buttonRow);
    }

    void quickClicksActivateOnlyTheLastRow()
    {
        tForm form(mHost);
        auto tree = listeningTree();
        tree->fill(&form.writer.root(), nullptr);
        QTRY_COMPARE(mActivated.size(), 1);
        init();

        const QStringList rows = {"Label (\"name\")", "Push Button", "Horizontal Box Layout"};
        for (const QString &text : rows)
            QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                              rowCentre(*tree, findRow(*tree, text)));
        QCOMPARE(mHovered.size() >= 3, true);
        QCOMPARE(mHovered.last()->text(0), rows.last());
        QTest::qWait(400);
        QCOMPARE(mActivated.size(), 1);
        QCOMPARE(mActivated.first()->text(0), rows.last());
    }

    // A right or middle press makes its row current, then reports it; below the rows and from
    // the menu keys the current row is reported, if there is one.
    void contextRequestsReportTheRow()
    {
        tForm form(mHost);
        auto tree = listeningTree();
        const QPoint below(20, tree->viewport()->height() - 5);
        QTest::mousePress(tree->viewport(), Qt::RightButton, {}, below);
        QVERIFY(mRightClicked.isEmpty());
        tree->fill(&form.writer.root(), nullptr);
        init();
        QTreeWidgetItem *labelRow = findRow(*tree, "Label (\"name\")");
        QTest::mousePress(tree->viewport(), Qt::RightButton, {}, rowCentre(*tree, labelRow));
        QCOMPARE(tree->currentItem(), labelRow);
        QCOMPARE(mHovered.value(0), labelRow);
        QTest::mousePress(tree->viewport(), Qt::MiddleButton, {}, rowCentre(*tree, labelRow));
        QTest::mousePress(tree->viewport(), Qt::LeftButton, {}, rowCentre(*tree, labelRow));
        QTest::mousePress(tree->viewport(), Qt::RightButton, {}, below);
        QTest::keyClick(tree.get(), Qt::Key_Menu);
        QTest::keyClick(tree.get(), Qt::Key_F10, Qt::ShiftModifier);
        QTest::keyClick(tree.get(), Qt::Key_F10);
        QCOMPARE(mRightClicked, QList<QTreeWidgetItem *>(5, labelRow));
    }
};

QTEST_MAIN(tst_LayoutTree)
#include "tst_layouttree.moc"
