// Qt Designer forms read into documents and written back: one row per mapping rule, accepted
// variant and hostile input, and round trips through ".ui" that must give the same document.
#include "qdialoguiconverter/cuiformwriter.h"
#include "uitesthelpers.h"
#include "fuzz/uireaderinput.h"

#include "vellcore/cabstractexception.h"
#include "vellmva2/cdvitypedproperties.h"

#include <QtTest>

namespace {

using tHostSet = tUiHostSet;

QByteArray form(const char *body)
{
    return QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ui version=\"4.0\">\n")
        + body + "\n</ui>\n";
}

// "Dialog(VBoxLayout(Label))": the element tree with the values of the named properties.
QString treeOf(const cQAbstractDialogLayoutItem &item, const QStringList &shown)
{
    QStringList parts;
    for (const cQAbstractDialogLayoutItem *child : item.children()) {
        QString text = qstr(child->elementName());
        QStringList values;
        for (const QString &name : shown)
            if (vmva::cDVIAbstractProperty *p = child->findProperty(qstr(name).ascii())) {
                QString v;
                if (auto *s = p->ucStringView()) v = qstr(s->value());
                else if (auto *a = p->asciiStringView()) v = qstr(a->value());
                else if (auto *i = p->intView()) v = QString::number(i->value());
                else if (auto *b = p->boolView()) v = b->value() ? "true" : "false";
                else if (auto *l = p->layoutView()) v = qstr(l->value().toString());
                else if (auto *t = p->textListView()) v = t->text();
                if (!p->modelLocation().isEmpty())
                    v += "@" + qstr(p->modelLocation().toString());
                values << name + "=" + v;
            }
        if (!values.isEmpty())
            text += "[" + values.join(",") + "]";
        const QString inner = treeOf(*child, shown);
        if (!inner.isEmpty())
            text += "(" + inner + ")";
        parts << text;
    }
    return parts.join(",");
}

// The document written as a form into `folder` and read back, as ".dlg" text; `ui` is the form.
// A form uic does not compile gives its complaint instead.
QByteArray throughUi(const tHostSet &host, const cQAbstractDialogLayoutItem &root,
                     const QString &folder, QByteArray &ui)
{
    const QString path = folder + "/form.ui";
    cUiConversionReport written;
    cUiFormWriter(host.registry).writeFile(static_cast<const cQDialogLayoutRootItem &>(root),
                                           qstr(path), written);
    if (const QString problem = uicProblem(path); !problem.isEmpty())
        return problem.toUtf8();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    ui = file.readAll();
    return readBack(host, path, QByteArray());
}

} // namespace

class tst_UiFormReader : public QObject
{
    Q_OBJECT
private slots:
    void mapping_data();
    void mapping();
    void mainWindow();
    void hostile_data();
    void hostile();
    void roundTrip_data();
    void roundTrip();
    void writeFileRefused();
    void fuzzCorpus_data();
    void fuzzCorpus();
};

