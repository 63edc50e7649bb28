#include "editortesthost.h"
#include "propertytesthelpers.h"

#include "undofuzzer.h"

#include "vellcore/cerrorreporter.h"

#include <QApplication>
#include <QDockWidget>
#include <QLineEdit>
#include <QMenuBar>
#include <QUndoView>

// The document's undo history in the editor: the menu entries and the History dock, what makes
// one step, where the selection goes, and a randomized comparison of undo and redo with the
// states the document went through.
class tst_UndoHistory : public QObject
{
    Q_OBJECT

    cEditorTestHost mHost;
    QTemporaryDir mDir;

    std::unique_ptr<cQModelViewDialogEditorWidget> editorWith(const QString &example)
    {
        auto editor = mHost.newEditor();
        // The form is edited as a copy, so that Save writes into the scratch folder.
        const QString copy = mDir.filePath(example);
        QFile::remove(copy);
        QFile::copy(qEnvironmentVariable("VELL_SOURCE_DIR") + "/examples/" + example, copy);
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
        editor->loadDocument(copy, true);
        return editor;
    }
    static QAction *action(QWidget &editor, const char *name)
    {
        return editor.findChild<QAction *>(name);
    }
    static void select(cQModelViewDialogEditorWidget &editor, const QString &row)
    {
        auto *tree = static_cast<cQModelViewDialogLayoutTreeWidget *>(
            editor.findChild<QTreeWidget *>("dialogLayoutTree"));
        tree->setCurrentItem(findRow(*tree, row));
        tree->sigItemActivated.emitSignal(tree->currentItem());
    }
    static void commit(cQModelViewDialogEditorWidget &editor, const char *property,
                       const char *value)
    {
        editor.currentLayoutItem()->findProperty(property)->asciiStringView()->setValue(value);
        editor.connectorTable()->propertyChangedSignal.emitSignal();
    }

private slots:
    void initTestCase() { QVERIFY(mDir.isValid()); }

    // Undo and Redo name the step they would apply and are enabled only when there is one;
    // History, in the same menu, shows the dock, which starts hidden.
    void editMenuAndHistoryDock()
    {
        auto editor = editorWith("machine.dlg");
        editor->resize(1000, 760);
        editor->show();
        QVERIFY(QTest::qWaitForWindowExposed(editor.get()));
        auto *menu = editor->findChild<QMenu *>("mpMnuEdit");
        QAction *undo = action(*editor, "mpActUndo"), *redo = action(*editor, "mpActRedo");
        QAction *history = action(*editor, "mpActHistory");
        QVERIFY(menu->actions().contains(undo) && menu->actions().contains(history));
        QVERIFY(!undo->isEnabled() && !redo->isEnabled());
        auto *dock = editor->findChild<QDockWidget *>("mpDockHistory");
        QVERIFY(history->isCheckable() && !history->isChecked() && dock->isHidden());

        select(*editor, "Push Button (\"Start\")");
        commit(*editor, "Label", "Go");
        action(*editor, "mpActRemove")->trigger();
        QCOMPARE(undo->text(), QString("Undo Remove Push Button"));
        QVERIFY(undo->isEnabled() && !redo->isEnabled());
        undo->trigger();
        QCOMPARE(undo->text(), QString("Undo Change Label"));
        QCOMPARE(redo->text(), QString("Redo Remove Push Button"));
        QVERIFY(redo->isEnabled());

        history->trigger();
        QVERIFY(dock->isVisible() && history->isChecked());
        auto *view = dock->findChild<QUndoView *>("mpHistoryView");
        QCOMPARE(view->model()->rowCount(), 3); // the opened document and two steps
        QCOMPARE(view->model()->index(2, 0).data().toString(), QString("Remove Push Button"));
        saveShot(editor.get(), "undo_history_dock");
        if (!qEnvironmentVariableIsEmpty("VELL_SCREENSHOT_DIR")) {
            menu->popup(editor->mapToGlobal(QPoint(40, 30)));
            QVERIFY(QTest::qWaitForWindowExposed(menu));
            menu->grab().save(qEnvironmentVariable("VELL_SCREENSHOT_DIR") + "/undo_edit_menu.png");
            menu->hide();
        }
        history->trigger();
        QVERIFY(dock->isHidden());
    }

