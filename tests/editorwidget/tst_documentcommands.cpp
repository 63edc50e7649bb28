#include "editortesthost.h"

#include "qdialogeditorwidget/undo/cqdialogundorecorder.h"
#include "qdialogeditorwidget/cqemptypreview.h"
#include "qdialogeditorwidget/cqpreviewwidgetview.h"
#include "qdialogeditorwidget/cquiconversionreportdialog.h"
#include "qdialogeditorwidget/recovery/cqdialogrecovery.h"

#include "q4widgets/cvq4appwidget.h"
#include "qvmvdialogparameterdlg/cqvmvdialogprmdialog.h"

#include <QClipboard>
#include <QFile>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QWindow>
#include <QToolBar>
#include <QtTest>

// The File, Models and Preview commands of the editor window, driven through its actions with
// scripted file dialogs.
class tst_DocumentCommands : public QObject
{
    Q_OBJECT

    cEditorTestHost mHost;
    QTemporaryDir mDir;

    using tEditor = tScriptedEditor;
    tEditor editor(bool shown = true) { return scriptedEditor(mHost, {}, shown); }

    // Dialog "Settings" with a label and a button bound to the parameter "machine".
    QString writeSettingsForm(const QString &name = "settings.dlg")
    {
        cFormWriter writer(mHost);
        auto &dialog = writer.add(writer.root(), "Dialog", "settings");
        cFormWriter::setText(dialog, "Title", "Settings");
        auto &box = writer.add(dialog, "VBoxLayout");
        cFormWriter::setText(writer.add(box, "Label", "hint"), "Text", "Speed of the belt");
        auto &button = writer.add(box, "PushButton", "start");
        button.findProperty("Command")->setModelLocation({"machine", "Start"});
        const QString path = mDir.filePath(name);
        writer.save(path);
        return path;
    }

    static QString fileText(const QString &path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return QString();
        return QString::fromUtf8(file.readAll());
    }

    static QStringList settingsRows()
    {
        return {"/", "  Dialog (\"settings\")", "    Vertical Box Layout",
                "      Label (\"hint\")", "      Push Button (\"start\")"};
    }


    // Chooses an entry of the "File" menu as a user does: the menu opened from the menu bar,
    // the entry clicked.
    static void chooseFromFileMenu(tEditor &e, const char *actionName)
    {
        QMenuBar *bar = e.window->menuBar();
        auto *file = e.window->findChild<QMenu *>("menuFile");
        const QPoint title = bar->actionGeometry(file->menuAction()).center();
        QTest::mouseClick(bar, Qt::LeftButton, {}, title);
        QTRY_VERIFY(file->isVisible());
        // Behind the specified entries and a separator, before the separator of "Quit".
        const QList<QAction *> entries = file->actions();
        const auto at = entries.indexOf(e.window->findChild<QAction *>("mpActImportUiForm"));
        QVERIFY(at > 1 && at + 3 < entries.size());
        QCOMPARE(entries[at - 2]->objectName(), QString("mpActLoadUiPlugIn"));
        QVERIFY(entries[at - 1]->isSeparator() && entries[at + 2]->isSeparator());
        QCOMPARE(entries[at]->text(), QString("Import Qt Designer form..."));
        QCOMPARE(entries[at + 1]->text(), QString("Export as Qt Designer form..."));
        QCOMPARE(entries[at + 3]->objectName(), QString("mpActQuit"));
        QAction *action = e.window->findChild<QAction *>(actionName);
        QTest::mouseClick(file, Qt::LeftButton, {}, file->actionGeometry(action).center());
        QTRY_VERIFY(!file->isVisible());
    }

private slots:
    void loadShowsTreePreviewAndTitle()
    {
        const QString path = writeSettingsForm();
        tEditor e = editor();
        e.dialogs->answers << path;
        QTest::keyClick(e.window.get(), Qt::Key_F3);

        QCOMPARE(e.dialogs->requests.size(), 1);
        QCOMPARE(e.dialogs->requests[0].caption, QString("Choose a Form"));
        QCOMPARE(e.dialogs->requests[0].filter, QString("Forms (*)"));
        // The folder the program was started from, not where the plug-ins lie.
        QCOMPARE(e.dialogs->requests[0].folder, QDir::currentPath());

        QCOMPARE(treeRows(*e.tree), settingsRows());
        QCOMPARE(e.tree->currentItem(), e.tree->topLevelItem(0));
        QCOMPARE(e.window->windowTitle(), QString("VELL model based dialog editor (settings)"));
        QCOMPARE(e.window->fileName(), path);
        QCOMPARE(e.window->documentType(), vstd::cAsciiString("Dialog"));

        auto *dialog = qobject_cast<cVQ4AppWidget *>(e.preview());
        QVERIFY(dialog);
        QVERIFY(!dialog->closeAllowed());
        QCOMPARE(dialog->liLocale(), &mHost.app.locale());
        QVERIFY(!dialog->isWindow());
        const QList<QLabel *> labels = dialog->findChildren<QLabel *>();
        QCOMPARE(labels.size(), 1);
        QCOMPARE(labels[0]->text(), QString("Speed of the belt"));
        // Every element's widget carries the identity of its layout item.
        cQAbstractDialogLayoutItem *hint =
            cQModelViewDialogLayoutTreeItem::layoutItemOf(findRow(*e.tree, "Label (\"hint\")"));
        QCOMPARE(labels[0]->objectName(), qstr(hint->debugInfo()));

        // A second Load starts in the folder of the current file; cancelled, the document stays.
        e.press("mpActLoadDocument");
        QCOMPARE(e.dialogs->requests.size(), 2);
        QCOMPARE(QDir(e.dialogs->requests[1].folder), QDir(mDir.path()));
        QCOMPARE(e.window->fileName(), path);
        QCOMPARE(treeRows(*e.tree), settingsRows());
    }