void tst_UiFormReader::mapping_data()
{
    QTest::addColumn<QByteArray>("ui");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QString>("tree");
    QTest::addColumn<QStringList>("report");
    const QStringList none;
    QTest::newRow("dialog title, size and box layout")
        << form("<widget class=\"QDialog\" name=\"Dlg\"><property name=\"geometry\"><rect><x>0"
                "</x><y>0</y><width>300</width><height>200</height></rect></property>"
                "<property name=\"windowTitle\"><string>Hello</string></property>"
                "<layout class=\"QVBoxLayout\" name=\"v\"><item><widget class=\"QLabel\" "
                "name=\"l\"><property name=\"text\"><string>Text</string></property></widget>"
                "</item></layout></widget>")
        << QStringList{"Label", "Title", "Width", "Height", "Text"}
        << "Dialog[Label=Dlg,Title=Hello,Width=300,Height=200](VBoxLayout[Label=v](Label["
           "Label=l,Text=Text]))"
        << none;
    QTest::newRow("qualified, scoped and bare enum names; sets joined by |")
        << form("<widget class=\"QWidget\" name=\"w\"><layout class=\"QHBoxLayout\" name=\"h\">"
                "<item><widget class=\"QSlider\" name=\"a\"><property name=\"orientation\">"
                "<enum>Qt::Horizontal</enum></property></widget></item>"
                "<item><widget class=\"QSlider\" name=\"b\"><property name=\"orientation\">"
                "<enum>Qt::Orientation::Horizontal</enum></property></widget></item>"
                "<item><widget class=\"QSlider\" name=\"c\"/></item>"
                "<item><widget class=\"QLabel\" name=\"d\"><property name=\"alignment\"><set>"
                "Qt::AlignRight|Qt::AlignTrailing|Qt::AlignVCenter</set></property></widget>"
                "</item><item><widget class=\"QLabel\" name=\"e\"><property name=\"alignment\">"
                "<set>Qt::AlignHorizontal_Mask|Qt::AlignTop</set></property></widget></item>"
                "</layout></widget>")
        << QStringList{"Orientation", "Alignment"}
        << "Dialog(HBoxLayout(Slider[Orientation=1],Slider[Orientation=1],Slider["
           "Orientation=2],Label[Alignment=130],Label[Alignment=63]))"
        << none;
    QTest::newRow("grid cells and spans, legacy margin, Qt 6 margins, stretch")
        << form("<widget class=\"QWidget\" name=\"w\"><layout class=\"QGridLayout\" name=\"g\">"
                "<property name=\"margin\"><number>4</number></property>"
                "<item row=\"0\" column=\"1\"><widget class=\"QLabel\" name=\"a\"/></item>"
                "<item row=\"1\" column=\"0\" rowspan=\"1\" colspan=\"2\"><layout "
                "class=\"QHBoxLayout\" name=\"h\" stretch=\"0,3\"><property name=\"leftMargin\">"
                "<number>2</number></property><property name=\"topMargin\"><number>2</number>"
                "</property><property name=\"rightMargin\"><number>2</number></property>"
                "<property name=\"bottomMargin\"><number>2</number></property>"
                "<item><widget class=\"QLineEdit\" name=\"e\"/></item><item><spacer name=\"s\">"
                "<property name=\"orientation\"><enum>Qt::Horizontal</enum></property>"
                "<property name=\"sizeHint\" stdset=\"0\"><size><width>40</width><height>20"
                "</height></size></property></spacer></item></layout></item></layout></widget>")
        << QStringList{"Cell", "Margin", "Size", "Breadth"}
        << "Dialog(GridLayout[Cell=,Margin=4](Label[Cell=0, 1],HBoxLayout[Cell=1, 0, 1, 2,"
           "Margin=2](LineEdit[Cell=],Spacer[Cell=,Size=40,Breadth=20])))"
        << none;
    QTest::newRow("size policy and sizes along the box, Qt 3's numbered policies")
        << form("<widget class=\"QWidget\" name=\"w\"><layout class=\"QHBoxLayout\" name=\"h\">"
                "<item><widget class=\"QPushButton\" name=\"b\"><property name=\"sizePolicy\">"
                "<sizepolicy hsizetype=\"Fixed\" vsizetype=\"Preferred\"><horstretch>0"
                "</horstretch><verstretch>0</verstretch></sizepolicy></property><property "
                "name=\"minimumSize\"><size><width>80</width><height>0</height></size>"
                "</property></widget></item><item><widget class=\"QLabel\" name=\"l\"><property "
                "name=\"sizePolicy\"><sizepolicy><hsizetype>1</hsizetype><vsizetype>5"
                "</vsizetype></sizepolicy></property></widget></item></layout></widget>")
        << QStringList{"Layout"}
        << "Dialog(HBoxLayout[Layout=Default](PushButton[Layout=Fixed, min 80, x1],"
           "Label[Layout=Minimum, x1]))"
        << none;
    QTest::newRow("a label's frame, a checkable push button")
        << form("<widget class=\"QWidget\" name=\"w\"><layout class=\"QHBoxLayout\" name=\"h\">"
                "<item><widget class=\"QLabel\" name=\"l\"><property name=\"frameShape\"><enum>"
                "QFrame::Box</enum></property><property name=\"frameShadow\"><enum>"
                "QFrame::Sunken</enum></property><property name=\"lineWidth\"><number>2"
                "</number></property></widget></item><item><widget class=\"QPushButton\" "
                "name=\"b\"><property name=\"checkable\"><bool>true</bool></property><property "
                "name=\"checked\"><bool>true</bool></property></widget></item></layout></widget>")
        << QStringList{"FrameShape", "FrameShadow", "LineWidth", "Checkable", "Checked"}
        << "Dialog(HBoxLayout(Label[FrameShape=1,FrameShadow=48,LineWidth=2],PushButton["
           "Checkable=true,Checked=true]))"
        << none;
    QTest::newRow("native=\"true\" and native=\"1\" widgets, bool texts")
        << form("<widget class=\"QWidget\" name=\"w\"><layout class=\"QVBoxLayout\" name=\"v\">"
                "<item><widget class=\"QWidget\" name=\"a\" native=\"true\"><property "
                "name=\"enabled\"><bool>false</bool></property></widget></item>"
                "<item><widget class=\"QWidget\" name=\"b\" native=\"1\"/></item></layout>"
                "</widget>")
        << QStringList{"Label", "Enabled"}
        << "Dialog[Label=w,Enabled=true](VBoxLayout[Label=v](Widget[Label=a,Enabled=false],"
           "Widget[Label=b,Enabled=true]))"
        << none;
    QTest::newRow("combo entries, custom widget as its base, unknown class dropped, button box")
        << form("<widget class=\"QDialog\" name=\"d\"><layout class=\"QVBoxLayout\" name=\"v\">"
                "<item><widget class=\"QComboBox\" name=\"c\"><item><property name=\"text\">"
                "<string>One</string></property></item><item><property name=\"text\"><string>"
                "Two</string></property></item></widget></item>"
                "<item><widget class=\"MyEdit\" name=\"m\"/></item>"
                "<item><widget class=\"QDialogButtonBox\" name=\"bb\"/></item>"
                "<item><widget class=\"QwtPlot\" name=\"q\"/></item></layout></widget>"
                "<customwidgets><customwidget><class>MyEdit</class><extends>QLineEdit</extends>"
                "</customwidget></customwidgets>")
        << QStringList{"Entries"}
        << "Dialog(VBoxLayout(ComboBox[Entries=One\nTwo],LineEdit,DialogButtonBox))"
        << QStringList{"approximated: class MyEdit of \"m\" as LineEdit",
                       "dropped: QwtPlot \"q\": no element for its class"};
    QTest::newRow("unknown elements, attributes and properties are reported")
        << form("<widget class=\"QDialog\" name=\"d\"><property name=\"modal\"><bool>true"
                "</bool></property><layout class=\"QVBoxLayout\" name=\"v\"><item "
                "alignment=\"Qt::AlignTop\"><widget class=\"QLabel\" name=\"l\"><property "
                "name=\"text\"><string>&amp;Name &amp;&amp; more</string></property><property "
                "name=\"buddy\"><cstring>e</cstring></property></widget></item></layout>"
                "</widget><frobnicate/><connections><connection><sender>a</sender><signal>s()"
                "</signal><receiver>b</receiver><slot>t()</slot></connection></connections>")
        << QStringList{"Text"} << "Dialog(VBoxLayout(Label[Text=Name & more]))"
        << QStringList{"dropped: property \"modal\" of \"d\"",
                       "dropped: property \"buddy\" of \"l\"",
                       "approximated: text \"&Name && more\" of \"l\" without its buddy as "
                       "\"Name & more\"",
                       "dropped: alignment of \"l\" in its cell", "dropped: element <frobnicate>",
                       "dropped: connection a.s() to b.t()"};
    QTest::newRow("bindings and extra values as dynamic properties")
        << form("<widget class=\"QDialog\" name=\"d\"><layout class=\"QVBoxLayout\" name=\"v\">"
                "<item><widget class=\"QLabel\" name=\"l\"><property name=\"vellBind_Text\" "
                "stdset=\"0\"><string notr=\"true\">Machine.status.text</string></property>"
                "<property name=\"vell_WordWrap\" stdset=\"0\"><string>true</string></property>"
                "</widget></item></layout></widget>")
        << QStringList{"Text", "WordWrap"}
        << "Dialog(VBoxLayout(Label[Text=@Machine.status.text,WordWrap=true]))" << none;
    QTest::newRow("widgets placed by position go into a vertical box")
        << form("<widget class=\"QDialog\" name=\"d\"><widget class=\"QPushButton\" "
                "name=\"b\"><property name=\"geometry\"><rect><x>1</x><y>1</y><width>9</width>"
                "<height>9</height></rect></property></widget></widget>")
        << none << "Dialog(VBoxLayout(PushButton))"
        << QStringList{"approximated: widgets placed by position in \"d\" as a vertical box",
                       "dropped: property \"geometry\" of \"b\""};
    QTest::newRow("tab pages from attributes")
        << form("<widget class=\"QWidget\" name=\"w\"><layout class=\"QVBoxLayout\" name=\"v\">"
                "<item><widget class=\"QTabWidget\" name=\"t\"><widget class=\"QWidget\" "
                "name=\"p\"><attribute name=\"title\"><string>First</string></attribute>"
                "<layout class=\"QVBoxLayout\" name=\"pv\"/></widget></widget></item></layout>"
                "</widget>")
        << QStringList{"Title"}
        << "Dialog[Title=](VBoxLayout(TabWidget(TabPage[Title=First](VBoxLayout))))" << none;
}