    // Commits of one editor to one property merge; a merged step back at its start goes away;
    // spin box arrows make one step. (Where merging ends, the randomized test checks.)
    void mergingRules()
    {
        auto editor = editorWith("machine.dlg");
        QUndoStack &stack = editor->undoRecorder().stack();
        select(*editor, "Push Button (\"Start\")");
        commit(*editor, "Label", "G");
        commit(*editor, "Label", "Go");
        QCOMPARE(stack.count(), 1);
        commit(*editor, "Label", "Start");
        QCOMPARE(stack.count(), 0);

        // The width of the dialog, pressed up three times in its spin box.
        editor->show();
        QVERIFY(QTest::qWaitForWindowExposed(editor.get()));
        select(*editor, "Dialog (\"Machine window\")");
        QWidget *cell = tableCell(*editor->connectorTable(), "Width", 1);
        QVERIFY(cell);
        QTest::mouseClick(cell, Qt::LeftButton, {}, QPoint(4, 4));
        auto *spin = cell->findChild<QSpinBox *>();
        QVERIFY(spin && spin->isVisible());
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(spin, Qt::Key_Up);
        QCOMPARE(stack.count(), 1);
        QCOMPARE(stack.undoText(), QString("Change Width"));
        QCOMPARE(editor->currentLayoutItem()->findProperty("Width")->intView()->value(), 383);
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(spin, Qt::Key_Down);
        QCOMPARE(stack.count(), 0);
    }

    // Locations typed one after another into the location panel for one property make one
    // step, named after what they do together ("Command" is bound to Machine.start).
    void mergedBindingStepName_data()
    {
        QTest::addColumn<QString>("property");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QString>("step");  // empty: no step is left
        QTest::newRow("bind") << "Text" << QStringList{"Machine.a"} << "Bind Text";
        QTest::newRow("bind twice") << "Text" << QStringList{"Machine.a", "Machine.b"}
                                    << "Bind Text";
        QTest::newRow("bind, unbind") << "Text" << QStringList{"Machine.a", ""} << "";
        QTest::newRow("unbind") << "Command" << QStringList{""} << "Unbind Command";
        QTest::newRow("unbind, rebind") << "Command" << QStringList{"", "Machine.stop"}
                                        << "Rebind Command";
        QTest::newRow("unbind, bind back") << "Command" << QStringList{"", "Machine.start"}
                                           << "";
        QTest::newRow("rebind, unbind") << "Command" << QStringList{"Machine.stop", ""}
                                        << "Unbind Command";
    }
    void mergedBindingStepName()
    {
        QFETCH(QString, property);
        QFETCH(QStringList, typed);
        QFETCH(QString, step);
        auto editor = editorWith("machine.dlg");
        editor->resize(1000, 760);
        editor->show();
        QVERIFY(QTest::qWaitForWindowExposed(editor.get()));
        select(*editor, "Push Button (\"Start\")");
        QWidget *name = tableCell(*editor->connectorTable(), property, 0);
        QVERIFY(name);
        QTest::mouseClick(name, Qt::LeftButton);
        auto *line = editor->viewLocationDialog()->findChild<QLineEdit *>(
            "mpTxtModelParameterAndElement");
        for (const QString &text : typed) {
            line->setText(text);
            QTest::keyClick(line, Qt::Key_Return);
        }
        QUndoStack &stack = editor->undoRecorder().stack();
        QCOMPARE(stack.count(), step.isEmpty() ? 0 : 1);
        QCOMPARE(stack.undoText(), step);
    }

