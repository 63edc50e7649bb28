// What an element's view is given: its properties (stored, read back, tolerated when from another
// version), the dialog argument list and the "parameter.path" locations.
#include "vellcore/cmodulemgr.h"
#include "vellcore/vsa.h"
#include "vellmva2/cdmdatamodeldescriptor.h"
#include "vellmva2/cdvabstractdataviewmgr.h"
#include "vellmva2/cdvabstractstddmviewproperties.h"
#include "vellmva2/cdvdataviewarglist.h"
#include "vellmva2/cdvitypedproperties.h"
#include "vellmva2/cdvpropertyrecords.h"

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
        addProperty(std::make_unique<cDVIDoubleProperty>("Setpoint", "Data", "", InOut, 1.5))
            .setRange(-1e6, 1e6);
        addProperty(std::make_unique<cDVIDateTimeProperty>(
            "Due", "Data", "", InOut, cDVIDateTimeProperty::DateTime,
            cDVIDateTimeProperty::make(QDate(2000, 1, 1))));
        addProperty(std::make_unique<cDVIFlagsProperty>(
            "Buttons", "Data", "", Static,
            std::make_shared<const std::vector<cDVIFlagsProperty::tFlag>>(
                std::vector<cDVIFlagsProperty::tFlag>{{"Ok", 0x400}, {"Cancel", 0x400000}}),
            0x400));
        addProperty(std::make_unique<cDVITextListProperty>("Entries", "General", "", In,
                                                           QStringList{"One"}));
    }
};

enum Format { Binary, Xml };

std::unique_ptr<vsa::cAbstractSerializer> makeWriter(Format format)
{
    if (format == Binary)
        return std::make_unique<vsa::cSerializeBinary>(vucs::cString("Test"));
    return std::make_unique<vsa::cSerializeXML>(vucs::cString("Test"));
}

// A reader of what `writer` wrote.
std::unique_ptr<vsa::cAbstractDeserializer> readerOf(vsa::cAbstractSerializer &writer)
{
    if (auto *binary = dynamic_cast<vsa::cSerializeBinary *>(&writer))
        return std::make_unique<vsa::cDeserializeBinary>(binary->data());
    return std::make_unique<vsa::cDeserializeXML>(static_cast<vsa::cSerializeXML &>(writer).data(),
                                                  vucs::cString("test.xml"));
}

struct Provider : vcs::cAbstractComponent
{
    Provider(vcs::cModuleMgr &mgr, vsa::cReferenceFrame &frame)
        : vcs::cAbstractComponent(mgr, frame) {}
};

struct ChangeLog : vrmi::cConnectable
{
    explicit ChangeLog(cDVDataViewArgList &list) : list(&list)
    {
        list.sigChanged.connect(
            vrmi::cDirectLocalSlotCall2<ChangeLog, const cDVDataViewArgList &,
                                        const vstd::cAsciiString &>(this, &ChangeLog::changed));
    }
    piVoid changed(const cDVDataViewArgList &from, const vstd::cAsciiString &name)
    {
        names << (&from == list ? qstr(name) : QStringLiteral("<other list>"));
        if (onChange)
            onChange();
        return {};
    }
    cDVDataViewArgList *list;
    QStringList names;
    std::function<void()> onChange;
};

QStringList parameterNames(const cDVDataViewArgList &list)
{
    QStringList out;
    for (const auto *a : list.arguments())
        out << qstr(a->parameterName());
    return out;
}

// Gives every property of `p` a value other than its default; three are bound.
void fill(cAllKinds &p, const QByteArray &picture, const cDVLayoutParameter &layout)
{
    p.get<cDVIAsciiStringProperty>("Label").setValue("okButton");
    p.get<cDVIUCStringProperty>("Text").setValue(vucs::cString(u"Gr\u00fc\u00dfe \u2713 <&>\n"));
    p.get<cDVIIntProperty>("Count").setValue(-(__int64(1) << 40));
    p.get<cDVIBoolProperty>("Enabled").setValue(false);
    p.get<cDVIPixmapProperty>("Icon").setValue(picture);
    p.get<cDVILayoutProperty>("Layout").setValue(layout);
    p.get<cDVIFontProperty>("Font").setValue(vucs::cString("Sans Serif,12,-1,5,700,0,0,0,0,0"));
    p.get<cDVIModelLocationProperty>("Model").setModelLocation(
        cDMDataModelDescriptor("Machine", "drive.motor"));
    p.tryFindProperty("Count")->setModelLocation(cDMDataModelDescriptor("$(modelPath)", "n"));
    p.tryFindProperty("Entries")->setModelLocation(cDMDataModelDescriptor("Machine", "jobs"));
    p.get<cDVIDoubleProperty>("Setpoint").setValue(-0.1 - 1e-12);
    p.get<cDVIDateTimeProperty>("Due").setValue(
        cDVIDateTimeProperty::make(QDate(2026, 3, 29), QTime(2, 30, 5)));
    p.get<cDVIFlagsProperty>("Buttons").setValue(0x400400);
    p.get<cDVITextListProperty>("Entries").setValue(
        {"Red; or not", "", QString::fromUtf16(u" Gr\u00fcn "), "Blue"});
}

