#include "previewcomparison.h"
#include "undofuzzer.h"

#include "qdialogeditorwidget/cqpreviewwidgetview.h"

#include <QStackedWidget>
#include <QtTest>

// After every operation of a randomized session the previews updated in place (embedded and
// top-level) are the previews a whole rebuild of the same document gives.
class tst_PreviewEquivalence : public QObject
{
    Q_OBJECT

    cEditorTestHost mHost;
    QTemporaryDir mDir;

    // The top-level preview the editor shows, if any.
    static QWidget *topLevelPreview(cQModelViewDialogEditorWidget &editor, int *count = nullptr)
    {
        QWidget *found = nullptr;
        for (QWidget *w : editor.findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
            if (w->isWindow() && w->isVisible() && w->inherits("cVQ4AppWidget")) {
                found = w;
                if (count)
                    ++*count;
            }
        return found;
    }

    // A fresh preview of the document, in a window that looks as `shown`'s surroundings do.
    static QString compareWithRebuild(cQModelViewDialogEditorWidget &editor, QWidget &shown,
                                      bool topLevel)
    {
        QWidget room;
        // Neither it nor the preview may take the activation and the focus from the editor.
        room.setAttribute(Qt::WA_ShowWithoutActivating);
        room.setWindowFlag(Qt::WindowDoesNotAcceptFocus);
        // This platform activates every window shown: the room, not the preview, takes the
        // focus then.
        room.setFocus();
        if (QWidget *around = shown.parentWidget()) {
            room.setPalette(around->palette());
            room.setFont(around->font());
        }
        std::unique_ptr<QWidget> fresh = editor.createPreview(topLevel ? nullptr : &room,
                                                              topLevel);
        // Nothing to build: the view shows its placeholder.
        if (!fresh)
            return shown.inherits("cQEmptyPreview") ? QString() : QStringLiteral("no rebuild");
        fresh->setAttribute(Qt::WA_ShowWithoutActivating);
        if (topLevel) {
            fresh->setWindowFlag(Qt::WindowDoesNotAcceptFocus);
            fresh->setFocus();
        }
        // Shown into a shown window, as the editor shows a new preview.
        room.show();
        fresh->show();
        return previewcomparison::difference(shown, *fresh);
    }

private slots:
    void initTestCase() { QVERIFY(mDir.isValid()); }

    void incrementalIsRebuild_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<int>("operations");
        QTest::addColumn<bool>("topLevel");
        QTest::newRow("machine") << "machine.dlg" << 21u << 300 << false;
        QTest::newRow("machine, top-level") << "machine.dlg" << 22u << 150 << true;
        QTest::newRow("elements") << "elements.dlg" << 23u << 80 << false;
        QTest::newRow("generated") << "generated" << 24u << 300 << false;
    }
    void incrementalIsRebuild()
    {
        QFETCH(QString, form);
        QFETCH(quint32, seed);
        QFETCH(int, operations);
        QFETCH(bool, topLevel);
        auto editor = mHost.newEditor();
        const QString copy = mDir.filePath(form == "generated" ? "machine.dlg" : form);
        QFile::remove(copy);
        QFile::copy(qEnvironmentVariable("VELL_SOURCE_DIR") + "/examples/"
                        + QFileInfo(copy).fileName(),
                    copy);
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
        editor->loadDocument(copy, true);
        if (form == "generated")
            growForm(*editor, seed, mDir.filePath("generated.dlg"));
        editor->resize(1000, 760);
        editor->show();
        QVERIFY(QTest::qWaitForWindowExposed(editor.get()));
        if (topLevel) {
            editor->findChild<QAction *>("mpActTopLevelPreview")->trigger();
            QVERIFY(topLevelPreview(*editor));
        }
        auto *view = editor->findChild<cQPreviewWidgetView *>("previewView");
        QWidget *lastPage = view->currentPreview();
        int kept = 0;
        bool topOpen = topLevel;

        cUndoFuzzer fuzzer(*editor, seed);
        fuzzer.afterEach = [&]() -> QString {
            QWidget *page = view->currentPreview();
            if (!page)
                return QStringLiteral("no preview");
            kept += page == lastPage;
            lastPage = page;
            QString why = compareWithRebuild(*editor, *page, false);
            if (why.isEmpty() && topOpen) {
                int windows = 0;
                QWidget *top = topLevelPreview(*editor, &windows);
                if (windows > 1)
                    return QStringLiteral("%1 top-level previews").arg(windows);
                // An empty form closes it for good.
                if (top)
                    why = compareWithRebuild(*editor, *top, true);
                else if (!editor->document().children().empty())
                    why = QStringLiteral("the top-level preview closed");
                else
                    topOpen = false;
                if (!why.isEmpty())
                    why.prepend(QStringLiteral("top-level: "));
            }
            return why;
        };
        QVERIFY2(fuzzer.run(operations), qPrintable(fuzzer.failure));
        QVERIFY2(fuzzer.unwindAndReplay(), qPrintable(fuzzer.failure));
        // Updated in place, not rebuilt, often enough to have been compared.
        QVERIFY2(kept > operations / 10, qPrintable(QString::number(kept)));
    }
};

QTEST_MAIN(tst_PreviewEquivalence)
#include "tst_previewequivalence.moc"
