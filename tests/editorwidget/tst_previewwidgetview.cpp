#include "qdialogeditorwidget/cqemptypreview.h"
#include "qdialogeditorwidget/cqpreviewwidgetview.h"

#include "vellcore/cabstractexception.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <QtTest>

// The preview area: centring, the marking of widgets and layouts by object name, and how the
// marking follows resizes and replaced previews.
class tst_PreviewWidgetView : public QObject
{
    Q_OBJECT

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
    void previewIsCentredInFrameOnBlack()
    {
        auto view = shownView();
        QWidget *form = makeForm(view->pagesWidget());
        view->setPreview(form);
        settle();
        const QRect formRect = inView(form, *view);
        QCOMPARE(formRect.size(), form->sizeHint().expandedTo(form->minimumSizeHint()));
        // Centred both ways (the frame's one-pixel box around it).
        QVERIFY(qAbs(formRect.center().x() - view->width() / 2) <= 2);
        QVERIFY(qAbs(formRect.center().y() - view->height() / 2) <= 2);

        const QImage image = view->grab().toImage();
        QCOMPARE(image.pixelColor(2, 2), QColor(0, 0, 0));
        QCOMPARE(image.pixelColor(view->width() - 3, view->height() - 3), QColor(0, 0, 0));
        QVERIFY(image.pixelColor(formRect.center()) != QColor(0, 0, 0));
    }

    void widgetIsMarkedWhiteWithHandles()
    {
        auto view = viewWithForm();
        view->selectElement("103");
        auto *button = formChild<QPushButton>(*view, "103");
        const cView::cSelectionWidget &overlay = *view->selectionWidget();
        QCOMPARE(overlay.mode(), 0);
        QCOMPARE(overlay.selection(), inView(button, *view));
        QCOMPARE(overlay.geometry(), view->rect());

        const QImage image = view->grab().toImage();
        const QRect r = overlay.selection();
        // Yellow handles just outside the corners.
        const QColor handle = image.pixelColor(r.left() - 3, r.top() - 3);
        // Yellow at 60 % over whatever lies below.
        QVERIFY2(handle.red() > 150 && handle.green() > 150 && handle.blue() < 110,
                 qPrintable(handle.name()));
        const QColor bottomRight = image.pixelColor(r.right() + 3, r.bottom() + 3);
        QCOMPARE(bottomRight, handle);
        // White, not cyan, outline.
        const QColor outline = image.pixelColor(r.left(), r.center().y());
        QVERIFY2(outline.red() > 180 && outline.green() > 180 && outline.blue() > 180,
                 qPrintable(outline.name()));
    }

    void layoutIsMarkedCyanAroundItsContents()
    {
        auto view = viewWithForm();
        view->selectElement("101");
        QWidget *form = view->currentPreview();
        auto *layout = form->findChild<QVBoxLayout *>("101");
        const cView::cSelectionWidget &overlay = *view->selectionWidget();
        QCOMPARE(overlay.mode(), 1);
        QCOMPARE(overlay.selection(),
                 layout->contentsRect().translated(form->mapTo(view.get(), QPoint(0, 0))));
        // Inside the margins, not on the form's border.
        QVERIFY(overlay.selection().width() < form->width());

        const QImage image = view->grab().toImage();
        const QColor outline = image.pixelColor(overlay.selection().left(),
                                                overlay.selection().center().y());
        QVERIFY2(outline.red() < 120 && outline.green() > 150 && outline.blue() > 150,
                 qPrintable(outline.name()));
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

    void emptyPreviewIsRedCross()
    {
        auto view = shownView();
        view->showEmptyPreview();
        settle();
        auto *empty = qobject_cast<cQEmptyPreview *>(view->currentPreview());
        QVERIFY(empty);
        QCOMPARE(empty->size(), QSize(320, 320));
        const QImage image = empty->grab().toImage();
        QCOMPARE(image.pixelColor(160, 160), QColor(255, 0, 0));
        QCOMPARE(image.pixelColor(10, 10), QColor(255, 0, 0));
        QCOMPARE(image.pixelColor(310, 10), QColor(255, 0, 0));
        QVERIFY(image.pixelColor(160, 40) != QColor(255, 0, 0));
    }
};

QTEST_MAIN(tst_PreviewWidgetView)
#include "tst_previewwidgetview.moc"