// Copies of the properties of another object.
class cCopies : public cDVAbstractStdDMViewProperties
{
public:
    explicit cCopies(const cDVAbstractStdDMViewProperties &source) : mSource(source) {}

protected:
    void createProperties() override
    {
        for (const cDVIAbstractProperty *property : mSource.properties())
            addProperty(property->clone());
    }

private:
    const cDVAbstractStdDMViewProperties &mSource;
};

// One compact record by hand: name, tag, value.
QByteArray record(const char *name, quint8 tag, const QByteArray &value = QByteArray())
{
    return char(qstrlen(name)) + QByteArray(name) + char(tag) + value;
}

// Loads `block` as the records of a cAllKinds; the refusal's message, empty when accepted.
QString loadRecords(const QByteArray &block)
{
    vsa::cSerializeBinary writer(vucs::cString("Test"));
    writer.setPreferNoLabels(false);
    writer.setLabel("PropertyRecords");
    writer.writeBytes(block);
    vsa::cDeserializeBinary reader(writer.data());
    cAllKinds in;
    in.initialize();
    try {
        in.load(reader);
    } catch (const vstd::cRuntimeException &e) {
        return QString::fromUtf8(e.what());
    }
    return QString();
}

QByteArray stored(const cDVAbstractStdDMViewProperties &properties)
{
    vsa::cSerializeBinary writer(vucs::cString("Test"));
    properties.store(writer);
    return writer.data();
}

} // namespace

class tst_ViewProperties : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void missingAndUnknownProperties_data();
    void missingAndUnknownProperties();
    void corruptValuesAreRefusedNamingTheProperty_data();
    void corruptValuesAreRefusedNamingTheProperty();
    void textListsReadAsFilesHoldThem_data();
    void textListsReadAsFilesHoldThem();
    void datesAndTimesReadAsTheirPartSays_data();
    void datesAndTimesReadAsTheirPartSays();
    void damagedRecordsAreRefused_data();
    void damagedRecordsAreRefused();
    void copiesShareTheDescriptionUntilChanged();
    void layoutParameterText_data();
    void layoutParameterText();
    void argumentListKeepsOrderAndRefusesUnknownNames();
    void bindModelFollowsItsDestruction();
    void receiverMayRemoveTheChangedParameter();
    void splitPath_data();
    void splitPath();
};

void tst_ViewProperties::roundTrip_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<bool>("writerPrefersLabels");
    QTest::newRow("binary") << int(Binary) << true;
    QTest::newRow("xml") << int(Xml) << true;
    // The properties' form needs its labels even when the caller's entries go without them.
    QTest::newRow("binary, caller without labels") << int(Binary) << false;
    QTest::newRow("xml, caller without labels") << int(Xml) << false;
}

