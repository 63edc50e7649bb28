#include "editortesthost.h"

#include "qdialogeditorwidget/cqemptypreview.h"
#include "qdialogeditorwidget/cqmodelviewdialoglayouttreewidget.h"
#include "qdialogeditorwidget/cqpreviewwidgetview.h"

#include "vellcore/cabstractexception.h"

#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <QtTest>

// The two views of a document beside the property table: the dialog layout tree (rows, texts,
// the three host signals) and the preview area (centring, the marking of widgets and layouts by
// object name, and how the marking follows resizes and replaced previews).
class tst_EditorViews : public QObject, public vrmi::cConnectable
{
    Q_OBJECT

    cEditorTestHost mHost;
    QList<QTreeWidgetItem *> mHovered, mActivated, mRightClicked;

    piVoid hovered(QTreeWidgetItem *row) { mHovered << row; return piVoid(); }
    piVoid activated(QTreeWidgetItem *row) { mActivated << row; return piVoid(); }
    piVoid rightClicked(QTreeWidgetItem *row) { mRightClicked << row; return piVoid(); }

    using cSlot = vrmi::cDirectLocalSlotCall1<tst_EditorViews, QTreeWidgetItem *>;

    std::unique_ptr<cQModelViewDialogLayoutTreeWidget> listeningTree()
    {
        auto tree = std::make_unique<cQModelViewDialogLayoutTreeWidget>(nullptr);
        tree->sigItemHovered.connect(cSlot(this, &tst_EditorViews::hovered), 1);
        tree->sigItemActivated.connect(cSlot(this, &tst_EditorViews::activated), 1);
        tree->sigItemRightClick.connect(cSlot(this, &tst_EditorViews::rightClicked), 1);
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
        // Near the start of its text: a long row is wider than the tree.
        const QRect rect = tree.visualItemRect(row);
        return QPoint(rect.left() + 8, rect.center().y());
    }

    using cView = cQPreviewWidgetView;

    // A small form: a named vertical layout with a label and a button, like a built dialog.
    static QWidget *makeForm(QWidget *parent)
    {
        auto *form = new QWidget(parent);
        form->setObjectName("100");
        auto *layout = new QVBoxLayout(form);
        layout->setObjectName("101");
        // Explicit: a layout's default margins differ between windows and child widgets.
        layout->setContentsMargins(9, 9, 9, 9);
        auto *label = new QLabel("Name", form);
        label->setObjectName("102");
        layout->addWidget(label);
        auto *button = new QPushButton("Press me", form);
        button->setObjectName("103");
        layout->addWidget(button);
        return form;
    }

    static QRect inView(QWidget *widget, const cView &view)
    {
        return QRect(widget->mapTo(&view, QPoint(0, 0)), widget->size());
    }

    static void settle()
    {
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
    }

    std::unique_ptr<cView> shownView(QSize size = QSize(500, 400))
    {
        auto view = std::make_unique<cView>(nullptr);
        view->resize(size);
        view->show();
        if (!QTest::qWaitForWindowExposed(view.get()))
            qWarning("view not exposed");
        return view;
    }
    // A shown view with the small form as its preview, laid out.
    std::unique_ptr<cView> viewWithForm(QSize size = QSize(500, 400))
    {
        auto view = shownView(size);
        view->setPreview(makeForm(view->pagesWidget()));
        settle();
        return view;
    }
    template <class W> static W *formChild(cView &view, const char *name)
    {
        return view.currentPreview()->findChild<W *>(name);
    }

private slots:
    void init()
    {
        mHovered.clear();
        mActivated.clear();
        mRightClicked.clear();
    }

