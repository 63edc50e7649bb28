#include "formfixture.h"

#include <QBoxLayout>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
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

// The layout a widget or layout sits in, searched from `root`.
QBoxLayout *boxHolding(QWidget &root, QObject *item)
{
    const auto boxes = root.findChildren<QBoxLayout *>();
    for (QBoxLayout *box : boxes) {
        for (int i = 0; i < box->count(); ++i) {
            QLayoutItem *entry = box->itemAt(i);
            if (entry->widget() == item || entry->layout() == item)
                return box;
        }
    }
    return nullptr;
}

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
    w.open("ComboBox", "8").set("Entries", "red; green ;blue;").set("CurrentIndex", 2).close();
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

} // namespace

class tst_DialogFactory : public QObject
{
    Q_OBJECT

private slots:
    void buildsEveryDialogElement();
    void nestsTabPagesAndLayouts();
    void layoutParameterActsAlongTheBox();
    void readsBothSerializers_data();
    void readsBothSerializers();
    void savedFormHasNoObjectNames();
    void skipsUnknownElementsWithTheirChildren();
    void skipsElementsThatDoNotFit();
    void givesNothingForAnotherKindOfForm();
    void refusesCorruptDocuments_data();
    void refusesCorruptDocuments();
    void closingFollowsCloseAllowed();
};

void tst_DialogFactory::buildsEveryDialogElement()
{
    tFormFixture f;
    auto dialog = f.dialog(f.document(writeEveryElement));
    QVERIFY(dialog);
    QCOMPARE(dialog->objectName(), QString("1"));
    QCOMPARE(dialog->windowTitle(), QString("Settings"));
    QCOMPARE(dialog->sizeHint().width(), 420);
    QCOMPARE(dialog->windowIcon().availableSizes().value(0), QSize(20, 10));

    auto *layout = dialog->findChild<QVBoxLayout *>("2");
    QVERIFY(layout);
    QCOMPARE(dialog->layout(), layout);
    QCOMPARE(layout->spacing(), 3);
    QCOMPARE(layout->contentsMargins(), QMargins(5, 5, 5, 5));

    auto *label = dialog->findChild<QLabel *>("3");
    QVERIFY(label);
    QCOMPARE(label->text(), QString("Hello"));
    QCOMPARE(label->alignment(), Qt::AlignHCenter | Qt::AlignVCenter);
    QVERIFY(label->wordWrap());
    QCOMPARE(label->toolTip(), QString("greeting"));
    QCOMPARE(label->font().pointSize(), 17);
    QVERIFY(label->font().bold());
    // Only the label was given a font.
    QVERIFY(!dialog->findChild<QPushButton *>("4")->font().bold());

    auto *button = dialog->findChild<QPushButton *>("4");
    QVERIFY(button);
    QCOMPARE(button->text(), QString("Go"));
    QVERIFY(!button->icon().isNull());

    auto *edit = dialog->findChild<QLineEdit *>("5");
    QVERIFY(edit);
    QCOMPARE(edit->text(), QString("secret"));
    QCOMPARE(edit->echoMode(), QLineEdit::Password);
    QCOMPARE(edit->maxLength(), 12);
    QVERIFY(edit->isReadOnly());

    auto *check = dialog->findChild<QCheckBox *>("6");
    QVERIFY(check && check->isChecked());
    QCOMPARE(check->text(), QString("On"));

    // The value is written before the range; it must still survive the range.
    auto *spin = dialog->findChild<QSpinBox *>("7");
    QVERIFY(spin);
    QCOMPARE(spin->minimum(), 10);
    QCOMPARE(spin->maximum(), 200);
    QCOMPARE(spin->value(), 150);
    QCOMPARE(spin->singleStep(), 5);
    QCOMPARE(spin->text(), QString("150 rpm"));

    auto *combo = dialog->findChild<QComboBox *>("8");
    QVERIFY(combo);
    QCOMPARE(combo->count(), 3);
    QCOMPARE(combo->itemText(1), QString("green"));
    QCOMPARE(combo->currentText(), QString("blue"));

    auto *progress = dialog->findChild<QProgressBar *>("9");
    QVERIFY(progress);
    QCOMPARE(progress->value(), 40);
    QVERIFY(!progress->isTextVisible());

    auto *spacer = dialog->findChild<QWidget *>("10");
    QVERIFY(spacer);
    QCOMPARE(spacer->sizeHint(), QSize(0, 30));
    QCOMPARE(spacer->sizePolicy().verticalPolicy(), QSizePolicy::Expanding);

    auto *group = dialog->findChild<QGroupBox *>("11");
    QVERIFY(group);
    QCOMPARE(group->title(), QString("Group"));
    QVERIFY(!group->isEnabled());
    QCOMPARE(group->layout(), dialog->findChild<QHBoxLayout *>("12"));
    auto *inner = group->findChild<QLabel *>("13");
    QVERIFY(inner && inner->isHidden());

    // Every element of the layout in document order.
    QCOMPARE(layout->count(), 10);
    const char *order[] = {"3", "4", "5", "6", "7", "8", "9", "10", "11", "14"};
    for (int i = 0; i < 10; ++i)
        QCOMPARE(layout->itemAt(i)->widget()->objectName(), QString(order[i]));
}