void tst_UiFormReader::mapping()
{
    QFETCH(QByteArray, ui);
    QFETCH(QStringList, shown);
    QFETCH(QString, tree);
    QFETCH(QStringList, report);
    tHostSet host;
    cUiConversionReport found;
    std::vector<cUiFormReader::tFormSet> forms
        = cUiFormReader(host.registry).read(ui, "test.ui", QString(), found);
    QCOMPARE(forms.size(), size_t(1));
    QCOMPARE(treeOf(*forms.front().root, shown), tree);
    QStringList lines = found.lines("test.ui");
    for (QString &line : lines)
        line = line.section(": ", 1);
    QCOMPARE(lines, report);

    // Every rule holds the other way, too: the export reads back to the same document.
    QTemporaryDir folder;
    QByteArray written;
    QCOMPARE(throughUi(host, *forms.front().root, folder.path(), written),
             documentText(host, *forms.front().root));
}

void tst_UiFormReader::mainWindow()
{
    const QByteArray ui = form(
        "<widget class=\"QMainWindow\" name=\"Main\"><property name=\"windowTitle\"><string>"
        "App</string></property><widget class=\"QWidget\" name=\"centralwidget\"><layout "
        "class=\"QVBoxLayout\" name=\"v\"><item><widget class=\"QLabel\" name=\"l\"/></item>"
        "</layout></widget><widget class=\"QMenuBar\" name=\"bar\"><widget class=\"QMenu\" "
        "name=\"menuFile\"><property name=\"title\"><string>&amp;File</string></property>"
        "<widget class=\"QMenu\" name=\"menuRecent\"><addaction name=\"actionOpen\"/></widget>"
        "<addaction name=\"actionOpen\"/><addaction name=\"separator\"/><addaction "
        "name=\"menuRecent\"/></widget><addaction name=\"menuFile\"/></widget><widget "
        "class=\"QToolBar\" name=\"tools\"><attribute name=\"toolBarArea\"><enum>TopToolBarArea"
        "</enum></attribute><addaction name=\"actionOpen\"/></widget><widget class=\"QStatusBar\" "
        "name=\"status\"/><widget class=\"QDockWidget\" name=\"dock\"><widget class=\"QWidget\" "
        "name=\"dockContents\"><layout class=\"QVBoxLayout\"><item><widget class=\"QTreeWidget\" "
        "name=\"tree\"/></item></layout></widget></widget><action name=\"actionOpen\"><property "
        "name=\"text\"><string>Open</string></property><property name=\"shortcut\"><string>"
        "Ctrl+O</string></property></action></widget>");
    tHostSet host;
    cUiConversionReport report;
    std::vector<cUiFormReader::tFormSet> forms
        = cUiFormReader(host.registry).read(ui, "main.ui", QString(), report);
    QCOMPARE(forms.size(), size_t(3));
    const QStringList shown{"Title", "Text", "Shortcut"};
    QCOMPARE(treeOf(*forms[0].root, shown), "Dialog[Title=App](VBoxLayout(Label[Text=]))");
    QCOMPARE(forms[1].name, "menuFile");
    QCOMPARE(treeOf(*forms[1].root, shown),
             "Menu[Title=&File](MenuItem[Text=Open,Shortcut=Ctrl+O],MenuSeparator,"
             "Menu[Title=](MenuItem[Text=Open,Shortcut=Ctrl+O]))");
    QCOMPARE(forms[2].name, "tools");
    QCOMPARE(treeOf(*forms[2].root, shown), "ToolBar[Title=](ToolButton[Text=Open])");
    const QString lines = report.lines("main.ui").join("\n");
    QVERIFY2(lines.contains("menu \"menuFile\" as a form of its own"), qPrintable(lines));
    QVERIFY2(lines.contains("dropped: QStatusBar \"status\""), qPrintable(lines));
    // What a dock holds is named, being left out with it.
    QVERIFY2(lines.contains("dropped: QDockWidget \"dock\" holding \"dockContents\", \"tree\""),
             qPrintable(lines));
    QVERIFY2(lines.contains("dropped: property \"shortcut\" of \"actionOpen\""),
             qPrintable(lines));
    QCOMPARE(report.summary(), "converted: 10 elements, 4 approximated, 4 dropped");
    QTemporaryDir folder;
    for (const cUiFormReader::tFormSet &form : forms) {
        QByteArray written;
        QCOMPARE(throughUi(host, *form.root, folder.path(), written),
                 documentText(host, *form.root));
    }
}

