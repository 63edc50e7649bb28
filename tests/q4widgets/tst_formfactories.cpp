// The dialog, menu and tool bar factories building widgets from form documents.
#include "formfixture.h"

#include "vellmva2/tgenericnode.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QDial>
#include <QFormLayout>
#include <QGridLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QScrollArea>
#include <QSlider>
#include <QSpinBox>
#include <QSplitter>
#include <QStackedWidget>
#include <QTextEdit>
#include <QBuffer>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

namespace {

QByteArray pngBytes(const QColor &color)
{
    QImage image(8, 8, QImage::Format_ARGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

const QByteArray kSvg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"20\" height=\"10\">"
                        "<rect width=\"20\" height=\"10\" fill=\"red\"/></svg>";

// A dialog with one of every dialog element, each named by its number.
void writeEveryElement(cVQ4VMVFormWriter &w)
{
    w.open("Dialog", "1").set("Title", "Settings").set("Width", 420)
        .set("WindowIcon", kSvg);
    w.open("VBoxLayout", "2").set("Spacing", 3).set("Margin", 5);
    QFont font("DejaVu Sans", 17);
    font.setBold(true);
    w.open("Label", "3").set("Text", "Hello").set("Alignment", 0x84).set("WordWrap", true)
        .set("ToolTip", "greeting").set("Font", font.toString()).close();
    w.open("PushButton", "4").set("Text", "Go").set("Icon", pngBytes(Qt::green)).close();
    w.open("LineEdit", "5").set("Text", "secret").set("EchoMode", "Password")
        .set("MaxLength", 12).set("ReadOnly", true).close();
    w.open("CheckBox", "6").set("Text", "On").set("Checked", true).close();
    w.open("SpinBox", "7").set("Value", 150).set("Minimum", 10).set("Maximum", 200)
        .set("SingleStep", 5).set("Suffix", " rpm").close();
    w.open("ComboBox", "8").set("Entries", "red\ngreen\nblue").set("CurrentIndex", 2).close();
    w.open("ProgressBar", "9").set("Value", 40).set("TextVisible", false).close();
    w.open("Spacer", "10").set("Orientation", 2).set("Size", 30).close();
    w.open("GroupBox", "11").set("Title", "Group").set("Enabled", false);
    w.open("HBoxLayout", "12");
    w.open("Label", "13").set("Text", "inner").set("Visible", false).close();
    w.close().close();
    w.open("TabWidget", "14").set("CurrentIndex", 1).set("TabPosition", 1);
    w.open("TabPage", "15").set("Title", "First").set("ToolTip", "first page");
    w.open("VBoxLayout", "16").open("Label", "17").set("Text", "on page one").close().close();
    w.close();
    w.open("TabPage", "18").set("Title", "Second").set("Enabled", false);
    w.open("VBoxLayout", "19").open("PushButton", "20").set("Text", "Page two").close().close();
    w.close();
    w.close(); // tab widget
    w.close().close();
}

const QByteArray kSvgIcon = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"16\" "
                            "height=\"16\"><rect width=\"16\" height=\"16\"/></svg>";

void writeMenu(cVQ4VMVFormWriter &w)
{
    w.open("Menu", "1").set("Title", "File");
    w.open("MenuItem", "2").set("Text", "Open").set("Shortcut", "Ctrl+O")
        .set("ToolTip", "Open a file").set("Icon", kSvgIcon).close();
    w.open("MenuSeparator", "3").close();
    w.open("Menu", "4").set("Title", "Recent");
    w.open("MenuItem", "5").set("Text", "a.dlg").close();
    w.open("Menu", "6").set("Title", "Older").open("MenuItem", "7").set("Text", "b.dlg").close();
    w.close();
    w.close();
    w.open("MenuItem", "8").set("Text", "Auto").set("Checkable", true).set("Checked", true)
        .set("Enabled", false).close();
    w.open("MenuItem", "9").set("Text", "Hidden").set("Visible", false).close();
    w.close();
}

void writeToolBar(cVQ4VMVFormWriter &w)
{
    w.open("ToolBar", "1").set("Title", "Tools").set("ToolButtonStyle", "TextOnly")
        .set("IconSize", 16).set("Orientation", 2);
    w.open("ToolButton", "2").set("Text", "Run").close();
    w.open("ToolSeparator", "3").close();
    w.open("ToolButton", "4").set("Text", "Stop").set("Checkable", true).close();
    w.close();
}

} // namespace

class tst_FormFactories : public QObject
{
    Q_OBJECT

private slots:
    void buildsEveryDialogElement();
    void layoutParameterActsAlongTheBox();
    void cellsPlaceAsQtLayoutsDo_data();
    void cellsPlaceAsQtLayoutsDo();
    void buildsTheContainersAndWidgetsAddedLater();
    void skipsUnknownAndMisplacedElements();
    void propertiesMissingFromARecordKeepTheirDefaults();
    void refusesCorruptDocuments_data();
    void refusesCorruptDocuments();
    void closingFollowsCloseAllowed();
    void buildsMenuWithSubmenus();
    void buildsToolBar();
};

void tst_FormFactories::buildsEveryDialogElement()
{
    tFormFixture f;
    auto dialog = f.dialog(f.document(writeEveryElement));
    QVERIFY(dialog);
    QCOMPARE(dialog->sizeHint().width(), 420);
    QCOMPARE(dialog->windowIcon().availableSizes().value(0), QSize(20, 10));
    // The value is written before the range; it must still survive the range.
    QCOMPARE(shown(*dialog, {":objectName", ":windowTitle", "2:spacing", "3:text", "3:alignment",
                             "3:wordWrap", "3:toolTip", "5:text", "5:echoMode", "5:maxLength",
                             "5:readOnly", "6:checked", "6:text", "7:minimum", "7:maximum",
                             "7:value", "7:singleStep", "7:text", "8:count", "8:currentText",
                             "9:value", "9:textVisible", "11:title", "11:enabled"}),
             QStringList({"1", "Settings", "3", "Hello", "AlignCenter", "true", "greeting",
                          "secret", "Password", "12", "true", "true", "On", "10", "200", "150",
                          "5", "150 rpm", "3", "blue", "40", "false", "Group", "false"}));
    QVERIFY(dialog->findChild<QLabel *>("13")->isHidden());
    auto *layout = dialog->findChild<QVBoxLayout *>("2");
    QCOMPARE(dialog->layout(), layout);
    QCOMPARE(layout->contentsMargins(), QMargins(5, 5, 5, 5));
    auto *label = dialog->findChild<QLabel *>("3");
    QCOMPARE(label->font().pointSize(), 17);
    QVERIFY(label->font().bold());
    // Only the label was given a font.
    QVERIFY(!dialog->findChild<QPushButton *>("4")->font().bold());
    QVERIFY(!dialog->findChild<QPushButton *>("4")->icon().isNull());
    QCOMPARE(dialog->findChild<QComboBox *>("8")->itemText(1), QString("green"));
    auto *spacer = dialog->findChild<QWidget *>("10");
    QCOMPARE(spacer->sizeHint(), QSize(0, 30));
    QCOMPARE(spacer->sizePolicy().verticalPolicy(), QSizePolicy::Expanding);
    QCOMPARE(dialog->findChild<QGroupBox *>("11")->layout(),
             dialog->findChild<QHBoxLayout *>("12"));
    // Every element of the layout in document order; the spacer's widget is placed by a spacer
    // item, as Qt's spacers are.
    QStringList order;
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem *item = layout->itemAt(i);
        order << (item->widget() ? item->widget()->objectName()
                  : item->spacerItem() && item->sizeHint() == QSize(0, 30) ? "10 as spacer"
                                                                           : "?");
    }
    QCOMPARE(order, QStringList({"3", "4", "5", "6", "7", "8", "9", "10 as spacer", "11", "14"}));
    // Its item goes with it, as a widget's does.
    delete spacer;
    QCOMPARE(layout->count(), order.size() - 1);

    auto *tabs = dialog->findChild<QTabWidget *>("14");
    QCOMPARE(tabs->count(), 2);
    QCOMPARE(tabs->tabText(1), QString("Second"));
    QCOMPARE(tabs->tabToolTip(0), QString("first page"));
    QVERIFY(tabs->isTabEnabled(0) && !tabs->isTabEnabled(1));
    QCOMPARE(tabs->currentIndex(), 1);
    QCOMPARE(tabs->tabPosition(), QTabWidget::South);
    QCOMPARE(tabs->widget(0)->objectName(), QString("15"));
    QCOMPARE(tabs->widget(0)->layout()->objectName(), QString("16"));
    QCOMPARE(tabs->widget(0)->findChild<QLabel *>("17")->text(), QString("on page one"));
    QCOMPARE(tabs->widget(1)->layout()->itemAt(0)->widget()->objectName(), QString("20"));

    // A form saved by the editor carries no identities.
    auto bare = f.boxDialog([](cVQ4VMVFormWriter &w) { w.open("Label").close(); });
    QVERIFY(bare->objectName().isEmpty());
    QVERIFY(bare->findChild<QLabel *>()->objectName().isEmpty());
    QVERIFY(bare->layout()->objectName().isEmpty());
}

void tst_FormFactories::layoutParameterActsAlongTheBox()
{
    tFormFixture f;
    vmva::cDVLayoutParameter fixed;
    fixed.setMode(vmva::cDVLayoutParameter::Fixed);
    fixed.setMinimum(50);
    fixed.setMaximum(80);
    fixed.setMultiplier(3);
    vmva::cDVLayoutParameter wide;
    wide.setMode(vmva::cDVLayoutParameter::MinimumExpanding);
    wide.setMultiplier(2);
    auto dialog = f.dialog(f.document([&](cVQ4VMVFormWriter &w) {
        w.open("Dialog").open("VBoxLayout", "v");
        w.open("HBoxLayout", "h").set("Layout", wide);
        w.open("Label", "a").set("Layout", fixed).close();
        w.open("Label", "b").close();
        w.close();
        w.open("Label", "c").set("Layout", fixed).close();
        w.close().close();
    }));
    QVERIFY(dialog);
    auto *a = dialog->findChild<QLabel *>("a");
    auto *h = dialog->findChild<QHBoxLayout *>("h");
    QCOMPARE(a->sizePolicy().horizontalPolicy(), QSizePolicy::Fixed);
    QCOMPARE(a->sizePolicy().verticalPolicy(), QSizePolicy::Preferred);
    QCOMPARE(a->minimumWidth(), 50);
    QCOMPARE(a->maximumWidth(), 80);
    QCOMPARE(a->minimumHeight(), 0);
    QCOMPARE(h->stretch(0), 3);
    QCOMPARE(h->stretch(1), 0);
    // In a vertical box the same parameter acts on the height.
    auto *c = dialog->findChild<QLabel *>("c");
    QCOMPARE(c->sizePolicy().verticalPolicy(), QSizePolicy::Fixed);
    QCOMPARE(c->sizePolicy().horizontalPolicy(), QSizePolicy::Preferred);
    QCOMPARE(c->maximumHeight(), 80);
    QCOMPARE(c->maximumWidth(), QWIDGETSIZE_MAX);
    auto *v = dialog->findChild<QVBoxLayout *>("v");
    QCOMPARE(v->stretch(0), 2);
    QCOMPARE(v->stretch(1), 3);
}

void tst_FormFactories::cellsPlaceAsQtLayoutsDo_data()
{
    QTest::addColumn<QString>("layout");
    QTest::newRow("grid: spans, cells named and not, a spacer's row") << "grid";
    QTest::newRow("form: label and field by turns, a spanning row, a spacer") << "form";
    QTest::newRow("box: spacers between widgets and at the end") << "box";
}

// The same children placed by the factory and by Qt's layouts directly end up with the same
// geometry, at two window sizes; a spacer as a QSpacerItem would, which takes no spacing.
void tst_FormFactories::cellsPlaceAsQtLayoutsDo()
{
    QFETCH(QString, layout);
    tFormFixture f;
    auto built = f.dialog(f.document([&](cVQ4VMVFormWriter &w) {
        w.open("Dialog");
        if (layout == "grid") {
            w.open("GridLayout").set("Columns", 3).set("RowStretch", "0, 1")
                .set("ColumnStretch", "1, 0, 2").set("Spacing", 6).set("Margin", 0);
            w.open("PushButton", "a").set("Cell", "0, 0").close();
            w.open("PushButton", "b").set("Cell", "0,1,1,2").close();
            w.open("PushButton", "c").set("Cell", "1, 0, 2, 1").close();
            w.open("LineEdit", "d").close(); // the cell after c's: 1, 1
            w.open("PushButton", "e").set("Cell", "2, 2").close();
            w.open("PushButton", "f").set("Cell", "row 3").close(); // malformed: after e's
            w.open("Spacer", "g").set("Orientation", 2).set("Size", 30).set("Cell", "4, 1")
                .close();
        } else if (layout == "form") {
            w.open("FormLayout").set("Spacing", 6).set("Margin", 0);
            w.open("Label", "a").set("Text", "Name").close();
            w.open("LineEdit", "b").close();
            w.open("Label", "c").set("Text", "Speed of the drive").set("Cell", "1, 0").close();
            w.open("SpinBox", "d").set("Cell", "1, 1").close();
            w.open("CheckBox", "e").set("Text", "Across the row").set("Cell", "2, 0, 1, 2")
                .close();
            w.open("PushButton", "f").set("Cell", "2, 1").close(); // taken: a new row
            w.open("Spacer", "g").set("Orientation", 2).set("Size", 30).set("Cell", "4, 0, 1, 2")
                .close();
        } else {
            w.open("VBoxLayout").set("Spacing", 6).set("Margin", 0);
            w.open("PushButton", "a").close();
            w.open("Spacer", "b").set("Orientation", 2).set("Size", 30).close();
            w.open("LineEdit", "c").close();
            w.open("HBoxLayout").set("Spacing", 6);
            w.open("Spacer", "d").set("Size", 40).close();
            w.open("Label", "e").set("Text", "Right").close();
            w.close();
            w.open("Spacer", "f").set("Orientation", 2).set("Size", 20).set("Breadth", 300)
                .close();
            w.open("PushButton", "g").close();
        }
        w.close().close();
    }));
    QVERIFY(built);

    QWidget direct;
    std::vector<QLayoutItem *> children;
    const auto widget = [&](QWidget *child) {
        children.push_back(new QWidgetItem(child));
        child->setParent(&direct);
        return children.back();
    };
    const auto spacer = [&](int width, int height) {
        children.push_back(new QSpacerItem(width, height,
                                           width ? QSizePolicy::Expanding : QSizePolicy::Minimum,
                                           width ? QSizePolicy::Minimum : QSizePolicy::Expanding));
        return children.back();
    };
    if (layout == "grid") {
        auto *grid = new QGridLayout(&direct);
        grid->addItem(widget(new QPushButton), 0, 0);
        grid->addItem(widget(new QPushButton), 0, 1, 1, 2);
        grid->addItem(widget(new QPushButton), 1, 0, 2, 1);
        grid->addItem(widget(new QLineEdit), 1, 1);
        grid->addItem(widget(new QPushButton), 2, 2);
        grid->addItem(widget(new QPushButton), 3, 0);
        grid->addItem(spacer(0, 30), 4, 1);
        grid->setRowStretch(1, 1);
        grid->setColumnStretch(0, 1);
        grid->setColumnStretch(2, 2);
        grid->setSpacing(6);
        grid->setContentsMargins(0, 0, 0, 0);
    } else if (layout == "form") {
        auto *form = new QFormLayout(&direct);
        form->setItem(0, QFormLayout::LabelRole, widget(new QLabel("Name")));
        form->setItem(0, QFormLayout::FieldRole, widget(new QLineEdit));
        form->setItem(1, QFormLayout::LabelRole, widget(new QLabel("Speed of the drive")));
        form->setItem(1, QFormLayout::FieldRole, widget(new QSpinBox));
        form->setItem(2, QFormLayout::SpanningRole, widget(new QCheckBox("Across the row")));
        form->setItem(3, QFormLayout::FieldRole, widget(new QPushButton("")));
        form->setItem(4, QFormLayout::SpanningRole, spacer(0, 30));
        form->setSpacing(6);
        form->setContentsMargins(0, 0, 0, 0);
    } else {
        auto *box = new QVBoxLayout(&direct);
        box->addItem(widget(new QPushButton));
        box->addItem(spacer(0, 30));
        box->addItem(widget(new QLineEdit));
        auto *row = new QHBoxLayout;
        row->setSpacing(6);
        row->addItem(spacer(40, 0));
        row->addItem(widget(new QLabel("Right")));
        box->addLayout(row);
        children.push_back(new QSpacerItem(300, 20, QSizePolicy::Minimum,
                                           QSizePolicy::Expanding));
        box->addItem(children.back());
        box->addItem(widget(new QPushButton));
        box->setSpacing(6);
        box->setContentsMargins(0, 0, 0, 0);
    }
    for (const QSize size : {QSize(420, 260), QSize(760, 540)}) {
        for (QWidget *w : {static_cast<QWidget *>(built.get()), &direct}) {
            w->resize(size);
            w->show();
            QVERIFY(QTest::qWaitForWindowExposed(w));
            w->layout()->activate();
        }
        const char *names[] = {"a", "b", "c", "d", "e", "f", "g"};
        QCOMPARE(children.size(), std::size(names));
        for (size_t i = 0; i < children.size(); ++i) {
            QWidget *placed = built->findChild<QWidget *>(names[i]);
            QVERIFY2(placed, names[i]);
            QCOMPARE(placed->geometry(), children[i]->geometry());
        }
    }
}

// Containers and widgets of the later release: what their properties say reaches the widget.
void tst_FormFactories::buildsTheContainersAndWidgetsAddedLater()
{
    tFormFixture f;
    auto dialog = f.boxDialog([](cVQ4VMVFormWriter &w) {
        w.open("Widget", "plain").open("HBoxLayout").open("Label", "in plain").close().close()
            .close();
        w.open("Frame", "frame").set("FrameShape", 1).set("FrameShadow", 0x30)
            .set("LineWidth", 2);
        w.open("VBoxLayout").open("Label", "in frame").close().close().close();
        w.open("ScrollArea", "area").set("VerticalScrollBar", 2);
        w.open("FormLayout", "form").open("Label", "in area").close().close().close();
        w.open("Splitter", "split").set("Orientation", 2).set("Sizes", "30, 70")
            .set("ChildrenCollapsible", false);
        w.open("TextEdit", "text").set("Text", "<b>bold</b>").set("RichText", true).close();
        w.open("VBoxLayout").open("Label", "in splitter").close().close();
        w.close();
        w.open("StackedWidget", "stack").set("CurrentIndex", 1);
        w.open("TabPage", "p0").close().open("TabPage", "p1").close().close();
        w.open("RadioButton", "r1").set("Text", "One").set("Checked", true).close();
        w.open("RadioButton", "r2").set("Text", "Two").close();
        w.open("Slider", "slider").set("Maximum", 50).set("Value", 20).set("PageStep", 5)
            .set("Orientation", 2).set("TickPosition", 3).close();
        w.open("Dial", "dial").set("Value", 7).set("Wrapping", true).close();
        w.open("ListWidget", "list").set("Entries", "a\nb\nc").set("CurrentRow", 2).close();
        w.open("TextEdit", "plain text").set("Text", "<b>as typed</b>").set("ReadOnly", true)
            .close();
        w.open("Line", "line").set("Orientation", 2).close();
        w.open("Label", "framed").set("FrameShape", 2).set("FrameShadow", 0x20)
            .set("LineWidth", 3).close();
        w.open("PushButton", "toggle").set("Checkable", true).set("Checked", true).close();
    });
    QVERIFY(dialog);
    QCOMPARE(shown(*dialog, {"framed:frameShape", "framed:frameShadow", "framed:lineWidth",
                             "toggle:checkable", "toggle:checked"}),
             QStringList({"Panel", "Raised", "3", "true", "true"}));
    QCOMPARE(shown(*dialog, {"frame:frameShape", "frame:frameShadow", "frame:lineWidth",
                             "area:verticalScrollBarPolicy", "area:widgetResizable",
                             "split:orientation", "split:childrenCollapsible",
                             "stack:currentIndex", "stack:count", "r1:checked", "r1:text",
                             "r2:checked", "slider:maximum", "slider:value", "slider:pageStep",
                             "slider:orientation", "slider:tickPosition", "dial:value",
                             "dial:wrapping", "list:count", "list:currentRow",
                             "plain text:plainText", "plain text:readOnly", "line:frameShape"}),
             QStringList({"Box", "Sunken", "2", "ScrollBarAlwaysOn", "true", "Vertical",
                          "false", "1", "2", "true", "One", "false", "50", "20", "5",
                          "Vertical", "TicksBothSides", "7", "true", "3", "2",
                          "<b>as typed</b>", "true", "VLine"}));
    QCOMPARE(dialog->findChild<QTextEdit *>("text")->toPlainText(), QString("bold"));
    // What the children build goes into the content of the area, a layout in a splitter into a
    // widget of its own.
    auto *area = dialog->findChild<QScrollArea *>("area");
    QCOMPARE(area->widget()->layout(), dialog->findChild<QFormLayout *>("form"));
    auto *split = dialog->findChild<QSplitter *>("split");
    QCOMPARE(split->count(), 2);
    QCOMPARE(split->widget(1)->findChild<QLabel *>("in splitter")->parentWidget(),
             split->widget(1));
    QCOMPARE(dialog->findChild<QWidget *>("in plain")->parentWidget()->objectName(),
             QString("plain"));
    QCOMPARE(dialog->findChild<QStackedWidget *>("stack")->currentWidget()->objectName(),
             QString("p1"));
    // Radio buttons of one parent are exclusive.
    dialog->findChild<QRadioButton *>("r2")->click();
    QVERIFY(!dialog->findChild<QRadioButton *>("r1")->isChecked());
}

// Unknown elements go with their children; elements of another place (a tab page in a
// layout, a menu entry in a dialog) are skipped too. Both are traced. A form of another kind
// gives no widget.
void tst_FormFactories::skipsUnknownAndMisplacedElements()
{
    tFormFixture f;
    cTraceCollector traces;
    auto dialog = f.dialog(f.document([](cVQ4VMVFormWriter &w) {
        w.open("Gauge", "0").close(); // unknown before the dialog
        w.open("Dialog", "1").open("VBoxLayout", "2");
        w.open("Label", "3").close();
        w.open("Gauge", "4").open("Label", "5").close().close();
        w.open("TabPage", "page").open("VBoxLayout").open("Label", "lost").close().close();
        w.close();
        w.open("MenuItem", "item").close();
        w.open("Label", "6").close();
        w.close().close();
    }));
    QVERIFY(dialog);
    QCOMPARE(dialog->objectName(), QString("1"));
    QStringList kept;
    for (QObject *child : dialog->findChildren<QWidget *>())
        kept << child->objectName();
    QCOMPARE(kept, QStringList({"3", "6"}));
    QCOMPARE(dialog->layout()->count(), 2);
    QCOMPARE(traces.matching("Element Gauge is unknown, skipped!").size(), 2);
    QCOMPARE(traces.matching("does not fit into its parent").size(), 2);

    // In a menu: a label is skipped, an entry without its menu or a tool bar gives no menu.
    auto menu = f.menu(f.document([](cVQ4VMVFormWriter &w) {
        w.open("Menu").open("Label", "label").close().open("MenuItem", "item").close().close();
    }));
    QVERIFY(menu);
    QVERIFY(!menu->findChild<QObject *>("label"));
    QCOMPARE(menu->actions().size(), 1);
    QCOMPARE(traces.matching("Element Label does not fit").size(), 1);
    QVERIFY(!f.menu(f.document([](cVQ4VMVFormWriter &w) { w.open("MenuItem").close(); })));
    QVERIFY(!f.menu(f.document(writeToolBar)));
    const QByteArray menuForm = f.document(writeMenu);
    QVERIFY(!f.dialog(menuForm));
    QVERIFY(!f.toolBar(menuForm));
    QVERIFY(!f.dialog(f.document([](cVQ4VMVFormWriter &) {})));
}

// A record of an older version may lack properties: they take their defaults, whatever the
// element of the same type before it held, in this form or an earlier one.
void tst_FormFactories::propertiesMissingFromARecordKeepTheirDefaults()
{
    tFormFixture f;
    vmva::cDMDataModel model(f.moduleMgr, "Machine");
    vmva::tGenericNode<vucs::cString, vmva::cBasicModelProperties> name("name",
                                                                       vucs::cString("M1"));
    model.addNode(name);
    f.bindParameter("Machine", model);
    const auto bareRecords = [](cVQ4VMVFormWriter &w, std::initializer_list<const char *> names) {
        vsa::cAbstractSerializer &s = w.serializer();
        for (const char *name : names) {
            s.setLabel("ViewElement");
            s.beginContext("ViewElement");
            s.setLabel("Element");
            s.beginContext(name);
            s.setLabel("DebugInfo");
            s.writeAscii(name);
            s.endContext();
            s.endContext();
        }
    };
    const QByteArray bytes = f.document([&](cVQ4VMVFormWriter &w) {
        w.open("Dialog").open("VBoxLayout");
        w.open("GroupBox", "outer").set("Title", "Outer").set("Enabled", false);
        w.open("VBoxLayout");
        w.open("Label", "a").set("ToolTip", "tip").set("Visible", false)
            .bind("Text", "Machine.name").close();
        w.close().close();
        bareRecords(w, {"GroupBox", "Label"});
        w.close().close();
    });
    const QByteArray rich = f.document([&](cVQ4VMVFormWriter &w) {
        w.open("Dialog").open("VBoxLayout");
        w.open("Label", "a").set("ToolTip", "tip").set("Visible", false).close();
        w.close().close();
    });
    const QByteArray bare = f.document([&](cVQ4VMVFormWriter &w) {
        w.open("Dialog").open("VBoxLayout");
        bareRecords(w, {"Label"});
        w.close().close();
    });
    QVERIFY(f.dialog(rich));
    for (const QByteArray &form : {bare, bytes}) {
        auto dialog = f.dialog(form);
        QVERIFY(dialog);
        auto *label = find<QLabel>(*dialog, "Label");
        QVERIFY(label && label->text() == "Label" && label->toolTip().isEmpty()
                && !label->isHidden());
        if (&form == &bytes) {
            QCOMPARE(find<QLabel>(*dialog, "a")->text(), QString("M1"));
            auto *group = find<QGroupBox>(*dialog, "GroupBox");
            QCOMPARE(find<QGroupBox>(*dialog, "outer")->title(), QString("Outer"));
            QVERIFY(group && group->title() == "Group" && group->isEnabled());
        }
    }
}

void tst_FormFactories::refusesCorruptDocuments_data()
{
    QTest::addColumn<int>("fault");
    QTest::newRow("truncated") << 0;
    QTest::newRow("text where a number belongs") << 1;
    QTest::newRow("record without element") << 2;
}

void tst_FormFactories::refusesCorruptDocuments()
{
    QFETCH(int, fault);
    tFormFixture f;
    QByteArray bytes;
    if (fault == 0) {
        bytes = f.document(writeEveryElement);
        bytes.chop(bytes.size() / 3);
    } else {
        vsa::cSerializeBinary s("Form");
        s.setPreferNoLabels(false);
        auto begin = [&s](const char *label, const char *name) {
            s.setLabel(label);
            s.beginContext(name);
        };
        begin("ViewElement", "ViewElement");
        begin("Element", "Dialog");
        begin("ViewElement", "ViewElement");
        if (fault == 1) {
            begin("Element", "SpinBox");
            begin("Property", "Value");
            s.setLabel("Value");
            s.writeString("many");
            s.endContext();
            s.endContext();
        }
        s.endContext();
        s.endContext();
        s.endContext();
        bytes = s.data();
    }
    QWidget parent;
    bool refused = false;
    try {
        f.dialog(bytes, &parent);
    } catch (const vstd::cRuntimeException &e) {
        refused = true;
        if (fault == 1) {
            QVERIFY2(QString(e.what()).contains("Dialog"), e.what());
            QVERIFY(e.cause());
            QVERIFY2(QString(e.cause()->what()).contains("SpinBox"), e.cause()->what());
        }
    }
    QVERIFY(refused);
    // Nothing half-built stays behind.
    QVERIFY(parent.children().isEmpty());
}

void tst_FormFactories::closingFollowsCloseAllowed()
{
    tFormFixture f;
    auto dialog = f.dialog(f.document([](cVQ4VMVFormWriter &w) { w.open("Dialog").close(); }));
    QVERIFY(dialog);
    dialog->show();
    dialog->setCloseAllowed(false);
    QVERIFY(!dialog->close());
    QVERIFY(dialog->isVisible());
    dialog->setCloseAllowed(true);
    QVERIFY(dialog->close());
}

void tst_FormFactories::buildsMenuWithSubmenus()
{
    tFormFixture f;
    QMenuBar bar;
    auto menu = f.menu(f.document(writeMenu), &bar);
    QVERIFY(menu);
    QCOMPARE(menu->parent(), &bar);
    QCOMPARE(menu->objectName(), QString("1"));
    const QList<QAction *> actions = menu->actions();
    QCOMPARE(actions.size(), 5);
    QCOMPARE(actions[0]->objectName(), QString("2"));
    QCOMPARE(actions[0]->text(), QString("Open"));
    QCOMPARE(actions[0]->shortcut(), QKeySequence("Ctrl+O"));
    QCOMPARE(actions[0]->toolTip(), QString("Open a file"));
    QCOMPARE(actions[0]->icon().availableSizes().value(0), QSize(16, 16));
    QVERIFY(actions[1]->isSeparator());
    QCOMPARE(actions[1]->objectName(), QString("3"));
    QMenu *recent = actions[2]->menu();
    QVERIFY(recent);
    QCOMPARE(recent->title(), QString("Recent"));
    QCOMPARE(recent->actions().size(), 2);
    QMenu *older = recent->actions()[1]->menu();
    QVERIFY(older);
    QCOMPARE(older->actions().value(0)->objectName(), QString("7"));
    QVERIFY(actions[3]->isCheckable() && actions[3]->isChecked() && !actions[3]->isEnabled());
    QVERIFY(!actions[4]->isVisible());

    bar.addMenu(menu.get());
    QCOMPARE(bar.actions().value(0)->text(), QString("File"));
    // Shown as a popup, the visible entries take up space.
    menu->popup(QPoint(0, 0));
    QVERIFY(QTest::qWaitForWindowExposed(menu.get()));
    QVERIFY(menu->actionGeometry(actions[0]).height() > 0);
    QVERIFY(menu->actionGeometry(actions[4]).isEmpty());
    menu->hide();
}

void tst_FormFactories::buildsToolBar()
{
    tFormFixture f;
    QWidget owner;
    auto bar = f.toolBar(f.document(writeToolBar), &owner);
    QVERIFY(bar);
    QCOMPARE(bar->parent(), &owner);
    QCOMPARE(shown(*bar, {":objectName", ":windowTitle", ":toolButtonStyle", ":orientation"}),
             QStringList({"1", "Tools", "ToolButtonTextOnly", "Vertical"}));
    QCOMPARE(bar->iconSize(), QSize(16, 16));
    const QList<QAction *> actions = bar->actions();
    QCOMPARE(actions.size(), 3);
    QVERIFY(actions[1]->isSeparator());
    // The buttons carry the element's name as well as their actions.
    auto *run = qobject_cast<QToolButton *>(bar->widgetForAction(actions[0]));
    QVERIFY(run);
    QCOMPARE(run->objectName(), QString("2"));
    QCOMPARE(run->text(), QString("Run"));
    auto *stop = bar->findChild<QToolButton *>("4");
    QVERIFY(stop && stop->isCheckable());
    bar->show();
    QTest::mouseClick(stop, Qt::LeftButton);
    QVERIFY(actions[2]->isChecked());
}

QTEST_MAIN(tst_FormFactories)
#include "tst_formfactories.moc"
