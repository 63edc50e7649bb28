// Hostile documents through the loader as the editor and the clipboard read them: each is
// refused with one short message that names the place and the reason, and a refusal costs
// little memory. Large inputs are generated here, never stored.

#include "fuzz/loaditemsinput.h"

#include "vellcore/vsa.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/resource.h>

class tst_HostileDocuments : public QObject
{
    Q_OBJECT

private slots:
    void refused_data();
    void refused();
    void refusalCostsLittleMemory_data();
    void refusalCostsLittleMemory();
    void oversizedFileIsRefusedUnread();
    void largeDocumentsAreReadInBothFormats();
};

namespace {

// A dialog form; `properties` are its property lines, from line 5 on.
QByteArray form(const QByteArray &properties, const QByteArray &head = QByteArray())
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<document name=\"Form\">\n" + head
           + "<context label=\"ViewElement\" name=\"ViewElement\">\n"
             "<context label=\"Element\" name=\"Dialog\">\n"
           + properties + "</context>\n</context>\n</document>\n";
}

QByteArray propertyBlock(const char *name, const QByteArray &values)
{
    return "<context label=\"Property\" name=\"" + QByteArray(name) + "\">" + values
           + "</context>\n";
}

QByteArray formInfo()
{
    return "<context label=\"FormInfo\" name=\"FormInfo\"><ascii label=\"Name\">f</ascii>"
           "</context>\n";
}

qint64 peakKilobytes()
{
    // The address space's own high-water mark: getrusage() on Linux reports the larger of it
    // and the peak the process had before exec, that is its parent's.
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (line.startsWith("VmHWM:"))
                return line.mid(6).trimmed().split(' ').value(0).toLongLong();
        }
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Run in a fresh process, so that its peak is its own: loads the file and prints the peak
// resident size before and after, in KiB.
int loadChild(const char *path)
{
    cLoadItemsInput input;
    QFile file(QString::fromLocal8Bit(path));
    if (!file.open(QIODevice::ReadOnly))
        return 2;
    const qint64 before = peakKilobytes();
    const bool loaded = input.loadDocument(file.readAll());
    std::printf("%lld %lld %d\n", before, peakKilobytes(), int(loaded));
    return 0;
}

} // namespace

