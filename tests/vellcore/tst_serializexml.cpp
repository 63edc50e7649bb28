#include "serializertesthelpers.h"

#include <QDir>
#include <QTemporaryDir>
#include <csignal>
#include <sys/resource.h>

using namespace serializertest;

// The readable file format: what it looks like, what a person may change in it by hand, what is
// refused, and how files are saved.
class tst_SerializeXML : public QObject
{
    Q_OBJECT
private slots:
    void writesReadableXml();
    void readsHandEditedXml();
    void refusesMalformed_data();
    void refusesMalformed();
    void limitsNesting();
    void errorsNameFileAndLine();
    void failedWriteNamesAndKeepsTheOldFile();

private:
    QTemporaryDir mDir;
};

namespace {

QByteArray nested(int depth)
{
    QByteArray xml = "<document name=\"Deep\">\n";
    for (int i = 0; i < depth; ++i)
        xml += "<context name=\"c\">\n";
    xml += "<uint label=\"x\">1</uint>\n";
    for (int i = 0; i < depth; ++i)
        xml += "</context>\n";
    return xml + "</document>\n";
}

} // namespace

void tst_SerializeXML::writesReadableXml()
{
    vsa::cSerializeXML w("Form");
    w.setPreferNoLabels(false);
    w.setLabel("FormInfo");
    w.beginContext("FormInfo");
    w.setLabel("Name");
    w.writeString("Tom & \"Jerry\" <1>");
    w.setLabel("Note");
    w.writeString("a\r\nb\\c");
    w.setLabel("Tab\tKey");
    w.writeAscii("x\x01");
    w.endContext();
    w.writeUInt(42);
    w.setLabel("Size");
    w.writeDouble(0.1);
    w.writeBool(true);
    w.writeBytes(QByteArray("\x00\xff", 2));
    w.writeInt64(-9);
    w.writeString("");
    const QByteArray expected =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<document name=\"Form\">\n"
        "\t<context label=\"FormInfo\" name=\"FormInfo\">\n"
        "\t\t<string label=\"Name\">Tom &amp; &quot;Jerry&quot; &lt;1&gt;</string>\n"
        "\t\t<string label=\"Note\" esc=\"1\">a\\x0d\nb\\\\c</string>\n"
        "\t\t<ascii label=\"Tab&#9;Key\" esc=\"1\">x\\x01</ascii>\n"
        "\t</context>\n"
        "\t<uint>42</uint>\n"
        "\t<double label=\"Size\">0.1</double>\n"
        "\t<bool>true</bool>\n"
        "\t<bytes>AP8=</bytes>\n"
        "\t<int64>-9</int64>\n"
        "\t<string/>\n"
        "</document>\n";
    QCOMPARE(w.data(), expected);
}

void tst_SerializeXML::readsHandEditedXml()
{
    const QByteArray xml =
        "<?xml version='1.0' encoding='UTF-8'?>\n"
        "<!-- edited by hand -->\n"
        "<document name='Form' version='2'>\n"
        "  <?tool ignore?>\n"
        "  <context name='FormInfo' label='FormInfo' extra='ignored'>\n"
        "    <string label='Name'>A<![CDATA[<b>]]>&#x42;&amp;C</string>\n"
        "    <uint label='VH'> 17 </uint>\n"
        "    <int64 label='T'>\n      -5\n    </int64>\n"
        "    <bool label='On'> false </bool>\n"
        "    <double label='D'>1e-3</double>\n"
        "    <bytes label='B'>\n      aGVs\n      bG8=\n    </bytes>\n"
        "    <string label='Spaced'>  kept  </string>\n"
        "    <ascii label='Esc' esc='1'>\\x41\\\\</ascii>\n"
        "  </context>\n"
        "</document>\n";
    vsa::cDeserializeXML r(xml, "hand.dlg");
    r.setPreferNoLabels(false);
    QCOMPARE(r.documentName(), vucs::cString("Form"));
    vsa::cContext info(r, "FormInfo");
    QCOMPARE(r.readString("Name").text(), QStringLiteral("A<b>B&C"));
    QCOMPARE(r.readUInt("VH"), 17u);
    QCOMPARE(r.readInt64("T"), -5);
    QCOMPARE(r.readBool("On"), false);
    QCOMPARE(r.readDouble("D"), 0.001);
    QCOMPARE(r.readBytes("B"), QByteArray("hello"));
    QCOMPARE(r.readString("Spaced").text(), QStringLiteral("  kept  "));
    QCOMPARE(r.readAscii("Esc"), vstd::cAsciiString("A\\"));
}

