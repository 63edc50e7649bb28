// The example plug-in's LCD number element: registered behind the standard elements, built,
// bound, written and read back; skipped where the plug-in is not loaded.
#include "tests/q4widgets/formfixture.h"

#include "vellmva2/tgenericnode.h"

#include <QLCDNumber>
#include <QLayout>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The standard elements and the plug-in's.
struct tLcdFixture : tFormFixture
{
    tLcdFixture()
    {
        vsa::cReferenceFrame frame;
        mgr.loadDataViewElement(qstr(qstr(mgr.uiRootPath()) + "/libVellLcdElements.so"), frame);
    }
};

// A dialog with a label and an LCD display bound to "Plant.temperature".
void writeForm(cVQ4VMVFormWriter &w)
{
    w.open("Dialog", "1").open("VBoxLayout", "2");
    w.open("Label", "3").set("Text", "Temperature").close();
    w.open("LcdNumber", "4").set("Digits", 6).set("SegmentStyle", "Flat")
        .bind("Value", "Plant.temperature").close();
    w.open("Label", "5").set("Text", "after").close();
    w.close().close();
}

} // namespace

class tst_LcdPlugIn : public QObject
{
    Q_OBJECT

private slots:
    void buildsAndBindsTheElement();
    void formReadsBackFromAFile();
    void formWithoutThePlugInSkipsTheElement();
};

void tst_LcdPlugIn::buildsAndBindsTheElement()
{
    tLcdFixture f;
    cQUIDataViewItemExtension *ext = f.mgr.dataViewElementExtensions().back();
    QCOMPARE(qstr(ext->factory()->elementName()), QString("LcdNumber"));
    QCOMPARE(ext->factory()->elementKind(), 2);

    vmva::cDMDataModel plant(f.moduleMgr, "Plant");
    vmva::tGenericNode<double, vmva::cDRangeModelProperties> temperature("temperature", 21.5);
    plant.addNode(temperature);
    f.bindParameter("Plant", plant);
    auto dialog = f.dialog(f.document(writeForm));
    QVERIFY(dialog);
    auto *lcd = dialog->findChild<QLCDNumber *>("4");
    QVERIFY(lcd);
    QCOMPARE(lcd->digitCount(), 6);
    QCOMPARE(lcd->segmentStyle(), QLCDNumber::Flat);
    QCOMPARE(lcd->value(), 21.5);
    temperature.setValue(-3.25);
    QCOMPARE(lcd->value(), -3.25);
    // It sits between the labels, in document order.
    QCOMPARE(dialog->layout()->indexOf(lcd), 1);
    dialog.reset();
    QCOMPARE(temperature.sigChanged.receiverCount(), 0);
}

void tst_LcdPlugIn::formReadsBackFromAFile()
{
    tLcdFixture f;
    QTemporaryDir dir;
    const QString path = dir.filePath("lcd.dlg");
    {
        auto serializer = f.moduleMgr.coreExtensions().createSerializer("XML-Config", "Form");
        cVQ4VMVFormWriter writer(f.mgr, *serializer);
        writeForm(writer);
        serializer->writeToFile(qstr(path));
    }
    auto document = f.moduleMgr.coreExtensions().createDeserializer("XML-Config", qstr(path));
    cVQ4VMVDialogFactory factory(f.mgr, f.searchPaths);
    std::unique_ptr<cVQ4AppWidget> dialog(factory.createDialog(nullptr, f.arguments, *document));
    QVERIFY(dialog);
    auto *lcd = dialog->findChild<QLCDNumber *>("4");
    QVERIFY(lcd);
    QCOMPARE(lcd->digitCount(), 6);
    QCOMPARE(lcd->value(), 0.0); // "Plant" is no parameter here: the stored value
}

void tst_LcdPlugIn::formWithoutThePlugInSkipsTheElement()
{
    // Written where the plug-in is loaded, run where it is not.
    const QByteArray bytes = tLcdFixture().document(writeForm);
    tFormFixture f;
    cTraceCollector traces;
    auto dialog = f.dialog(bytes);
    QVERIFY(dialog);
    QVERIFY(!dialog->findChild<QObject *>("4"));
    QCOMPARE(dialog->layout()->count(), 2);
    QCOMPARE(traces.matching("Element LcdNumber is unknown").size(), 1);
}

QTEST_MAIN(tst_LcdPlugIn)
#include "tst_lcdplugin.moc"
