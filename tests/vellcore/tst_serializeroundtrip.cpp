#include "serializertesthelpers.h"

#include "vellcore/cdebugstream.h"
#include "vellcore/vce.h"

#include <QDir>
#include <QTemporaryDir>
#include <cmath>
#include <cstring>
#include <limits>

using namespace serializertest;

// Every value type written by either format must read back exactly, whatever its content, and
// must not disturb the entries around it; documents saved through the manager replace their
// file whole; the debug dump writes one readable line per entry as it is written.
class tst_SerializeRoundTrip : public QObject
{
    Q_OBJECT
private slots:
    void values_data();
    void values();
    void savesAndReloadsThroughManager_data();
    void savesAndReloadsThroughManager();
    void debugDumpsEachEntryAsItIsWritten();

private:
    QTemporaryDir mDir;
};

namespace {

void add(const char *name, const char *kind, const QVariant &value)
{
    QTest::newRow(name) << QString::fromLatin1(kind) << value;
}

QString controls()
{
    QString text;
    for (char16_t c = 0; c < 0x20; ++c)
        text += QChar(c);
    return text;
}

QByteArray everyByte(int from)
{
    QByteArray bytes;
    for (int c = from; c < 256; ++c)
        bytes += char(c);
    return bytes;
}

void write(vsa::cAbstractSerializer &w, const QString &kind, const QVariant &value)
{
    if (kind == "string")
        w.writeString(vucs::cString(value.toString()));
    else if (kind == "ascii")
        w.writeAscii(vstd::cAsciiString(value.toByteArray()));
    else if (kind == "int64")
        w.writeInt64(value.toLongLong());
    else if (kind == "uint")
        w.writeUInt(value.toUInt());
    else if (kind == "double")
        w.writeDouble(value.toDouble());
    else if (kind == "bool")
        w.writeBool(value.toBool());
    else
        w.writeBytes(value.toByteArray());
}

// Compares what was read with `value`; doubles bit for bit (the sign of zero matters).
void readAndCompare(vsa::cAbstractDeserializer &r, const QString &kind, const QVariant &value)
{
    if (kind == "string") {
        QCOMPARE(r.readString("value").text(), value.toString());
    } else if (kind == "ascii") {
        QCOMPARE(r.readAscii("value").bytes(), value.toByteArray());
    } else if (kind == "int64") {
        QCOMPARE(r.readInt64("value"), value.toLongLong());
    } else if (kind == "uint") {
        QCOMPARE(r.readUInt("value"), value.toUInt());
    } else if (kind == "bool") {
        QCOMPARE(r.readBool("value"), value.toBool());
    } else if (kind == "double") {
        const double read = r.readDouble("value");
        const double expected = value.toDouble();
        if (std::isnan(expected))
            QVERIFY(std::isnan(read));
        else
            QVERIFY2(std::memcmp(&read, &expected, sizeof read) == 0,
                     qPrintable(QString::number(read, 'g', 17)));
    } else {
        QCOMPARE(r.readBytes("value"), value.toByteArray());
    }
}

} // namespace

