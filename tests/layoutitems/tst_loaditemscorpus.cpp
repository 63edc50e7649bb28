// Replays the inputs the loader fuzzers found interesting: none may crash, hang or leak, and the
// hand-written ones must load or fail as their names say.

#include "fuzz/loaditemsinput.h"

#include <QtTest>

class tst_LoadItemsCorpus : public QObject
{
    Q_OBJECT

private slots:
    void replay_data();
    void replay();
};

void tst_LoadItemsCorpus::replay_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("asDocument");
    const QDir corpus(qEnvironmentVariable("VELL_SOURCE_DIR")
                      + QStringLiteral("/tests/fuzzcorpus/loaditems"));
    int count = 0;
    for (const char *kind : {"xml", "binary"}) {
        const QDir dir(corpus.filePath(QString::fromLatin1(kind)));
        for (const QString &name : dir.entryList(QDir::Files, QDir::Name)) {
            QTest::addRow("%s/%s", kind, qPrintable(name))
                << dir.filePath(name) << (QByteArray(kind) == "xml");
            ++count;
        }
    }
    QVERIFY2(count >= 10, "the corpus is missing");
}

void tst_LoadItemsCorpus::replay()
{
    QFETCH(QString, file);
    QFETCH(bool, asDocument);
    static cLoadItemsInput input;
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray data = f.readAll();
    const bool loaded = asDocument ? input.loadDocument(data) : input.loadClipboard(data);
    const QString name = QFileInfo(file).fileName();
    if (name.startsWith(QLatin1String("valid-")))
        QVERIFY(loaded);
    else if (name.startsWith(QLatin1String("invalid-")))
        QVERIFY(!loaded);
}

QTEST_GUILESS_MAIN(tst_LoadItemsCorpus)
#include "tst_loaditemscorpus.moc"
