#include "vellcore/vsa.h"

#include <QDirIterator>
#include <QtTest>

// Replays the inputs the fuzzers found interesting through both readers: each is either read
// completely or refused with a runtime exception, never anything worse.
class tst_FuzzCorpus : public QObject
{
    Q_OBJECT
private slots:
    void replay_data();
    void replay();
};

namespace {

// True when the document was accepted; then it has been walked to its end.
template<typename Reader>
bool readCompletely(const QByteArray &data, const QString &path)
{
    std::unique_ptr<Reader> reader;
    try {
        reader = std::make_unique<Reader>(data, qstr(path));
    } catch (const vstd::cRuntimeException &e) {
        if (!e.message().toQString().contains(path))
            throw;
        return false;
    }
    reader->setPreferNoLabels(false);
    vsa::cSerializeBinary copy(reader->documentName());
    copy.setPreferNoLabels(false);
    vsa::cDocumentCopy::copyRest(*reader, copy);
    return !copy.data().isEmpty();
}

} // namespace

void tst_FuzzCorpus::replay_data()
{
    QTest::addColumn<QString>("path");
    if (qEnvironmentVariableIsEmpty("VELL_SOURCE_DIR"))
        QSKIP("VELL_SOURCE_DIR names no source folder");
    const QString root = qEnvironmentVariable("VELL_SOURCE_DIR") + "/tests/fuzzcorpus";
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    int files = 0;
    while (it.hasNext()) {
        const QString path = it.next();
        QTest::newRow(qPrintable(path.mid(root.size() + 1))) << path;
        ++files;
    }
    QVERIFY2(files >= 6, qPrintable(root));
}

void tst_FuzzCorpus::replay()
{
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray data = file.readAll();
    const bool xml = readCompletely<vsa::cDeserializeXML>(data, path);
    const bool binary = readCompletely<vsa::cDeserializeBinary>(data, path);
    // No input is both a text and a binary document.
    QVERIFY(!(xml && binary));
    // The seeds written by the serializers are read by the reader they were written for.
    if (QFileInfo(path).fileName().startsWith(QLatin1String("seed-")))
        QVERIFY(path.endsWith(QLatin1String(".xml")) ? xml : binary);
}

QTEST_GUILESS_MAIN(tst_FuzzCorpus)
#include "tst_fuzzcorpus.moc"