void tst_SerializeXML::refusesMalformed_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("reason");
    const QByteArray head = "<document name='D'>\n";
    const QString noXml = QStringLiteral("not a form document: no XML found!");
    QTest::newRow("empty file") << QByteArray() << 1 << "line 1, column 1: " + noXml;
    QTest::newRow("blanks only") << QByteArray(" \n\n") << 1 << "line 1, column 1: " + noXml;
    QTest::newRow("not xml") << QByteArray("hello") << 1 << "line 1, column 1: " + noXml;
    QTest::newRow("text after blanks") << QByteArray("\n  hello <a/>") << 2
                                       << "line 2, column 3: " + noXml;
    QTest::newRow("picture") << QByteArray("\x89PNG\r\n\x1a\n\0\0") << 1
                             << "line 1, column 1: " + noXml;
    QTest::newRow("declaration only") << QByteArray("<?xml version='1.0'?>") << 1
                                      << "no element found";
    QTest::newRow("truncated") << head + "<context name='a'>\n<uint>1</uint>\n" << 4
                               << "ends before its last element is closed!";
    QTest::newRow("truncated in tag") << head + "<uint>1</ui" << 2 << "";
    QTest::newRow("wrong root") << QByteArray("<form/>") << 1 << "document element";
    QTest::newRow("second root") << head + "</document>\n<document/>" << 3 << "";
    QTest::newRow("unknown element") << head + "\n<float>1</float></document>" << 3
                                     << "unknown element <float>";
    QTest::newRow("text in context") << head + "stray</document>" << 2 << "text outside";
    QTest::newRow("element in value") << head + "<uint><uint/></uint></document>" << 2
                                      << "holds an element";
    QTest::newRow("negative uint") << head + "<uint>-1</uint></document>" << 2 << "uint";
    QTest::newRow("uint overflow") << head + "<uint>4294967296</uint></document>" << 2 << "uint";
    QTest::newRow("int64 overflow") << head + "\n<int64>9223372036854775808</int64></document>"
                                    << 3 << "int64";
    QTest::newRow("empty number") << head + "<int64/></document>" << 2 << "int64";
    QTest::newRow("hex number") << head + "<uint>0x10</uint></document>" << 2 << "uint";
    QTest::newRow("bad double") << head + "<double>1.5.2</double></document>" << 2 << "double";
    QTest::newRow("bad bool") << head + "<bool>yes</bool></document>" << 2 << "bool";
    QTest::newRow("bad base64") << head + "<bytes>a*b=</bytes></document>" << 2 << "bytes";
    QTest::newRow("bad escape") << head + "<string esc='1'>\\q</string></document>" << 2
                                << "invalid escape";
    QTest::newRow("short escape") << head + "<string esc='1'>\\x4</string></document>" << 2
                                  << "invalid escape";
    QTest::newRow("wide ascii") << head + "<ascii>\xe2\x82\xac</ascii></document>" << 2
                                << "not an 8-bit text";
    QTest::newRow("wide label") << head + "<uint label='\xe2\x82\xac'>1</uint></document>" << 2
                                << "not an 8-bit text";
    QTest::newRow("document type") << QByteArray("<!DOCTYPE d [<!ENTITY e 'x'>]>\n") + head
                                   << 1 << "document type";
    QTest::newRow("undeclared entity") << head + "<string>&nope;</string></document>" << 2 << "";
    QTest::newRow("forbidden character") << head + "<string>&#1;</string></document>" << 2 << "";
    QTest::newRow("mismatched tags") << head + "<uint>1</int64></document>" << 2 << "";
}

void tst_SerializeXML::refusesMalformed()
{
    QFETCH(QByteArray, xml);
    QFETCH(int, line);
    QFETCH(QString, reason);
    const QString message = messageOf<vstd::cRuntimeException>(
        [&] { vsa::cDeserializeXML r(xml, "bad.dlg"); });
    QVERIFY2(message.contains(QLatin1String("bad.dlg")), qPrintable(message));
    QVERIFY2(message.contains(QStringLiteral("line %1").arg(line)), qPrintable(message));
    QVERIFY2(message.contains(reason), qPrintable(message));
}

