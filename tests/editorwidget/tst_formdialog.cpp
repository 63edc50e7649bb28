// The form information panel: versions, load and store, translation list and template.
#include "editortesthost.h"
#include "modalanswer.h"
#include "propertytesthelpers.h"

#include "formdialog/cqvmvformdialog.h"

#include "vellcore/cdeserializexml.h"
#include "vellcore/cplatform.h"
#include "vellcore/cserializexml.h"
#include "vellcore/vsa.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

namespace {
// A receiver of the collection signal that appends fixed keys.
struct cKeySource : vrmi::cConnectable
{
    vstd::tList<vstd::cAsciiString> keys;
    piVoid collect(vstd::tList<vstd::cAsciiString> &out)
    {
        out.insert(out.end(), keys.begin(), keys.end());
        return piVoid();
    }
    void attach(cQVMVFormDialog &panel)
    {
        panel.sigCollectTranslationKeys.connect(
            vrmi::cDirectLocalSlotCall1<cKeySource, vstd::tList<vstd::cAsciiString> &>(
                this, &cKeySource::collect));
    }
};

QString field(const cQVMVFormDialog &panel, const char *name)
{
    return panel.findChild<QLineEdit *>(QLatin1String(name))->text();
}

// Type, name, author, version and last edit, as shown.
QStringList fields(const cQVMVFormDialog &panel)
{
    QStringList shown;
    for (const char *name : {"mpTxtType", "mpTxtName", "mpTxtAutor", "mpTxtVersion",
                             "mpTxtLastEdited"})
        shown << field(panel, name);
    return shown;
}

void click(const cQVMVFormDialog &panel, const char *button)
{
    QTest::mouseClick(panel.findChild<QPushButton *>(QLatin1String(button)), Qt::LeftButton);
}

QByteArray store(cQVMVFormDialog &panel)
{
    vsa::cSerializeXML out("Form");
    out.setPreferNoLabels(false);
    panel.storeFormInfo(out);
    return out.data();
}

QStringList listRows(const cQVMVFormDialog &panel)
{
    QStringList rows;
    auto *list = panel.findChild<QTreeWidget *>(QStringLiteral("mpLstTranslations"));
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        rows << list->topLevelItem(i)->text(0);
    return rows;
}
} // namespace

class tst_FormDialog : public QObject
{
    Q_OBJECT
private slots:
    void newFormAndType();
    void versionBumping_data();
    void versionBumping();
    void storeAndLoad();
    void translationListAndTemplate();
    void templateThroughButtons();
    void recoveryCopyLeavesPendingChanges();
    void editorCollectsFormTexts();
};

void tst_FormDialog::newFormAndType()
{
    cQVMVFormDialog panel(nullptr);
    QCOMPARE(fields(panel),
             QStringList({"none", "Form", qstr(vpi::cPlatform::userName()), "0.1", "-"}));
    panel.setFormType("Menu");
    QCOMPARE(field(panel, "mpTxtType"), QStringLiteral("Menu"));
    panel.setFormType("");
    QCOMPARE(field(panel, "mpTxtType"), QStringLiteral("none"));
    // The name is 8-bit: a character without an 8-bit form is refused as it is typed.
    typeText(panel.findChild<QLineEdit *>("mpTxtName"), QString::fromUtf8("Grüße €"));
    QCOMPARE(field(panel, "mpTxtName"), QString::fromUtf8("FormGrüße "));
}

void tst_FormDialog::versionBumping_data()
{
    QTest::addColumn<QStringList>("presses");   // buttons pressed before the first store
    QTest::addColumn<QStringList>("versions");  // shown after each store
    const QString major = QStringLiteral("mpBtVersionMajor");
    const QString minor = QStringLiteral("mpBtVersionMinor");
    QTest::newRow("major, stored twice") << QStringList{major} << QStringList{"1.1", "1.1"};
    QTest::newRow("minor") << QStringList{minor} << QStringList{"0.2"};
    QTest::newRow("both") << QStringList{major, minor} << QStringList{"1.2", "1.2"};
    QTest::newRow("major pressed twice") << QStringList{major, major} << QStringList{"1.1"};
}

void tst_FormDialog::versionBumping()
{
    QFETCH(QStringList, presses);
    QFETCH(QStringList, versions);
    cQVMVFormDialog panel(nullptr);
    for (const QString &button : presses)
        click(panel, qPrintable(button));
    for (const QString &expected : versions) {
        const QByteArray stored = store(panel);
        QCOMPARE(field(panel, "mpTxtVersion"), expected);
        QVERIFY(stored.contains("<uint label=\"VH\">" + expected.section('.', 0, 0).toLatin1()));
        QVERIFY(stored.contains("<uint label=\"VL\">" + expected.section('.', 1, 1).toLatin1()));
    }
    for (const QString &button : presses)
        QVERIFY(panel.findChild<QPushButton *>(button)->isEnabled());
}

