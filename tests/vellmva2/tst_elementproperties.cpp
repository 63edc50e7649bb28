#include "vellmva2/cdvabstractstddmviewproperties.h"
#include "vellmva2/cdvitypedproperties.h"

#include "vellcore/vsa.h"

#include <QtTest>

using namespace vmva;

namespace {

const unsigned int In = cDVIAbstractProperty::DirectionIn;
const unsigned int InOut = cDVIAbstractProperty::DirectionInOut;
const unsigned int Static = cDVIAbstractProperty::NotConnectable;

// One property of every kind, with defaults that differ from the values the tests store.
class cAllKinds : public cDVAbstractStdDMViewProperties
{
public:
    int created = 0;

    template <class P> P &get(const char *name)
    {
        auto *p = dynamic_cast<P *>(tryFindProperty(name));
        if (!p)
            qFatal("no property %s", name);
        return *p;
    }

protected:
    void createProperties() override
    {
        ++created;
        addProperty(
            std::make_unique<cDVIAsciiStringProperty>("Label", "General", "", Static, ""));
        addProperty(std::make_unique<cDVIUCStringProperty>("Text", "General", "", In,
                                                           vucs::cString("Button")));
        addProperty(std::make_unique<cDVIIntProperty>("Count", "Data", "", InOut, 5));
        addProperty(std::make_unique<cDVIBoolProperty>("Enabled", "State", "", In, true));
        addProperty(
            std::make_unique<cDVIPixmapProperty>("Icon", "Look", "", Static, QByteArray()));
        addProperty(std::make_unique<cDVILayoutProperty>("Layout", "Layout", "", Static,
                                                         cDVLayoutParameter()));
        addProperty(
            std::make_unique<cDVIFontProperty>("Font", "Look", "", Static, vucs::cString()));
        addProperty(std::make_unique<cDVIModelLocationProperty>("Model", "Data", "", In));
    }
};

enum Format { Binary, Xml };

std::unique_ptr<vsa::cAbstractSerializer> makeWriter(Format format)
{
    if (format == Binary)
        return std::make_unique<vsa::cSerializeBinary>(vucs::cString("Test"));
    return std::make_unique<vsa::cSerializeXML>(vucs::cString("Test"));
}

QByteArray dataOf(vsa::cAbstractSerializer &writer)
{
    if (auto *binary = dynamic_cast<vsa::cSerializeBinary *>(&writer))
        return binary->data();
    return static_cast<vsa::cSerializeXML &>(writer).data();
}

std::unique_ptr<vsa::cAbstractDeserializer> makeReader(Format format, const QByteArray &data)
{
    std::unique_ptr<vsa::cAbstractDeserializer> reader;
    if (format == Binary)
        reader = std::make_unique<vsa::cDeserializeBinary>(data);
    else
        reader = std::make_unique<vsa::cDeserializeXML>(data, vucs::cString("test.xml"));
    return reader;
}

} // namespace

class tst_ElementProperties : public QObject
{
    Q_OBJECT

private slots:
    void initializeCreatesOnce();
    void roundTrip_data();
    void roundTrip();
    void missingAndUnknownProperties_data();
    void missingAndUnknownProperties();
    void corruptValuesAreRefusedNamingTheProperty_data();
    void corruptValuesAreRefusedNamingTheProperty();
    void layoutParameterText_data();
    void layoutParameterText();
};

void tst_ElementProperties::initializeCreatesOnce()
{
    cAllKinds p;
    QVERIFY(!p.isInitialized());
    QVERIFY(p.properties().empty());
    p.initialize();
    p.initialize();
    QCOMPARE(p.created, 1);
    QCOMPARE(p.properties().size(), size_t(8));
    QCOMPARE(p.properties()[2]->name(), vstd::cAsciiString("Count"));
    QCOMPARE(p.tryFindProperty("Count"), p.properties()[2]);
    QCOMPARE(p.tryFindProperty("count"), nullptr);
}

void tst_ElementProperties::roundTrip_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<bool>("writerPrefersLabels");
    QTest::newRow("binary") << int(Binary) << true;
    QTest::newRow("xml") << int(Xml) << true;
    // The properties' form needs its labels even when the caller's entries go without them.
    QTest::newRow("binary, caller without labels") << int(Binary) << false;
    QTest::newRow("xml, caller without labels") << int(Xml) << false;
}