void tst_UiFormReader::hostile_data()
{
    QTest::addColumn<QByteArray>("ui");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << QByteArray() << "test.ui at line 1, column 1: not a form document";
    QTest::newRow("no ui") << QByteArray("<document/>")
                           << "test.ui at line 1, column 11: not a Qt Designer form";
    QTest::newRow("broken") << form("<widget class=\"QDialog\">")
                            << "test.ui at line 4, column 5: Opening and ending tag mismatch";
    QTest::newRow("no widget") << form("<class>x</class>") << "the form has no widget";
    QTest::newRow("document type") << QByteArray("<!DOCTYPE ui><ui/>") << "test.ui at line 1";
    QTest::newRow("too deep")
        << form(QByteArray("<widget class=\"QDialog\" name=\"d\">").repeated(300).constData())
        << "nested more than 256 deep";
    QTest::newRow("long name")
        << form(("<widget class=\"QDialog\" name=\"" + QByteArray(300, 'n') + "\"/>").constData())
        << "test.ui at line 3, column";
}

void tst_UiFormReader::hostile()
{
    QFETCH(QByteArray, ui);
    QFETCH(QString, message);
    tHostSet host;
    cUiConversionReport report;
    try {
        cUiFormReader(host.registry).read(ui, "test.ui", QString(), report);
        QFAIL("read");
    } catch (const vstd::cAbstractException &e) {
        QVERIFY2(e.message().toQString().contains(message), qPrintable(e.message().toQString()));
    }
}