    // The column is as wide as its widest row, as Qt's sizing to contents makes a tree of the
    // same rows, after a fill, changed texts and added and removed rows, wider and narrower.
    void columnFitsWidestRowAsQtSizes()
    {
        tForm form(mHost);
        auto tree = listeningTree();
        QTreeWidget reference;
        reference.header()->hide();
        reference.header()->setStretchLastSection(false);
        reference.header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
        reference.resize(tree->size());
        reference.show();
        const std::function<void(const QTreeWidgetItem &, QTreeWidgetItem &)> copy
            = [&copy](const QTreeWidgetItem &from, QTreeWidgetItem &to) {
                  for (int i = 0; i < from.childCount(); ++i) {
                      auto *row = new QTreeWidgetItem(&to, QStringList(from.child(i)->text(0)));
                      copy(*from.child(i), *row);
                      row->setExpanded(true);
                  }
              };
        const auto qtWidth = [&] {
            reference.clear();
            copy(*tree->invisibleRootItem(), *reference.invisibleRootItem());
            reference.doItemsLayout();
            return reference.columnWidth(0);
        };
        tree->fill(&form.writer.root(), nullptr);
        const int filled = tree->columnWidth(0);
        QCOMPARE(filled, qtWidth());

        cFormWriter::setAscii(*form.edit, "Label", "a label far longer than any other row's");
        tree->refreshTextsAround(*form.edit);
        QVERIFY(tree->columnWidth(0) > filled);
        QCOMPARE(tree->columnWidth(0), qtWidth());
        auto &added = form.writer.add(*form.row, "Label", "and one longer still, one level down");
        QVERIFY(tree->insertRows(added));
        QCOMPARE(tree->columnWidth(0), qtWidth());
        QVERIFY(tree->removeRows(added));
        QCOMPARE(tree->columnWidth(0), qtWidth());
        cFormWriter::setAscii(*form.edit, "Label", "entry");
        tree->refreshTextsAround(*form.edit);
        QCOMPARE(tree->columnWidth(0), filled);
        QCOMPARE(filled, qtWidth());
    }

    // A row added to one that had none is shown, as are the rows of a fill.
    void rowAddedToEmptyLayoutIsShown()
    {
        tForm form(mHost);
        auto tree = listeningTree();
        auto &empty = form.writer.add(*form.box, "HBoxLayout");
        tree->fill(&form.writer.root(), nullptr);
        auto &inner = form.writer.add(empty, "Label", "inner");
        QVERIFY(tree->insertRows(inner));
        for (const cQAbstractDialogLayoutItem *item : {form.edit, &inner})
            QVERIFY(!tree->visualItemRect(tree->rowOf(item)).isEmpty());
    }

    void fillShowsTreeWithLabelsAndRefreshes()
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

        // Refreshed texts follow the labels; the current row stays.
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

    // A click reports its row hovered at once and activated after a delay; quick clicks on
    // several rows activate only the last.
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

