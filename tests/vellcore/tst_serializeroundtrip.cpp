#include "serializertesthelpers.h"

#include <cmath>
#include <cstring>
#include <limits>

using namespace serializertest;

// Every value type written by one format must read back exactly, whatever its content, and
// must not disturb the entries around it.
class tst_SerializeRoundTrip : public QObject
{
    Q_OBJECT
private slots:
    void strings_data();
    void strings();
    void asciiNamesAndLabels_data();
    void asciiNamesAndLabels();
    void integers_data();
    void integers();
    void doubles_data();
    void doubles();
    void bytes_data();
    void bytes();
    void documentNames_data();
    void documentNames();
    void unlabelledDocumentInOrder_data();
    void unlabelledDocumentInOrder();
};

namespace {

void addBothFormats(const char *name, const QVariant &value)
{
    for (int format : {Xml, Binary})
        newRow(format, name) << value;
}

// Writes `write` between two numbers and checks that the numbers survive around it.
template<typename Write, typename Check>
void roundTrip(int format, Write write, Check check)
{
    auto writer = createWriter(format);
    writer->setLabel("before");
    writer->writeUInt(7);
    writer->setLabel("value");
    write(*writer);
    writer->setLabel("after");
    writer->writeUInt(9);
    auto reader = reread(format, *writer);
    QCOMPARE(reader->readUInt("before"), 7u);
    check(*reader);
    QCOMPARE(reader->readUInt("after"), 9u);
    QVERIFY(reader->atEnd());
}

} // namespace

void tst_SerializeRoundTrip::strings_data()
{
    addFormatColumn();
    QTest::addColumn<QVariant>("value");
    QString controls;
    for (char16_t c = 0; c < 0x20; ++c)
        controls += QChar(c);
    addBothFormats("empty", QString());
    addBothFormats("plain", QStringLiteral("Hello world"));
    addBothFormats("xml specials", QStringLiteral("<a href=\"x\">&amp; 'q' ]]></a>"));
    addBothFormats("all controls", controls);
    addBothFormats("line ends", QStringLiteral("a\r\nb\rc\nd\r\r\n\n"));
    addBothFormats("tabs", QStringLiteral("\tx\t\ty\t"));
    addBothFormats("blanks around", QStringLiteral("   padded  "));
    addBothFormats("only blanks", QStringLiteral(" \n\t "));
    addBothFormats("non-BMP", QString::fromUtf16(u"smile \U0001F600 clef \U0001D11E"));
    addBothFormats("CJK and accents", QString::fromUtf16(u"\u6f22\u5b57 \u00e9\u00e8 \u00ff"));
    addBothFormats("C1 and separators", QString::fromUtf16(u"\u0080\u0085\u009f\u2028\u2029"));
    addBothFormats("lone high surrogate", QString(QChar(0xD800)) + QStringLiteral("x"));
    addBothFormats("lone low surrogate at end", QStringLiteral("x") + QChar(0xDC01));
    addBothFormats("reversed pair", QString(QChar(0xDC00)) + QChar(0xD800));
    addBothFormats("non-characters", QString(QChar(0xFFFE)) + QChar(0xFFFF) + QChar(0xFFFD));
    addBothFormats("escape lookalikes", QStringLiteral("C:\\x41\\u0041\\\\ \\"));
    addBothFormats("escape lookalikes with control",
                   QStringLiteral("C:\\x41\\u0041\\\\") + QChar(1) + QStringLiteral("\\"));
    addBothFormats("nul inside", QStringLiteral("a") + QChar(0) + QStringLiteral("b"));
}

void tst_SerializeRoundTrip::strings()
{
    QFETCH(int, format);
    QFETCH(QVariant, value);
    const QString text = value.toString();
    roundTrip(
        format, [&](vsa::cAbstractSerializer &w) { w.writeString(vucs::cString(text)); },
        [&](vsa::cAbstractDeserializer &r) { QCOMPARE(r.readString("value").text(), text); });
}

void tst_SerializeRoundTrip::asciiNamesAndLabels_data()
{
    addFormatColumn();
    QTest::addColumn<QVariant>("value");
    QByteArray all;
    for (int c = 1; c < 256; ++c)
        all += char(c);
    addBothFormats("empty", QByteArray());
    addBothFormats("plain", QByteArray("ViewElement"));
    addBothFormats("xml specials", QByteArray("<\"&'>"));
    addBothFormats("every byte", all);
    addBothFormats("nul and controls", QByteArray("a\0b\r\n\x1f\x7f", 8));
    addBothFormats("high bytes", QByteArray("\x80\xa0\xff\xfe"));
    addBothFormats("backslashes", QByteArray("\\x20\\\\"));
    addBothFormats("blanks around", QByteArray("  x  "));
}