void tst_UiFormReader::roundTrip_data()
{
    QTest::addColumn<QString>("dlg");
    QTest::addColumn<QByteArray>("ui");
    QTest::addColumn<QStringList>("written");
    const QString examples = qEnvironmentVariable("VELL_SOURCE_DIR") + "/examples/";
    QTest::newRow("machine.dlg: bindings, empty and dotted labels")
        << examples + "machine.dlg" << QByteArray()
        << QStringList{"<class>Machine_window</class>",
                       "<widget class=\"QDialog\" name=\"Machine_window\">",
                       "name=\"vellBind_Value\" stdset=\"0\">",
                       "<layout class=\"QHBoxLayout\" name=\"Machine_name\">",
                       "<widget class=\"QLabel\" name=\"Machine_name_2\">",
                       "<widget class=\"QLabel\" name=\"label\">",
                       "<widget class=\"QLabel\" name=\"label_2\">"};
    QTest::newRow("elements.dlg: every element, cells and spans")
        << examples + "elements.dlg" << QByteArray()
        << QStringList{"<item row=\"4\" column=\"0\" colspan=\"2\">",
                       "<widget class=\"QDialogButtonBox\"", "<class>Form</class>"};
    QTest::newRow("menu.dlg: actions, separators and a submenu")
        << examples + "menu.dlg" << QByteArray()
        << QStringList{"<widget class=\"QMenu\" name=\"View\">", "<addaction name=\"View\"/>",
                       "<addaction name=\"separator\"/>", "<action name=\"Status\">"};
    QTest::newRow("toolbar.dlg") << examples + "toolbar.dlg" << QByteArray()
                                 << QStringList{"<widget class=\"QToolBar\""};
    QTest::newRow("button box both ways, names that are no identifiers")
        << QString()
        << form("<widget class=\"QDialog\" name=\"d\"><layout class=\"QVBoxLayout\" name=\"v\">"
                "<item><widget class=\"QDialogButtonBox\" name=\"a\"><property "
                "name=\"standardButtons\"><set>QDialogButtonBox::Cancel|QDialogButtonBox::Ok"
                "</set></property><property name=\"orientation\"><enum>Qt::Vertical</enum>"
                "</property></widget></item><item><widget class=\"QDialogButtonBox\" "
                "name=\"b\"/></item>"
                "<item><widget class=\"QLabel\" name=\"c\"><property name=\"vell_Label\" "
                "stdset=\"0\"><string>3 d</string></property></widget></item>"
                "<item><widget class=\"QLabel\" name=\"e\"><property name=\"vell_Label\" "
                "stdset=\"0\"><string>class</string></property></widget></item>"
                "<item><widget class=\"QLabel\" name=\"f\"><property name=\"vell_Label\" "
                "stdset=\"0\"><string>d</string></property></widget></item>"
                "</layout></widget>")
        << QStringList{"<set>QDialogButtonBox::Ok|QDialogButtonBox::Cancel</set>",
                       "<enum>Qt::Vertical</enum>",
                       "<widget class=\"QDialogButtonBox\" name=\"b\"/>",
                       "name=\"_3_d\"", "name=\"class_\"", "name=\"d_2\""};
    QTest::newRow("icons as files, fonts, dates")
        << QString()
        << form("<widget class=\"QDialog\" name=\"d\"><layout class=\"QVBoxLayout\" name=\"v\">"
                "<item><widget class=\"QPushButton\" name=\"b\"><property name=\"icon\">"
                "<iconset><normaloff>in.png</normaloff>in.png</iconset></property><property "
                "name=\"font\"><font><family>Sans</family><pointsize>12</pointsize><bold>true"
                "</bold></font></property></widget></item><item><widget class=\"QDateEdit\" "
                "name=\"t\"><property name=\"date\"><date><year>2024</year><month>2</month>"
                "<day>29</day></date></property></widget></item></layout></widget>")
        << QStringList{"<normaloff>form_b_icon.png</normaloff>", "<pointsize>12</pointsize>",
                       "<year>2024</year>"};
}