void tst_SerializeRoundTrip::values_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QVariant>("value");
    using limits = std::numeric_limits<double>;
    add("empty string", "string", QString());
    add("xml specials", "string", QStringLiteral("<a href=\"x\">&amp; 'q' ]]></a>"));
    add("all controls", "string", controls());
    add("line ends", "string", QStringLiteral("a\r\nb\rc\nd\r\r\n\n"));
    add("blanks around", "string", QStringLiteral(" \t padded\t  "));
    add("only blanks", "string", QStringLiteral(" \n\t "));
    add("non-BMP", "string", QString::fromUtf16(u"smile \U0001F600 \u6f22 \u00e9"));
    add("C1 and separators", "string", QString::fromUtf16(u"\u0080\u0085\u009f\u2028"));
    add("lone high surrogate", "string", QString(QChar(0xD800)) + QStringLiteral("x"));
    add("lone low surrogate at end", "string", QStringLiteral("x") + QChar(0xDC01));
    add("reversed pair", "string", QString(QChar(0xDC00)) + QChar(0xD800));
    add("non-characters", "string", QString(QChar(0xFFFE)) + QChar(0xFFFF) + QChar(0xFFFD));
    add("escape lookalikes", "string", QStringLiteral("C:\\x41\\u0041\\\\ \\"));
    add("escape lookalikes with control", "string", QStringLiteral("\\x41\\\\\1\\"));
    add("empty ascii", "ascii", QByteArray());
    add("every byte", "ascii", everyByte(1));
    add("nul and controls", "ascii", QByteArray("a\0b\r\n\x1f\x7f\\x20", 11));
    add("int64 zero", "int64", qint64(0));
    add("int64 min", "int64", std::numeric_limits<qint64>::min());
    add("int64 max", "int64", std::numeric_limits<qint64>::max());
    add("beyond double precision", "int64", (qint64(1) << 53) + 1);
    add("varint boundary", "int64", qint64(-64));
    add("uint zero", "uint", 0u);
    add("uint max", "uint", std::numeric_limits<uint>::max());
    add("uint 2^31", "uint", 0x80000000u);
    add("true", "bool", true);
    add("false", "bool", false);
    add("0.1", "double", 0.1);
    add("negative zero", "double", -0.0);
    add("1e308", "double", 1e308);
    add("-max", "double", -limits::max());
    add("smallest normal", "double", limits::min());
    add("smallest denormal", "double", limits::denorm_min());
    add("third", "double", 1.0 / 3.0);
    add("nan", "double", limits::quiet_NaN());
    add("infinity", "double", limits::infinity());
    add("-infinity", "double", -limits::infinity());
    add("empty bytes", "bytes", QByteArray());
    add("one zero byte", "bytes", QByteArray(1, '\0'));
    add("every byte value", "bytes", everyByte(0));
    add("padding", "bytes", QByteArray("\xff\x01"));
    add("large", "bytes", everyByte(0).repeated(40));
}

void tst_SerializeRoundTrip::values()
{
    QFETCH(QString, kind);
    QFETCH(QVariant, value);
    // Texts double as document, context and label names where those allow them.
    const QString name = kind == "string" ? value.toString() : QStringLiteral("Doc");
    const vstd::cAsciiString ascii(kind == "ascii" ? value.toByteArray() : QByteArray("ctx"));
    const vstd::cAsciiString label = ascii.empty() ? vstd::cAsciiString("label") : ascii;
    for (int format : {Xml, Binary}) {
        auto w = createWriter(format, vucs::cString(name));
        w->setLabel("before");
        w->writeUInt(7);
        w->setLabel("value");
        write(*w, kind, value);
        w->setLabel(label);
        w->beginContext(ascii);
        w->setLabel("value");
        write(*w, kind, value);
        w->endContext();
        w->setLabel("after");
        w->writeUInt(9);

        auto r = reread(format, *w);
        QCOMPARE(r->documentName().text(), name);
        QCOMPARE(r->readUInt("before"), 7u);
        readAndCompare(*r, kind, value);
        QCOMPARE(r->nextEntryLabel().bytes(), label.bytes());
        QCOMPARE(r->contextName(label).bytes(), ascii.bytes());
        r->beginContext(label);
        QCOMPARE(r->currentContextName().bytes(), ascii.bytes());
        readAndCompare(*r, kind, value);
        r->endContext();
        QCOMPARE(r->readUInt("after"), 9u);
        QVERIFY(r->atEnd());
    }
}

void tst_SerializeRoundTrip::savesAndReloadsThroughManager_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("xml") << "XML-Config";
    QTest::newRow("binary") << "Binary";
}