void tst_DialogFactory::nestsTabPagesAndLayouts()
{
    tFormFixture f;
    auto dialog = f.dialog(f.document(writeEveryElement));
    QVERIFY(dialog);
    auto *tabs = dialog->findChild<QTabWidget *>("14");
    QVERIFY(tabs);
    QCOMPARE(tabs->count(), 2);
    QCOMPARE(tabs->tabText(0), QString("First"));
    QCOMPARE(tabs->tabText(1), QString("Second"));
    QCOMPARE(tabs->tabToolTip(0), QString("first page"));
    QVERIFY(tabs->isTabEnabled(0));
    QVERIFY(!tabs->isTabEnabled(1));
    QCOMPARE(tabs->currentIndex(), 1);
    QCOMPARE(tabs->tabPosition(), QTabWidget::South);

    QWidget *first = tabs->widget(0);
    QCOMPARE(first->objectName(), QString("15"));
    QCOMPARE(first->layout()->objectName(), QString("16"));
    QCOMPARE(first->findChild<QLabel *>("17")->text(), QString("on page one"));
    QWidget *second = tabs->widget(1);
    QCOMPARE(second->objectName(), QString("18"));
    QVERIFY(second->findChild<QPushButton *>("20"));
    QCOMPARE(boxHolding(*dialog, second->findChild<QPushButton *>("20")),
             second->findChild<QVBoxLayout *>("19"));
}

void tst_DialogFactory::layoutParameterActsAlongTheBox()
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

void tst_DialogFactory::readsBothSerializers_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("xml file") << "XML-Config";
    QTest::newRow("binary file") << "Binary";
}

void tst_DialogFactory::readsBothSerializers()
{
    QFETCH(QString, kind);
    tFormFixture f;
    QTemporaryDir dir;
    const QString path = dir.filePath("form.dlg");
    {
        auto serializer = f.moduleMgr.coreExtensions().createSerializer(kind.toLatin1().data(),
                                                                         "Form");
        cVQ4VMVFormWriter writer(f.mgr, *serializer);
        writer.writeFormInfo("Dialog", "Form", "tester", 1, 2);
        writeEveryElement(writer);
        serializer->writeToFile(qstr(path));
    }
    auto document = f.moduleMgr.coreExtensions().createDeserializer(kind.toLatin1().data(),
                                                                     qstr(path));
    cVQ4VMVDialogFactory factory(f.mgr, f.searchPaths);
    std::unique_ptr<cVQ4AppWidget> dialog(factory.createDialog(nullptr, f.arguments, *document));
    QVERIFY(dialog);
    QCOMPARE(dialog->windowTitle(), QString("Settings"));
    QCOMPARE(dialog->findChild<QSpinBox *>("7")->value(), 150);
    QCOMPARE(dialog->findChild<QTabWidget *>("14")->count(), 2);
    QCOMPARE(dialog->findChild<QComboBox *>("8")->count(), 3);
    QVERIFY(!dialog->findChild<QPushButton *>("4")->icon().isNull());
}

