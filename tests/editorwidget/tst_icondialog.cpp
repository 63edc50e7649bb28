// The icon chooser over a small icon tree in a temporary folder, and the picture label.
#include "modalanswer.h"

#include "qdialogeditorwidget/propertywidgets/cqpwpixmaplabel.h"
#include "qdialogeditorwidget/propertywidgets/icondialog/ciconitem.h"
#include "qdialogeditorwidget/propertywidgets/icondialog/cqicondialog.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

namespace {
const char *const kSvg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"16\" height=\"16\">"
                         "<rect width=\"16\" height=\"16\" fill=\"red\"/></svg>";

template <class W>
W *child(const QWidget &parent, const char *name)
{
    W *w = parent.findChild<W *>(QLatin1String(name));
    if (!w)
        qFatal("no %s", name);
    return w;
}

void click(const QWidget &parent, const char *button)
{
    QTest::mouseClick(child<QPushButton>(parent, button), Qt::LeftButton);
}
} // namespace

class tst_IconDialog : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void search_data();
    void search();
    void rowsCategoriesAndProgress();
    void customAndOk();
    void addTo();
    void pixmapLabel();

private:
    QString path(const QString &relative) const { return mRoot.filePath(relative); }
    void writeFile(const QString &relative, const QByteArray &bytes);
    void writeImage(const QString &relative, int w, int h, const char *format);
    // The rows' paths relative to the root, in tree order, once the search ended.
    QStringList rowPaths(const cQIconDialog &dialog);

    QTemporaryDir mRoot;
};

void tst_IconDialog::writeFile(const QString &relative, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path(relative)).path());
    QFile file(path(relative));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void tst_IconDialog::writeImage(const QString &relative, int w, int h, const char *format)
{
    QDir().mkpath(QFileInfo(path(relative)).path());
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(Qt::blue);
    QVERIFY(image.save(path(relative), format));
}

void tst_IconDialog::initTestCase()
{
    writeImage("Alpha/16x16/apps/Edit.png", 16, 16, "PNG");
    writeImage("Alpha/16x16/apps/note.xpm", 16, 16, "XPM");
    writeFile("Alpha/16x16/apps/vector.svg", kSvg);
    writeFile("Alpha/16x16/apps/readme.txt", "not an icon");
    writeImage("Alpha/32x32/apps/edit.png", 32, 32, "PNG");
    writeFile("beta/22x22/broken.png", "no picture");
    writeImage(".hidden/16x16/secret.png", 16, 16, "PNG");
    writeImage("zeta.png", 8, 8, "PNG");
    // A link back to its own folder: the search must still end.
    QVERIFY(QFile::link(path("beta"), path("beta/loop")));
}

QStringList tst_IconDialog::rowPaths(const cQIconDialog &dialog)
{
    if (!QTest::qWaitFor([&] { return !dialog.isSearching(); }, 5000))
        return {QStringLiteral("search did not end")};
    QStringList rows;
    auto *tree = child<QTreeWidget>(dialog, "mpPreviewTree");
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        rows << QDir(mRoot.path()).relativeFilePath(
            static_cast<cIconItem *>(tree->topLevelItem(i))->path());
    return rows;
}

void tst_IconDialog::search_data()
{
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("rows");
    const QString edit16 = "Alpha/16x16/apps/Edit.png", note16 = "Alpha/16x16/apps/note.xpm";
    const QString edit32 = "Alpha/32x32/apps/edit.png";
    QTest::newRow("everything") << "all" << ""
                                << QStringList{edit16, note16, edit32, "beta/22x22/broken.png",
                                               "zeta.png"};
    QTest::newRow("size") << "16x16" << "" << QStringList{edit16, note16};
    QTest::newRow("text is case-sensitive") << "all" << "Edit" << QStringList{edit16};
    QTest::newRow("text in a folder name") << "all" << "Alpha"
                                           << QStringList{edit16, note16, edit32};
    QTest::newRow("size and text") << "32x32" << "edit" << QStringList{edit32};
    QTest::newRow("nothing") << "48x48" << "" << QStringList{};
}

void tst_IconDialog::search()
{
    QFETCH(QString, size);
    QFETCH(QString, text);
    QFETCH(QStringList, rows);
    cQIconDialog dialog(nullptr, qstr(mRoot.path()));
    dialog.show();
    auto *search = child<QLineEdit>(dialog, "mpTxtSearch");
    QTest::keyClicks(search, text);
    child<QComboBox>(dialog, "mpCbSize")->setCurrentText(size);
    QTest::keyClick(search, Qt::Key_Return);
    QCOMPARE(rowPaths(dialog), rows);
}

void tst_IconDialog::rowsCategoriesAndProgress()
{
    cQIconDialog dialog(nullptr, qstr(mRoot.path()));
    auto *progress = child<QProgressBar>(dialog, "mpProgress");
    QVERIFY(dialog.isSearching());  // the whole root, from the start
    QCOMPARE(progress->maximum(), 0);
    auto *categories = child<QComboBox>(dialog, "mpCbCategory");
    QCOMPARE(categories->count(), 3);
    QCOMPARE(categories->itemText(1), QStringLiteral("Alpha"));
    QCOMPARE(categories->itemText(2), QStringLiteral("beta"));
    QCOMPARE(rowPaths(dialog).size(), 5);
    QCOMPARE(progress->maximum(), 1);
    QCOMPARE(progress->value(), 0);

    auto *tree = child<QTreeWidget>(dialog, "mpPreviewTree");
    QTreeWidgetItem *edit = tree->topLevelItem(0);
    QCOMPARE(edit->text(1), QStringLiteral("Edit"));
    QCOMPARE(edit->text(2), QStringLiteral("16x16"));
    QVERIFY(!edit->icon(0).isNull());
    QTreeWidgetItem *broken = tree->topLevelItem(3);
    QVERIFY(broken->text(1).isEmpty() && broken->icon(0).isNull());

    categories->setCurrentIndex(2);
    QCOMPARE(rowPaths(dialog), QStringList{"beta/22x22/broken.png"});
}

