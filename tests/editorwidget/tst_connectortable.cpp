#include "propertytesthelpers.h"

#include "qdialogeditorwidget/cqpwnameitem.h"
#include "qdialogeditorwidget/cqveconnectortreewidget.h"
#include "qdialogeditorwidget/propertywidgets/cqpwboolitem.h"
#include "qdialogeditorwidget/propertywidgets/cqpwintegeritem.h"
#include "qdialogeditorwidget/propertywidgets/cqpwmodelchoosebutton.h"
#include "qdialogeditorwidget/propertywidgets/cqpwstringitem.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

using namespace vmva;
using tPairs = std::vector<cDVIIntProperty::tPredefinedPair>;

// The property table with its editors, driven with the mouse and keyboard.
class tst_ConnectorTable : public QObject
{
    Q_OBJECT

    static std::unique_ptr<cShownTable> shownTable(cTestProperties &properties)
    {
        return std::make_unique<cShownTable>(properties);
    }

    static void press(QWidget *widget)
    {
        QTest::mousePress(widget, Qt::LeftButton, {}, QPoint(4, widget->height() / 2));
        QTest::mouseRelease(widget, Qt::LeftButton, {}, QPoint(4, widget->height() / 2));
    }
    static void doubleClickName(cQVEConnectorTreeWidget &table, int row)
    {
        QTest::mouseDClick(table.cellWidget(row, 0), Qt::LeftButton);
    }
    // The property names of the rows, a topic's header as "[topic]"; hidden rows left out.
    static QStringList rowNames(cQVEConnectorTreeWidget &table)
    {
        QStringList rows;
        for (int row = 0; row < table.rowCount(); ++row) {
            if (table.isRowHidden(row))
                continue;
            auto *name = qobject_cast<cQPWNameItem *>(table.cellWidget(row, 0));
            rows << (name ? qstr(name->property()->name()) : "[" + shown(table, row, 0) + "]");
        }
        return rows;
    }
    // The page-0 text of a cell's editor, or of its header label.
    static QString shown(cQVEConnectorTreeWidget &table, int row, int col = 1)
    {
        QWidget *cell = table.cellWidget(row, col);
        if (auto *item = qobject_cast<cQPWAbstractItem *>(cell))
            return item->displayLabel()->text();
        auto *label = qobject_cast<QLabel *>(cell);
        return label ? label->text() : QString();
    }

private slots:
    // Topics keep the order of their first property; the first property is current at once.
    void groupsRowsByTopic()
    {
        cTestProperties p;
        p.add<cDVIBoolProperty>("a1", "A", "", 0, false);
        p.add<cDVIBoolProperty>("b1", "B", "", 0, false);
        p.add<cDVIBoolProperty>("a2", "A", "", 0, false);
        auto table = shownTable(p);
        QCOMPARE(table->rowCount(), 5);
        QCOMPARE(rowNames(*table), QStringList({"[A]", "a1", "a2", "[B]", "b1"}));
        QCOMPARE(qstr(table->currentPropertyName()), QString("a1"));
        QVERIFY(table->selectedItems().isEmpty());
        table->setProperties(nullptr);
        QCOMPARE(table->rowCount(), 0);
        QVERIFY(table->currentPropertyName().empty());
    }