void tst_DialogFactory::savedFormHasNoObjectNames()
{
    tFormFixture f;
    auto dialog = f.dialog(f.document([](cVQ4VMVFormWriter &w) {
        w.open("Dialog").open("VBoxLayout").open("Label").set("Text", "x").close();
        w.close().close();
    }));
    QVERIFY(dialog);
    QVERIFY(dialog->objectName().isEmpty());
    QVERIFY(dialog->findChild<QLabel *>()->objectName().isEmpty());
    QVERIFY(dialog->layout()->objectName().isEmpty());
}

void tst_DialogFactory::skipsUnknownElementsWithTheirChildren()
{
    tFormFixture f;
    cTraceCollector traces;
    auto dialog = f.dialog(f.document([](cVQ4VMVFormWriter &w) {
        w.open("Gauge", "0").close(); // unknown before the dialog
        w.open("Dialog", "1").open("VBoxLayout", "2");
        w.open("Label", "3").close();
        w.open("Gauge", "4").open("Label", "5").close().close();
        w.open("Label", "6").close();
        w.close().close();
    }));
    QVERIFY(dialog);
    QCOMPARE(dialog->objectName(), QString("1"));
    QVERIFY(dialog->findChild<QLabel *>("3"));
    QVERIFY(dialog->findChild<QLabel *>("6"));
    QVERIFY(!dialog->findChild<QObject *>("4"));
    QVERIFY(!dialog->findChild<QLabel *>("5"));
    QCOMPARE(dialog->layout()->count(), 2);
    QCOMPARE(traces.matching("Element Gauge is unknown, skipped!").size(), 2);
}

void tst_DialogFactory::skipsElementsThatDoNotFit()
{
    tFormFixture f;
    cTraceCollector traces;
    auto dialog = f.dialog(f.document([](cVQ4VMVFormWriter &w) {
        w.open("Dialog").open("VBoxLayout");
        w.open("TabPage", "page").open("VBoxLayout").open("Label", "lost").close().close();
        w.close();
        w.open("MenuItem", "item").close();
        w.open("Label", "kept").close();
        w.close().close();
    }));
    QVERIFY(dialog);
    QVERIFY(!dialog->findChild<QObject *>("page"));
    QVERIFY(!dialog->findChild<QObject *>("lost"));
    QVERIFY(!dialog->findChild<QObject *>("item"));
    QVERIFY(dialog->findChild<QLabel *>("kept"));
    QCOMPARE(traces.matching("does not fit into its parent").size(), 2);
}

void tst_DialogFactory::givesNothingForAnotherKindOfForm()
{
    tFormFixture f;
    const QByteArray menu = f.document([](cVQ4VMVFormWriter &w) {
        w.open("Menu").open("MenuItem").close().close();
    });
    QVERIFY(!f.dialog(menu));
    QVERIFY(!f.toolBar(menu));
    QVERIFY(f.menu(menu));
    QVERIFY(!f.dialog(f.document([](cVQ4VMVFormWriter &) {})));
}

void tst_DialogFactory::refusesCorruptDocuments_data()
{
    QTest::addColumn<int>("fault");
    QTest::newRow("truncated") << 0;
    QTest::newRow("text where a number belongs") << 1;
    QTest::newRow("record without element") << 2;
}

void tst_DialogFactory::refusesCorruptDocuments()
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
        s.setLabel("ViewElement");
        s.beginContext("ViewElement");
        s.setLabel("Element");
        s.beginContext("Dialog");
        s.setLabel("ViewElement");
        s.beginContext("ViewElement");
        if (fault == 1) {
            s.setLabel("Element");
            s.beginContext("SpinBox");
            s.setLabel("Property");
            s.beginContext("Value");
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

void tst_DialogFactory::closingFollowsCloseAllowed()
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
    QVERIFY(!dialog->isVisible());
}

QTEST_MAIN(tst_DialogFactory)
#include "tst_dialogfactory.moc"
