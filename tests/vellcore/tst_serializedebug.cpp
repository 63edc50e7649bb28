#include "vellcore/cdebugstream.h"
#include "vellcore/vce.h"

#include <QTemporaryDir>
#include <QtTest>

// The debug dump: one readable line per entry, sent to the debug stream as it is written.
class tst_SerializeDebug : public QObject
{
    Q_OBJECT
private slots:
    void dumpsEachEntryAsItIsWritten();
};

void tst_SerializeDebug::dumpsEachEntryAsItIsWritten()
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
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("dump.txt"));
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

QTEST_GUILESS_MAIN(tst_SerializeDebug)
#include "tst_serializedebug.moc"