void tst_ViewProperties::roundTrip()
{
    QFETCH(int, format);
    QFETCH(bool, writerPrefersLabels);

    cAllKinds out;
    out.initialize();
    const QByteArray picture("\x89PNG\r\n\x1a\n\0\xff\x01 bytes", 18);
    cDVLayoutParameter layout;
    layout.setMode(cDVLayoutParameter::Preferred);
    layout.setMaximum(200);
    layout.setMultiplier(3);
    fill(out, picture, layout);

    auto writer = makeWriter(Format(format));
    writer->setPreferNoLabels(!writerPrefersLabels);
    writer->beginContext("Element");
    out.store(*writer);
    writer->endContext();
    QCOMPARE(writer->preferNoLabels(), !writerPrefersLabels);

    auto reader = readerOf(*writer);
    reader->setPreferNoLabels(!writerPrefersLabels);
    reader->beginContext("");
    // Files keep a context per property; the byte-array copies one block of records.
    reader->setPreferNoLabels(false);
    QCOMPARE(reader->hasEntry("PropertyRecords"), format == Binary);
    reader->setPreferNoLabels(!writerPrefersLabels);
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
    QVERIFY(in.tryFindProperty("Entries")->modelLocation()
            == cDMDataModelDescriptor("Machine", "jobs"));
    QVERIFY(in.tryFindProperty("Text")->modelLocation().isEmpty());
    // Every bit of a floating-point number, in both forms.
    QCOMPARE(in.get<cDVIDoubleProperty>("Setpoint").value(), -0.1 - 1e-12);
    // A wall clock that a daylight saving change skips in many zones.
    QCOMPARE(in.get<cDVIDateTimeProperty>("Due").text(), QString("2026-03-29T02:30:05"));
    QCOMPARE(in.get<cDVIFlagsProperty>("Buttons").text(), QString("Ok | Cancel"));
    // Every entry as it was: separators, blanks and empty entries included.
    QCOMPARE(in.get<cDVITextListProperty>("Entries").value(),
             out.get<cDVITextListProperty>("Entries").value());
}

void tst_ViewProperties::missingAndUnknownProperties_data()
{
    QTest::addColumn<int>("format");
    QTest::newRow("binary") << int(Binary);
    QTest::newRow("xml") << int(Xml);
}