void tst_FormDialog::storeAndLoad()
{
    cQVMVFormDialog panel(nullptr);
    panel.setFormType("Dialog");
    panel.findChild<QLineEdit *>("mpTxtName")
        ->setText(QString::fromUtf8(u8"Gr\u00fc\u00dfe\u20ac"));
    panel.findChild<QLineEdit *>("mpTxtAutor")
        ->setText(QString::fromUtf8(u8"J\u00f6rg \u20ac"));
    click(panel, "mpBtVersionMinor");
    const QByteArray stored = store(panel);
    const QString stamp = field(panel, "mpTxtLastEdited");

    // Another panel, with a pending change of its own that belongs to its form, not the loaded.
    cQVMVFormDialog other(nullptr);
    click(other, "mpBtVersionMajor");
    vsa::cDeserializeXML in(stored, "stored");
    in.setPreferNoLabels(false);
    other.loadFormInfo(in);
    // The type follows the tree, not the file.
    QCOMPARE(fields(other), QStringList({"none", QString::fromUtf8(u8"Gr\u00fc\u00dfe?"),
                                         QString::fromUtf8(u8"J\u00f6rg \u20ac"), "0.2", stamp}));
    QVERIFY(other.findChild<QPushButton *>("mpBtVersionMajor")->isEnabled());
    store(other);
    QCOMPARE(field(other, "mpTxtVersion"), QStringLiteral("0.2"));

    // Without the section: "unknown" and "-", the numbers kept for the next store.
    vsa::cSerializeXML bareOut("Form");
    vsa::cDeserializeXML bare(bareOut.data(), "bare");
    other.loadFormInfo(bare);
    QCOMPARE(fields(other), QStringList({"none", "unknown", "unknown", "-", "-"}));

    // A copy that is no save (a recovery file) leaves a version asked for pending and writes
    // the stamp shown.
    click(other, "mpBtVersionMinor");
    vsa::cSerializeXML copyOut("Form");
    copyOut.setPreferNoLabels(false);
    other.writeFormInfo(copyOut);
    QVERIFY(copyOut.data().contains("<uint label=\"VL\">2</uint>"));
    QVERIFY(copyOut.data().contains("<ascii label=\"LastModified\">-</ascii>"));
    QCOMPARE(fields(other), QStringList({"none", "unknown", "unknown", "-", "-"}));
    QVERIFY(!other.findChild<QPushButton *>("mpBtVersionMinor")->isEnabled());

    const QByteArray again = store(other);
    QVERIFY(again.contains("<uint label=\"VH\">0</uint>"));
    QVERIFY(again.contains("<uint label=\"VL\">3</uint>"));
}

void tst_FormDialog::translationListAndTemplate()
{
    cQVMVFormDialog panel(nullptr);
    cKeySource source;
    source.keys = {"Title", "", "OK", "Title"};
    source.attach(panel);
    panel.findChild<QLineEdit *>("mpTxtName")->setText(QStringLiteral("Setup"));
    click(panel, "mpBtUpdateTranslationList");
    QCOMPARE(listRows(panel), (QStringList{"Setup", "Title", "OK", "Title"}));
    panel.findChild<QLineEdit *>("mpTxtName")->clear();
    panel.updateTranslationList();
    QCOMPARE(listRows(panel), (QStringList{"Title", "OK", "Title"}));
    // Keys changed, added and taken away in the middle and at the ends, as edits do.
    const vstd::tList<vstd::cAsciiString> kept = source.keys;
    for (const QStringList &keys : {QStringList{"Title", "Ok", "Title"},
                                    QStringList{"Title", "Ok", "Help", "More", "Title"},
                                    QStringList{"Title", "Cancel", "Title"},
                                    QStringList{"Cancel"}, QStringList{"A", "B", "C"}}) {
        source.keys.clear();
        for (const QString &key : keys)
            source.keys.push_back(qPrintable(key));
        panel.updateTranslationList();
        QCOMPARE(listRows(panel), keys);
    }
    source.keys = kept;

    QCOMPARE(cQVMVFormDialog::translationTemplate("Setup", source.keys),
             QByteArray("//\r\n"
                        "// Translation file for Setup.\r\n"
                        "// Encoding: UTF-8.\r\n"
                        "// Please make sure you are working with an UTF-8 capable text "
                        "editor!\r\n"
                        "//\r\n"
                        "\r\n"
                        "Title = \" \";\r\n"
                        " = \" \";\r\n"
                        "OK = \" \";\r\n"
                        "Title = \" \";\r\n"));
}