void tst_ElementProperties::roundTrip()
{
    QFETCH(int, format);
    QFETCH(bool, writerPrefersLabels);

    cAllKinds out;
    out.initialize();
    out.get<cDVIAsciiStringProperty>("Label").setValue("okButton");
    out.get<cDVIUCStringProperty>("Text").setValue(vucs::cString(u"Gr\u00fc\u00dfe \u2713 <&>\n"));
    out.get<cDVIIntProperty>("Count").setValue(-(__int64(1) << 40));
    out.get<cDVIBoolProperty>("Enabled").setValue(false);
    const QByteArray picture("\x89PNG\r\n\x1a\n\0\xff\x01 bytes", 18);
    out.get<cDVIPixmapProperty>("Icon").setValue(picture);
    cDVLayoutParameter layout;
    layout.setMode(cDVLayoutParameter::Preferred);
    layout.setMaximum(200);
    layout.setMultiplier(3);
    out.get<cDVILayoutProperty>("Layout").setValue(layout);
    out.get<cDVIFontProperty>("Font").setValue(vucs::cString("Sans Serif,12,-1,5,700,0,0,0,0,0"));
    out.get<cDVIModelLocationProperty>("Model").setModelLocation(
        cDMDataModelDescriptor("Machine", "drive.motor"));
    out.tryFindProperty("Count")->setModelLocation(cDMDataModelDescriptor("$(modelPath)", "n"));

    auto writer = makeWriter(Format(format));
    writer->setPreferNoLabels(!writerPrefersLabels);
    writer->beginContext("Element");
    out.store(*writer);
    writer->endContext();
    QCOMPARE(writer->preferNoLabels(), !writerPrefersLabels);

    auto reader = makeReader(Format(format), dataOf(*writer));
    reader->setPreferNoLabels(!writerPrefersLabels);
    reader->beginContext("");
    cAllKinds in;
    in.initialize();
    in.load(*reader);
    QCOMPARE(reader->preferNoLabels(), !writerPrefersLabels);
    QVERIFY(reader->atEnd());

    QCOMPARE(in.get<cDVIAsciiStringProperty>("Label").value(), vstd::cAsciiString("okButton"));
    QCOMPARE(qstr(in.get<cDVIUCStringProperty>("Text").value()),
             QString::fromUtf16(u"Gr\u00fc\u00dfe \u2713 <&>\n"));
    QCOMPARE(in.get<cDVIIntProperty>("Count").value(), -(__int64(1) << 40));
    QCOMPARE(in.get<cDVIBoolProperty>("Enabled").value(), false);
    QCOMPARE(in.get<cDVIPixmapProperty>("Icon").value(), picture);
    QVERIFY(in.get<cDVILayoutProperty>("Layout").value() == layout);
    QVERIFY(!in.get<cDVILayoutProperty>("Layout").value().hasMinimum());
    QCOMPARE(in.get<cDVIFontProperty>("Font").value(), out.get<cDVIFontProperty>("Font").value());
    QVERIFY(in.tryFindProperty("Model")->modelLocation()
            == cDMDataModelDescriptor("Machine", "drive.motor"));
    QVERIFY(in.tryFindProperty("Count")->modelLocation()
            == cDMDataModelDescriptor("$(modelPath)", "n"));
    QVERIFY(in.tryFindProperty("Text")->modelLocation().isEmpty());
}

void tst_ElementProperties::missingAndUnknownProperties_data()
{
    QTest::addColumn<int>("format");
    QTest::newRow("binary") << int(Binary);
    QTest::newRow("xml") << int(Xml);
}