        init();
        const QStringList rows = {"Label (\"name\")", "Push Button", "Horizontal Box Layout"};
        for (const QString &text : rows)
            QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                              rowCentre(*tree, findRow(*tree, text)));
        QVERIFY(mHovered.size() >= 3);
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
    void previewIsCentredOnTheWindowsDarkShade()
    {
        auto view = viewWithForm();
        QWidget *form = view->currentPreview();
        const QRect formRect = inView(form, *view);
        QCOMPARE(formRect.size(), form->sizeHint().expandedTo(form->minimumSizeHint()));
        // Centred both ways (the frame's one-pixel box around it).
        QVERIFY(qAbs(formRect.center().x() - view->width() / 2) <= 2);
        QVERIFY(qAbs(formRect.center().y() - view->height() / 2) <= 2);

        const QImage image = view->grab().toImage();
        const QColor dark = view->palette().color(QPalette::Dark);
        QCOMPARE(image.pixelColor(2, 2).rgb(), dark.rgb());
        QCOMPARE(image.pixelColor(view->width() - 3, view->height() - 3).rgb(), dark.rgb());
        QVERIFY(image.pixelColor(formRect.center()).rgb() != dark.rgb());
    }

    // A widget is marked on its geometry, white with yellow handles; a layout cyan around its
    // contents, inside the margins.
    void widgetAndLayoutMarking()
    {
        auto view = viewWithForm();
        view->selectElement("103");
        auto *button = formChild<QPushButton>(*view, "103");
        const cView::cSelectionWidget &overlay = *view->selectionWidget();
        QCOMPARE(overlay.mode(), 0);
        QCOMPARE(overlay.selection(), inView(button, *view));
        QCOMPARE(overlay.geometry(), view->rect());
        QImage image = view->grab().toImage();
        QRect r = overlay.selection();
        // Yellow at 60 % over whatever lies below, just outside the corners.
        const QColor handle = image.pixelColor(r.left() - 3, r.top() - 3);
        QVERIFY2(handle.red() > 150 && handle.green() > 150 && handle.blue() < 110,
                 qPrintable(handle.name()));
        QCOMPARE(image.pixelColor(r.right() + 3, r.bottom() + 3), handle);
        QColor outline = image.pixelColor(r.left(), r.center().y());
        QVERIFY2(outline.red() > 180 && outline.green() > 180 && outline.blue() > 180,
                 qPrintable(outline.name()));

        view->selectElement("101");
        QWidget *form = view->currentPreview();
        auto *layout = form->findChild<QVBoxLayout *>("101");
        QCOMPARE(overlay.mode(), 1);
        QCOMPARE(overlay.selection(),
                 layout->contentsRect().translated(form->mapTo(view.get(), QPoint(0, 0))));
        QVERIFY(overlay.selection().width() < form->width());
        image = view->grab().toImage();
        r = overlay.selection();
        outline = image.pixelColor(r.left(), r.center().y());
        QVERIFY2(outline.red() < 120 && outline.green() > 150 && outline.blue() > 150,
                 qPrintable(outline.name()));
    }

    // The marking and the dialog's own outline stand out on a light and on a dark dialog: the
    // edge or the line just outside it differs clearly from the dialog's colour.
    void outlineVisibleOnAnyBackground_data()
    {
        QTest::addColumn<QColor>("background");
        QTest::addColumn<QString>("name");
        for (const QColor &c : {QColor(Qt::white), QColor(Qt::black), QColor(0, 255, 255)}) {
            QTest::newRow(qPrintable(c.name() + " widget")) << c << "103";
            QTest::newRow(qPrintable(c.name() + " dialog")) << c << "100";
        }
    }
    void outlineVisibleOnAnyBackground()
    {
        QFETCH(QColor, background);
        QFETCH(QString, name);
        auto view = viewWithForm();
        QWidget *form = view->currentPreview();
        QPalette palette = form->palette();
        palette.setColor(QPalette::Window, background);
        palette.setColor(QPalette::Button, background);
        form->setPalette(palette);
        form->setAutoFillBackground(true);
        view->selectElement(qPrintable(name));
        QWidget *marked = name == "100" ? form : formChild<QWidget>(*view, qPrintable(name));
        const QRect r = view->selectionWidget()->selection();
        QCOMPARE(r, inView(marked, *view));
        const QImage image = view->grab().toImage();
        const auto contrast = [&](QPoint p) {
            const QColor c = image.pixelColor(p);
            return qAbs(c.red() - background.red()) + qAbs(c.green() - background.green())
                 + qAbs(c.blue() - background.blue());
        };
        for (const QPoint &edge : {QPoint(r.left(), r.center().y()),
                                   QPoint(r.center().x(), r.bottom())}) {
            const QPoint outside = edge + (edge.x() == r.left() ? QPoint(-1, 0) : QPoint(0, 1));
            QVERIFY2(std::max(contrast(edge), contrast(outside)) > 300,
                     qPrintable(image.pixelColor(edge).name() + image.pixelColor(outside).name()));
        }
    }

    // A left press in the preview names what lies under the mouse, innermost first, and still
    // reaches the preview's widget.
    void pressReportsNamesUnderMouse_data()
    {
        QTest::addColumn<QString>("target"); // a widget's name, "gap" or "margin"
        QTest::addColumn<QStringList>("names");
        QTest::newRow("label") << "102" << QStringList{"102", "101", "100"};
        QTest::newRow("button") << "103" << QStringList{"103", "101", "100"};
        QTest::newRow("between the two") << "gap" << QStringList{"101", "100"};
        QTest::newRow("dialog margin") << "margin" << QStringList{"100"};
    }
    void pressReportsNamesUnderMouse()
    {
        QFETCH(QString, target);
        QFETCH(QStringList, names);
        auto view = viewWithForm();
        QSignalSpy reported(view.get(), &cView::elementClicked);
        QWidget *form = view->currentPreview();
        auto *label = formChild<QLabel>(*view, "102");
        auto *button = formChild<QPushButton>(*view, "103");
        QSignalSpy clicked(button, &QPushButton::clicked);
        if (target == "gap") {
            const int y = (label->geometry().bottom() + button->geometry().top()) / 2;
            QVERIFY(y > label->geometry().bottom() && y < button->geometry().top());
            QTest::mouseClick(form, Qt::LeftButton, {}, QPoint(label->geometry().center().x(), y));
        } else if (target == "margin") {
            QTest::mouseClick(form, Qt::LeftButton, {}, QPoint(3, 3));
        } else {
            QTest::mouseClick(form->findChild<QWidget *>(target), Qt::LeftButton);
        }
        QCOMPARE(reported.count(), 1);
        QCOMPARE(reported.at(0).at(0).toStringList(), names);
        QCOMPARE(clicked.count(), target == "103" ? 1 : 0);
        QTest::mouseClick(form, Qt::RightButton, {}, QPoint(3, 3));
        QCOMPARE(reported.count(), 1);
    }

    // In the editor a click in the preview selects the element's row, as choosing it does.
    void clickInPreviewSelectsElement_data()
    {
        QTest::addColumn<QString>("row"); // the row to be selected; its widget is clicked
        QTest::newRow("label") << "Label (\"name\")";
        QTest::newRow("in a nested layout") << "Line Edit (\"entry\")";
        QTest::newRow("the dialog, at its margin") << "Dialog (\"main\")";
    }
    void clickInPreviewSelectsElement()
    {
        QFETCH(QString, row);
        QTemporaryDir dir;
        tForm form(mHost);
        form.writer.save(dir.filePath("form.dlg"));
        cEditorDriver d(mHost);
        QVERIFY(d.after([&] { d.window->loadDocument(dir.filePath("form.dlg"), false); }));
        QTreeWidgetItem *target = findRow(*d.tree, row);
        QVERIFY(target);
        cQAbstractDialogLayoutItem *item = cQModelViewDialogLayoutTreeItem::layoutItemOf(target);
        QWidget *page = d.window->previewView()->currentPreview();
        const QString name = qstr(item->debugInfo());
        QWidget *widget = page->objectName() == name ? page : page->findChild<QWidget *>(name);
        QVERIFY(widget);
        QVERIFY(d.after([&] {
            QTest::mouseClick(widget, Qt::LeftButton, {},
                              widget == page ? QPoint(2, 2) : widget->rect().center());
        }));
        QCOMPARE(d.current(), item);
        QCOMPARE(d.window->previewView()->selectionWidget()->selection(),
                 inView(widget, *d.window->previewView()));
    }

    // An unknown or empty name clears the marking; so does a name before any preview. A null
    // preview is refused and the marked one stays.
    void unknownEmptyNameOrNullPreview()
    {
        auto view = shownView();
        view->selectElement("103");     // no preview yet
        QCOMPARE(view->selectionWidget()->selection(), QRect(0, 0, 0, 0));
        QWidget *form = makeForm(view->pagesWidget());
        view->setPreview(form);
        settle();
        for (const char *name : {"999", ""}) {
            view->selectElement("103");
            QVERIFY(view->selectionWidget()->selection().width() > 0);
            view->selectElement(name);
            QCOMPARE(view->selectionWidget()->selection(), QRect(0, 0, 0, 0));
        }
        view->selectElement("103");
        try {
            view->setPreview(nullptr);
            QFAIL("no exception for a null preview");
        } catch (const vstd::cRuntimeException &e) {
            QCOMPARE(e.message().rawText(), QString("$VTR$Invalid preview!"));
        }
        QCOMPARE(view->currentPreview(), form);
        QVERIFY(view->selectionWidget()->selection().width() > 0);
    }

    // The marking follows the view's resize, a preview that grows later, and a hidden widget
    // once it is shown.
    void markingFollowsGeometry()
    {
        auto view = viewWithForm(QSize(400, 300));
        view->selectElement("103");
        auto *button = formChild<QPushButton>(*view, "103");
        const QRect before = view->selectionWidget()->selection();
        view->resize(600, 500);
        settle();
        const QRect after = view->selectionWidget()->selection();
        QCOMPARE(after, inView(button, *view));
        QCOMPARE(after.topLeft() - before.topLeft(), QPoint(100, 100));
        QCOMPARE(view->selectionWidget()->size(), QSize(600, 500));

        auto *label = formChild<QLabel>(*view, "102");
        label->setText("A much longer text that widens the whole form");
        settle();
        QCOMPARE(view->selectionWidget()->selection(), inView(button, *view));

        label->hide();
        view->selectElement("102");
        QCOMPARE(view->selectionWidget()->selection(), QRect(0, 0, 0, 0));
        label->show();
        settle();
        view->resize(520, 420);
        settle();
        QCOMPARE(view->selectionWidget()->selection(), inView(label, *view));
    }

    void replacingPreviewClearsMarkingAndDeletesOldPageLater()
    {
        auto view = shownView();
        QPointer<QWidget> first = makeForm(view->pagesWidget());
        view->setPreview(first);
        settle();
        view->selectElement("103");
        QVERIFY(view->selectionWidget()->selection().width() > 0);

        view->setPreview(makeForm(view->pagesWidget()));
        QCOMPARE(view->selectionWidget()->selection(), QRect(0, 0, 0, 0));
        QVERIFY(first);                      // still alive during the current event
        QCOMPARE(view->pagesWidget()->count(), 1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!first);
    }

    void previewKeepsWindowColoursUnderDarkScrollArea()
    {
        // As in the editor: the view inside a scroll area with a dark background.
        QScrollArea area;
        area.setBackgroundRole(QPalette::Dark);
        area.setWidgetResizable(true);
        auto *view = new cView(&area);
        area.setWidget(view);
        area.resize(500, 400);
        area.show();
        QVERIFY(QTest::qWaitForWindowExposed(&area));
        view->setPreview(makeForm(view->pagesWidget()));
        settle();
        QCOMPARE(formChild<QLabel>(*view, "102")->foregroundRole(), QPalette::WindowText);
        QCOMPARE(view->currentPreview()->backgroundRole(), QPalette::Window);
        const QImage image = view->grab().toImage();
        const QPoint inForm = view->currentPreview()->mapTo(view, QPoint(2, 2));
        QCOMPARE(image.pixelColor(inForm), area.palette().color(QPalette::Window));
    }

    // Nothing to preview: a red cross, or the hint of an empty form, on the window's colours.
    void emptyPreview_data()
    {
        QTest::addColumn<QString>("hint");
        QTest::newRow("cross") << QString();
        QTest::newRow("hint") << QString("This form is empty.");
    }

    void emptyPreview()
    {
        QFETCH(QString, hint);
        auto view = shownView();
        view->setEmptyHint(hint);
        view->showEmptyPreview();
        settle();
        auto *empty = qobject_cast<cQEmptyPreview *>(view->currentPreview());
        QVERIFY(empty);
        QCOMPARE(empty->hint(), hint);
        // The cross fills its square; the hint, one line here, is only as high as its text.
        QCOMPARE(empty->width(), hint.isEmpty() ? 320 : 220);
        QCOMPARE(empty->height() < 100, !hint.isEmpty());
        const QColor window = view->palette().color(QPalette::Window);
        QCOMPARE(view->grab().toImage().pixelColor(2, 2), window);
        const QImage image = empty->grab().toImage();
        const QColor red(255, 0, 0);
        QCOMPARE(image.pixelColor(160, 160) == red, hint.isEmpty());
        QCOMPARE(image.pixelColor(2, 2) == red, hint.isEmpty());
        QCOMPARE(image.pixelColor(image.width() / 2, 2), window);
        int text = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                text += image.pixelColor(x, y) != window && image.pixelColor(x, y) != red;
        QCOMPARE(text > 50, !hint.isEmpty());
    }

    // A new editor says how to begin, naming the top-level elements with their keys; the
    // hint goes with the first element and comes back when the form is empty again.
    void emptyFormShowsHowToBegin()
    {
        cEditorDriver d(mHost);
        const auto hint = [&] {
            QWidget *shown = d.window->previewView()->currentPreview();
            auto *empty = qobject_cast<cQEmptyPreview *>(shown);
            return empty ? empty->hint() : QString("(a preview)");
        };
        QVERIFY2(hint().contains("Begin with Dialog (D), Menu (M) or Tool Bar (B):"),
                 qPrintable(hint()));
        QVERIFY(d.key(Qt::Key_D));
        QCOMPARE(hint(), QString("(a preview)"));
        QVERIFY(d.key(Qt::Key_Delete));
        QVERIFY(hint().startsWith("This form is empty."));
    }
};

QTEST_MAIN(tst_EditorViews)
#include "tst_editorviews.moc"
