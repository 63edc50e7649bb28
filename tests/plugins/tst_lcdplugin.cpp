#include "q4support/cvq4vmvdataviewmgr.h"
#include "q4support/elements/standardelements.h"
#include "q4widgets/cvq4vmvdialogfactory.h"
#include "q4widgets/cvq4vmvformwriter.h"
#include "q4widgets/standardbuilders.h"
#include "vellcore/cdebugstream.h"
#include "vellcore/cmodulemgr.h"
#include "vellcore/vce.h"
#include "vellmva2/cdvdataviewarglist.h"
#include "vellmva2/tgenericnode.h"

#include <QLCDNumber>
#include <QLabel>
#include <QLayout>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString pluginPath(const cVQ4VMVDataViewMgr &mgr)
{
    return qstr(mgr.uiRootPath()) + QStringLiteral("/libVellLcdElements.so");
}

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
    void registersItsElementBehindTheStandardOnes();
    void buildsAFormUsingTheElement();
    void formReadsBackFromAFile();
    void formWithoutThePlugInSkipsTheElement();
};

void tst_LcdPlugIn::registersItsElementBehindTheStandardOnes()
{
    vcs::cModuleMgr moduleMgr;
    cVQ4VMVDataViewMgr mgr(moduleMgr);
    registerStandardElements(mgr);
    const size_t standard = mgr.dataViewElementExtensions().size();
    QVERIFY(QFileInfo::exists(pluginPath(mgr)));
    vsa::cReferenceFrame frame;
    mgr.loadDataViewElement(qstr(pluginPath(mgr)), frame);
    QCOMPARE(mgr.dataViewElementExtensions().size(), standard + 1);
    cQUIDataViewItemExtension *ext = mgr.dataViewElementExtensions().back();
    QCOMPARE(qstr(ext->factory()->elementName()), QString("LcdNumber"));
    QCOMPARE(ext->factory()->viewCategory(), 1);
    QCOMPARE(ext->factory()->elementKind(), 2);
    QVERIFY(ext->builder());
    auto properties = ext->factory()->createProperties();
    QVERIFY(properties);
    properties->initialize();
    QStringList names;
    for (vmva::cDVIAbstractProperty *p : properties->properties())
        names << qstr(p->name());
    QCOMPARE(names.first(), QString("Label"));
    QVERIFY(names.contains("Value"));
    QVERIFY(names.contains("Layout"));
}

void tst_LcdPlugIn::buildsAFormUsingTheElement()
{
    vcs::cModuleMgr moduleMgr;
    cVQ4VMVDataViewMgr mgr(moduleMgr);
    registerStandardElements(mgr);
    installStandardBuilders(mgr);
    vsa::cReferenceFrame frame;
    mgr.loadDataViewElement(qstr(pluginPath(mgr)), frame);

    vmva::cDMDataModel plant(moduleMgr, "Plant");
    vmva::tGenericNode<double, vmva::cDRangeModelProperties> temperature("temperature", 21.5);
    plant.addNode(temperature);
    vmva::cDVDataViewArgList arguments;
    arguments.addParameter("Plant");
    arguments.bindModel("Plant", &plant);

    vsa::cSerializeBinary serializer("Form");
    {
        cVQ4VMVFormWriter writer(mgr, serializer);
        writeForm(writer);
    }
    vsa::cDeserializeBinary document(serializer.data());
    cVQ4VMVDialogFactory factory(mgr, vio::cSearchPaths());
    std::unique_ptr<cVQ4AppWidget> dialog(factory.createDialog(nullptr, arguments, document));
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
    vcs::cModuleMgr moduleMgr;
    cVQ4VMVDataViewMgr mgr(moduleMgr);
    registerStandardElements(mgr);
    installStandardBuilders(mgr);
    vsa::cReferenceFrame frame;
    mgr.loadDataViewElement(qstr(pluginPath(mgr)), frame);
    QTemporaryDir dir;
    const QString path = dir.filePath("lcd.dlg");
    {
        auto serializer = moduleMgr.coreExtensions().createSerializer("XML-Config", "Form");
        cVQ4VMVFormWriter writer(mgr, *serializer);
        writeForm(writer);
        serializer->writeToFile(qstr(path));
    }
    auto document = moduleMgr.coreExtensions().createDeserializer("XML-Config", qstr(path));
    vmva::cDVDataViewArgList arguments;
    cVQ4VMVDialogFactory factory(mgr, vio::cSearchPaths());
    std::unique_ptr<cVQ4AppWidget> dialog(factory.createDialog(nullptr, arguments, *document));
    QVERIFY(dialog);
    auto *lcd = dialog->findChild<QLCDNumber *>("4");
    QVERIFY(lcd);
    QCOMPARE(lcd->digitCount(), 6);
    QCOMPARE(lcd->value(), 0.0); // "Plant" is no parameter here: the stored value
}

void tst_LcdPlugIn::formWithoutThePlugInSkipsTheElement()
{
    QByteArray bytes;
    {
        // Written where the plug-in is loaded ...
        vcs::cModuleMgr moduleMgr;
        cVQ4VMVDataViewMgr mgr(moduleMgr);
        registerStandardElements(mgr);
        vsa::cReferenceFrame frame;
        mgr.loadDataViewElement(qstr(pluginPath(mgr)), frame);
        vsa::cSerializeBinary serializer("Form");
        cVQ4VMVFormWriter writer(mgr, serializer);
        writeForm(writer);
        bytes = serializer.data();
    }
    // ... and run where it is not.
    vcs::cModuleMgr moduleMgr;
    cVQ4VMVDataViewMgr mgr(moduleMgr);
    registerStandardElements(mgr);
    installStandardBuilders(mgr);
    QStringList traces;
    auto previous = vpi::system().setSink([&](const QString &line) { traces << line; });
    vsa::cDeserializeBinary document(bytes);
    vmva::cDVDataViewArgList arguments;
    cVQ4VMVDialogFactory factory(mgr, vio::cSearchPaths());
    std::unique_ptr<cVQ4AppWidget> dialog(factory.createDialog(nullptr, arguments, document));
    vpi::system().setSink(previous);
    QVERIFY(dialog);
    QVERIFY(!dialog->findChild<QObject *>("4"));
    QCOMPARE(dialog->layout()->count(), 2);
    QCOMPARE(traces.filter("Element LcdNumber is unknown").size(), 1);
}

QTEST_MAIN(tst_LcdPlugIn)
#include "tst_lcdplugin.moc"
