#include "editortesthost.h"

#include "qdialogeditorwidget/cqpreviewwidgetview.h"

#include <QBoxLayout>
#include <QDockWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <QtTest>

// The editor window as it opens: form, docks, menus and actions; the layout tree driving the
// preview's marking.
class tst_EditorWindow : public QObject
{
    Q_OBJECT

    cEditorTestHost mHost;
    QTemporaryDir mDir;

    QDockWidget *dock(QMainWindow &window, const QString &title)
    {
        for (QDockWidget *d : window.findChildren<QDockWidget *>())
            if (d->windowTitle() == title)
                return d;
        return nullptr;
    }

    static QStringList menuTexts(const QMenu &menu)
    {
        QStringList texts;
        for (QAction *a : menu.actions())
            texts << (a->isSeparator() ? QStringLiteral("--") : a->text());
        return texts;
    }

    // A dialog with a vertical layout holding a label and an inner horizontal layout with two
    // buttons, loaded into `editor` through its Load command.
    void loadButtonForm(cQModelViewDialogEditorWidget &editor)
    {
        cFormWriter writer(mHost);
        auto &dialog = writer.add(writer.root(), "Dialog", "main");
        auto &box = writer.add(dialog, "VBoxLayout", "box");
        auto &label = writer.add(box, "Label", "caption");
        cFormWriter::setText(label, "Text", "Settings of the machine");
        auto &row = writer.add(box, "HBoxLayout", "buttons");
        cFormWriter::setText(writer.add(row, "PushButton", "ok"), "Text", "OK");
        cFormWriter::setText(writer.add(row, "PushButton", "cancel"), "Text", "Cancel");
        const QString path = mDir.filePath("buttons.dlg");
        writer.save(path);
        auto dialogs = std::make_unique<cScriptedFileDialogs>();
        dialogs->answers << path;
        editor.setFileDialogProvider(std::move(dialogs));
        editor.findChild<QAction *>("mpActLoadDocument")->trigger();
    }

    std::unique_ptr<cQModelViewDialogEditorWidget> shownEditor()
    {
        auto editor = mHost.newEditor();
        editor->resize(900, 700);
        editor->show();
        if (!QTest::qWaitForWindowExposed(editor.get()))
            qWarning("editor not exposed");
        return editor;
    }

    static void selectRow(QTreeWidget &tree, const QString &text)
    {
        QTreeWidgetItem *row = findRow(tree, text);
        QVERIFY2(row, qPrintable(text));
        tree.scrollToItem(row);
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(row).center());
    }

    static QRect inView(QWidget *widget, QWidget *view)
    {
        return QRect(widget->mapTo(view, QPoint(0, 0)), widget->size());
    }

