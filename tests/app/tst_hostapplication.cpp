#include "app/chosterrorreporter.h"
#include "app/cquitonclose.h"
#include "tests/editorwidget/editortesthost.h"

#include "qdialogeditorwidget/undo/cqdialogundorecorder.h"
#include "qdialogeditorwidget/cqemptypreview.h"
#include "qdialogeditorwidget/cqveconnectortreewidget.h"
#include "qdialogeditorwidget/cqpreviewwidgetview.h"

#include "q4widgets/cvq4vmvelementbuilder.h"

#include <QFile>
#include <QFileDialog>
#include <QStandardPaths>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <pwd.h>
#include <unistd.h>

namespace {

// A builder of a plug-in that fails while the preview is built.
class cFailingBuilder final : public cVQ4VMVElementBuilder
{
protected:
    QObject *create(vmva::cDVAbstractStdDMViewProperties *, QObject *,
                    cVQ4VMVBuildContext &) const override
    {
        VELL_THROW(vstd::cRuntimeException, "$VTR$The plug-in's builder broke!");
    }
};

QList<QMessageBox *> errorBoxes()
{
    QList<QMessageBox *> boxes;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible())
            boxes << box;
    return boxes;
}

} // namespace

// The editor inside the host application: what fails in a command reaches the person at the
// screen as one warning box, and the window stays consistent with what it shows.
class tst_HostApplication : public QObject
{
    Q_OBJECT

    cEditorTestHost mHost;
    QTemporaryDir mDir;

    using tEditor = tScriptedEditor;
    tEditor editor(const QStringList &answers) { return scriptedEditor(mHost, answers); }

    QString writeForm(const QString &name)
    {
        cFormWriter writer(mHost);
        auto &dialog = writer.add(writer.root(), "Dialog", "settings");
        cFormWriter::setText(writer.add(writer.add(dialog, "VBoxLayout"), "Label", "hint"), "Text",
                             "Speed");
        const QString path = mDir.filePath(name);
        writer.save(path);
        return path;
    }

    // The one box shown; it is closed for the next test.
    static QString takeOneBox()
    {
        const QList<QMessageBox *> boxes = errorBoxes();
        if (boxes.size() != 1)
            return QStringLiteral("%1 boxes").arg(boxes.size());
        const QString text = boxes[0]->text();
        if (boxes[0]->icon() != QMessageBox::Warning)
            return QStringLiteral("not a warning: ") + text;
        // Messages quote names and file contents: shown as they are, never as markup.
        if (boxes[0]->textFormat() != Qt::PlainText)
            return QStringLiteral("rich text: ") + text;
        boxes[0]->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return text;
    }

private slots:
    void initTestCase() { cHostErrorReporter::install(); }
    void cleanupTestCase() { cHostErrorReporter::uninstall(); }

    void brokenFileIsShownAndChangesNothing_data()
    {
        QTest::addColumn<int>("keep");
        QTest::newRow("empty") << 0;
        QTest::newRow("truncated") << 2;
    }

    // The box names the file and the reader's position; document, title, tree, selection and
    // preview stay.
    void brokenFileIsShownAndChangesNothing()
    {
        QFETCH(int, keep);
        const QString good = writeForm("good.dlg");
        QFile source(good);
        QVERIFY(source.open(QIODevice::ReadOnly));
        const QByteArray whole = source.readAll();
        const QString broken = mDir.filePath("broken.dlg");
        QFile file(broken);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(whole.left(keep ? whole.size() / keep : 0));
        file.close();
        tEditor e = editor({good, broken});
        e.press("mpActLoadDocument");
        const QStringList rows = treeRows(*e.tree);
        const QString title = e.window->windowTitle();
        QTreeWidgetItem *hint = findRow(*e.tree, "Label (\"hint\")");
        e.tree->setCurrentItem(hint);
        QWidget *preview = e.window->previewView()->currentPreview();
        // The activation comes a moment after the row was chosen.
        QTRY_VERIFY(e.window->connectorTable()->properties());

        e.press("mpActLoadDocument");
        const QString text = takeOneBox();
        QVERIFY2(text.contains(broken) && text.contains(" line "), qPrintable(text));
        QCOMPARE(treeRows(*e.tree), rows);
        QCOMPARE(e.window->windowTitle(), title);
        QCOMPARE(e.window->fileName(), good);
        QCOMPARE(e.tree->currentItem(), hint);
        QCOMPARE(e.window->previewView()->currentPreview(), preview);
        // The kept rows still lead to live items; the table still shows the selection and a
        // change of it is a step of the history.
        cQAbstractDialogLayoutItem *item = e.window->currentLayoutItem();
        QCOMPARE(item->label(), vstd::cAsciiString("hint"));
        QCOMPARE(e.window->connectorTable()->properties(), item->properties());
        const int steps = e.window->undoRecorder().stack().count();
        cFormWriter::setText(*item, "Text", "Changed");
        e.window->connectorTable()->propertyChangedSignal.emitSignal();
        QCOMPARE(e.window->undoRecorder().stack().count(), steps + 1);
    }