void tst_SerializeRoundTrip::asciiNamesAndLabels()
{
    QFETCH(int, format);
    QFETCH(QVariant, value);
    const vstd::cAsciiString text(value.toByteArray());
    // The same text as a value, as a context name and as labels.
    auto writer = createWriter(format);
    writer->setLabel("first");
    writer->writeAscii(text);
    writer->setLabel(text);
    writer->beginContext(text);
    writer->setLabel(text.empty() ? "inner" : text);
    writer->writeUInt(5);
    writer->endContext();
    writer->setLabel("last");
    writer->writeAscii(text);

    auto reader = reread(format, *writer);
    QCOMPARE(reader->nextEntryLabel(), vstd::cAsciiString("first"));
    QCOMPARE(reader->readAscii("first").bytes(), text.bytes());
    if (!text.empty()) {
        QVERIFY(reader->hasEntry(text));
        QCOMPARE(reader->contextName(text).bytes(), text.bytes());
    }
    QCOMPARE(reader->nextEntryLabel().bytes(), text.bytes());
    reader->beginContext(text);
    QCOMPARE(reader->currentContextName().bytes(), text.bytes());
    QCOMPARE(reader->readUInt(text.empty() ? "inner" : text), 5u);
    reader->endContext();
    QCOMPARE(reader->readAscii("last").bytes(), text.bytes());
}

void tst_SerializeRoundTrip::integers_data()
{
    addFormatColumn();
    QTest::addColumn<qint64>("int64");
    QTest::addColumn<uint>("value");
    const qint64 min = std::numeric_limits<qint64>::min();
    const qint64 max = std::numeric_limits<qint64>::max();
    for (int format : {Xml, Binary}) {
        newRow(format, "zero") << qint64(0) << 0u;
        newRow(format, "ones") << qint64(-1) << 1u;
        newRow(format, "extremes") << min << std::numeric_limits<uint>::max();
        newRow(format, "near extremes") << min + 1 << std::numeric_limits<uint>::max() - 1;
        newRow(format, "int64 max") << max << 0x80000000u;
        newRow(format, "beyond double precision") << (qint64(1) << 53) + 1 << 127u;
        newRow(format, "varint boundaries") << qint64(-64) << 128u;
    }
}

void tst_SerializeRoundTrip::integers()
{
    QFETCH(int, format);
    QFETCH(qint64, int64);
    QFETCH(uint, value);
    roundTrip(
        format,
        [&](vsa::cAbstractSerializer &w) {
            w.writeInt64(int64);
            w.setLabel("u");
            w.writeUInt(value);
            w.setLabel("negated");
            w.writeInt64(int64 == std::numeric_limits<qint64>::min() ? 0 : -int64);
        },
        [&](vsa::cAbstractDeserializer &r) {
            QCOMPARE(r.readInt64("value"), int64);
            QCOMPARE(r.readUInt("u"), value);
            QCOMPARE(r.readInt64("negated"),
                     int64 == std::numeric_limits<qint64>::min() ? 0 : -int64);
        });
}

void tst_SerializeRoundTrip::doubles_data()
{
    addFormatColumn();
    QTest::addColumn<double>("value");
    using limits = std::numeric_limits<double>;
    for (int format : {Xml, Binary}) {
        newRow(format, "0.1") << 0.1;
        newRow(format, "zero") << 0.0;
        newRow(format, "negative zero") << -0.0;
        newRow(format, "1e308") << 1e308;
        newRow(format, "-max") << -limits::max();
        newRow(format, "smallest normal") << limits::min();
        newRow(format, "smallest denormal") << limits::denorm_min();
        newRow(format, "denormal") << 3.3e-310;
        newRow(format, "third") << 1.0 / 3.0;
        newRow(format, "big integer") << 123456789012345678.0;
        newRow(format, "nan") << limits::quiet_NaN();
        newRow(format, "infinity") << limits::infinity();
        newRow(format, "-infinity") << -limits::infinity();
    }
}