private slots:
    void newWindowShowsEmptyDocument()
    {
        auto editor = mHost.newEditor();
        QCOMPARE(editor->objectName(), QString("uiCQModelViewDialogEditorSetup"));
        QCOMPARE(editor->windowTitle(), QString("VELL model based dialog editor (untitled)"));
        QVERIFY(editor->isWindow());
        QVERIFY(!editor->parentWidget());
        QVERIFY(editor->fileName().isEmpty());

        auto *tree = editor->findChild<QTreeWidget *>("dialogLayoutTree");
        QVERIFY(tree);
        QCOMPARE(treeRows(*tree), QStringList({"/"}));
        QCOMPARE(tree->currentItem(), tree->topLevelItem(0));
        QCOMPARE(editor->currentLayoutItem(), &editor->document());
        QCOMPARE(editor->documentType(), vstd::cAsciiString());
    }

    void docksSitInTheirAreas_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("area");
        QTest::addColumn<bool>("closable");
        QTest::addColumn<bool>("visible");
        QTest::newRow("layout") << "Dialog layout" << int(Qt::RightDockWidgetArea) << false << true;
        QTest::newRow("connectors") << "Connectors" << int(Qt::BottomDockWidgetArea) << false
                                    << true;
        QTest::newRow("properties") << "Properties" << int(Qt::BottomDockWidgetArea) << false
                                    << true;
        QTest::newRow("location") << "Datamodel Location" << int(Qt::RightDockWidgetArea) << true
                                  << true;
        QTest::newRow("parameters") << "Dialog parameters" << int(Qt::RightDockWidgetArea) << true
                                    << false;
    }

    void docksSitInTheirAreas()
    {
        QFETCH(QString, title);
        QFETCH(int, area);
        QFETCH(bool, closable);
        QFETCH(bool, visible);
        auto editor = shownEditor();
        QDockWidget *d = dock(*editor, title);
        QVERIFY(d);
        QCOMPARE(int(editor->dockWidgetArea(d)), area);
        QVERIFY(d->features() & QDockWidget::DockWidgetMovable);
        QVERIFY(d->features() & QDockWidget::DockWidgetFloatable);
        QCOMPARE(bool(d->features() & QDockWidget::DockWidgetClosable), closable);
        QCOMPARE(d->isVisible(), visible);
    }

    void propertiesDockIsNarrowAndHoldsStack()
    {
        auto editor = mHost.newEditor();
        QDockWidget *d = dock(*editor, "Properties");
        QCOMPARE(d->maximumWidth(), 420);
        QVERIFY(d->widget()->findChild<QStackedWidget *>("mpPropertyStack"));
        auto *tree = editor->findChild<QTreeWidget *>("dialogLayoutTree");
        QCOMPARE(tree->sizePolicy().verticalStretch(), 100);
        QCOMPARE(dock(*editor, "Dialog layout")->widget(), tree);
    }

    void formActions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<bool>("checkable");
        QTest::addColumn<bool>("checked");
        QTest::newRow("top") << "mpActTopLevelPreview" << "TopLevel" << "F9" << false << false;
        QTest::newRow("update") << "mpActUpdatePreview" << "Update" << "F4" << false << false;
        QTest::newRow("auto") << "mpActAutoUpdatePreview" << "Auto Update" << "" << true << true;
        QTest::newRow("load") << "mpActLoadDocument" << "Load..." << "F3" << false << false;
        QTest::newRow("saveas") << "mpActSaveDocument" << "Save as..." << "F2" << false << false;
        QTest::newRow("plugin") << "mpActLoadUiPlugIn" << "Load Ui PlugIn..." << "" << false
                                << false;
        QTest::newRow("models") << "mpActShowAllModels" << "Show all..." << "F7" << false << false;
        QTest::newRow("new") << "mpActNewDocument" << "New" << "Ctrl+N" << false << false;
        QTest::newRow("save") << "mpActSaveCurrentDocument" << "Save" << "Ctrl+S" << false
                              << false;
        QTest::newRow("prm") << "mpActShowParameters" << "Show Parameters" << "" << true << false;
        QTest::newRow("embedded") << "mpActEmbeddedPreview" << "Embedded Preview" << "" << true
                                  << true;
    }

    void formActions()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, shortcut);
        QFETCH(bool, checkable);
        QFETCH(bool, checked);
        auto editor = mHost.newEditor();
        auto *action = editor->findChild<QAction *>(name);
        QVERIFY(action);
        QCOMPARE(action->text(), text);
        QCOMPARE(action->shortcut(), QKeySequence(shortcut));
        QCOMPARE(action->isCheckable(), checkable);
        QCOMPARE(action->isChecked(), checked);
        QVERIFY(action->isEnabled());
    }

    void menusInOrder()
    {
        auto editor = mHost.newEditor();
        QStringList titles;
        for (QAction *a : editor->menuBar()->actions())
            titles << a->text();
        QCOMPARE(titles, QStringList({"File", "&Edit", "Views", "Models", "Preview"}));
        QCOMPARE(menuTexts(*editor->findChild<QMenu *>("menuFile")),
                 QStringList({"New", "Load...", "Save as...", "Save", "--",
                              "Load Ui PlugIn..."}));
        QCOMPARE(menuTexts(*editor->findChild<QMenu *>("menuModels")),
                 QStringList({"Show all...", "--", "Show Parameters"}));
        QCOMPARE(menuTexts(*editor->findChild<QMenu *>("menuPreview")),
                 QStringList({"TopLevel", "--", "Update", "Auto Update", "Embedded Preview"}));
        const QStringList edit = menuTexts(*editor->findChild<QMenu *>("mpMnuEdit"));
        QCOMPARE(edit.mid(edit.size() - 2), QStringList({"--", "Insert"}));
    }

    void showParametersTogglesDock()
    {
        auto editor = shownEditor();
        QDockWidget *parameters = dock(*editor, "Dialog parameters");
        auto *action = editor->findChild<QAction *>("mpActShowParameters");
        action->trigger();
        QVERIFY(action->isChecked());
        QVERIFY(parameters->isVisible());
        action->trigger();
        QVERIFY(!parameters->isVisible());
    }

    void selectedRowIsMarkedInPreview()
    {
        auto editor = shownEditor();
        loadButtonForm(*editor);
        auto *tree = editor->findChild<QTreeWidget *>("dialogLayoutTree");
        cQPreviewWidgetView *view = editor->previewView();
        QWidget *page = view->currentPreview();
        QVERIFY(page);

        selectRow(*tree, "Push Button (\"ok\")");
        cQAbstractDialogLayoutItem *ok = editor->currentLayoutItem();
        QVERIFY(ok);
        auto *button = page->findChild<QPushButton *>(qstr(ok->debugInfo()));
        QVERIFY(button);
        QCOMPARE(button->text(), QString("OK"));
        // Marked at once, before the delayed activation.
        QCOMPARE(view->selectionWidget()->mode(), 0);
        QCOMPARE(view->selectionWidget()->selection(), inView(button, view));

        selectRow(*tree, "Horizontal Box Layout (\"buttons\")");
        cQAbstractDialogLayoutItem *row = editor->currentLayoutItem();
        auto *layout = page->findChild<QHBoxLayout *>(qstr(row->debugInfo()));
        QVERIFY(layout);
        QCOMPARE(view->selectionWidget()->mode(), 1);
        QCOMPARE(view->selectionWidget()->selection(),
                 layout->contentsRect().translated(
                     layout->parentWidget()->mapTo(view, QPoint(0, 0))));

        // The marking follows the centred preview when the window grows.
        const QRect before = view->selectionWidget()->selection();
        editor->resize(editor->width() + 200, editor->height() + 100);
        QTRY_VERIFY(view->selectionWidget()->selection().topLeft() != before.topLeft());
        QCOMPARE(view->selectionWidget()->selection(),
                 layout->contentsRect().translated(
                     layout->parentWidget()->mapTo(view, QPoint(0, 0))));
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
        auto editor = shownEditor();
        auto dialogs = std::make_unique<cScriptedFileDialogs>();
        dialogs->answers << qEnvironmentVariable("VELL_SOURCE_DIR") + "/examples/" + file;
        editor->setFileDialogProvider(std::move(dialogs));
        editor->findChild<QAction *>("mpActLoadDocument")->trigger();
        QCOMPARE(qstr(editor->documentType()), type);
        auto *tree = editor->findChild<QTreeWidget *>("dialogLayoutTree");
        QCOMPARE(treeRows(*tree).value(1), "  " + firstRow);
        cQPreviewWidgetView *view = editor->previewView();
        QWidget *page = view->currentPreview();
        int marked = 0;
        for (QTreeWidgetItem *row : tree->findItems("", Qt::MatchContains | Qt::MatchRecursive)) {
            tree->setCurrentItem(row);
            const QString name = qstr(editor->currentLayoutItem()->debugInfo());
            const cQPreviewWidgetView::cSelectionWidget &overlay = *view->selectionWidget();
            auto *widget = name.isEmpty() ? nullptr : page->findChild<QWidget *>(name);
            QLayout *layout = page->findChild<QVBoxLayout *>(name);
            if (!layout)
                layout = page->findChild<QHBoxLayout *>(name);
            const QString what = row->text(0);
            if (widget && widget->isVisible()) {
                QCOMPARE(overlay.mode(), 0);
                QVERIFY2(overlay.selection() == inView(widget, view), qPrintable(what));
                ++marked;
            } else if (!widget && layout && !name.isEmpty()) {
                QCOMPARE(overlay.mode(), 1);
                QCOMPARE(overlay.selection(),
                         layout->contentsRect().translated(
                             layout->parentWidget()->mapTo(view, QPoint(0, 0))));
                ++marked;
            } else {
                QVERIFY2(overlay.selection().isEmpty(), qPrintable(what));
            }
        }
        QCOMPARE(marked > 0, markable);
    }

    void rightClickOffersEditAndViewsMenus()
    {
        auto editor = shownEditor();
        loadButtonForm(*editor);
        auto *tree = editor->findChild<QTreeWidget *>("dialogLayoutTree");
        QTreeWidgetItem *row = findRow(*tree, "Label (\"caption\")");
        QStringList offered;
        QTimer::singleShot(50, this, [&offered] {
            auto *popup = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            if (!popup)
                return;
            offered = menuTexts(*popup);
            popup->close();
        });
        QTest::mousePress(tree->viewport(), Qt::RightButton, {}, tree->visualItemRect(row).center());
        QCOMPARE(offered, QStringList({"&Edit", "--", "Views", "--"}));
        QCOMPARE(tree->currentItem(), row);
    }
};

QTEST_MAIN(tst_EditorWindow)
#include "tst_editorwindow.moc"