void tst_IconDialog::customAndOk()
{
    {
        // Ok without a row accepts with no bytes.
        cQIconDialog dialog(nullptr, qstr(mRoot.path()));
        dialog.show();
        click(dialog, "mpBtOk");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(dialog.iconBytes().isEmpty());
    }
    // SVG files are not searched but can be taken through "Custom...".
    cQIconDialog dialog(nullptr, qstr(mRoot.path()));
    dialog.show();
    child<QComboBox>(dialog, "mpCbCategory")->setCurrentIndex(1);
    whenModalOpens([&](QWidget *w) { answerFileDialog(w, path("Alpha/16x16/apps/vector.svg")); });
    click(dialog, "mpBtCustom");
    QVERIFY(!dialog.isSearching());
    QCOMPARE(child<QComboBox>(dialog, "mpCbCategory")->currentIndex(), 0);
    auto *tree = child<QTreeWidget>(dialog, "mpPreviewTree");
    QCOMPARE(tree->topLevelItemCount(), 1);
    QCOMPARE(tree->currentItem()->text(1), QStringLiteral("vector"));
    QVERIFY(!tree->currentItem()->icon(0).isNull());
    click(dialog, "mpBtOk");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.iconBytes(), QByteArray(kSvg));
}

void tst_IconDialog::addTo()
{
    cQIconDialog dialog(nullptr, qstr(mRoot.path()));
    dialog.show();
    QCOMPARE(rowPaths(dialog).size(), 5);
    auto *tree = child<QTreeWidget>(dialog, "mpPreviewTree");
    auto chooseInMenu = [](const QString &entry) {
        whenModalOpens([entry](QWidget *w) {
            auto *menu = qobject_cast<QMenu *>(w);
            QVERIFY(menu);
            QStringList texts;
            for (QAction *a : menu->actions())
                texts << a->text();
            QCOMPARE(texts, (QStringList{"Alpha", "beta", "\"myIcons\" in home directory"}));
            menu->setActiveAction(menu->actions().at(texts.indexOf(entry)));
            QTest::keyClick(menu, Qt::Key_Return);
        });
    };

    // Into a size folder that does not exist yet.
    tree->setCurrentItem(tree->topLevelItem(0));
    chooseInMenu("beta");
    click(dialog, "mpBtAddTo");
    QFile copy(path("beta/16x16/Edit.png"));
    QVERIFY(copy.open(QIODevice::ReadOnly));
    QFile original(path("Alpha/16x16/apps/Edit.png"));
    QVERIFY(original.open(QIODevice::ReadOnly));
    QCOMPARE(copy.readAll(), original.readAll());

    // A file standing where the folder should be: a warning, and the dialog stays open.
    writeFile("beta/32x32", "in the way");
    tree->setCurrentItem(tree->topLevelItem(2));
    QString warning;
    whenModalOpens([&](QWidget *w) {
        // The menu is answered first; the box follows.
        whenModalOpens([&](QWidget *box) {
            if (auto *message = qobject_cast<QMessageBox *>(box))
                warning = message->text();
            box->close();
        });
        auto *menu = qobject_cast<QMenu *>(w);
        QVERIFY(menu);
        menu->setActiveAction(menu->actions().at(1));
        QTest::keyClick(menu, Qt::Key_Return);
    });
    click(dialog, "mpBtAddTo");
    QVERIFY2(warning.startsWith("Unable to copy icon!<br>"), qPrintable(warning));
    QVERIFY(warning.contains("Unable to create path " + path("beta/32x32")));
    QVERIFY(dialog.isVisible());
}

void tst_IconDialog::pixmapLabel()
{
    cQPWPixmapLabel label(nullptr);
    label.resize(32, 32);
    QPixmap wide(64, 32);
    wide.fill(Qt::red);
    label.setPixmap(wide);
    QCOMPARE(label.pixmap().size(), QSize(32, 16));
    QCOMPARE(label.sizeHint(), QSize(32, 16));

    QPixmap small(8, 6);
    small.fill(Qt::red);
    label.setPixmap(small);
    QCOMPARE(label.pixmap().size(), QSize(8, 6));
    const QImage shown = label.grab().toImage();
    QCOMPARE(shown.pixelColor(12, 13), QColor(Qt::red));   // (32 - 8) / 2, (32 - 6) / 2
    QCOMPARE(shown.pixelColor(19, 18), QColor(Qt::red));
    QVERIFY(shown.pixelColor(11, 13) != QColor(Qt::red));
    QVERIFY(shown.pixelColor(20, 19) != QColor(Qt::red));

    label.setPixmap(QPixmap());
    QVERIFY(label.pixmap().isNull());
}

QTEST_MAIN(tst_IconDialog)
#include "tst_icondialog.moc"
