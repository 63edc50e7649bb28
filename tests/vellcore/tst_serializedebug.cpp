#include "vellcore/cdebugstream.h"
#include "vellcore/vce.h"

#include <QTemporaryDir>
#include <QtTest>

// The debug dump: one readable line per entry, sent to the debug stream as it is written.
class tst_SerializeDebug : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void dumpsEachEntryAsItIsWritten();
    void savesTheSameDump();
    void refusesMisuse();

private:
    QStringList mLines;
};

void tst_SerializeDebug::init()
{
    mLines.clear();
    vpi::system().setSink([this](const QString &line) { mLines << line; });
}

void tst_SerializeDebug::cleanup()
{
    vpi::system().setSink({});
}

void tst_SerializeDebug::dumpsEachEntryAsItIsWritten()
{
    vce::cCoreExtensionMgr mgr;
    auto w = mgr.createSerializer("Debug", "Form");
    w->setPreferNoLabels(false);
    QCOMPARE(mLines, QStringList({"document \"Form\" {\n"}));
    w->setLabel("FormInfo");
    w->beginContext("FormInfo");
    QCOMPARE(mLines.size(), 2);
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
    QCOMPARE(mLines, QStringList({
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
                     }));
}

void tst_SerializeDebug::savesTheSameDump()
{
    QTemporaryDir dir;
    vsa::cSerializeDebug w("Doc");
    w.writeUInt(1);
    const QString path = dir.filePath(QStringLiteral("dump.txt"));
    w.writeToFile(qstr(path));
    QCOMPARE(mLines.last(), QStringLiteral("}\n"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()), mLines.join(QString()));
    QCOMPARE(w.text(), mLines.join(QString()));
}

void tst_SerializeDebug::refusesMisuse()
{
    vsa::cSerializeDebug w("Doc");
    QVERIFY_THROWS_EXCEPTION(vstd::cBugException, w.endContext());
    w.beginContext("Open");
    QTemporaryDir dir;
    QVERIFY_THROWS_EXCEPTION(vstd::cBugException,
                             w.writeToFile(qstr(dir.filePath(QStringLiteral("x")))));
    vce::cCoreExtensionMgr mgr;
    // There is nothing to read a dump with.
    QVERIFY_THROWS_EXCEPTION(vstd::cRuntimeException,
                             mgr.createDeserializer("Debug", qstr(dir.filePath("x"))));
    try {
        mgr.createSerializer("YAML", "Doc");
        QFAIL("an unknown kind was accepted");
    } catch (const vstd::cRuntimeException &e) {
        QCOMPARE(e.message().toQString(), QStringLiteral("Unknown serializer kind \"YAML\"!"));
    }
}

QTEST_GUILESS_MAIN(tst_SerializeDebug)
#include "tst_serializedebug.moc"