void tst_SerializeRoundTrip::savesAndReloadsThroughManager()
{
    QFETCH(QString, kind);
    const QByteArray k = kind.toLatin1();
    vce::cCoreExtensionMgr mgr;
    const QString file = mDir.filePath(kind + ".form");
    const vucs::cString path = qstr(file);
    for (const char *name : {"first", "second"}) {
        auto w = mgr.createSerializer(k.constData(), "Form");
        w->setPreferNoLabels(false);
        w->setLabel("Info");
        w->beginContext("Info");
        // A document with a context still open is not saved.
        QVERIFY_THROWS_EXCEPTION(vstd::cBugException, w->writeToFile(path));
        QCOMPARE(QFile::exists(file), name[0] == 's');
        w->setLabel("Name");
        w->writeAscii(name);
        w->endContext();
        w->writeToFile(path);
        // A saved file is complete: more entries would be lost.
        if (kind == "XML-Config")
            QVERIFY_THROWS_EXCEPTION(vstd::cBugException, w->writeUInt(1));
    }
    auto r = mgr.createDeserializer(k.constData(), path);
    r->setPreferNoLabels(false);
    QCOMPARE(r->documentName(), vucs::cString("Form"));
    r->beginContext("Info");
    QCOMPARE(r->readAscii("Name"), vstd::cAsciiString("second"));
    // Nothing but the file is left in the folder.
    QCOMPARE(QDir(mDir.path()).entryList({kind + "*"}, QDir::Files | QDir::Hidden),
             QStringList(kind + ".form"));

    for (const QString &bad : {mDir.filePath(QStringLiteral("none.form")), mDir.path()}) {
        const QString message = messageOf<vstd::cRuntimeException>(
            [&] { mgr.createDeserializer(k.constData(), qstr(bad)); });
        QVERIFY2(message.startsWith(QStringLiteral("Unable to open document %1").arg(bad)),
                 qPrintable(message));
    }
}

void tst_SerializeRoundTrip::debugDumpsEachEntryAsItIsWritten()
{
    QStringList lines;
    vpi::system().setSink([&lines](const QString &line) { lines << line; });
    vce::cCoreExtensionMgr mgr;
    auto w = mgr.createSerializer("Debug", "Form");
    w->setPreferNoLabels(false);
    QCOMPARE(lines, QStringList({"document \"Form\" {\n"}));
    w->setLabel("FormInfo");
    w->beginContext("FormInfo");
    QCOMPARE(lines.size(), 2);
    w->setLabel("Name");
    w->writeString(vucs::cString(QString::fromUtf16(u"say \"hi\"\r\n\t\\ \u00e9") + QChar(1)));
    w->writeUInt(4294967295u);
    w->setLabel("T");
    w->writeInt64(-2);
    w->writeBool(false);
    w->writeDouble(0.1);
    w->writeAscii("a\x7f");
    w->writeBytes(QByteArray("\x00\xff", 2));
    w->writeBytes(QByteArray(40, 'A'));
    w->beginContext("Inner");
    w->endContext();
    w->endContext();
    QVERIFY_THROWS_EXCEPTION(vstd::cBugException, w->endContext());
    const QString path = mDir.filePath(QStringLiteral("dump.txt"));
    w->writeToFile(qstr(path));
    vpi::system().setSink({});
    QCOMPARE(lines, QStringList({
                        "document \"Form\" {\n",
                        "  \"FormInfo\": context \"FormInfo\" {\n",
                        "    \"Name\": string \"say \\\"hi\\\"\\r\\n\\t\\\\ \u00e9\\x01\"\n",
                        "    uint 4294967295\n",
                        "    \"T\": int64 -2\n",
                        "    bool false\n",
                        "    double 0.1\n",
                        "    ascii \"a\\x7f\"\n",
                        "    bytes [2] 00 ff\n",
                        "    bytes [40] " + QStringList(32, "41").join(' ') + " ...\n",
                        "    context \"Inner\" {\n",
                        "    }\n",
                        "  }\n",
                        "}\n",
                    }));
    // The file holds the same dump; there is nothing to read it back with.
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()), lines.join(QString()));
    QVERIFY_THROWS_EXCEPTION(vstd::cRuntimeException,
                             mgr.createDeserializer("Debug", qstr(path)));
    const QString unknown = [&] {
        try {
            mgr.createSerializer("YAML", "Doc");
        } catch (const vstd::cRuntimeException &e) {
            return e.message().toQString();
        }
        return QString();
    }();
    QCOMPARE(unknown, QStringLiteral("Unknown serializer kind \"YAML\"!"));
}

QTEST_GUILESS_MAIN(tst_SerializeRoundTrip)
#include "tst_serializeroundtrip.moc"