void tst_FormDialog::templateThroughButtons()
{
    QTemporaryDir dir;
    cQVMVFormDialog panel(nullptr);
    cKeySource source;
    source.keys = {"Title"};
    source.attach(panel);
    panel.findChild<QLineEdit *>("mpTxtName")->setText(QString::fromUtf8(u8"Ma\u00df\u20ac"));
    panel.show();

    // The proposed name is the form's; the template names the form with "?" for the euro.
    const QString target = dir.filePath(QStringLiteral("setup.ftr"));
    QString proposed;
    whenModalOpens([&](QWidget *w) {
        if (auto *files = qobject_cast<QFileDialog *>(w))
            proposed = files->selectedFiles().value(0);
        answerFileDialog(w, target);
    });
    click(panel, "mpBtCreateTemplate");
    QVERIFY(proposed.endsWith(QString::fromUtf8(u8"Ma\u00df\u20ac.ftr")));
    QFile written(target);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    QVERIFY(bytes.contains("// Translation file for Ma\xdf?.\r\n"));
    QVERIFY(bytes.endsWith("\r\n\r\nTitle = \" \";\r\n"));

    // A path below a file cannot be written: a warning, nothing created, the panel still there.
    const QString bad = target + QStringLiteral("/below.ftr");
    QString warning;
    whenModalOpens([&](QWidget *w) {
        answerFileDialog(w, bad);
        whenModalOpens([&](QWidget *box) {
            if (auto *message = qobject_cast<QMessageBox *>(box))
                warning = message->text();
            box->close();
        });
    });
    click(panel, "mpBtCreateTemplate");
    QVERIFY(warning.startsWith("Unable to write the translation template!<br>"));
    QVERIFY2(!warning.contains(".cpp"), qPrintable(warning)); // no source places for users
    QVERIFY(!QFile::exists(bad));
    QCOMPARE(QFileInfo(target).size(), bytes.size());
}

// The editor's copy for recovery files writes the form as it stands; its next save applies
// the version asked for.
void tst_FormDialog::recoveryCopyLeavesPendingChanges()
{
    cEditorTestHost host;
    auto editor = host.newEditor();
    auto *panel = editor->findChild<cQVMVFormDialog *>();
    click(*panel, "mpBtVersionMajor");
    QTemporaryDir dir;
    editor->saveRecoveryCopy(dir.filePath("copy.dlg"));
    QFile copy(dir.filePath("copy.dlg"));
    QVERIFY(copy.open(QIODevice::ReadOnly));
    QVERIFY(copy.readAll().contains("<uint label=\"VH\">0</uint>"));
    QCOMPARE(fields(*panel).mid(3), QStringList({"0.1", "-"}));
    editor->saveDocument(dir.filePath("saved.dlg"));
    QCOMPARE(field(*panel, "mpTxtVersion"), QStringLiteral("1.1"));
}

// The editor offers every text its form shows, in document order: titles, texts, tool tips and
// each entry of a list, 8-bit as keys are; empty texts and names of elements are no texts.
void tst_FormDialog::editorCollectsFormTexts()
{
    cEditorTestHost host;
    QTemporaryDir dir;
    cFormWriter writer(host);
    auto &dialog = writer.add(writer.root(), "Dialog", "pump");
    cFormWriter::setText(dialog, "Title", "Pump control");
    auto &box = writer.add(dialog, "VBoxLayout", "box");
    auto &speed = writer.add(box, "Label", "speed");
    cFormWriter::setText(speed, "Text", "Speed");
    cFormWriter::setText(speed, "ToolTip", "Belt speed in m/s");
    writer.add(box, "ComboBox").findProperty("Entries")->textListView()->setValue(
        {"Off", " ", "Slow", "Fast"});
    auto &start = writer.add(box, "PushButton", "start");
    start.findProperty("Text")->ucStringView()->setValue(vucs::cString(
        QString::fromUtf8(u8"Gr\u00fc\u00dfe \u20ac \U0001F600!")));
    writer.save(dir.filePath("pump.dlg"));

    auto editor = host.newEditor();
    editor->loadDocument(dir.filePath("pump.dlg"), false);
    auto *panel = editor->findChild<cQVMVFormDialog *>();
    click(*panel, "mpBtUpdateTranslationList");
    const QStringList texts{"Pump control", "Speed", "Belt speed in m/s", "Off", "Slow", "Fast",
                            // A character beyond 16 bits is one character.
                            QString::fromUtf8(u8"Gr\u00fc\u00dfe ? ?!")};
    QCOMPARE(listRows(*panel), QStringList{"Form"} + texts);

    const QString target = dir.filePath(QStringLiteral("pump.ftr"));
    whenModalOpens([&](QWidget *w) { answerFileDialog(w, target); });
    click(*panel, "mpBtCreateTemplate");
    QFile written(target);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = written.readAll().split('\n').mid(6);
    QByteArrayList expected;
    for (const QString &text : texts)
        expected << text.toLatin1() + " = \" \";\r";
    QCOMPARE(lines, expected << QByteArray());
}

QTEST_MAIN(tst_FormDialog)
#include "tst_formdialog.moc"