void tst_UiFormReader::roundTrip()
{
    QFETCH(QString, dlg);
    QFETCH(QByteArray, ui);
    QFETCH(QStringList, written);
    tHostSet host;
    QTemporaryDir folder;
    std::unique_ptr<cQDialogLayoutRootItem> root;
    if (dlg.isEmpty()) {
        QFile picture(folder.filePath("in.png"));
        QVERIFY(picture.open(QIODevice::WriteOnly));
        picture.write("\x89PNG\r\n\x1a\n-not-drawn-");
        picture.close();
        cUiConversionReport report;
        root = std::move(cUiFormReader(host.registry)
                             .read(ui, "test.ui", folder.path(), report).front().root);
    } else {
        root = loadDocument(host, dlg);
    }
    QByteArray first;
    QCOMPARE(throughUi(host, *root, folder.path(), first), documentText(host, *root));
    for (const QString &text : written)
        QVERIFY2(first.contains(text.toUtf8()), qPrintable(text + " in\n" + first));
    // Object names: identifiers, each once.
    QSet<QString> names;
    static const QRegularExpression named(
        "<(?:widget|layout|spacer|action) (?:class=\"[^\"]*\" )?name=\"([^\"]*)\"");
    for (QRegularExpressionMatchIterator it = named.globalMatch(QString::fromUtf8(first));
         it.hasNext();) {
        const QString name = it.next().captured(1);
        QVERIFY2(QRegularExpression("^[A-Za-z_][A-Za-z0-9_]*$").match(name).hasMatch(),
                 qPrintable(name));
        QVERIFY2(!names.contains(name), qPrintable(name));
        names.insert(name);
    }
}

