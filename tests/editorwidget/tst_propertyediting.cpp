#include "editortesthost.h"
#include "modalanswer.h"
#include "propertytesthelpers.h"

#include "qdialogeditorwidget/undo/cqdialogundorecorder.h"
#include "qdialogeditorwidget/cqpreviewwidgetview.h"
#include "qdialogeditorwidget/cqpwnameitem.h"
#include "qdialogeditorwidget/cqveconnectortreewidget.h"
#include "qdialogeditorwidget/propertywidgets/cqmvviewlocationdialog.h"
#include "qdialogeditorwidget/propertywidgets/cqpwmodelchoosebutton.h"
#include "qdialogeditorwidget/propertywidgets/cqpwpixmapitem.h"
#include "qdialogeditorwidget/propertywidgets/cqpwstringitem.h"

#include "q4support/cquidataviewitemextension.h"
#include "q4support/cvq4vmvabstractmvitemfactory.h"
#include "vellcore/cdocumentlimits.h"

#include <QDockWidget>
#include <QTemporaryDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

// The property table inside the editor window: selection, edits reaching the tree and the
// preview, the location panel, and a sensible table for every element the host offers.
class tst_PropertyEditing : public QObject, public vrmi::cConnectable
{
    Q_OBJECT

    cEditorTestHost mHost;
    QList<QPair<QString, QString>> mAssigned;

    piVoid assigned(const vstd::cAsciiString &name, const vmva::cDMDataModelDescriptor &location)
    {
        mAssigned.append({qstr(name), qstr(location.toString())});
        return piVoid();
    }

    std::unique_ptr<cQModelViewDialogEditorWidget> machineEditor()
    {
        auto editor = mHost.newEditor();
        editor->resize(1000, 760);
        editor->show();
        if (!QTest::qWaitForWindowExposed(editor.get()))
            qWarning("editor not exposed");
        editor->loadDocument(qEnvironmentVariable("VELL_SOURCE_DIR") + "/examples/machine.dlg",
                             true);
        return editor;
    }

    // Clicks the layout row `text` and waits for the table to show its element.
    static cQVEConnectorTreeWidget &select(cQModelViewDialogEditorWidget &editor,
                                           const QString &text)
    {
        auto *tree = editor.findChild<QTreeWidget *>("dialogLayoutTree");
        QTreeWidgetItem *row = findRow(*tree, text);
        if (!row)
            qFatal("no row %s", qPrintable(text));
        tree->scrollToItem(row);
        // Near the start of its text: a long row is wider than the tree.
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                          tree->visualItemRect(row).topLeft() + QPoint(8, 4));
        cQVEConnectorTreeWidget &table = *editor.connectorTable();
        const bool shown = QTest::qWaitFor([&] {
            return editor.currentLayoutItem()
                   && table.properties() == editor.currentLayoutItem()->properties();
        });
        if (!shown)
            qFatal("the table does not show %s", qPrintable(text));
        return table;
    }
    static int rowOf(cQVEConnectorTreeWidget &table, const char *name)
    {
        for (int row = 0; row < table.rowCount(); ++row)
            if (auto *cell = qobject_cast<cQPWNameItem *>(table.cellWidget(row, 0)))
                if (cell->property()->name() == name)
                    return row;
        return -1;
    }
    static void typeInto(QWidget *editorCell, const QString &text)
    {
        QTest::mouseClick(editorCell, Qt::LeftButton, {}, QPoint(4, 4));
        auto *line = editorCell->findChild<QLineEdit *>();
        line->setText(text);
        QTest::keyClick(line, Qt::Key_Return);
    }
    // Elements below `item` whose "Icon" is a picture of the largest size and whose "Text" is
    // bound to `location`.
    static int carriers(const cQAbstractDialogLayoutItem &item, const QString &location)
    {
        static const QByteArray largest(vsa::cDocumentLimits::maxBytesLength, '\0');
        int found = 0;
        for (const cQAbstractDialogLayoutItem *child : item.children()) {
            vmva::cDVIAbstractProperty *icon = child->findProperty("Icon");
            vmva::cDVIAbstractProperty *text = child->findProperty("Text");
            if (icon && text
                && icon->pixmapView()->value() == largest
                && qstr(text->modelLocation().toString()) == location)
                ++found;
            found += carriers(*child, location);
        }
        return found;
    }
    static QDockWidget *locationDock(QMainWindow &window)
    {
        return window.findChild<QDockWidget *>("mpDockDatamodelLocation");
    }