void tst_SerializeRoundTrip::doubles()
{
    QFETCH(int, format);
    QFETCH(double, value);
    roundTrip(
        format, [&](vsa::cAbstractSerializer &w) { w.writeDouble(value); },
        [&](vsa::cAbstractDeserializer &r) {
            const double read = r.readDouble("value");
            if (std::isnan(value)) {
                QVERIFY(std::isnan(read));
            } else {
                // Bit for bit: the sign of zero and the last digit matter.
                QVERIFY2(std::memcmp(&read, &value, sizeof value) == 0,
                         qPrintable(QString::number(read, 'g', 17)));
            }
        });
}

void tst_SerializeRoundTrip::bytes_data()
{
    addFormatColumn();
    QTest::addColumn<QVariant>("value");
    QByteArray all;
    for (int c = 0; c < 256; ++c)
        all += char(c);
    QByteArray large;
    for (int i = 0; i < 5000; ++i)
        large += char((i * 7919) >> 3);
    addBothFormats("empty", QByteArray());
    addBothFormats("one zero byte", QByteArray(1, '\0'));
    addBothFormats("every byte", all);
    addBothFormats("two bytes (padding)", QByteArray("\xff\x01"));
    addBothFormats("large", large);
}

void tst_SerializeRoundTrip::bytes()
{
    QFETCH(int, format);
    QFETCH(QVariant, value);
    const QByteArray data = value.toByteArray();
    roundTrip(
        format,
        [&](vsa::cAbstractSerializer &w) {
            w.writeBytes(data);
            w.setLabel("flag");
            w.writeBool(true);
            w.setLabel("other flag");
            w.writeBool(false);
        },
        [&](vsa::cAbstractDeserializer &r) {
            QCOMPARE(r.readBytes("value"), data);
            QCOMPARE(r.readBool("flag"), true);
            QCOMPARE(r.readBool("other flag"), false);
        });
}

void tst_SerializeRoundTrip::documentNames_data()
{
    addFormatColumn();
    QTest::addColumn<QVariant>("value");
    addBothFormats("Form", QStringLiteral("Form"));
    addBothFormats("empty", QString());
    addBothFormats("unicode with controls",
                   QString::fromUtf16(u"F\u00f6rm \U0001F600 \"<&>\"\r\n\t") + QChar(2));
}

void tst_SerializeRoundTrip::documentNames()
{
    QFETCH(int, format);
    QFETCH(QVariant, value);
    const QString name = value.toString();
    auto writer = createWriter(format, vucs::cString(name));
    auto reader = reread(format, *writer);
    QCOMPARE(reader->documentName().text(), name);
    QVERIFY(reader->atEnd());
    QCOMPARE(reader->currentContextName(), vucs::cString(name).ascii('?'));
}

void tst_SerializeRoundTrip::unlabelledDocumentInOrder_data()
{
    addFormatColumn();
    for (int format : {Xml, Binary})
        newRow(format, "defaults");
}

void tst_SerializeRoundTrip::unlabelledDocumentInOrder()
{
    QFETCH(int, format);
    auto writer = createWriter(format);
    // Labels set but not wanted: the document is read in order only.
    writer->setPreferNoLabels(true);
    writer->setLabel("ignored");
    writer->beginContext("Ctx");
    writer->setLabel("ignored");
    writer->writeString("text");
    writer->writeInt64(-5);
    writer->endContext();
    writer->writeDouble(2.5);
    writer->writeBytes("ab");
    const QByteArray data = bytesOf(*writer);
    QVERIFY(!data.contains("ignored"));

    auto reader = createReader(format, data);
    reader->setPreferNoLabels(true);
    QCOMPARE(reader->nextEntryLabel(), vstd::cAsciiString());
    // Any label reads the next entry when labels are not preferred.
    QVERIFY(reader->hasEntry("anything"));
    QCOMPARE(reader->contextName("x"), vstd::cAsciiString("Ctx"));
    reader->beginContext("y");
    QCOMPARE(reader->readString("z").text(), QStringLiteral("text"));
    QCOMPARE(reader->readInt64(""), -5);
    reader->endContext();
    QCOMPARE(reader->readDouble("w"), 2.5);
    QCOMPARE(reader->readBytes("v"), QByteArray("ab"));
    QVERIFY(reader->atEnd());
    QVERIFY(!reader->hasEntry("anything"));

    // A reader that wants labels finds none.
    auto strict = createReader(format, data);
    QVERIFY(!strict->hasEntry("Ctx"));
    QVERIFY_THROWS_EXCEPTION(vstd::cRuntimeException, strict->beginContext("Ctx"));
}

QTEST_GUILESS_MAIN(tst_SerializeRoundTrip)
#include "tst_serializeroundtrip.moc"
