// The example plug-in's LCD number element, registered behind the standard elements, built and
// bound. (Reading forms from files and skipping unknown elements are the factories' tests.)
#include "tests/q4widgets/formfixture.h"

#include "vellmva2/tgenericnode.h"

#include <QLCDNumber>
#include <QLayout>
#include <QtTest>

namespace {

// The standard elements and the plug-in's.
struct tLcdFixture : tFormFixture
{
    tLcdFixture()
    {
        vsa::cReferenceFrame frame;
        mgr.loadDataViewElement(qstr(qstr(mgr.uiPlugInPath()) + "/libVellLcdElements.so"), frame);
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

QTEST_MAIN(tst_LcdPlugIn)
#include "tst_lcdplugin.moc"