void tst_HostileDocuments::refused_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("reason");
    // Whether the clipboard's binary form of the same records is refused alike.
    QTest::addColumn<bool>("clipboardToo");

    QTest::newRow("long title") << form(propertyBlock("Title", "<string label=\"Value\">"
                                                 + QByteArray(2 * 1024 * 1024, 'x') + "</string>"))
                                << 5 << "text longer than 1048576 characters" << false;
    QTest::newRow("long element name") << form("<" + QByteArray(5000, 'a') + "/>\n") << 5
                                       << "element name longer than 256 characters" << false;
    QTest::newRow("long label") << form("<uint label=\"" + QByteArray(1000, 'n') + "\">1</uint>\n")
                                << 5 << "label longer than 256 characters" << false;
    QTest::newRow("many attributes") << form("<uint" + QByteArray(" a=\"1\"").repeated(9) + "/>\n")
                                     << 5 << "more than 8 attributes" << false;
    QByteArray lines;
    for (int i = 5; i < 57; ++i)
        lines += propertyBlock("Title", "<string label=\"Value\">ok</string>");
    QTest::newRow("invalid UTF-8 deep down")
        << form(lines + propertyBlock("Title", "<string label=\"Value\">\xc3\x28</string>")) << 57
        << "invalid UTF-8" << false;
    QTest::newRow("document type where it starts")
        << QByteArray("<?xml version=\"1.0\"?>\n<!DOCTYPE d [\n<!ENTITY e 'x'>\n]>\n<document/>")
        << 2 << "document type declarations are not accepted" << false;
    QTest::newRow("foreign encoding")
        << QByteArray("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<document/>") << 1
        << "encoding \"ISO-8859-1\" is not accepted" << false;
    QTest::newRow("too many entries")
        << form(propertyBlock("Label", QByteArray("<ascii/>\n").repeated(270000))) << 262146
        << "more than 262144 entries" << false;
    // The 20000th button is the form's 20001st element.
    QTest::newRow("too many elements")
        << form(QByteArray("<context label=\"ViewElement\" name=\"ViewElement\"><context "
                           "label=\"Element\" name=\"PushButton\"/></context>\n")
                    .repeated(20000))
        << 20004 << "more than 20000 elements in one form" << true;
    QTest::newRow("huge picture")
        << form(propertyBlock("WindowIcon", "<bytes label=\"Value\">"
                                           + QByteArray(24 * 1024 * 1024, 'A') + "</bytes>"))
        << 5 << "byte value longer than 16777216 bytes" << false;
    QTest::newRow("value given twice")
        << form(propertyBlock("Width", "\n<int64 label=\"Value\">1</int64>\n"
                                  "<int64 label=\"Value\">2</int64>\n"))
        << 7 << "\"Value\" given twice" << true;
    QTest::newRow("property given twice")
        << form(propertyBlock("Width", "<int64 label=\"Value\">1</int64>")
                + propertyBlock("Width", "\n<int64 label=\"Value\">2</int64>"))
        << 7 << "property \"Width\" given twice" << true;
    QTest::newRow("element given twice")
        << form(QByteArray(), QByteArray()).replace("</context>\n</context>",
                                                    "</context>\n<context label=\"Element\" "
                                                    "name=\"Dialog\">\n<ascii/>\n</context>"
                                                    "</context>")
        << 7 << "\"Element\" given twice" << true;
    QTest::newRow("form information given twice")
        << form(QByteArray(), formInfo() + formInfo()) << 4 << "\"FormInfo\" given twice" << false;
    const QByteArray layout = "<context label=\"Value\" name=\"LayoutParameter\"><uint label="
                              "\"Mode\">0</uint><uint label=\"Multiplier\">1</uint></context>";
    QTest::newRow("layout value given twice")
        << form(propertyBlock("Layout", layout + "\n" + layout))
               .replace("name=\"Dialog\"", "name=\"VBoxLayout\"")
        << 6 << "\"Value\" given twice" << true;
    QTest::newRow("width out of range")
        << form(propertyBlock("Width", "<int64 label=\"Value\">1000000000</int64>")) << 5
        << "value 1000000000 outside 0..4096 for \"Width\"" << true;
}

void tst_HostileDocuments::refused()
{
    QFETCH(QByteArray, document);
    QFETCH(int, line);
    QFETCH(QString, reason);
    QFETCH(bool, clipboardToo);
    static cLoadItemsInput input;
    QVERIFY(!input.loadDocument(document));
    const QString message = input.lastRefusal();
    QVERIFY2(message.contains(QStringLiteral("input, line %1, column ").arg(line))
                 || message.contains(QStringLiteral("input at line %1, column ").arg(line)),
             qPrintable(message));
    QVERIFY2(message.contains(reason), qPrintable(message));
    // Readable: names cut, nothing of the code's own source positions.
    QVERIFY2(message.size() < 400 && !message.contains(QLatin1String(".cpp")),
             qPrintable(message));
    if (!clipboardToo)
        return;
    // The records copied into the binary form, entry by entry, as the clipboard carries them.
    vsa::cDeserializeXML xml(document, vucs::cString("input"));
    xml.setPreferNoLabels(false);
    vsa::cSerializeBinary binary(xml.documentName());
    binary.setPreferNoLabels(false);
    vsa::cDocumentCopy::copyRest(xml, binary);
    QVERIFY(!input.loadClipboard(binary.data()));
    QVERIFY2(input.lastRefusal().contains(reason), qPrintable(input.lastRefusal()));
    QVERIFY2(input.lastRefusal().contains(QRegularExpression(QStringLiteral("memory(,| at) byte"))),
             qPrintable(input.lastRefusal()));
}