    // Ctrl+Z typed in a table field takes back the typing while the field has some; once the
    // text is committed with Return, Ctrl+Z and Ctrl+Shift+Z undo and redo the document's step.
    void historyKeysInATableField()
    {
        auto editor = editorWith("machine.dlg");
        editor->resize(1000, 760);
        editor->show();
        QVERIFY(QTest::qWaitForWindowExposed(editor.get()));
        select(*editor, "Push Button (\"Start\")");
        const auto text = [&] {
            return qstr(editor->currentLayoutItem()->findProperty("Text")->ucStringView()
                            ->value());
        };
        const QString before = text();
        QWidget *cell = tableCell(*editor->connectorTable(), "Text", 1);
        QTest::mouseClick(cell, Qt::LeftButton, {}, QPoint(4, 4));
        auto *line = cell->findChild<QLineEdit *>();
        QVERIFY(line && line->isVisible());
        QTest::keyClicks(line, "!");
        QTest::keyClick(line, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(line->text(), before);
        QCOMPARE(editor->undoRecorder().stack().count(), 0);
        QTest::keyClicks(line, "?");
        QTest::keyClick(line, Qt::Key_Return);
        QCOMPARE(text(), before + "?");
        QTest::keyClick(line, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(text(), before);
        QWidget *focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : editor.get(), Qt::Key_Z,
                        Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(text(), before + "?");
    }

    // After undo or redo the tree, the table and the selection show the element the step
    // changed, or its parent when it is gone; New and Load empty the history.
    void selectionAndReplacement()
    {
        auto editor = editorWith("machine.dlg");
        select(*editor, "Push Button (\"Start\")");
        cQAbstractDialogLayoutItem *parent = editor->currentLayoutItem()->parentOrNull();
        const QString parentPath = pathText(parent);
        action(*editor, "mpActRemove")->trigger();
        select(*editor, "Dialog (\"Machine window\")");
        action(*editor, "mpActUndo")->trigger();
        auto *tree = editor->findChild<QTreeWidget *>("dialogLayoutTree");
        QCOMPARE(tree->currentItem()->text(0), QString("Push Button (\"Start\")"));
        QCOMPARE(editor->connectorTable()->properties(),
                 editor->currentLayoutItem()->properties());
        action(*editor, "mpActRedo")->trigger();
        QCOMPARE(pathText(editor->currentLayoutItem()), parentPath);
        QVERIFY(!findRow(*tree, "Push Button (\"Start\")"));

        select(*editor, "Push Button (\"Stop\")");
        commit(*editor, "Label", "Halt");
        select(*editor, "Dialog (\"Machine window\")");
        action(*editor, "mpActUndo")->trigger();
        QCOMPARE(tree->currentItem()->text(0), QString("Push Button (\"Stop\")"));
        QCOMPARE(qstr(editor->currentLayoutItem()->label()), QString("Stop"));

        // Name edits of the form information are steps of their own.
        auto *name = editor->findChild<QLineEdit *>("mpTxtName");
        name->setText("Renamed");
        emit name->editingFinished();
        QCOMPARE(editor->undoRecorder().stack().undoText(), QString("Change Form Information"));
        action(*editor, "mpActUndo")->trigger();
        QCOMPARE(name->text(), QString("Machine"));

        QSignalSpy replaced(editor.get(), &cQModelViewDialogEditorWidget::documentReplaced);
        action(*editor, "mpActNewDocument")->trigger();
        QCOMPARE(replaced.count(), 1);
        QCOMPARE(editor->undoRecorder().stack().count(), 0);
        QVERIFY(!action(*editor, "mpActUndo")->isEnabled());
        QVERIFY(!action(*editor, "mpActRedo")->isEnabled());
    }

    // What the history holds: a picture once, shared with the document (undo and redo give
    // back the very bytes that were set), and only its newest steps.
    void historyCost()
    {
        auto editor = editorWith("machine.dlg");
        action(*editor, "mpActAutoUpdatePreview")->setChecked(false);
        QUndoStack &stack = editor->undoRecorder().stack();
        select(*editor, "Push Button (\"Start\")");
        cQAbstractDialogLayoutItem *button = editor->currentLayoutItem();
        vmva::cDVIPixmapProperty *icon = button->findProperty("Icon")->pixmapView();
        const QByteArray before = icon->value();
        const QByteArray picture = "<svg xmlns='http://www.w3.org/2000/svg'><!--"
                                   + QByteArray(1 << 16, 'x') + "--></svg>";
        icon->setValue(picture);
        editor->connectorTable()->propertyChangedSignal.emitSignal();
        action(*editor, "mpActUndo")->trigger();
        QCOMPARE(icon->value(), before);
        action(*editor, "mpActRedo")->trigger();
        QVERIFY(icon->value().isSharedWith(picture));
        QVERIFY(editor->undoRecorder().dataBytes() < 2 * picture.size());

        const int limit = stack.undoLimit();
        QVERIFY(limit >= 100);
        for (int i = 0; i <= limit; ++i) {
            const QByteArray text = QByteArray::number(i);
            if (i % 2)
                button->findProperty("Text")->ucStringView()->setValue(vucs::cString(text.constData()));
            else
                button->findProperty("Label")->asciiStringView()->setValue(text.constData());
            editor->connectorTable()->propertyChangedSignal.emitSignal();
        }
        QCOMPARE(stack.count(), limit);
        while (action(*editor, "mpActUndo")->isEnabled())
            action(*editor, "mpActUndo")->trigger();
        // The picture and the first Label step are the oldest: they are no longer undone.
        QCOMPARE(qstr(button->label()), QString("0"));
        QCOMPARE(qstr(button->findProperty("Text")->ucStringView()->value()), QString("Start"));
        QVERIFY(icon->value().isSharedWith(picture));
    }

    // A jump in the History view, or Ctrl+Z, over a step that cannot be applied stops at the
    // last step that could: the document, the history and the view agree, and the error is
    // reported once per attempt.
    void failingStepStopsTheJump()
    {
        auto editor = editorWith("machine.dlg");
        // The preview would refuse the long name as well: only the history is looked at here.
        action(*editor, "mpActAutoUpdatePreview")->setChecked(false);
        editor->show();
        editor->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(editor.get()));
        int reported = 0;
        const auto previous = vpi::cErrorReporter::setHandler(
            [&reported](const vstd::cAbstractException &) { ++reported; });
        std::vector<tDocumentState> states{stateOf(*editor)};
        select(*editor, "Push Button (\"Start\")");
        // A parameter name longer than a document holds: written, then refused when read.
        editor->viewLocationDialog()->sigLocationAssigned.emitSignal(
            "Label", vmva::cDMDataModelDescriptor(QByteArray(300, 'p').constData(), "name"));
        states.push_back(stateOf(*editor));
        action(*editor, "mpActRemove")->trigger();
        states.push_back(stateOf(*editor));
        select(*editor, "Push Button (\"Stop\")");
        commit(*editor, "Label", "Halt");
        states.push_back(stateOf(*editor));
        QUndoStack &stack = editor->undoRecorder().stack();
        QCOMPARE(stack.count(), 3);

        action(*editor, "mpActHistory")->trigger();
        auto *view = editor->findChild<QUndoView *>("mpHistoryView");
        const auto clickRow = [view](int row) {
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                              view->visualRect(view->model()->index(row, 0)).center());
        };
        const auto standsAt = [&](int index) {
            return stack.index() == index && view->currentIndex().row() == index
                   && stateOf(*editor) == states[size_t(index)]
                   && action(*editor, "mpActUndo")->isEnabled() == stack.canUndo();
        };
        clickRow(0);
        QCOMPARE(reported, 1);
        QVERIFY(standsAt(2));
        auto *tree = editor->findChild<QTreeWidget *>("dialogLayoutTree");
        QVERIFY(!findRow(*tree, "Push Button (\"Start\")"));
        QTest::keyClick(editor.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(reported, 2);
        QVERIFY(standsAt(2));
        clickRow(3);
        QVERIFY(standsAt(3));
        clickRow(2);
        QVERIFY(standsAt(2));
        QCOMPARE(reported, 2);
        vpi::cErrorReporter::setHandler(previous);
    }

    void randomizedFidelity_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<int>("operations");
        QTest::addColumn<bool>("preview");
        QTest::newRow("machine, previewed") << "machine.dlg" << 11u << 150 << true;
        QTest::newRow("machine") << "machine.dlg" << 12u << 400 << false;
        QTest::newRow("menu") << "menu.dlg" << 13u << 300 << false;
        QTest::newRow("toolbar") << "toolbar.dlg" << 14u << 300 << false;
        QTest::newRow("generated") << "generated" << 15u << 400 << false;
    }
    void randomizedFidelity()
    {
        QFETCH(QString, form);
        QFETCH(quint32, seed);
        QFETCH(int, operations);
        QFETCH(bool, preview);
        std::unique_ptr<cQModelViewDialogEditorWidget> editor;
        if (form == "generated") {
            // A large form grown at random, saved and opened again with an empty history.
            editor = editorWith("machine.dlg");
            growForm(*editor, seed, mDir.filePath("generated.dlg"));
            QVERIFY(editor->document().children().size() > 0);
        } else {
            editor = editorWith(form);
        }
        action(*editor, "mpActAutoUpdatePreview")->setChecked(preview);
        QCOMPARE(editor->undoRecorder().stack().count(), 0);
        // Values and bindings are typed into the table and the panel; one form is shown, where
        // focus and painting take part as well (the others stay hidden, which is faster).
        if (preview) {
            editor->resize(1000, 760);
            editor->show();
            QVERIFY(QTest::qWaitForWindowExposed(editor.get()));
        }
        cUndoFuzzer fuzzer(*editor, seed);
        QVERIFY2(fuzzer.run(operations), qPrintable(fuzzer.failure));
        QVERIFY2(fuzzer.unwindAndReplay(), qPrintable(fuzzer.failure));
        QVERIFY(fuzzer.steps() > operations / 10);
    }
};

QTEST_MAIN(tst_UndoHistory)
#include "tst_undohistory.moc"