    // The rows a typed filter leaves: name or help text, any case, with their topics' headers;
    // a refill keeps the filter.
    void filterShowsMatchingRows_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("nothing") << "" << QStringList({"[Text]", "Label", "Text", "[Geometry]",
                                                       "Width", "Height", "[Model]", "Command"});
        QTest::newRow("name") << "wid" << QStringList({"[Geometry]", "Width"});
        QTest::newRow("help, other case") << "PIXELS"
                                          << QStringList({"[Geometry]", "Width", "Height"});
        QTest::newRow("help only") << "button" << QStringList({"[Text]", "Text"});
        QTest::newRow("two topics") << "e" << QStringList({"[Text]", "Label", "Text",
                                                           "[Geometry]", "Width", "Height",
                                                           "[Model]", "Command"});
        QTest::newRow("blank around") << " height " << QStringList({"[Geometry]", "Height"});
        QTest::newRow("no match") << "zzz" << QStringList();
    }
    void filterShowsMatchingRows()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, rows);
        cTestProperties p;
        p.add<cDVIUCStringProperty>("Label", "Text", "Its name in the tree", 1, vucs::cString());
        p.add<cDVIUCStringProperty>("Text", "Text", "Shown on the button", 1, vucs::cString());
        p.add<cDVIIntProperty>("Width", "Geometry", "Fixed width in pixels", 1, 0);
        p.add<cDVIIntProperty>("Height", "Geometry", "Fixed height in pixels", 1, 0);
        p.add<cDVIUCStringProperty>("Command", "Model", "Triggered when clicked", 1,
                                    vucs::cString());
        auto table = shownTable(p);
        std::unique_ptr<QLineEdit> field(table->createFilterField(nullptr));
        field->setText("old");
        field->clear();
        QTest::keyClicks(field.get(), typed);
        QCOMPARE(rowNames(*table), rows);
        table->setProperties(&p);
        QCOMPARE(rowNames(*table), rows);
    }

    // Which editor a property gets in the value column, whether it has a connector, and the
    // direction its name cell shows.
    void cellsFollowKindAndFlags_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<uint>("flags");
        QTest::addColumn<QString>("valueEditor");
        QTest::addColumn<bool>("connector");
        QTest::addColumn<QString>("direction");
        QTest::addColumn<QString>("tipStart");
        const QString in = "<b>View input.</b><br>View takes data";
        QTest::newRow("bool") << "B" << 1u << "cQPWBoolItem" << true << "(in)" << in;
        QTest::newRow("int static") << "I" << 0x400u << "cQPWIntegerItem" << false << "" << "";
        QTest::newRow("8-bit") << "A" << 3u << "cQPWStringItem" << true << "(in/out)"
                               << "<b>View input / output.</b><br>When";
        QTest::newRow("unicode") << "U" << 2u << "cQPWStringItem" << true << "(out)"
                                 << "<b>View output.</b><br>When property";
        QTest::newRow("model location") << "M" << 1u << "cQPWModelChooseButton" << false
                                        << "(in)" << in;
        QTest::newRow("layout parameter") << "L" << 0u << "cQPWLayoutParamItem" << true << ""
                                          << "";
        QTest::newRow("pixmap") << "P" << 1u << "cQPWPixmapItem" << true << "(in)" << in;
        QTest::newRow("font") << "F" << 1u << "cQPWFontItem" << true << "(in)" << in;
    }
    void cellsFollowKindAndFlags()
    {
        QFETCH(QString, kind);
        QFETCH(uint, flags);
        QFETCH(QString, valueEditor);
        QFETCH(bool, connector);
        QFETCH(QString, direction);
        QFETCH(QString, tipStart);
        cTestProperties p;
        const char *n = "p", *t = "T", *h = "help";
        if (kind == "B") p.add<cDVIBoolProperty>(n, t, h, flags, true);
        if (kind == "I") p.add<cDVIIntProperty>(n, t, h, flags, 3);
        if (kind == "A") p.add<cDVIAsciiStringProperty>(n, t, h, flags, "x");
        if (kind == "U") p.add<cDVIUCStringProperty>(n, t, h, flags, vucs::cString("x"));
        if (kind == "M") p.add<cDVIModelLocationProperty>(n, t, h, flags);
        if (kind == "L") p.add<cDVILayoutProperty>(n, t, h, flags, cDVLayoutParameter());
        if (kind == "P") p.add<cDVIPixmapProperty>(n, t, h, flags, QByteArray());
        if (kind == "F") p.add<cDVIFontProperty>(n, t, h, flags, vucs::cString());
        auto table = shownTable(p);
        QWidget *value = table->cellWidget(1, 1);
        QCOMPARE(value ? QString(value->metaObject()->className()) : QString(), valueEditor);
        QCOMPARE(qobject_cast<cQPWModelChooseButton *>(table->cellWidget(1, 2)) != nullptr,
                 connector);
        QWidget *cell = table->cellWidget(1, 0);
        auto *name = cell->findChild<QLabel *>("mpLblName");
        auto *shownDirection = cell->findChild<QLabel *>("mpLblDirection");
        QCOMPARE(name->text() + '|' + name->toolTip(), QString("p|help"));
        QCOMPARE(shownDirection->text(), direction);
        QCOMPARE(shownDirection->toolTip().left(tipStart.size()), tipStart);
        QCOMPARE(shownDirection->toolTip().isEmpty(), tipStart.isEmpty());
    }

    // A press on a row or on one of its editors makes the row current and names its property;
    // on a header it names nothing. Each press closes the other editors. The selected row's
    // labels take the selection's text colour.
    void pressesSelectAndCloseEditors()
    {
        cTestProperties p;
        p.add<cDVIBoolProperty>("Enabled", "State", "", 1, true);
        p.add<cDVIUCStringProperty>("Text", "State", "", 1, vucs::cString("t"));
        auto table = shownTable(p);
        auto *boolEditor = table->editor<cQPWBoolItem>(1);
        press(boolEditor);
        QVERIFY(boolEditor->isOpen());
        QCOMPARE(table->currentRow(), 1);
        press(table->editor<cQPWStringItem>(2));
        QVERIFY(!boolEditor->isOpen());
        QVERIFY(table->editor<cQPWStringItem>(2)->isOpen());
        QCOMPARE(table->currentRow(), 2);
        auto *connector = table->editor<cQPWModelChooseButton>(2, 2);
        press(connector);
        QVERIFY(!table->editor<cQPWStringItem>(2)->isOpen());
        QCOMPARE(table->selected, QStringList({"Enabled", "Text", "Text"}));
        const QRect header = table->visualItemRect(table->item(0, 2));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, header.center());
        QCOMPARE(table->selected.size(), 3);
        QVERIFY(!connector->isOpen());
        QTest::mouseClick(table->cellWidget(1, 0), Qt::LeftButton);
        QCOMPARE(qstr(table->currentPropertyName()), QString("Enabled"));

        const QColor selectedText = table->palette().color(QPalette::HighlightedText);
        auto colourOf = [](QLabel *label) {
            return label->palette().color(label->foregroundRole());
        };
        auto *name = table->cellWidget(1, 0)->findChild<QLabel *>("mpLblName");
        QCOMPARE(colourOf(name), selectedText);
        QCOMPARE(colourOf(table->editor<cQPWModelChooseButton>(1, 2)->displayLabel()),
                 selectedText);
        QVERIFY(colourOf(connector->displayLabel()) != selectedText);
    }

    // The page a press opens, and that building the editor or opening it writes nothing, also
    // when the range excludes the value or the value needs more than 32 bits.
    void integerEditorOpensOnItsPage_data()
    {
        QTest::addColumn<bool>("predefined");
        QTest::addColumn<qint64>("min");
        QTest::addColumn<qint64>("max");
        QTest::addColumn<qint64>("value");
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("entries");
        QTest::addColumn<QString>("label");
        QTest::newRow("ranged, predefined value") << true << 0ll << 99ll << 2ll << 2 << 4 << "two";
        QTest::newRow("ranged, other value") << true << 0ll << 99ll << 7ll << 1 << 4 << "7";
        QTest::newRow("no range, other value") << true << 1ll << 0ll << 7ll << 2 << 3 << "7";
        QTest::newRow("range only") << false << -5ll << 5ll << 3ll << 1 << 0 << "3";
        QTest::newRow("range excludes value") << false << 5ll << 10ll << 0ll << 1 << 0 << "0";
        QTest::newRow("beyond 32 bits") << false << 1ll << 0ll << 5000000000ll << 1 << 0
                                        << "5000000000";
    }
    void integerEditorOpensOnItsPage()
    {
        QFETCH(bool, predefined);
        QFETCH(qint64, min);
        QFETCH(qint64, max);
        QFETCH(qint64, value);
        QFETCH(int, page);
        QFETCH(int, entries);
        QFETCH(QString, label);
        cTestProperties p;
        auto &property = p.add<cDVIIntProperty>("Size", "Geometry", "", 0x400, value);
        property.setRange(min, max);
        if (predefined)
            property.setPredefinedValues(tPairs{{1, "one"}, {2, "two"}, {3, "three"}});
        auto table = shownTable(p);
        auto *item = table->editor<cQPWIntegerItem>(1);
        QCOMPARE(item->displayLabel()->text(), label);
        press(item);
        QCOMPARE(item->currentIndex(), page);
        QCOMPARE(item->findChild<QComboBox *>()->count(), entries);
        if (page == 1) {
            // Leaving the untouched spin box finishes an edit that must not cut the value.
            QTest::keyClick(item->findChild<QSpinBox *>(), Qt::Key_Return);
        }
        QCOMPARE(property.value(), value);
        QCOMPARE(item->displayLabel()->text(), label);
    }

    void integerEditorChoosesAndCycles()
    {
        cTestProperties p;
        auto &property = p.add<cDVIIntProperty>("Align", "Look", "", 0x400, 1);
        property.setRange(0, 10);
        property.setPredefinedValues(tPairs{{1, "one"}, {2, "two"}, {3, "three"}});
        auto table = shownTable(p);
        auto *item = table->editor<cQPWIntegerItem>(1);
        press(item);
        saveShot(item, "int_combo_page");
        auto *combo = item->findChild<QComboBox *>();
        QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(property.value(), 2);
        QCOMPARE(item->displayLabel()->text(), QString("two"));
        QCOMPARE(table->changed, 1);
        QTest::keyClick(combo, Qt::Key_End); // "Custom..."
        QCOMPARE(item->currentIndex(), 1);
        saveShot(item, "int_spin_page");
        auto *spin = item->findChild<QSpinBox *>();
        QTRY_VERIFY(spin->hasFocus());
        spin->clearFocus(); // leaving the field unchanged is no edit either
        QCOMPARE(property.value(), 2);
        QCOMPARE(table->changed, 1);
        spin->selectAll();
        QTest::keyClicks(spin, "7");
        QCOMPARE(property.value(), 7);
        QCOMPARE(item->displayLabel()->text(), QString("7"));

        QList<qint64> seen;
        for (int i = 0; i < 4; ++i) {
            doubleClickName(*table, 1);
            seen << property.value();
        }
        QCOMPARE(seen, QList<qint64>({1, 2, 3, 1})); // from "Custom..." on
        QCOMPARE(item->displayLabel()->text(), QString("one"));
    }

    void integerRevertClosesAfterTheClick()
    {
        cTestProperties p;
        auto &property = p.add<cDVIIntProperty>("Width", "Geometry", "", 0x400, 0);
        property.setRange(0, 4096);
        auto table = shownTable(p);
        auto *item = table->editor<cQPWIntegerItem>(1);
        press(item);
        item->findChild<QSpinBox *>()->selectAll();
        QTest::keyClicks(item->findChild<QSpinBox *>(), "42");
        QCOMPARE(property.value(), 42);
        QTest::mouseClick(item->currentWidget()->findChild<QPushButton *>(), Qt::LeftButton);
        QCOMPARE(property.value(), 0);
        QCOMPARE(item->displayLabel()->text(), QString("0"));
        QVERIFY(item->isOpen());
        QTRY_VERIFY(!item->isOpen());
    }

    void stringEditorCommitsOnReturn()
    {
        cTestProperties p;
        auto &ascii = p.add<cDVIAsciiStringProperty>("Label", "General", "", 0x400, "old");
        auto &text = p.add<cDVIUCStringProperty>("Text", "General", "", 1, vucs::cString("t"));
        auto table = shownTable(p);
        auto *asciiItem = table->editor<cQPWStringItem>(1);
        press(asciiItem);
        auto *line = asciiItem->findChild<QLineEdit *>();
        QVERIFY(line->hasFocus());
        line->selectAll();
        // A character without an 8-bit form is refused as it is typed, not stored as "?".
        typeText(line, QString::fromUtf8("Grüße €!"));
        QCOMPARE(line->text(), QString::fromUtf8("Grüße !"));
        saveShot(line, "string_open");
        QCOMPARE(table->changed, 0); // typing alone writes nothing
        QCOMPARE(qstr(ascii.value()), QString("old"));
        QTest::keyClick(line, Qt::Key_Return);
        QCOMPARE(qstr(ascii.value()), QString::fromUtf8("Grüße !"));
        QCOMPARE(table->changed, 1);
        QVERIFY(asciiItem->isOpen());

        auto *textItem = table->editor<cQPWStringItem>(2);
        press(textItem);
        auto *textLine = textItem->findChild<QLineEdit *>();
        textLine->selectAll();
        typeText(textLine, QString::fromUtf8("Grüße €"));
        QTest::keyClick(textLine, Qt::Key_Return);
        QCOMPARE(qstr(text.value()), QString::fromUtf8("Grüße €"));
        QCOMPARE(textItem->displayLabel()->text(), QString::fromUtf8("Grüße €"));
        QTest::mouseClick(textItem->currentWidget()->findChild<QPushButton *>(), Qt::LeftButton);
        QCOMPARE(qstr(text.value()), QString("t"));
        QTRY_VERIFY(!textItem->isOpen());
    }

    void stringEditorWithPredefinedValues()
    {
        cTestProperties p;
        auto &open = p.add<cDVIAsciiStringProperty>("Shortcut", "G", "", 0x400, "");
        open.setPredefinedValues({{"Ctrl+S", "Save"}, {"Ctrl+O", "Open"}}, false);
        auto &closed = p.add<cDVIAsciiStringProperty>("EchoMode", "G", "", 0x400, "Normal");
        closed.setPredefinedValues({{"Normal", "Normal"}, {"Password", "Password"}}, true);
        auto table = shownTable(p);
        auto *openItem = table->editor<cQPWStringItem>(1);
        auto *closedItem = table->editor<cQPWStringItem>(2);
        press(closedItem);
        QCOMPARE(closedItem->currentIndex(), 2);
        QCOMPARE(closedItem->findChild<QComboBox *>()->count(), 2); // no "Custom..."
        QTest::keyClick(closedItem->findChild<QComboBox *>(), Qt::Key_Down);
        QCOMPARE(qstr(closed.value()), QString("Password"));

        press(openItem);
        auto *combo = openItem->findChild<QComboBox *>();
        QCOMPARE(combo->itemText(combo->count() - 1), QString("Custom..."));
        QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(qstr(open.value()), QString("Ctrl+O"));
        QCOMPARE(openItem->displayLabel()->text(), QString("Open"));
        QTest::keyClick(combo, Qt::Key_End);
        QCOMPARE(openItem->currentIndex(), 1);
        auto *line = openItem->findChild<QLineEdit *>();
        line->clear();
        QTest::keyClick(line, Qt::Key_Return);
        QCOMPARE(qstr(open.value()), QString());
        QCOMPARE(openItem->editPageIndex(), 2);
    }

    void boolEditorWritesAndToggles()
    {
        cTestProperties p;
        auto &property = p.add<cDVIBoolProperty>("Enabled", "State", "", 1, false);
        auto table = shownTable(p);
        auto *item = table->editor<cQPWBoolItem>(1);
        QCOMPARE(item->displayLabel()->text(), QString("false"));
        press(item);
        saveShot(item, "bool_open");
        QTest::keyClick(item->findChild<QComboBox *>(), Qt::Key_Down);
        QCOMPARE(property.value(), true);
        QCOMPARE(item->displayLabel()->text(), QString("true"));
        QTRY_VERIFY(!item->isOpen());
        doubleClickName(*table, 1);
        QCOMPARE(property.value(), false);
        QCOMPARE(item->displayLabel()->text(), QString("false"));
        QCOMPARE(table->changed, 2);
    }

    // Return in the connector field: a binding, an unbinding or a warning that keeps the
    // stored location and puts it back into the field.
    void connectorTakesPathSyntax_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("warning");
        const QString use = "\nUse the \"parameter.path\" syntax!";
        QTest::newRow("binding") << "Machine.Speed" << "Machine.Speed" << "";
        QTest::newRow("two dots") << "Machine.Axis.X" << "Machine.Axis.X" << "";
        QTest::newRow("model path") << ".Speed" << "$(modelPath).Speed" << "";
        QTest::newRow("unset") << "unset" << "unset" << "";
        QTest::newRow("empty") << "" << "unset" << "";
        QTest::newRow("no sub-path") << "Machine." << "Old.Place" << "Empty sub-path given!" + use;
        QTest::newRow("no dot") << "Machine" << "Old.Place" << "Syntax error in path!" + use;
        QTest::newRow("blank") << "Ma chine.X" << "Old.Place" << "Syntax error in path!" + use;
        QTest::newRow("not 8-bit") << "Mach\u20acine.X" << "Machine.X" << "";
        const QString longest(256, 'p');
        QTest::newRow("longest parameter") << longest + ".X" << longest + ".X" << "";
        QTest::newRow("parameter too long") << longest + "p.X" << "Old.Place"
                                            << "The parameter name is longer than 256 characters!";
    }
    void connectorTakesPathSyntax()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QFETCH(QString, warning);
        cTestProperties p;
        auto &property = p.add<cDVIUCStringProperty>("Text", "G", "", 1, vucs::cString());
        property.setModelLocation(cDMDataModelDescriptor("Old", "Place"));
        auto table = shownTable(p);
        auto *item = table->editor<cQPWModelChooseButton>(1, 2);
        press(item);
        auto *line = item->findChild<QLineEdit *>();
        line->clear();
        typeText(line, typed);
        const QStringList warnings
            = warningsDuring([&] { QTest::keyClick(line, Qt::Key_Return); });
        const QStringList expected
            = warning.isEmpty() ? QStringList() : QStringList("Dialog Editor|" + warning);
        QCOMPARE(warnings, expected);
        QCOMPARE(qstr(property.modelLocation().toString()), stored);
        QCOMPARE(line->text(), stored);
        QCOMPARE(item->displayLabel()->text(), stored);
    }

    void connectorButtonsAndTooltip()
    {
        cTestProperties p;
        auto &property = p.add<cDVIUCStringProperty>("Text", "G", "The text.", 1, vucs::cString());
        property.setAllowedTypes(" cString, piInt64 ");
        auto table = shownTable(p);
        auto *item = table->editor<cQPWModelChooseButton>(1, 2);
        QCOMPARE(item->displayLabel()->text(), QString("unset"));
        QCOMPARE(item->displayLabel()->toolTip(),
                 QString("<b>The text.</b><br>You may specify a model path for it.<br>The "
                         "following models are allowed:<ul><li><b>cString</b></li>"
                         "<li><b>piInt64</b></li></ul>"));
        press(item);
        saveShot(item, "location_open");
        QCOMPARE(item->findChild<QLineEdit *>()->text(), QString());
        QTest::mouseClick(item->findChild<QPushButton *>("mpBtChoose"), Qt::LeftButton);
        QCOMPARE(table->assignMenus, QStringList({"Text"}));
        property.setModelLocation(cDMDataModelDescriptor("M", "x"));
        table->updateInfo();
        QCOMPARE(item->displayLabel()->text(), QString("M.x"));
        QTest::mouseClick(item->findChild<QPushButton *>("mpBtClear"), Qt::LeftButton);
        QVERIFY(property.modelLocation().isEmpty());
        QCOMPARE(table->changed, 1);
        QTRY_VERIFY(!item->isOpen());
    }
};

QTEST_MAIN(tst_ConnectorTable)
#include "tst_connectortable.moc"