void tst_UiFormReader::writeFileRefused()
{
    tHostSet host;
    cQDialogLayoutRootItem root(&host.dataViewMgr);
    QTemporaryDir folder;
    const QString path = folder.filePath("missing/form.ui");
    cUiConversionReport report;
    try {
        cUiFormWriter(host.registry).writeFile(root, qstr(path), report);
        QFAIL("written");
    } catch (const vstd::cRuntimeException &e) {
        QVERIFY2(e.message().toQString().contains(path), qPrintable(e.message().toQString()));
    }
    QVERIFY(!QFileInfo::exists(path));
}

void tst_UiFormReader::fuzzCorpus_data()
{
    QTest::addColumn<QString>("path");
    const QDir corpus(qEnvironmentVariable("VELL_SOURCE_DIR") + "/tests/fuzzcorpus/ui");
    for (const QString &name : corpus.entryList(QDir::Files))
        QTest::newRow(qPrintable(name)) << corpus.filePath(name);
}

// What the fuzzer found worth keeping reads or is refused by name, and what reads goes out
// and back unchanged (the input aborts otherwise); the seeds read.
void tst_UiFormReader::fuzzCorpus()
{
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    cUiReaderInput input;
    const bool read = input.read(file.readAll());
    if (path.section('/', -1).startsWith("seed-"))
        QVERIFY2(read, qPrintable(input.lastRefusal()));
    else if (!read)
        QVERIFY2(input.lastRefusal().contains("input"), qPrintable(input.lastRefusal()));
}

QTEST_GUILESS_MAIN(tst_UiFormReader)
#include "tst_uiformreader.moc"