// A document of another version: properties in another order, one unknown, most missing, and
// the element's children behind them, whose properties are not this element's.
void tst_ViewProperties::missingAndUnknownProperties()
{
    QFETCH(int, format);
    auto writer = makeWriter(Format(format));
    writer->setPreferNoLabels(false);
    auto begin = [&](const char *label, const char *name) {
        writer->setLabel(label);
        writer->beginContext(name);
    };
    auto value = [&](const std::function<void()> &write) {
        writer->setLabel("Value");
        write();
    };
    writer->beginContext("Element");
    writer->setLabel("DebugInfo");
    writer->writeAscii("1234");
    begin("Property", "Enabled");
    value([&] { writer->writeBool(false); });
    writer->endContext();
    begin("Property", "Shape");        // unknown, with a nested context of its own
    begin("Value", "Polygon");
    begin("Property", "Text");
    writer->endContext();
    writer->endContext();
    value([&] { writer->writeInt64(3); });
    writer->endContext();
    begin("Property", "Count");        // no value: only a binding
    writer->setLabel("Parameter");
    writer->writeAscii("Machine");
    writer->setLabel("Element");
    writer->writeAscii("speed");
    writer->endContext();
    begin("ViewElement", "ViewElement");   // a child element
    begin("Property", "Text");
    value([&] { writer->writeString("child's text"); });
    writer->endContext();
    writer->endContext();
    writer->endContext();

    auto reader = readerOf(*writer);
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

void tst_ViewProperties::corruptValuesAreRefusedNamingTheProperty_data()
{
    QTest::addColumn<QString>("property");
    QTest::newRow("text where an integer belongs") << "Count";
    QTest::newRow("layout mode out of range") << "Layout";
    QTest::newRow("date and time with a zone") << "Due";
    QTest::newRow("a flag the list lacks") << "Buttons";
    QTest::newRow("an integer where a list belongs") << "Entries";
}

void tst_ViewProperties::corruptValuesAreRefusedNamingTheProperty()
{
    QFETCH(QString, property);
    vsa::cSerializeBinary writer;
    writer.setPreferNoLabels(false);
    writer.setLabel("Property");
    writer.beginContext(property.toLatin1().constData());
    writer.setLabel("Value");
    if (property == "Count") {
        writer.writeString("five");
    } else if (property == "Due") {
        writer.writeAscii("2026-12-07T10:00:00+01:00");
    } else if (property == "Buttons") {
        writer.writeAscii("Ok | Maybe");
    } else if (property == "Entries") {
        writer.writeInt64(3);
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

void tst_ViewProperties::textListsReadAsFilesHoldThem_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("none") << "" << QStringList();
    QTest::newRow("a line feed behind every entry") << "a; b\n\n c \n"
                                                    << QStringList{"a; b", "", " c "};
    QTest::newRow("one empty entry") << "\n" << QStringList{""};
    // The earlier form, written before lists had a kind of their own.
    QTest::newRow("earlier: separated by ;") << " Off; Slow ;;Fast;"
                                             << QStringList{"Off", "Slow", "Fast"};
    QTest::newRow("earlier: one per line") << "a;b\n c \n\nd" << QStringList{"a;b", "c", "d"};
    QTest::newRow("earlier: blanks only") << "  " << QStringList();
}

void tst_ViewProperties::textListsReadAsFilesHoldThem()
{
    QFETCH(QString, stored);
    QFETCH(QStringList, entries);
    vsa::cSerializeXML writer(vucs::cString("Test"));
    writer.setPreferNoLabels(false);
    writer.beginContext("Element");
    writer.setLabel("Property");
    writer.beginContext("Entries");
    writer.setLabel("Value");
    writer.writeString(vucs::cString(stored));
    writer.endContext();
    writer.endContext();
    vsa::cDeserializeXML reader(writer.data(), vucs::cString("test.xml"));
    reader.setPreferNoLabels(false);
    reader.beginContext("");
    cAllKinds in;
    in.initialize();
    in.load(reader);
    auto &list = in.get<cDVITextListProperty>("Entries");
    QCOMPARE(list.value(), entries);
    // The text form the table and the converters use: one entry per line.
    if (!entries.isEmpty() && entries != QStringList{""})
        QCOMPARE(cDVITextListProperty::parse(list.text()), entries);
}

void tst_ViewProperties::datesAndTimesReadAsTheirPartSays_data()
{
    QTest::addColumn<int>("part");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("read"); // the text written back; empty when refused
    const int date = cDVIDateTimeProperty::Date, time = cDVIDateTimeProperty::Time,
              both = cDVIDateTimeProperty::DateTime;
    QTest::newRow("date") << date << "2024-02-29" << "2024-02-29";
    QTest::newRow("no such day") << date << "2023-02-29" << "";
    QTest::newRow("date in another order") << date << "29.02.2024" << "";
    QTest::newRow("date with a time") << date << "2024-02-29T10:00:00" << "";
    QTest::newRow("time") << time << "23:59:59" << "23:59:59";
    QTest::newRow("time without seconds") << time << "07:05" << "07:05:00";
    QTest::newRow("hour 24") << time << "24:00:00" << "";
    QTest::newRow("date and time") << both << "1999-12-31T23:59:59" << "1999-12-31T23:59:59";
    QTest::newRow("date alone") << both << "1999-12-31" << "";
    QTest::newRow("time in UTC") << both << "1999-12-31T23:59:59Z" << "";
    QTest::newRow("empty") << both << "" << "";
}

// Files, records, node texts and the form writer all read through this one rule.
void tst_ViewProperties::datesAndTimesReadAsTheirPartSays()
{
    QFETCH(int, part);
    QFETCH(QString, text);
    QFETCH(QString, read);
    const auto p = cDVIDateTimeProperty::Part(part);
    const QDateTime value = cDVIDateTimeProperty::parse(p, text);
    QCOMPARE(value.isValid(), !read.isEmpty());
    QCOMPARE(cDVIDateTimeProperty::format(p, value), read);
    if (p == cDVIDateTimeProperty::Time && value.isValid())
        QCOMPARE(value.date(), QDate(2000, 1, 1)); // one day for every time: equal times compare
}

void tst_ViewProperties::damagedRecordsAreRefused_data()
{
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("unknown kind") << record("Enabled", 0x7F) << "unknown kind";
    QTest::newRow("flag neither true nor false") << record("Enabled", 1, "\2") << "neither";
    QTest::newRow("text where an integer belongs")
        << record("Count", 4, QByteArray("\0", 1)) << "holds a string value";
    QTest::newRow("layout mode out of range")
        << record("Layout", 6, QByteArray("\11\0\1", 3)) << "layout mode";
    QTest::newRow("given twice") << record("Enabled", 1, QByteArray("\0", 1)) +
                                        record("Enabled", 1, QByteArray("\1", 1))
                                 << "given twice";
    QTest::newRow("text longer than what is left")
        << record("Label", 3, "\50abc") << "end early";
    QTest::newRow("binding without its names") << record("Count", 0x82, "\2") << "end early";
    QTest::newRow("floating-point number cut short") << record("Setpoint", 7, "\1\2\3")
                                                     << "end early";
    QTest::newRow("not a number")
        << record("Setpoint", 7, QByteArray("\0\0\0\0\0\0\xf8\x7f", 8)) << "not a number";
    QTest::newRow("floating-point number outside its range")
        << record("Setpoint", 7, QByteArray("\0\0\0\0\0\0\xf0\x7f", 8)) << "outside";
    QTest::newRow("a day no calendar has")
        << record("Due", 8, QByteArray("\xff\xff\xff\xff\xff\xff\xff\xff\x7f\0", 10))
        << "no date or time";
    QTest::newRow("a time of day beyond the day")
        << record("Due", 8, QByteArray("\xd8\xb6\xac\x02\x81\xb8\x99\x29", 8)) << "beyond the day";
    QTest::newRow("the end of the day") // what an invalid value is written as
        << record("Due", 8, QByteArray("\xd8\xb6\xac\x02\x80\xb8\x99\x29", 8))
        << "no date or time";
    QTest::newRow("a flag the list lacks") << record("Buttons", 9, "\012Ok | Maybe")
                                           << "unknown flag";
    QTest::newRow("more entries than bytes") << record("Entries", 10, "\5\1a") << "end early";
    QTest::newRow("an entry cut short")
        << record("Entries", 10, QByteArray("\2\1a\0\3b", 7)) << "end early";
    QTest::newRow("an entry longer than a text")
        << record("Entries", 10, QByteArray("\1\x80\x80\x50", 4)) << "too long";
}

// Records come from the clipboard too: damage is refused, never read beyond the block, and
// every cut of a good block is either refused or a shorter good block.
void tst_ViewProperties::damagedRecordsAreRefused()
{
    QFETCH(QByteArray, block);
    QFETCH(QString, refusal);
    QVERIFY2(loadRecords(block).contains(refusal), qPrintable(loadRecords(block)));

    cAllKinds out;
    out.initialize();
    fill(out, QByteArray("picture"), cDVLayoutParameter());
    QByteArray good;
    cDVPropertyRecords::encode(out.properties(), good);
    QCOMPARE(loadRecords(good), QString());
    int refused = 0;
    for (qsizetype cut = 1; cut < good.size(); ++cut) {
        const QString message = loadRecords(good.left(cut));
        refused += message.isEmpty() ? 0 : 1;
        QVERIFY2(message.isEmpty() || message.contains("damaged"), qPrintable(message));
    }
    QVERIFY(refused > good.size() / 2);
}

void tst_ViewProperties::copiesShareTheDescriptionUntilChanged()
{
    cAllKinds original;
    original.initialize();
    cDVLayoutParameter layout;
    layout.setMinimum(4);
    fill(original, QByteArray("GIF89a"), layout);
    auto &count = original.get<cDVIIntProperty>("Count");
    count.setAllowedTypes("piInt64");
    count.setRange(-(__int64(1) << 50), 0);
    count.setPredefinedValues({{-1, "none"}});
    cCopies copies(original);
    copies.initialize();
    // Every value and connector.
    QCOMPARE(stored(copies), stored(original));
    auto *copy = copies.properties()[2]->intView();
    QVERIFY(copy);
    QCOMPARE(copy->help(), count.help());
    QCOMPARE(copy->flags(), count.flags());
    QCOMPARE(copy->allowedTypes(), vstd::cAsciiString("piInt64"));
    QCOMPARE(copy->minimum(), count.minimum());
    QCOMPARE(copy->predefinedValues().size(), size_t(1));

    copy->setAllowedTypes("piBool");
    copy->setPredefinedValues({});
    copy->setValue(7);
    QCOMPARE(count.allowedTypes(), vstd::cAsciiString("piInt64"));
    QCOMPARE(count.predefinedValues().at(0).name, vstd::cAsciiString("none"));
    QCOMPARE(count.value(), -(__int64(1) << 40));
    QCOMPARE(copy->allowedTypes(), vstd::cAsciiString("piBool"));
}

void tst_ViewProperties::layoutParameterText_data()
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

void tst_ViewProperties::layoutParameterText()
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

// Parameters in the order added, an existing name kept; every change reported by name; unknown
// names refused without a change.
void tst_ViewProperties::argumentListKeepsOrderAndRefusesUnknownNames()
{
    cDVDataViewArgList list;
    list.addParameter("A");   // no receiver yet: must not throw
    ChangeLog log(list);
    auto &b = list.addParameter("B");
    QCOMPARE(&list.addParameter("B"), &b);   // an existing name is kept, no change reported
    list.addParameter("C");
    QCOMPARE(parameterNames(list), QStringList({"A", "B", "C"}));
    QCOMPARE(list.tryFindParameter("b"), nullptr);
    QVERIFY(!b.isSet());
    QCOMPARE(b.hasDM(), nullptr);
    list.changeParameter("B", vcs::cComponentAddr("local", 3), "Main.drive");
    QVERIFY(b.isSet());
    QCOMPARE(QString(b.modelName().c_str()), QString("Main.drive"));
    QCOMPARE(QString(b.location().toString().c_str()), QString("local:3"));
    list.removeParameter("B");
    QCOMPARE(parameterNames(list), QStringList({"A", "C"}));
    QCOMPARE(log.names, QStringList({"B", "C", "B", "B"}));

    QVERIFY_THROWS_EXCEPTION(vstd::cRuntimeException, list.removeParameter("X"));
    QVERIFY_THROWS_EXCEPTION(vstd::cRuntimeException,
                             list.changeParameter("X", vcs::cComponentAddr(), "M"));
    QVERIFY_THROWS_EXCEPTION(vstd::cRuntimeException, list.bindModel("X", nullptr));
    QCOMPARE(parameterNames(list), QStringList({"A", "C"}));
    QCOMPARE(log.names.size(), 4);
}

void tst_ViewProperties::bindModelFollowsItsDestruction()
{
    vcs::cModuleMgr mgr;
    vsa::cReferenceFrame frame;
    Provider p(mgr, frame);
    cDVDataViewArgList list;
    list.addParameter("P");
    ChangeLog log(list);
    auto machine = std::make_unique<cDMDataModel>(mgr, "Machine");
    machine->setComponent(p);
    cDMDataModel drive(*machine, "drive");

    list.bindModel("P", &drive);
    const auto *a = list.tryFindParameter("P");
    QCOMPARE(a->hasDM(), &drive);
    QCOMPARE(QString(a->modelName().c_str()), QString("Machine.drive"));
    QCOMPARE(a->location(), p.address());

    // Assigning another model by name drops the live binding; the same one keeps it.
    list.changeParameter("P", p.address(), "Machine.drive");
    QCOMPARE(a->hasDM(), &drive);
    list.changeParameter("P", p.address(), "Machine");
    QCOMPARE(a->hasDM(), nullptr);

    list.bindModel("P", machine.get());
    log.names.clear();
    machine.reset();
    QCOMPARE(a->hasDM(), nullptr);
    QCOMPARE(log.names, QStringList({"P"}));
    QVERIFY(a->isSet());   // still names the model, which may come back

    // Unbinding with null keeps the assignment.
    list.bindModel("P", &drive);
    list.bindModel("P", nullptr);
    QCOMPARE(a->hasDM(), nullptr);
    QVERIFY(a->isSet());
}

void tst_ViewProperties::receiverMayRemoveTheChangedParameter()
{
    cDVDataViewArgList list;
    list.addParameter("A");
    ChangeLog first(list), second(list);
    first.onChange = [&] {
        if (list.tryFindParameter("A"))
            list.removeParameter("A");
    };
    list.changeParameter("A", vcs::cComponentAddr("local", 1), "M");
    QVERIFY(list.arguments().empty());
    QCOMPARE(second.names, QStringList({"A", "A"}));
}

void tst_ViewProperties::splitPath_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("rest");
    QTest::newRow("simple") << "Machine.speed" << true << "Machine" << "speed";
    QTest::newRow("two dots") << "Machine.drive.speed" << true << "Machine" << "drive.speed";
    QTest::newRow("empty path") << "Machine." << true << "Machine" << "";
    QTest::newRow("empty parameter") << ".speed" << true << "" << "speed";
    QTest::newRow("placeholder") << "$(modelPath).a_1" << true << "$(modelPath)" << "a_1";
    QTest::newRow("double dot") << "a..b" << true << "a" << ".b";
    QTest::newRow("no dot") << "Machine" << false << "" << "";
    QTest::newRow("empty") << "" << false << "" << "";
    QTest::newRow("blank") << "Machine. speed" << false << "" << "";
    QTest::newRow("minus") << "a-b.c" << false << "" << "";
    QTest::newRow("question mark") << "M?.x" << false << "" << "";
}

void tst_ViewProperties::splitPath()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    vstd::cAsciiString first = "old", rest = "old";
    try {
        cDVAbstractDataViewMgr::splitPath(vstd::cAsciiString(text.toLatin1()), first, rest);
        QVERIFY2(ok, "accepted");
        QTEST(QString(first.c_str()), "first");
        QTEST(QString(rest.c_str()), "rest");
    } catch (const vstd::cRuntimeException &) {
        QVERIFY2(!ok, "refused");
        QCOMPARE(QString(first.c_str()), QString("old"));
    }
}

QTEST_GUILESS_MAIN(tst_ViewProperties)
#include "tst_viewproperties.moc"