void tst_SerializeXML::limitsNesting()
{
    vsa::cDeserializeXML deepest(nested(256), "deep.dlg");
    for (int i = 0; i < 256; ++i)
        deepest.beginContext("");
    QCOMPARE(deepest.readUInt("x"), 1u);
    for (int depth : {257, 5000}) {
        const QString message = messageOf<vstd::cRuntimeException>(
            [&] { vsa::cDeserializeXML r(nested(depth), "deep.dlg"); });
        // The first context beyond the limit is on line 258.
        QCOMPARE(message, QStringLiteral("Unable to read deep.dlg at line 258, column 18: "
                                         "contexts nested more than 256 deep!"));
    }
}

void tst_SerializeXML::errorsNameFileAndLine()
{
    vsa::cSerializeXML w("Form");
    w.setPreferNoLabels(false);
    for (int i = 0; i < 10; ++i) {
        w.setLabel("n");
        w.writeUInt(uint(i));
    }
    w.setLabel("Name");
    w.writeString("x");
    const QString path = mDir.filePath(QStringLiteral("lines.dlg"));
    w.writeToFile(qstr(path));

    vsa::cDeserializeXML r(qstr(path));
    r.setPreferNoLabels(false);
    // The string is the eleventh entry: line 13 after the declaration and document lines.
    const QString message =
        messageOf<vstd::cRuntimeException>([&] { r.readInt64("Name"); });
    QCOMPARE(message, QStringLiteral("Unable to read int64 \"Name\" in %1 at line 13, column 22: "
                                     "found string \"Name\"!").arg(path));
    QCOMPARE(r.location().text(), path + QStringLiteral(", line 3, column 17"));
}

void tst_SerializeXML::failedWriteNamesAndKeepsTheOldFile()
{
    vsa::cSerializeXML none("Form");
    for (const QString &path : {mDir.filePath(QStringLiteral("missing/form.dlg")), mDir.path()}) {
        const QString message =
            messageOf<vstd::cRuntimeException>([&] { none.writeToFile(qstr(path)); });
        QVERIFY2(message.startsWith(QStringLiteral("Unable to write document %1").arg(path)),
                 qPrintable(message));
    }
    const QString path = mDir.filePath(QStringLiteral("keep.dlg"));
    vsa::cSerializeXML small("Form");
    small.writeAscii("old");
    small.writeToFile(qstr(path));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray old = file.readAll();
    file.close();

    vsa::cSerializeXML big("Form");
    for (int i = 0; i < 2000; ++i)
        big.writeAscii("a value that makes the document larger than the limit");
    // A file size limit makes the write fail half way, even for a privileged user.
    rlimit saved;
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limit = saved;
    limit.rlim_cur = 4096;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    QVERIFY(setrlimit(RLIMIT_FSIZE, &limit) == 0);
    const QString message =
        messageOf<vstd::cRuntimeException>([&] { big.writeToFile(qstr(path)); });
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    QVERIFY2(message.contains(path), qPrintable(message));
    // Nor one that no reader would open again.
    vsa::cSerializeXML huge("Form");
    const vucs::cString text(QString(1024 * 1024, QLatin1Char('x')));
    for (int i = 0; i < 65; ++i)
        huge.writeString(text);
    QCOMPARE(messageOf<vstd::cRuntimeException>([&] { huge.writeToFile(qstr(path)); }),
             QStringLiteral("Unable to write document %1: larger than 64 MiB, the most a "
                            "document may take!").arg(path));
    // Nor is a document with a context still open saved.
    vsa::cSerializeXML open("Form");
    open.beginContext("Open");
    QVERIFY_THROWS_EXCEPTION(vstd::cBugException, open.writeToFile(qstr(path)));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), old);
    QCOMPARE(QDir(mDir.path()).entryList({"keep*"}, QDir::Files | QDir::Hidden),
             QStringList({"keep.dlg"}));
}

QTEST_GUILESS_MAIN(tst_SerializeXML)
#include "tst_serializexml.moc"
