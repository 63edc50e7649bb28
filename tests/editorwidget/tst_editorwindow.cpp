#include "editortesthost.h"

#include "modalanswer.h"
#include "qdialogeditorwidget/cqpreviewwidgetview.h"
#include "vellcore/cdebugstream.h"

#include <QBoxLayout>
#include <QDialogButtonBox>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

// The editor window as it opens, and the layout tree driving the preview's marking.
class tst_EditorWindow : public QObject
{
    Q_OBJECT

    cEditorTestHost mHost;

    static QDockWidget *dock(QMainWindow &window, const QString &title)
    {
        for (QDockWidget *d : window.findChildren<QDockWidget *>())
            if (d->windowTitle() == title)
                return d;
        return nullptr;
    }

    std::unique_ptr<cQModelViewDialogEditorWidget> shownEditor(const QString &example = {})
    {
        auto editor = mHost.newEditor();
        editor->resize(900, 700);
        editor->show();
        if (!QTest::qWaitForWindowExposed(editor.get()))
            qWarning("editor not exposed");
        if (!example.isEmpty()) {
            auto dialogs = std::make_unique<cScriptedFileDialogs>();
            dialogs->answers << qEnvironmentVariable("VELL_SOURCE_DIR") + "/examples/" + example;
            editor->setFileDialogProvider(std::move(dialogs));
            editor->findChild<QAction *>("mpActLoadDocument")->trigger();
        }
        return editor;
    }

    // Clicks the menu bar's `menu` and then its entry `entry`, as a user does.
    static void clickMenu(QMainWindow &window, const QString &menu, const QString &entry)
    {
        QMenuBar *bar = window.menuBar();
        QAction *title = nullptr;
        for (QAction *a : bar->actions())
            if (a->text().remove('&') == menu)
                title = a;
        QVERIFY2(title, qPrintable(menu));
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(title).center());
        QMenu *popup = title->menu();
        QTRY_VERIFY(popup->isVisible());
        QAction *item = nullptr;
        for (QAction *a : popup->actions())
            if (a->text() == entry)
                item = a;
        QVERIFY2(item && item->isEnabled(), qPrintable(entry));
        QTest::mouseClick(popup, Qt::LeftButton, {}, popup->actionGeometry(item).center());
    }

    static QRect inView(QWidget *widget, QWidget *view)
    {
        return QRect(widget->mapTo(view, QPoint(0, 0)), widget->size());
    }
    static QRect inView(QLayout *layout, QWidget *view)
    {
        return layout->contentsRect().translated(layout->parentWidget()->mapTo(view, QPoint()));
    }

