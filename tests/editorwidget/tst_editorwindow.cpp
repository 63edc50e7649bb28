#include "editortesthost.h"

#include "qdialogeditorwidget/cqpreviewwidgetview.h"
#include "vellcore/cdebugstream.h"

#include <QBoxLayout>
#include <QDockWidget>
#include <QMenu>
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
            auto *widget = name.isEmpty() ? nullptr : page->findChild<QWidget *>(name);
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
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                          tree->visualItemRect(buttons).center());
        cQPreviewWidgetView *view = editor->previewView();
        auto *layout = view->currentPreview()->findChild<QHBoxLayout *>(
            qstr(editor->currentLayoutItem()->debugInfo()));
        const QRect before = view->selectionWidget()->selection();
        QCOMPARE(before, inView(layout, view));
        editor->resize(editor->width() + 200, editor->height() + 100);
        QTRY_VERIFY(view->selectionWidget()->selection().topLeft() != before.topLeft());
        QCOMPARE(view->selectionWidget()->selection(), inView(layout, view));
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
        QTest::mousePress(tree->viewport(), Qt::RightButton, {}, tree->visualItemRect(row).center());
        QCOMPARE(offered, QStringList({"&Edit", "--", "Views", "--"}));
        QCOMPARE(tree->currentItem(), row);
    }
};

QTEST_MAIN(tst_EditorWindow)
#include "tst_editorwindow.moc"