void tst_HostileDocuments::refusalCostsLittleMemory_data()
{
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<QByteArray>("repeated");
    QTest::addColumn<QByteArray>("tail");
    const QByteArray value = "<context label=\"Property\" name=\"Title\"><string label=\"Value\">";
    QTest::newRow("one long text") << form(value).left(form(value).indexOf("</context>"))
                                   << QByteArray("0123456789abcdef") << QByteArray();
    QTest::newRow("many entries") << QByteArray("<document name=\"F\">")
                                  << QByteArray("<ascii/><uint>1</uint>") << QByteArray();
    // Within the picture limit, refused only at its truncated end.
    QTest::newRow("picture, truncated after")
        << QByteArray("<document name=\"F\"><bytes label=\"V\">") << QByteArray("QUFB")
        << QByteArray("</bytes><uint>");
    // Pictures too short to be taken from the input directly: each goes through the parser.
    QTest::newRow("short pictures, truncated after")
        << QByteArray("<document name=\"F\">")
        << "<bytes label=\"V\">" + QByteArray("QUFB").repeated(256) + "</bytes>\n"
        << QByteArray("<uint>");
}

void tst_HostileDocuments::refusalCostsLittleMemory()
{
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("the sanitizer's own memory hides the loader's");
#endif
    QFETCH(QByteArray, head);
    QFETCH(QByteArray, repeated);
    QFETCH(QByteArray, tail);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("hostile.dlg"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(head);
    const QByteArray block = repeated.repeated(int(1024 * 1024 / repeated.size()));
    const bool picture = tail.startsWith("</bytes>");
    for (int i = 0; i < (picture ? 20 : 48); ++i)
        file.write(block);
    file.write(tail);
    file.close();

    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--load-child"), path});
    QVERIFY(child.waitForFinished(120000));
    QCOMPARE(child.exitCode(), 0);
    const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
    QCOMPARE(figures.size(), 3);
    QCOMPARE(figures[2], QByteArray("0"));
    const double grown = double(figures[1].toLongLong() - figures[0].toLongLong()) * 1024;
    const double ratio = grown / double(QFileInfo(path).size());
    qInfo("peak growth / file size: %.2f (%s)", ratio, figures.join(' ').constData());
    QVERIFY2(ratio <= 3.0, qPrintable(QString::number(ratio)));
}

void tst_HostileDocuments::oversizedFileIsRefusedUnread()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.dlg"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    // Sparse: the size a document may not have, without the bytes.
    QVERIFY(file.resize(vsa::cDocumentLimits::maxDocumentSize + 1));
    file.close();
    try {
        vsa::cDeserializeXML reader(qstr(path));
        QFAIL("an oversized file was read");
    } catch (const vstd::cRuntimeException &e) {
        QCOMPARE(e.message().toQString(),
                 QStringLiteral("Unable to read %1: larger than 64 MiB, the most a document may "
                                "take!").arg(path));
    }
}

void tst_HostileDocuments::largeDocumentsAreReadInBothFormats()
{
    // Past the fixed floor of entries, each entry must come with enough input: a large form
    // as the editor writes it, and its binary copy for the preview, are read.
    const QByteArray entry = "<context label=\"Property\" name=\"Label\"><ascii label=\"Value\">"
                             "x</ascii></context>\n";
    const QByteArray xml = "<document name=\"F\">" + entry.repeated(200000) + "</document>";
    vsa::cDeserializeXML reader(xml, vucs::cString("input"));
    reader.setPreferNoLabels(false);
    vsa::cSerializeBinary binary(reader.documentName());
    binary.setPreferNoLabels(false);
    vsa::cDocumentCopy::copyRest(reader, binary);
    vsa::cDeserializeBinary copy(binary.data(), vucs::cString("copy"));
    copy.setPreferNoLabels(false);
    int contexts = 0;
    for (; !copy.atEnd(); ++contexts)
        vsa::cContext(copy, "Property").release();
    QCOMPARE(contexts, 200000);
}

int main(int argc, char **argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--load-child") == 0) {
        QCoreApplication app(argc, argv);
        return loadChild(argv[2]);
    }
    QCoreApplication app(argc, argv);
    tst_HostileDocuments test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_hostiledocuments.moc"