private slots:
    // A new window shows the empty document; Show Parameters toggles its dock.
    void newWindowShowsEmptyDocument()
    {
        auto editor = shownEditor();
        QCOMPARE(editor->objectName(), QString("uiCQModelViewDialogEditorSetup"));
        QCOMPARE(editor->windowTitle(), QString("VELL model based dialog editor (untitled)"));
        QVERIFY(editor->fileName().isEmpty());
        auto *tree = editor->findChild<QTreeWidget *>("dialogLayoutTree");
        QCOMPARE(treeRows(*tree), QStringList({"/"}));
        QCOMPARE(editor->currentLayoutItem(), &editor->document());
        QCOMPARE(dock(*editor, "Dialog layout")->widget(), tree);

        QDockWidget *parameters = dock(*editor, "Dialog parameters");
        auto *action = editor->findChild<QAction *>("mpActShowParameters");
        action->trigger();
        QVERIFY(action->isChecked() && parameters->isVisible());
        action->trigger();
        QVERIFY(!parameters->isVisible());

        // The window's trace lines name its source, whichever of its files writes them.
        QStringList traces;
        vpi::system().setSink([&traces](const QString &line) { traces << line; });
        editor->findChild<QAction *>("mpActShowAllModels")->trigger();
        vpi::system().setSink(nullptr);
        const QStringList own = traces.filter("Note: missing F7");
        QCOMPARE(own.size(), 1);
        QVERIFY2(own[0].startsWith("qdialogeditorwidget/cqmodelviewdialogeditorwidget.cpp:"),
                 qPrintable(own[0]));
    }

    void exampleFormsMarkWhatIsSelected_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("firstRow");
        QTest::addColumn<bool>("markable");
        QTest::newRow("machine") << "machine.dlg" << "Dialog" << "Dialog (\"Machine window\")"
                                 << true;
        // A menu's entries are actions and its menus closed popups: nothing to mark.
        QTest::newRow("menu") << "menu.dlg" << "Menu" << "Menu (\"Machine menu\")" << false;
        QTest::newRow("toolbar") << "toolbar.dlg" << "ToolBar" << "Tool Bar (\"Machine tools\")"
                                 << true;
    }

    // Every row of an example form, selected in turn: the marking sits on the element's widget
    // when it is shown, around its layout's contents when it is a layout, and nowhere else.
    void exampleFormsMarkWhatIsSelected()
    {
        QFETCH(QString, file);
        QFETCH(QString, type);
        QFETCH(QString, firstRow);
        QFETCH(bool, markable);
        auto editor = shownEditor(file);
        QCOMPARE(qstr(editor->documentType()), type);
        auto *tree = editor->findChild<QTreeWidget *>("dialogLayoutTree");
        QCOMPARE(treeRows(*tree).value(1), "  " + firstRow);
        cQPreviewWidgetView *view = editor->previewView();
        QWidget *page = view->currentPreview();
        const cQPreviewWidgetView::cSelectionWidget &overlay = *view->selectionWidget();
        int marked = 0;
        for (QTreeWidgetItem *row : tree->findItems("", Qt::MatchContains | Qt::MatchRecursive)) {
            tree->setCurrentItem(row);
            const QString name = qstr(editor->currentLayoutItem()->debugInfo());
            // The dialog is the page itself.
            QWidget *widget = name.isEmpty()            ? nullptr
                              : page->objectName() == name ? page
                                                           : page->findChild<QWidget *>(name);
            QLayout *layout = page->findChild<QVBoxLayout *>(name);
            if (!layout)
                layout = page->findChild<QHBoxLayout *>(name);
            const QByteArray what = row->text(0).toUtf8();
            if (widget && widget->isVisible()) {
                QCOMPARE(overlay.mode(), 0);
                QVERIFY2(overlay.selection() == inView(widget, view), what);
                ++marked;
            } else if (!widget && layout && !name.isEmpty()) {
                QCOMPARE(overlay.mode(), 1);
                QVERIFY2(overlay.selection() == inView(layout, view), what);
                ++marked;
            } else {
                QVERIFY2(overlay.selection().isEmpty(), what);
            }
        }
        QCOMPARE(marked > 0, markable);
    }

    // The embedded preview is the same dialog as the running one: same size, same margins.
    void embeddedPreviewMatchesTopLevelPreview()
    {
        auto editor = shownEditor("machine.dlg");
        // Room for the whole dialog beside the docks: a smaller area shrinks the embedded one.
        editor->resize(1200, 900);
        QCoreApplication::processEvents();
        QWidget *embedded = editor->previewView()->currentPreview();
        QVERIFY(embedded);
        editor->findChild<QAction *>("mpActTopLevelPreview")->trigger();
        QWidget *topLevel = editor->topLevelPreview();
        QVERIFY(topLevel);
        QCOMPARE(embedded->size(), topLevel->size());
        QCOMPARE(embedded->layout()->contentsMargins(), topLevel->layout()->contentsMargins());
    }

    void markingFollowsWindowResize()
    {
        auto editor = shownEditor("machine.dlg");
        auto *tree = editor->findChild<QTreeWidget *>("dialogLayoutTree");
        QTreeWidgetItem *buttons = findRow(*tree, "Horizontal Box Layout (\"Buttons\")");
        tree->scrollToItem(buttons);
        // On the start of its text: the whole row may be wider than the tree.
        const QRect row = tree->visualItemRect(buttons);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, row.topLeft() + QPoint(8, 4));
        cQPreviewWidgetView *view = editor->previewView();
        auto *layout = view->currentPreview()->findChild<QHBoxLayout *>(
            qstr(editor->currentLayoutItem()->debugInfo()));
        const QRect before = view->selectionWidget()->selection();
        QCOMPARE(before, inView(layout, view));
        editor->resize(editor->width() + 200, editor->height() + 100);
        QTRY_VERIFY(view->selectionWidget()->selection().topLeft() != before.topLeft());
        QCOMPARE(view->selectionWidget()->selection(), inView(layout, view));
    }

    // The keys of desktop programs open the same file dialogs as the function keys.
    void fileKeys_data()
    {
        QTest::addColumn<QKeySequence>("key");
        QTest::addColumn<QString>("caption");
        QTest::newRow("F3") << QKeySequence(Qt::Key_F3) << "Choose a Form";
        QTest::newRow("Ctrl+O") << QKeySequence(Qt::CTRL | Qt::Key_O) << "Choose a Form";
        QTest::newRow("F2") << QKeySequence(Qt::Key_F2) << "Specify a name for the Form";
        QTest::newRow("Ctrl+Shift+S")
            << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S) << "Specify a name for the Form";
    }
    void fileKeys()
    {
        QFETCH(QKeySequence, key);
        QFETCH(QString, caption);
        auto editor = shownEditor();
        auto dialogs = std::make_unique<cScriptedFileDialogs>();
        auto *requests = &dialogs->requests;
        editor->setFileDialogProvider(std::move(dialogs));
        QTest::keySequence(editor.get(), key);
        QCOMPARE(requests->size(), 1);
        QCOMPARE(requests->at(0).caption, caption);
    }

    // Quit closes the window, from the menu or with Ctrl+Q.
    void quitClosesTheWindow()
    {
        auto editor = shownEditor();
        clickMenu(*editor, "File", "Quit");
        QTRY_VERIFY(!editor->isVisible());
        editor->show();
        QVERIFY(QTest::qWaitForWindowExposed(editor.get()));
        QTest::keyClick(editor.get(), Qt::Key_Q, Qt::ControlModifier);
        QTRY_VERIFY(!editor->isVisible());
    }

    void helpMenuShowsVersionsAndFirstSteps()
    {
        auto editor = shownEditor();
        QString about;
        whenModalOpens([&about](QWidget *w) {
            if (auto *box = qobject_cast<QMessageBox *>(w))
                about = box->windowTitle() + '|' + box->text();
            w->close();
        });
        clickMenu(*editor, "Help", "About");
        QTRY_VERIFY(!about.isEmpty());
        QVERIFY2(about.startsWith("About|VELL model based dialog editor 0.1 on the VELL host "
                                  "framework 2.0"),
                 qPrintable(about));

        clickMenu(*editor, "Help", "Getting started");
        auto *page = editor->findChild<QDialog *>("mpDlgGettingStarted");
        QTRY_VERIFY(page && page->isVisible());
        const QString text = page->findChild<QLabel *>("mpLblGettingStarted")->text();
        for (const char *step : {"Dialog from the Views menu", "layout", "Assign to model"})
            QVERIFY2(text.contains(step), step);
        QTest::mouseClick(page->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Close),
                          Qt::LeftButton);
        QVERIFY(!page->isVisible());
    }

    // The status bar says whether there are changes no save has taken.
    void statusBarShowsUnsavedChanges()
    {
        auto editor = shownEditor();
        auto *unsaved = editor->findChild<QLabel *>("mpLblUnsavedChanges");
        QVERIFY(unsaved && unsaved->isVisible());
        QCOMPARE(unsaved->text(), QString());
        auto *name = editor->findChild<QLineEdit *>("mpTxtName");
        QTest::keyClicks(name, "Pump");
        QTRY_COMPARE(unsaved->text(), QString("Unsaved changes"));

        QTemporaryDir dir;
        auto dialogs = std::make_unique<cScriptedFileDialogs>();
        dialogs->answers << dir.filePath("pump.dlg");
        editor->setFileDialogProvider(std::move(dialogs));
        QTest::keyClick(editor.get(), Qt::Key_S, Qt::ControlModifier);
        QTRY_COMPARE(unsaved->text(), QString());

        QTest::keyClicks(name, " control");
        QTRY_COMPARE(unsaved->text(), QString("Unsaved changes"));
        QTest::keyClick(editor.get(), Qt::Key_N, Qt::ControlModifier);
        QTRY_COMPARE(unsaved->text(), QString());
    }

    // A narrow tree scrolls sideways to its longest name instead of cutting it off.
    void narrowTreeScrollsSideways()
    {
        auto editor = shownEditor("machine.dlg");
        auto *tree = editor->findChild<QTreeWidget *>("dialogLayoutTree");
        dock(*editor, "Dialog layout")->setFloating(true);
        dock(*editor, "Dialog layout")->resize(120, 300);
        QScrollBar *bar = tree->horizontalScrollBar();
        QTRY_VERIFY(bar->maximum() > 0);
        QTreeWidgetItem *buttons = findRow(*tree, "Horizontal Box Layout (\"Buttons\")");
        // The column holds the deepest rows' whole texts behind their indentation.
        const QRect row = tree->visualItemRect(buttons);
        const int textWidth = tree->fontMetrics().horizontalAdvance(buttons->text(0));
        QVERIFY2(tree->columnWidth(0) >= row.left() + bar->value() + textWidth,
                 qPrintable(QString::number(tree->columnWidth(0))));
        QVERIFY(tree->columnWidth(0) > tree->viewport()->width());
    }

    void rightClickOffersEditAndViewsMenus()
    {
        auto editor = shownEditor("machine.dlg");
        auto *tree = editor->findChild<QTreeWidget *>("dialogLayoutTree");
        QTreeWidgetItem *row = findRow(*tree, "Check Box (\"Running\")");
        QStringList offered;
        QTimer::singleShot(50, this, [&offered] {
            auto *popup = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            if (!popup)
                return;
            for (QAction *a : popup->actions())
                offered << (a->isSeparator() ? QStringLiteral("--") : a->text());
            popup->close();
        });
        QTest::mousePress(tree->viewport(), Qt::RightButton, {},
                          tree->visualItemRect(row).topLeft() + QPoint(8, 4));
        QCOMPARE(offered, QStringList({"&Edit", "--", "Views", "--"}));
        QCOMPARE(tree->currentItem(), row);
    }
};

QTEST_MAIN(tst_EditorWindow)
#include "tst_editorwindow.moc"