    // Save as into a folder that cannot take the file: the next Save goes to the old file.
    void failedSaveAsKeepsTheName()
    {
        const QString good = writeForm("named.dlg");
        tEditor e = editor({good, "/nonexistent/<b>folder</b>/copy.dlg"});
        e.press("mpActLoadDocument");
        e.press("mpActSaveDocument");
        QVERIFY(takeOneBox().contains("/nonexistent/<b>folder</b>/copy.dlg"));
        QCOMPARE(e.window->fileName(), good);
        QCOMPARE(e.window->windowTitle(), QString("VELL model based dialog editor (named)"));
        QFile::remove(good);
        e.press("mpActSaveCurrentDocument");
        QVERIFY(errorBoxes().isEmpty());
        QVERIFY(QFile::exists(good));
    }

    // The new document is shown under its name even when its preview cannot be built.
    void failedPreviewKeepsTheLoad()
    {
        const QString first = writeForm("first.dlg");
        const QString second = writeForm("second.dlg");
        tEditor e = editor({first, second});
        e.press("mpActLoadDocument");
        cQUIDataViewItemExtension *label = mHost.app.vmvMgr().findExtension("Label");
        label->setBuilder(std::make_unique<cFailingBuilder>());
        e.press("mpActLoadDocument");
        const QString text = takeOneBox();
        // While previews fail, every change is still announced (and so reaches recovery).
        QSignalSpy modified(e.window.get(), &cQModelViewDialogEditorWidget::documentModified);
        e.tree->setCurrentItem(findRow(*e.tree, "Label (\"hint\")"));
        QTRY_VERIFY(e.window->connectorTable()->properties());
        cFormWriter::setText(*e.window->currentLayoutItem(), "Text", "Changed");
        QVERIFY_THROWS_EXCEPTION(vstd::cRuntimeException,
                                 e.window->connectorTable()->propertyChangedSignal.emitSignal());
        QCOMPARE(modified.count(), 1);
        label->setBuilder(nullptr);
        installStandardBuilders(mHost.app.vmvMgr());

        QVERIFY2(text.contains(second) && text.contains("The plug-in's builder broke!"),
                 qPrintable(text));
        QCOMPARE(e.window->fileName(), second);
        QCOMPARE(e.window->windowTitle(), QString("VELL model based dialog editor (second)"));
        QVERIFY(qobject_cast<cQEmptyPreview *>(e.window->previewView()->currentPreview()));
    }

    // The editor's window ends the program, though a top-level preview is still open.
    void closingTheEditorQuits()
    {
        tEditor e = editor({writeForm("quit.dlg")});
        e.press("mpActLoadDocument");
        e.press("mpActTopLevelPreview");
        QVERIFY(e.window->topLevelPreview() && e.window->topLevelPreview()->isVisible());
        cQuitOnClose quit(*e.window);
        QTimer::singleShot(0, e.window.get(), [&e] { e.window->close(); });
        QTimer giveUp;
        connect(&giveUp, &QTimer::timeout, [] { QCoreApplication::exit(99); });
        giveUp.start(5000);
        QCOMPARE(QApplication::exec(), 0);
    }

    // The suite runs in a home of its own: what Qt remembers for a test (the file dialog's
    // history in QtProject.conf) never reaches the user's configuration, state or data folders.
    void settingsStayOutOfTheUsersFolders()
    {
        const passwd *user = getpwuid(getuid());
        QVERIFY(user && user->pw_dir);
        const QString realHome = QDir(QString::fromLocal8Bit(user->pw_dir)).canonicalPath();
        QVERIFY(!realHome.isEmpty());
        const auto outside = [&realHome](const QString &path) {
            const QString canonical = QFileInfo(path).absoluteFilePath();
            return !canonical.startsWith(realHome + QLatin1Char('/')) && canonical != realHome;
        };
        QVERIFY2(outside(QDir::homePath()), qPrintable(QDir::homePath()));
        for (auto location : {QStandardPaths::GenericConfigLocation,
                              QStandardPaths::GenericDataLocation,
                              QStandardPaths::GenericCacheLocation}) {
            const QString path = QStandardPaths::writableLocation(location);
            QVERIFY2(outside(path), qPrintable(path));
        }

        const QString realConf = realHome + "/.config/QtProject.conf";
        const QFileInfo before(realConf);
        const QString ownConf =
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
            + "/QtProject.conf";
        QFile::remove(ownConf);
        QTemporaryDir dir;
        {
            // Qt's own file dialog writes its history when it goes.
            QFileDialog dialog(nullptr, "Choose", dir.path());
            dialog.setOption(QFileDialog::DontUseNativeDialog);
            dialog.show();
            static_cast<QDialog &>(dialog).accept();
        }
        QVERIFY(QFile::exists(ownConf));
        const QFileInfo after(realConf);
        QCOMPARE(after.exists(), before.exists());
        if (before.exists()) {
            QCOMPARE(after.lastModified(), before.lastModified());
            QCOMPARE(after.size(), before.size());
        }
    }
};

QTEST_MAIN(tst_HostApplication)
#include "tst_hostapplication.moc"