// A document of another version: properties in another order, one unknown, most missing, and
// the element's children behind them, whose properties are not this element's.
void tst_ElementProperties::missingAndUnknownProperties()
{
    QFETCH(int, format);
    auto writer = makeWriter(Format(format));
    writer->setPreferNoLabels(false);
    auto property = [&](const char *name) {
        writer->setLabel("Property");
        writer->beginContext(name);
    };
    writer->beginContext("Element");
    writer->setLabel("DebugInfo");
    writer->writeAscii("1234");
    property("Enabled");
    writer->setLabel("Value");
    writer->writeBool(false);
    writer->endContext();
    property("Shape");                 // unknown, with a nested context of its own
    writer->setLabel("Value");
    writer->beginContext("Polygon");
    writer->setLabel("Property");
    writer->beginContext("Text");
    writer->endContext();
    writer->endContext();
    writer->setLabel("Value");
    writer->writeInt64(3);
    writer->endContext();
    property("Count");                 // no value: only a binding
    writer->setLabel("Parameter");
    writer->writeAscii("Machine");
    writer->setLabel("Element");
    writer->writeAscii("speed");
    writer->endContext();
    writer->setLabel("ViewElement");   // a child element
    writer->beginContext("ViewElement");
    property("Text");
    writer->setLabel("Value");
    writer->writeString("child's text");
    writer->endContext();
    writer->endContext();
    writer->endContext();

    auto reader = makeReader(Format(format), dataOf(*writer));
    reader->setPreferNoLabels(false);
    reader->beginContext("");
    QCOMPARE(reader->readAscii("DebugInfo"), vstd::cAsciiString("1234"));
    cAllKinds in;
    in.initialize();
    in.load(*reader);

    QCOMPARE(in.get<cDVIBoolProperty>("Enabled").value(), false);
    QCOMPARE(in.get<cDVIIntProperty>("Count").value(), __int64(5));
    QVERIFY(in.tryFindProperty("Count")->modelLocation()
            == cDMDataModelDescriptor("Machine", "speed"));
    QCOMPARE(qstr(in.get<cDVIUCStringProperty>("Text").value()), QString("Button"));
    for (cDVIAbstractProperty *p : in.properties()) {
        if (p->name() != "Enabled" && p->name() != "Count")
            QVERIFY2(p->isDefault() && p->modelLocation().isEmpty(), p->name().c_str());
    }
    // The child stays for the document reader.
    QVERIFY(reader->hasEntry("ViewElement"));
    QCOMPARE(reader->contextName("ViewElement"), vstd::cAsciiString("ViewElement"));
}

void tst_ElementProperties::corruptValuesAreRefusedNamingTheProperty_data()
{
    QTest::addColumn<QString>("property");
    QTest::newRow("text where an integer belongs") << "Count";
    QTest::newRow("layout mode out of range") << "Layout";
}

void tst_ElementProperties::corruptValuesAreRefusedNamingTheProperty()
{
    QFETCH(QString, property);
    vsa::cSerializeBinary writer;
    writer.setPreferNoLabels(false);
    writer.setLabel("Property");
    writer.beginContext(property.toLatin1().constData());
    writer.setLabel("Value");
    if (property == "Count") {
        writer.writeString("five");
    } else {
        writer.beginContext("LayoutParameter");
        writer.setLabel("Mode");
        writer.writeUInt(9);
        writer.setLabel("Multiplier");
        writer.writeUInt(1);
        writer.endContext();
    }
    writer.endContext();

    vsa::cDeserializeBinary reader(writer.data());
    cAllKinds in;
    in.initialize();
    try {
        in.load(reader);
        QFAIL("corrupt value accepted");
    } catch (const vstd::cRuntimeException &e) {
        QVERIFY2(QString(e.what()).contains(property), e.what());
        QVERIFY(e.cause() != nullptr);
    }
}

void tst_ElementProperties::layoutParameterText_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("minimum");   // -1: none
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("multiplier");
    QTest::addColumn<QString>("text");
    QTest::newRow("default") << 0 << -1 << -1 << 1 << "Default";
    QTest::newRow("all set") << 3 << 20 << 200 << 2 << "Preferred, min 20, max 200, x2";
    QTest::newRow("maximum only") << 4 << -1 << 50 << 1 << "Fixed, max 50, x1";
    QTest::newRow("minimum zero") << 1 << 0 << -1 << 1 << "Minimum, min 0, x1";
    QTest::newRow("default mode stretched") << 0 << -1 << -1 << 3 << "Default, x3";
    QTest::newRow("two words") << 2 << -1 << -1 << 1 << "Minimum Expanding, x1";
}

void tst_ElementProperties::layoutParameterText()
{
    QFETCH(int, mode);
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(int, multiplier);
    QFETCH(QString, text);
    cDVLayoutParameter p;
    p.setMode(cDVLayoutParameter::LayoutMode(mode));
    if (minimum >= 0)
        p.setMinimum(unsigned(minimum));
    if (maximum >= 0)
        p.setMaximum(unsigned(maximum));
    p.setMultiplier(unsigned(multiplier));
    QCOMPARE(qstr(p.toString()), text);
}

QTEST_GUILESS_MAIN(tst_ElementProperties)
#include "tst_elementproperties.moc"