    // Saving writes no identities, yet the preview built before still marks what is selected.
    void saveKeepsTheMarking()
    {
        tEditor e = editor();
        const QString path = writeSettingsForm();
        e.dialogs->answers << path;
        e.press("mpActLoadDocument");
        QWidget *preview = e.preview();
        e.tree->setCurrentItem(findRow(*e.tree, "Label (\"hint\")"));
        e.press("mpActSaveCurrentDocument");
        QVERIFY(!fileText(path).contains("DebugInfo"));
        e.tree->setCurrentItem(findRow(*e.tree, "Push Button (\"start\")"));
        QCOMPARE(e.preview(), preview);
        auto *button = preview->findChild<QPushButton *>();
        cQPreviewWidgetView *view = e.window->previewView();
        QCOMPARE(view->selectionWidget()->selection(),
                 QRect(button->mapTo(view, QPoint(0, 0)), button->size()));
    }

    void saveAsWithAndWithoutExtension_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::addColumn<bool>("replace");  // the answer to "already exists"
        QTest::newRow("new name") << "copy" << "copy.dlg" << false;
        QTest::newRow("with .dlg") << "copy2.dlg" << "copy2.dlg" << false;
        QTest::newRow("other suffix") << "copy3.form" << "copy3.form" << false;
        QTest::newRow("existing, kept") << "settings" << "settings.dlg" << false;
        QTest::newRow("existing, replaced") << "settings" << "settings.dlg" << true;
    }

    // Qt's own save dialog, a name typed into it: the question about replacing a file comes
    // for the file that will really be written, suffix added.
    void saveAsWithAndWithoutExtension()
    {
        QFETCH(QString, typed);
        QFETCH(QString, written);
        QFETCH(bool, replace);
        tEditor e = editor();
        e.dialogs->answers << writeSettingsForm();
        e.press("mpActLoadDocument");
        e.window->setFileDialogProvider(nullptr);
        cQDialogUndoRecorder &undo = e.window->undoRecorder();
        e.window->findChild<QLineEdit *>("mpTxtAutor")->setText("changed");
        undo.formEdited();
        const QString path = mDir.filePath(written);
        const bool existed = QFile::exists(path);
        const QString before = fileText(path);

        QString question;
        int waited = -1; // ticks since the Save button was pressed
        QTimer user;
        connect(&user, &QTimer::timeout, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                question = box->text();
                box->button(replace ? QMessageBox::Yes : QMessageBox::No)->click();
            } else if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
                // Kept: the dialog stays after "No" until cancelled.
                if (!question.isEmpty()) {
                    dialog->reject();
                    return;
                }
                if (waited < 0) {
                    auto *name = dialog->findChild<QLineEdit *>("fileNameEdit");
                    QTest::keyClicks(name, mDir.filePath(typed));
                } else if (++waited % 10 != 0) {
                    return;
                }
                // Pressed again when nothing came of it: the name's completer may have opened
                // its list meanwhile (on a loaded machine), and the list takes the first press
                // for itself, as it would a user's. From a timer of its own: the question it
                // may ask runs a loop in which this timer must go on answering.
                waited = 0;
                auto *buttons = dialog->findChild<QDialogButtonBox *>("buttonBox");
                QTimer::singleShot(0, buttons, [buttons] {
                    QTest::mouseClick(buttons->button(QDialogButtonBox::Save), Qt::LeftButton);
                });
            }
        });
        user.start(50);
        QTest::keyClick(e.window.get(), Qt::Key_F2);
        user.stop();

        QCOMPARE(question.isEmpty(), !existed);
        if (existed)
            QVERIFY2(question.contains(written) && question.contains("replace"),
                     qPrintable(question));
        const bool saved = !existed || replace;
        QCOMPARE(fileText(path) == before, !saved);
        QCOMPARE(e.window->fileName(), mDir.filePath(saved ? written : "settings.dlg"));
        QCOMPARE(e.window->hasUnsavedChanges(), !saved);
        if (!saved)
            return;
        tEditor again = editor(false);
        again.dialogs->answers << path;
        again.press("mpActLoadDocument");
        QCOMPARE(treeRows(*again.tree), settingsRows());
    }

    // New empties the document but keeps the dialog parameters; Save on it asks for a name.
    void newKeepsParametersAndSaveAsksForName()
    {
        vmva::cDVDataViewArgList &arguments = mHost.app.dialogArguments();
        tEditor e = editor();
        e.dialogs->answers << writeSettingsForm();
        e.press("mpActLoadDocument");
        QVERIFY(arguments.tryFindParameter("machine"));
        QVERIFY(!arguments.tryFindParameter("machine")->isSet());

        QTest::keyClick(e.window.get(), Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(treeRows(*e.tree), QStringList({"/"}));
        QVERIFY(qobject_cast<cQEmptyPreview *>(e.preview()));
        QVERIFY(arguments.tryFindParameter("machine"));

        e.dialogs->answers << QString();
        QTest::keyClick(e.window.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(e.dialogs->requests.size(), 2);
        QCOMPARE(e.dialogs->requests[1].caption, QString("Specify a name for the Form"));
        QVERIFY(e.window->fileName().isEmpty());
        QCOMPARE(e.window->windowTitle(), QString("VELL model based dialog editor (untitled)"));

        e.dialogs->answers << mDir.filePath("fresh");
        e.press("mpActSaveCurrentDocument");
        QVERIFY(QFile::exists(mDir.filePath("fresh.dlg")));
        QCOMPARE(e.window->windowTitle(), QString("VELL model based dialog editor (fresh)"));
        // Now it has a name: Save asks nothing.
        e.press("mpActSaveCurrentDocument");
        QCOMPARE(e.dialogs->requests.size(), 3);
    }

    // A model assigned to a parameter in the "Dialog parameters" panel is for the preview: it
    // is rebuilt with it.
    void previewFollowsAssignedPreviewModel()
    {
        tEditor e = editor();
        e.dialogs->answers << writeSettingsForm();
        e.press("mpActLoadDocument");
        QPointer<QWidget> before = e.preview();
        QVERIFY(before);
        auto *panel = e.window->findChild<cQVMVDialogPrmDialog *>("mpDialogParameters");
        mHost.app.dialogArguments().changeParameter("machine", vcs::cComponentAddr(), "Machine");
        panel->sigPreviewArgumentAssigned.emitSignal();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!before);
        QVERIFY(e.preview());
    }

    void autoUpdateOffKeepsPreviewUntilUpdate()
    {
        tEditor e = editor();
        e.dialogs->answers << writeSettingsForm();
        e.press("mpActLoadDocument");
        QPointer<QWidget> first = e.preview();
        cQAbstractDialogLayoutItem *hint =
            cQModelViewDialogLayoutTreeItem::layoutItemOf(findRow(*e.tree, "Label (\"hint\")"));

        e.press("mpActAutoUpdatePreview");
        QVERIFY(!e.window->findChild<QAction *>("mpActAutoUpdatePreview")->isChecked());
        cFormWriter::setText(*hint, "Text", "Changed");
        e.window->previewChanged();
        QCOMPARE(e.preview(), first.data());

        QTest::keyClick(e.window.get(), Qt::Key_F4);
        QVERIFY(e.preview() != first.data());
        QCOMPARE(e.preview()->findChild<QLabel *>()->text(), QString("Changed"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!first);

        e.press("mpActAutoUpdatePreview");
        QWidget *second = e.preview();
        cFormWriter::setText(*hint, "Text", "Again");
        e.window->previewChanged();
        QVERIFY(e.preview() != second);
        QCOMPARE(e.preview()->findChild<QLabel *>()->text(), QString("Again"));
    }

    void embeddedPreviewOffAndOn()
    {
        tEditor e = editor();
        e.dialogs->answers << writeSettingsForm();
        e.press("mpActLoadDocument");
        e.press("mpActEmbeddedPreview");
        QVERIFY(qobject_cast<cQEmptyPreview *>(e.preview()));
        QVERIFY(!e.window->previewView()->isEnabled());
        // Neither an update nor a selection brings the dialog back while it is off, and no
        // dialog is built to be thrown away.
        QTest::keyClick(e.window.get(), Qt::Key_F4);
        QVERIFY(qobject_cast<cQEmptyPreview *>(e.preview()));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const QWidgetList all = QApplication::allWidgets();
        QVERIFY(std::none_of(all.begin(), all.end(), [](QWidget *w) {
            return qobject_cast<cVQ4AppWidget *>(w) != nullptr;
        }));

        e.press("mpActEmbeddedPreview");
        QVERIFY(e.window->previewView()->isEnabled());
        QVERIFY(qobject_cast<cVQ4AppWidget *>(e.preview()));
    }

    // A form loaded by a relative name keeps its absolute one, so that it is saved into the
    // same file whichever folder the editor that saves it (after recovery) started in.
    void loadedNameIsAbsolute()
    {
        tEditor e = editor();
        const QFileInfo file(writeSettingsForm());
        const QString before = QDir::currentPath();
        QDir::setCurrent(file.absolutePath());
        e.dialogs->answers << file.fileName();
        e.press("mpActLoadDocument");
        QDir::setCurrent(before);
        QCOMPARE(e.window->fileName(), file.absoluteFilePath());
    }

    void topLevelPreviewReplacedAtSameGeometry()
    {
        tEditor e = editor();
        e.dialogs->answers << writeSettingsForm();
        e.press("mpActLoadDocument");
        QTest::keyClick(e.window.get(), Qt::Key_F9);
        QPointer<QWidget> first = e.window->topLevelPreview();
        QVERIFY(first);
        // A dialog of the editor's window, which window managers keep in front of it.
        QCOMPARE(first->windowType(), Qt::Dialog);
        QCOMPARE(first->parentWidget(), e.window.get());
        QVERIFY(first->isVisible());
        QCOMPARE(first->windowTitle(), QString("Settings"));
        QVERIFY(qobject_cast<cVQ4AppWidget *>(first.data())->closeAllowed());
        first->resize(410, 230);
        first->move(40, 50);
        const QRect geometry = first->geometry();

        QTest::keyClick(e.window.get(), Qt::Key_F9);
        QVERIFY(!first);
        QWidget *second = e.window->topLevelPreview();
        QVERIFY(second && second->isVisible());
        QCOMPARE(second->geometry(), geometry);
    }

    // The F9 window opens beside the editor, in front of it, and every edit, undo and "Update"
    // rebuilds it in place.
    void topLevelPreviewFollowsEdits_data()
    {
        QTest::addColumn<QString>("step");
        QTest::addColumn<QStringList>("labels");
        QTest::newRow("remove") << "remove" << QStringList();
        QTest::newRow("remove, undo") << "undo" << QStringList{"Speed of the belt"};
        QTest::newRow("F4, no auto update") << "update" << QStringList{"Belt speed"};
        QTest::newRow("no auto update") << "stale" << QStringList{"Speed of the belt"};
    }
    void topLevelPreviewFollowsEdits()
    {
        QFETCH(QString, step);
        QFETCH(QStringList, labels);
        cEditorDriver d(mHost);
        const QString path = writeSettingsForm();
        QVERIFY(d.after([&] { d.window->loadDocument(path, false); }));
        d.key(Qt::Key_F9, {}, false);
        QPointer<QWidget> first = d.window->topLevelPreview();
        QVERIFY(first && first->isVisible());
        QCOMPARE(first->windowHandle()->transientParent(), d.window->windowHandle());
        const QWidget *menuBar = d.window->menuBar();
        const QRect bar(menuBar->mapToGlobal(QPoint()), menuBar->size());
        QVERIFY2(!first->frameGeometry().intersects(bar), "preview over the menu bar");
        first->setGeometry(30, 60, 420, 240);
        const QRect geometry = first->geometry();
        // Back to the editor; the rebuilt previews must leave it the active window.
        d.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(d.window.get()));

        const QList<QTreeWidgetItem *> rows
            = d.tree->findItems("hint", Qt::MatchContains | Qt::MatchRecursive);
        QCOMPARE(rows.size(), 1);
        cQAbstractDialogLayoutItem *label = cQModelViewDialogLayoutTreeItem::layoutItemOf(rows[0]);
        QVERIFY(d.click(label));
        if (step == "remove" || step == "undo") {
            QVERIFY(d.key(Qt::Key_Delete));
            if (step == "undo")
                QVERIFY(d.key(Qt::Key_Z, Qt::ControlModifier));
        } else {
            d.action("mpActAutoUpdatePreview")->trigger();
            cFormWriter::setText(*label, "Text", "Belt speed");
            if (step == "update")
                d.key(Qt::Key_F4, {}, false);
        }
        QWidget *now = d.window->topLevelPreview();
        QVERIFY(now && now->isVisible());
        // An edit updates it in place, "Update" builds it anew.
        QCOMPARE(now == first.data(), step != "update");
        QCOMPARE(now->geometry(), geometry);
        QStringList shown;
        for (const QLabel *text : now->findChildren<QLabel *>())
            shown << text->text();
        QCOMPARE(shown, labels);
    }

    void menuAndToolBarPreviews()
    {
        cFormWriter menuWriter(mHost);
        auto &menu = menuWriter.add(menuWriter.root(), "Menu", "file");
        cFormWriter::setText(menu, "Title", "File");
        cFormWriter::setText(menuWriter.add(menu, "MenuItem"), "Text", "Open");
        menuWriter.save(mDir.filePath("menu.dlg"));
        cFormWriter barWriter(mHost);
        auto &bar = barWriter.add(barWriter.root(), "ToolBar", "tools");
        cFormWriter::setText(barWriter.add(bar, "ToolButton"), "Text", "Run");
        barWriter.save(mDir.filePath("bar.dlg"));

        tEditor e = editor();
        e.dialogs->answers << mDir.filePath("menu.dlg") << mDir.filePath("bar.dlg");
        e.press("mpActLoadDocument");
        QCOMPARE(e.window->documentType(), vstd::cAsciiString("Menu"));
        auto *menuBar = e.preview()->findChild<QMenuBar *>();
        QVERIFY(menuBar);
        QCOMPARE(menuBar->actions().size(), 1);
        QCOMPARE(menuBar->actions()[0]->text(), QString("File"));
        QCOMPARE(menuBar->actions()[0]->menu()->actions()[0]->text(), QString("Open"));

        e.press("mpActLoadDocument");
        QCOMPARE(e.window->documentType(), vstd::cAsciiString("ToolBar"));
        auto *toolBar = e.preview()->findChild<QToolBar *>();
        QVERIFY(toolBar);
        QCOMPARE(toolBar->sizePolicy().horizontalStretch(), 10);
        QCOMPARE(toolBar->actions().size(), 1);
        QCOMPARE(toolBar->actions()[0]->text(), QString("Run"));
    }

    // "Import Qt Designer form..." chosen from the "File" menu: a new, unsaved form with its
    // report, a main window's other forms beside the file, a broken file changing nothing.
    void importQtDesignerForm_data()
    {
        QTest::addColumn<QByteArray>("ui");
        QTest::addColumn<QStringList>("rows");      // of the layout tree; empty: not imported
        QTest::addColumn<QStringList>("report");    // lines the report holds, "@" the file's name
        QTest::addColumn<QStringList>("files");     // beside the .ui afterwards
        const QByteArray head = "<?xml version=\"1.0\"?>\n<ui version=\"4.0\">\n";
        QTest::newRow("dialog with a binding and an approximated class")
            << head + " <widget class=\"QDialog\" name=\"Settings\">\n"
                      "  <layout class=\"QVBoxLayout\" name=\"box\">\n"
                      "   <item><widget class=\"QPushButton\" name=\"start\"><property name=\""
                      "vellBind_Command\" stdset=\"0\"><string>belt.Start</string></property>"
                      "</widget></item>\n"
                      "   <item><widget class=\"QCalendarWidget\" name=\"day\"/></item>\n"
                      "  </layout>\n </widget>\n</ui>\n"
            << QStringList{"/", "  Dialog (\"Settings\")", "    Vertical Box Layout (\"box\")",
                           "      Push Button (\"start\")", "      Date Edit (\"day\")"}
            << QStringList{"@:6: approximated: class QCalendarWidget of \"day\" as DateEdit",
                           "converted: 4 elements, 1 approximated, 0 dropped"}
            << QStringList{"form-tools.dlg", "form.ui"};
        QTest::newRow("main window: menu beside the file, a file there kept")
            << head + " <widget class=\"QMainWindow\" name=\"Main\">\n"
                      "  <widget class=\"QWidget\" name=\"central\"/>\n"
                      "  <widget class=\"QMenuBar\" name=\"bar\"><widget class=\"QMenu\" name=\""
                      "menuFile\"><addaction name=\"open\"/></widget><addaction name=\"menuFile"
                      "\"/></widget>\n"
                      "  <widget class=\"QToolBar\" name=\"tools\"><addaction name=\"open\"/>"
                      "</widget>\n"
                      "  <action name=\"open\"/>\n </widget>\n</ui>\n"
            << QStringList{"/", "  Dialog (\"Main\")"}
            << QStringList{"@: form \"menuFile\" written to %/form-menuFile.dlg",
                           "@: form \"tools\" not written: %/form-tools.dlg exists already",
                           "converted: 5 elements, 4 approximated, 0 dropped"}
            << QStringList{"form-menuFile.dlg", "form-tools.dlg", "form.ui"};
        QTest::newRow("tag closed by another")
            << head + " <widget class=\"QDialog\" name=\"d\">\n  <layout class=\"QVBoxLayout\">"
                      "\n   <item><widget class=\"QLabel\" name=\"l\"></item>\n</ui>\n"
            << QStringList() << QStringList{"@ at line 5, column 48"}
            << QStringList{"form-tools.dlg", "form.ui"};
    }

    void importQtDesignerForm()
    {
        QFETCH(QByteArray, ui);
        QFETCH(QStringList, rows);
        QFETCH(QStringList, report);
        QFETCH(QStringList, files);
        QTemporaryDir dir;
        const QString path = dir.filePath("form.ui");
        for (const auto &[name, content] : {std::pair{path, ui},
                                            std::pair{dir.filePath("form-tools.dlg"),
                                                      QByteArray("kept")}}) {
            QFile file(name);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        for (QString &line : report)
            line.replace("@", "form.ui").replace("%", dir.path());

        tEditor e = editor();
        auto *recovery = new cQDialogRecovery(*e.window, dir.filePath("recovery"));
        recovery->setDelay(50);
        const QString settings = writeSettingsForm();
        e.dialogs->answers << settings << path;
        e.press("mpActLoadDocument");
        const QStringList reported
            = reportedDuring([&] { chooseFromFileMenu(e, "mpActImportUiForm"); });

        QCOMPARE(e.dialogs->requests.size(), 2);
        QCOMPARE(e.dialogs->requests[1].caption, QString("Choose a Qt Designer form"));
        QCOMPARE(e.dialogs->requests[1].filter, QString("Qt Designer forms (*.ui)"));
        QCOMPARE(QDir(mDir.path()), QDir(e.dialogs->requests[1].folder));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), files);
        auto *dialog = e.window->findChild<cQUiConversionReportDialog *>("mpUiReportDialog");
        if (rows.isEmpty()) {
            // The error names the place; the form, its name and its history stay.
            QCOMPARE(reported.size(), 1);
            QVERIFY2(reported[0].contains(report[0]), qPrintable(reported[0]));
            QVERIFY(!dialog);
            QCOMPARE(treeRows(*e.tree), settingsRows());
            QCOMPARE(e.window->fileName(), settings);
            QVERIFY(!e.window->hasUnsavedChanges());
            return;
        }
        QCOMPARE(reported, QStringList());
        QCOMPARE(treeRows(*e.tree), rows);
        QVERIFY(e.preview());
        // A new form: untitled, unsaved, with a history that starts here, kept by recovery.
        QCOMPARE(e.window->fileName(), QString());
        QCOMPARE(e.window->windowTitle(), QString("VELL model based dialog editor (untitled)"));
        QVERIFY(e.window->hasUnsavedChanges());
        QCOMPARE(e.window->undoRecorder().stack().count(), 0);
        // Named after its file, not after the form shown before.
        QCOMPARE(e.window->findChild<QLineEdit *>("mpTxtName")->text(), QString("form"));
        QTRY_VERIFY(!recovery->recoveryPath().isEmpty());
        // The parameter a binding names is offered as for a loaded form.
        QVERIFY(!ui.contains("belt.") || mHost.app.dialogArguments().tryFindParameter("belt"));

        QVERIFY(dialog && dialog->isVisible());
        auto *text = dialog->findChild<QPlainTextEdit *>("mpTxtReport");
        QVERIFY(text->isReadOnly());
        const QStringList lines = text->toPlainText().split('\n');
        for (const QString &line : report)
            QVERIFY2(lines.contains(line), qPrintable(line + "\nnot in:\n" + lines.join('\n')));
        QCOMPARE(lines.last(), report.last());
        QGuiApplication::clipboard()->clear();
        QTest::mouseClick(dialog->findChild<QPushButton *>("mpBtCopy"), Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(), text->toPlainText());
        if (files.contains("form-menuFile.dlg")) {
            e.dialogs->answers << dir.filePath("form-menuFile.dlg");
            e.press("mpActLoadDocument");
            QCOMPARE(e.window->documentType(), vstd::cAsciiString("Menu"));
        }
    }

    // "Export as Qt Designer form..." writes the form as .ui and changes nothing of it; the
    // export imported again is the same form, labels and bindings included.
    void exportQtDesignerFormAndImportIt()
    {
        tEditor e = editor();
        const QString settings = writeSettingsForm();
        const QString exported = mDir.filePath("exported");
        e.dialogs->answers << settings << exported << mDir.filePath("nowhere/x.ui");
        e.press("mpActLoadDocument");
        QCOMPARE(reportedDuring([&] { chooseFromFileMenu(e, "mpActExportUiForm"); }),
                 QStringList());
        QCOMPARE(e.dialogs->requests[1].caption, QString("Export as Qt Designer form"));
        QCOMPARE(e.dialogs->requests[1].filter, QString("Qt Designer forms (*.ui)"));
        QCOMPARE(e.dialogs->requests[1].folder, mDir.filePath("settings.ui"));
        QVERIFY(QFileInfo::exists(exported + ".ui"));
        QCOMPARE(e.window->fileName(), settings);
        QVERIFY(!e.window->hasUnsavedChanges());
        auto *dialog = e.window->findChild<cQUiConversionReportDialog *>("mpUiReportDialog");
        QVERIFY(dialog && dialog->isVisible());
        QVERIFY2(dialog->text().endsWith("converted: 4 elements, 1 approximated, 0 dropped"),
                 qPrintable(dialog->text()));
        dialog->close();

        // A folder that is not there: the usual error, and no report.
        const QStringList reported
            = reportedDuring([&] { chooseFromFileMenu(e, "mpActExportUiForm"); });
        QCOMPARE(reported.size(), 1);
        QVERIFY2(reported[0].contains("nowhere/x.ui"), qPrintable(reported[0]));
        QTRY_VERIFY(!e.window->findChild<cQUiConversionReportDialog *>("mpUiReportDialog"));

        e.dialogs->answers << exported + ".ui";
        chooseFromFileMenu(e, "mpActImportUiForm");
        QCOMPARE(treeRows(*e.tree), settingsRows());
        cQAbstractDialogLayoutItem *start = cQModelViewDialogLayoutTreeItem::layoutItemOf(
            findRow(*e.tree, "Push Button (\"start\")"));
        QCOMPARE(start->findProperty("Command")->modelLocation().toString(),
                 vstd::cAsciiString("machine.Start"));
    }
};

QTEST_MAIN(tst_DocumentCommands)
#include "tst_documentcommands.moc"