private slots:
    void selectingRowsFillsTableAndPanel()
    {
        auto editor = machineEditor();
        cQVEConnectorTreeWidget &table = select(*editor, "Push Button (\"Start\")");
        QCOMPARE(qstr(table.currentPropertyName()), QString("Label"));
        QVERIFY(rowOf(table, "Text") > 0 && rowOf(table, "Command") > 0);
        cQMVViewLocationDialog *panel = editor->viewLocationDialog();
        // The panel waits for a property to be chosen; the dock keeps the title it was given.
        QVERIFY(!panel->isEnabled());
        QCOMPARE(locationDock(*editor)->windowTitle(), QString("Datamodel Location (Label)"));

        const int command = rowOf(table, "Command");
        QTest::mouseClick(table.cellWidget(command, 0), Qt::LeftButton);
        QVERIFY(panel->isEnabled());
        QCOMPARE(locationDock(*editor)->windowTitle(), QString("Datamodel Location (Command)"));
        saveShot(editor.get(), "machine_pushbutton");
        if (qEnvironmentVariableIsSet("VELL_SCREENSHOT_DIR")) {
            editor->resize(689, 441); // the form's own size
            QTest::qWait(50);
            saveShot(editor.get(), "machine_default_size");
        }
        const auto *line = panel->findChild<QLineEdit *>("mpTxtModelParameterAndElement");
        const vmva::cDMDataModelDescriptor &bound
            = editor->currentLayoutItem()->findProperty("Command")->modelLocation();
        QCOMPARE(line->text(), bound.isEmpty() ? QString() : qstr(bound.toString()));

        editor->findChild<QAction *>("mpActNewDocument")->trigger();
        QCOMPARE(table.rowCount(), 0);
        QVERIFY(!table.properties());
    }

    // The filter above the table, typed into, keeps its rows across elements.
    void filterFieldNarrowsTheTable()
    {
        auto editor = machineEditor();
        auto *field = editor->findChild<QLineEdit *>("mpTxtPropertyFilter");
        QVERIFY(field && field->isVisible());
        QTest::mouseClick(field, Qt::LeftButton);
        QTest::keyClicks(field, "text");
        cQVEConnectorTreeWidget &table = select(*editor, "Push Button (\"Start\")");
        auto visible = [&](const char *name) {
            const int row = rowOf(table, name);
            return row >= 0 && !table.isRowHidden(row);
        };
        QVERIFY(visible("Text"));
        QVERIFY(!visible("Label"));
        // The field covers no row: the first one shown (its topic's header) starts below it.
        QApplication::processEvents();
        int first = 0;
        while (table.isRowHidden(first))
            ++first;
        const QRect header = table.visualRect(table.model()->index(first, 0))
                                 .translated(table.viewport()->mapTo(&table, QPoint()));
        QVERIFY2(header.top() >= field->geometry().bottom(),
                 qPrintable(QString("row at %1, field to %2")
                                .arg(header.top()).arg(field->geometry().bottom())));
        saveShot(editor.get(), "filtered_table");
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_Backspace);
        QVERIFY(visible("Label"));
    }

    // An edit shows in the tree and the preview at once (Auto Update off: the document commands'
    // tests).
    void editsReachTreeAndPreview()
    {
        auto editor = machineEditor();
        cQVEConnectorTreeWidget &table = select(*editor, "Push Button (\"Start\")");
        typeInto(table.cellWidget(rowOf(table, "Label"), 1), "Go");
        auto *tree = editor->findChild<QTreeWidget *>("dialogLayoutTree");
        QCOMPARE(tree->currentItem()->text(0), QString("Push Button (\"Go\")"));

        typeInto(table.cellWidget(rowOf(table, "Text"), 1), "Run now");
        auto buttonTexts = [&] {
            QStringList texts;
            for (auto *b : editor->previewView()->currentPreview()->findChildren<QPushButton *>())
                texts << b->text();
            return texts;
        };
        QVERIFY(buttonTexts().contains("Run now"));
    }

    // A location typed in the dock is stored, echoed, and shown in the table's connector. The
    // dock binds the property whose editor was pressed last, not the row current before.
    void locationPanelBindsTheChosenProperty()
    {
        auto editor = machineEditor();
        cQVEConnectorTreeWidget &table = select(*editor, "Push Button (\"Start\")");
        const int text = rowOf(table, "Text");
        QTest::mouseClick(table.cellWidget(rowOf(table, "Label"), 0), Qt::LeftButton);
        QTest::mouseClick(table.cellWidget(text, 1), Qt::LeftButton, {}, QPoint(4, 4));
        QCOMPARE(table.currentRow(), text);
        QCOMPARE(locationDock(*editor)->windowTitle(), QString("Datamodel Location (Text)"));
        cQMVViewLocationDialog *panel = editor->viewLocationDialog();
        auto *line = panel->findChild<QLineEdit *>("mpTxtModelParameterAndElement");
        line->setText("Machine.status.text");
        QTest::keyClick(line, Qt::Key_Return);
        const auto *property = editor->currentLayoutItem()->findProperty("Text");
        QCOMPARE(qstr(property->modelLocation().toString()), QString("Machine.status.text"));
        QCOMPARE(line->text(), QString("Machine.status.text"));
        auto *connector = qobject_cast<cQPWModelChooseButton *>(table.cellWidget(text, 2));
        QCOMPARE(connector->displayLabel()->text(), QString("Machine.status.text"));
    }

    // The largest picture and the longest binding parameter a document holds, entered through
    // their editors, come back from the saved file, a clipboard copy and the undo record of a
    // removal (one more is refused at the fields: the chooser's and the path syntax tests).
    void largestValuesSurviveSaveCopyAndUndo()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath("largest.png"));
        QVERIFY(file.open(QIODevice::WriteOnly)
                && file.resize(vsa::cDocumentLimits::maxBytesLength));
        file.close();
        QVERIFY(QDir(dir.path()).mkdir("icons"));
        const QString longest = QString(vsa::cDocumentLimits::maxNameLength, 'p') + ".x";

        auto editor = machineEditor();
        cQVEConnectorTreeWidget &table = select(*editor, "Push Button (\"Start\")");
        auto *pixmap = qobject_cast<cQPWPixmapItem *>(table.cellWidget(rowOf(table, "Icon"), 1));
        pixmap->setIconRoot(dir.filePath("icons"));
        QTest::mouseClick(pixmap, Qt::LeftButton, {}, QPoint(4, 4));
        whenModalOpens([&](QWidget *chooser) {
            whenModalOpens([&](QWidget *files) { answerFileDialog(files, file.fileName()); });
            QTest::mouseClick(chooser->findChild<QPushButton *>("mpBtCustom"), Qt::LeftButton);
            auto *tree = chooser->findChild<QTreeWidget *>("mpPreviewTree");
            tree->setCurrentItem(tree->topLevelItem(0));
            QTest::mouseClick(chooser->findChild<QPushButton *>("mpBtOk"), Qt::LeftButton);
        });
        for (QPushButton *button : pixmap->findChildren<QPushButton *>())
            if (button->text() == "...")
                QTest::mouseClick(button, Qt::LeftButton);

        const int text = rowOf(table, "Text");
        auto *connector = table.cellWidget(text, 2);
        QTest::mouseClick(connector, Qt::LeftButton, {}, QPoint(4, 4));
        auto *line = connector->findChild<QLineEdit *>();
        QTest::keyClicks(line, longest);
        QTest::keyClick(line, Qt::Key_Return);
        QCOMPARE(carriers(editor->document(), longest), 1);

        // The clipboard copy, pasted in front of the original.
        editor->findChild<QAction *>("mpActCopy")->trigger();
        editor->findChild<QAction *>("mpActPaste")->trigger();
        QCOMPARE(carriers(editor->document(), longest), 2);
        // The undo record of a removal.
        select(*editor, "Push Button (\"Start\")");
        editor->findChild<QAction *>("mpActRemove")->trigger();
        QCOMPARE(carriers(editor->document(), longest), 1);
        editor->undoRecorder().stack().undo();
        QCOMPARE(carriers(editor->document(), longest), 2);
        // The saved file.
        const QString saved = dir.filePath("largest.dlg");
        editor->saveDocument(saved);
        auto reader = mHost.newEditor();
        reader->loadDocument(saved, false);
        QCOMPARE(carriers(reader->document(), longest), 2);
    }

    // The panel alone: what it reports for each text, and that nothing is echoed back.
    void panelTakesPathSyntax_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("reported");
        QTest::addColumn<QString>("warning");
        const QString use = "\nUse the \"parameter.path\" syntax!";
        QTest::newRow("binding") << "Machine.speed" << "Machine.speed" << "";
        QTest::newRow("two dots") << "Machine.a.b" << "Machine.a.b" << "";
        QTest::newRow("empty unbinds") << "" << "unset" << "";
        QTest::newRow("no parameter") << ".speed" << "" << "Empty parameter given!" + use;
        QTest::newRow("no path") << "Machine." << "" << "Empty path given!" + use;
        QTest::newRow("no dot") << "unset" << "" << "Syntax error in path!" + use;
        QTest::newRow("bad character") << "M/x.y" << "" << "Syntax error in path!" + use;
        QTest::newRow("not 8-bit") << "Mach\u20acine.x" << "Machine.x" << "";
        const QString longest(256, 'p');
        QTest::newRow("longest parameter") << longest + ".x" << longest + ".x" << "";
        QTest::newRow("parameter too long")
            << longest + "p.x" << "" << "The parameter name is longer than 256 characters!";
    }
    void panelTakesPathSyntax()
    {
        QFETCH(QString, typed);
        QFETCH(QString, reported);
        QFETCH(QString, warning);
        mAssigned.clear();
        cQMVViewLocationDialog panel(nullptr, mHost.app.vmvMgr(), &mHost.app.dialogArguments());
        panel.sigLocationAssigned.connect(
            vrmi::cDirectLocalSlotCall2<tst_PropertyEditing, const vstd::cAsciiString &,
                                        const vmva::cDMDataModelDescriptor &>(
                this, &tst_PropertyEditing::assigned));
        panel.setLocation("Text", vmva::cDMDataModelDescriptor("Old", "place"));
        QVERIFY(mAssigned.isEmpty());
        auto *line = panel.findChild<QLineEdit *>("mpTxtModelParameterAndElement");
        QCOMPARE(line->text(), QString("Old.place"));
        line->clear();
        typeText(line, typed);
        const QStringList warnings = warningsDuring(
            [&] { QTest::mouseClick(panel.findChild<QToolButton *>("mpBtSet"), Qt::LeftButton); });
        if (warning.isEmpty()) {
            QVERIFY(warnings.isEmpty());
            QCOMPARE(mAssigned, (QList<QPair<QString, QString>>{{"Text", reported}}));
        } else {
            QCOMPARE(warnings, QStringList("Dialog Editor|" + warning));
            QVERIFY(mAssigned.isEmpty());
            QCOMPARE(line->text(), typed);
        }
        panel.sltAssignModelElement("Value", "Plant", "temperature");
        QCOMPARE(mAssigned.last(), qMakePair(QString("Value"), QString("Plant.temperature")));
    }

    // Every element of the host library, and the example plug-in's: each property gets a row
    // under its topic with help text, a value editor unless its kind's editor is still missing,
    // and a connector exactly when it is connectable and not itself a location.
    void everyElementShowsASensibleTable()
    {
        cVQ4VMVDataViewMgr &mgr = mHost.app.vmvMgr();
        vsa::cReferenceFrame frame;
        mgr.loadDataViewElement(qstr(qstr(mgr.uiPlugInPath()) + "/libVellLcdElements.so"), frame);
        cQVEConnectorTreeWidget table(nullptr);
        QStringList elements;
        for (cQUIDataViewItemExtension *extension : mgr.dataViewElementExtensions()) {
            const QString element = qstr(extension->factory()->elementName());
            elements << element;
            auto properties = extension->factory()->createProperties();
            QVERIFY2(properties, qPrintable(element));
            properties->initialize();
            table.setProperties(properties.get());
            QSet<QString> topics;
            for (vmva::cDVIAbstractProperty *property : properties->properties()) {
                const QByteArray what = (element + "." + qstr(property->name())).toUtf8();
                QVERIFY2(!property->help().empty() && !property->topic().empty(), what);
                topics << qstr(property->topic());
                const int row = rowOf(table, property->name().c_str());
                const bool pending = property->layoutView() || property->fontView()
                                     || property->pixmapView();
                QVERIFY2(pending || table.cellWidget(row, 1), what);
                const bool connectable = !(property->flags() & 0x400)
                                         && !property->modelLocationView();
                QVERIFY2(bool(table.cellWidget(row, 2)) == connectable, what);
                QVERIFY2(!connectable || !property->allowedTypes().empty(), what);
            }
            QCOMPARE(table.rowCount(), int(properties->properties().size()) + topics.size());
            table.setProperties(nullptr);
        }
        QVERIFY(elements.contains("LcdNumber") && elements.contains("ToolButton"));
    }
};

QTEST_MAIN(tst_PropertyEditing)
#include "tst_propertyediting.moc"
