#include "vellcore/vsa.h"

#include <QDir>
#include <QtTest>

// Replays the inputs the fuzzers found interesting through both readers: each is either read
// completely or refused with a runtime exception naming it, never anything worse.
class tst_FuzzCorpus : public QObject
{
    Q_OBJECT
private slots:
    void replay();
};

namespace {

// True when the document was accepted; then it has been walked to its end.
template<typename Reader>
bool readCompletely(const QByteArray &data, const QString &path)
{
    try {
        Reader reader(data, qstr(path));
        reader.setPreferNoLabels(false);
        vsa::cSerializeBinary copy(reader.documentName());
        vsa::cDocumentCopy::copyRest(reader, copy);
        return true;
    } catch (const vstd::cRuntimeException &e) {
        if (!e.message().toQString().contains(path))
            throw;
        return false;
    }
}

} // namespace

void tst_FuzzCorpus::replay()
{
    if (qEnvironmentVariableIsEmpty("VELL_SOURCE_DIR"))
        QSKIP("VELL_SOURCE_DIR names no source folder");
    const QString root = qEnvironmentVariable("VELL_SOURCE_DIR") + "/tests/fuzzcorpus/";
    QStringList paths;
    for (const char *folder : {"xmlconfig", "binary"}) {
        for (const QFileInfo &info : QDir(root + folder).entryInfoList(QDir::Files))
            paths << info.filePath();
    }
    QVERIFY(paths.size() > 20);
    int seeds = 0;
    for (const QString &path : paths) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray data = file.readAll();
        const bool xml = readCompletely<vsa::cDeserializeXML>(data, path);
        const bool binary = readCompletely<vsa::cDeserializeBinary>(data, path);
        QVERIFY2(!(xml && binary), qPrintable(path));
        // The serializers' own output is read by the reader it was written for.
        if (QFileInfo(path).fileName().startsWith(QLatin1String("seed-"))) {
            QVERIFY2(path.endsWith(QLatin1String(".xml")) ? xml : binary, qPrintable(path));
            ++seeds;
        }
    }
    QCOMPARE(seeds, 7);
}

QTEST_GUILESS_MAIN(tst_FuzzCorpus)
#include "tst_fuzzcorpus.moc"
