#include "vellcore/ctime.h"
#include "vellcore/vio.h"
#include "vellcore/vpi.h"

#include <QDateTime>
#include <QTemporaryDir>
#include <QtTest>

// Files, paths, search paths, platform facts and time.
class tst_Files : public QObject
{
    Q_OBJECT
private slots:
    void writesTextLinesInUtf8();
    void createModes();
    void failuresNameTheFile();
    void fileInfoParts();
    void pathJoinAndMkpath();
    void searchPathsFindFirstExisting();
    void platformAndTime();

private:
    QTemporaryDir mDir;
    vucs::cString at(const char *name) const { return qstr(mDir.filePath(name)); }
};

void tst_Files::writesTextLinesInUtf8()
{
    {
        vio::cFile f(at("lines.txt"), 1, 2, 1);
        f.writeTextLine(vucs::cString(u"Gr\u00fc\u00dfe \u4e16\u754c"), "\r\n");
        f.writeTextLine("second");
        f.close();
    }
    QCOMPARE(vio::cFile::readWholeFile(at("lines.txt")),
             QByteArray("Gr\xc3\xbc\xc3\x9f" "e \xe4\xb8\x96\xe7\x95\x8c\r\nsecond\n"));
    // Create mode 2 truncates what was there.
    {
        vio::cFile f(at("lines.txt"), 1, 2, 0);
        f.writeTextLine("x");
    }
    QCOMPARE(vio::cFile::readWholeFile(at("lines.txt")), QByteArray("x\n"));
}

void tst_Files::createModes()
{
    QVERIFY_THROWS_EXCEPTION(vstd::cRuntimeException, vio::cFile(at("absent"), 0, 0, 1));
    { vio::cFile f(at("fresh"), 1, 1, 1); f.write("abc"); }
    QVERIFY_THROWS_EXCEPTION(vstd::cRuntimeException, vio::cFile(at("fresh"), 1, 1, 1));
    vio::cFile rw(at("fresh"), 2, 0, 1);
    QCOMPARE(rw.readAll(), QByteArray("abc"));
    QVERIFY_THROWS_EXCEPTION(vstd::cBugException, vio::cFile(at("fresh"), 3, 0, 1));
}

void tst_Files::failuresNameTheFile()
{
    const vucs::cString missing = at("no/such/folder/file.txt");
    try {
        vio::cFile::readWholeFile(missing);
        QFAIL("reading a missing file did not throw");
    } catch (const vstd::cRuntimeException &e) {
        QVERIFY2(QString::fromUtf8(e.what()).contains(qstr(missing)), e.what());
    }
    try {
        vio::cFile f(missing, 1, 2, 1);
        QFAIL("writing into a missing folder did not throw");
    } catch (const vstd::cRuntimeException &e) {
        QVERIFY2(QString::fromUtf8(e.what()).contains(qstr(missing)), e.what());
    }
}

void tst_Files::fileInfoParts()
{
    // The base name keeps inner dots: only the last one starts the extension.
    const vio::cFileInfo info("/a/my.form.dlg");
    QCOMPARE(qstr(info.fileName()), QString("my.form.dlg"));
    QCOMPARE(qstr(info.fileBaseName()), QString("my.form"));
    QCOMPARE(qstr(info.fileExtension()), QString("dlg"));
    QCOMPARE(qstr(info.directory()), QString("/a"));
    QVERIFY(vio::cFileInfo("rel/README").fileExtension().empty());
    QVERIFY(!info.exists());
}

void tst_Files::pathJoinAndMkpath()
{
    const vio::cPath base(qstr(mDir.path()));
    const vio::cPath deep = base / "one" / "/two/";
    QCOMPARE(qstr(deep.toString()), mDir.path() + "/one/two/");
    QCOMPARE(qstr((vio::cPath() / "x").toString()), QString("x"));
    QVERIFY(!deep.exists());
    QVERIFY(deep.mkpath());
    QVERIFY(deep.exists());
    QVERIFY(vio::cFileInfo(deep.toString()).isDirectory());
    QVERIFY(!vio::cPath().mkpath());
}

void tst_Files::searchPathsFindFirstExisting()
{
    const vio::cPath a(at("sa")), b(at("sb"));
    QVERIFY(a.mkpath() && b.mkpath());
    { vio::cFile f((b / "icon.png").toString(), 1, 2, 1); f.write("b"); }
    { vio::cFile f((a / "sub").toString(), 1, 2, 1); f.write("a"); }
    QVERIFY((b / "sub").mkpath());   // a folder never counts as a found file

    vio::cSearchPaths paths;
    paths.append(a);
    paths.append(b);
    QCOMPARE(qstr(paths.find("icon.png")), qstr((b / "icon.png").toString()));
    QCOMPARE(qstr(paths.find("sub")), qstr((a / "sub").toString()));
    QVERIFY(paths.find("nothing").empty());
    { vio::cFile f((a / "icon.png").toString(), 1, 2, 1); f.write("a"); }
    QCOMPARE(qstr(paths.find("icon.png")), qstr((a / "icon.png").toString()));
    QCOMPARE(vio::cFileInfo(paths.find("icon.png")).size(), __int64(1));
}

void tst_Files::platformAndTime()
{
    QVERIFY(vio::cPath(vpi::cPlatform::homeDirectory()).exists());
    QVERIFY(!vpi::cPlatform::userName().empty());

    const qint64 before = QDateTime::currentMSecsSinceEpoch();
    const vstd::cTime t = vstd::cTime::now();
    QVERIFY(t.msecsSinceEpoch() >= before && t.msecsSinceEpoch() - before < 5000);
    const QString text = qstr(t.toString());
    const QRegularExpression iso("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\dZ$");
    QVERIFY2(iso.match(text).hasMatch(), qPrintable(text));
    QCOMPARE(QDateTime::fromString(text, Qt::ISODate).toSecsSinceEpoch(),
             t.msecsSinceEpoch() / 1000);
}

QTEST_GUILESS_MAIN(tst_Files)
#include "tst_files.moc"
