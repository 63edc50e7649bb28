// The font, layout parameter and picture editors in a property table, driven with the mouse;
// the layout parameter dialog, and the icon chooser over a small icon tree in a temporary folder.
#include "modalanswer.h"
#include "propertytesthelpers.h"

#include "qdialogeditorwidget/cqveconnectortreewidget.h"
#include "qdialogeditorwidget/propertywidgets/cqlayoutparamdialog.h"
#include "qdialogeditorwidget/propertywidgets/cqpwdatetimeitem.h"
#include "qdialogeditorwidget/propertywidgets/cqpwdoubleitem.h"
#include "qdialogeditorwidget/propertywidgets/cqpwflagsitem.h"
#include "qdialogeditorwidget/propertywidgets/cqpwfontitem.h"
#include "qdialogeditorwidget/propertywidgets/cqpwlayoutparamitem.h"
#include "qdialogeditorwidget/propertywidgets/cqpwpixmapitem.h"
#include "qdialogeditorwidget/propertywidgets/cqpwpixmaplabel.h"
#include "qdialogeditorwidget/propertywidgets/cqpwtextlistitem.h"
#include "qdialogeditorwidget/propertywidgets/icondialog/ciconitem.h"
#include "qdialogeditorwidget/propertywidgets/icondialog/cqicondialog.h"

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>
#include <QDateTimeEdit>
#include <QDoubleSpinBox>
#include <QtTest>

using vmva::cDVLayoutParameter;
Q_DECLARE_METATYPE(cDVLayoutParameter)

namespace {
cDVLayoutParameter parameter(cDVLayoutParameter::LayoutMode mode, int min, int max, unsigned mult)
{
    cDVLayoutParameter p;
    p.setMode(mode);
    if (min >= 0)
        p.setMinimum(unsigned(min));
    if (max >= 0)
        p.setMaximum(unsigned(max));
    p.setMultiplier(mult);
    return p;
}

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

void press(QWidget *widget)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(4, widget->height() / 2));
}

// The button of an open editor's page with `toolTip`, or the "..." button for an empty one.
QPushButton *button(QWidget *editor, const QString &toolTip = QString())
{
    for (QPushButton *b : editor->findChildren<QPushButton *>())
        if (toolTip.isEmpty() ? b->text() == QLatin1String("...") : b->toolTip() == toolTip)
            return b;
    qFatal("no button %s", qPrintable(toolTip));
}
} // namespace

class tst_PropertyEditors : public QObject
{
    Q_OBJECT

    // A shown table of `properties`; the first property's editor is in row 1 (row 0: topic).
    static std::unique_ptr<cShownTable> table(cTestProperties &properties)
    {
        return std::make_unique<cShownTable>(properties, QSize(700, 400));
    }

private slots:
    void initTestCase();
    void fontShown_data();
    void fontShown();
    void fontEditedAndReverted();
    void floatingPointNumberTypedAndReverted();
    void dateSteppedAndReverted();
    void flagsToggledAndReverted();
    void textListEditedInItsDialog();
    void layoutParameters();
    void layoutDialogShowsParameter_data();
    void layoutDialogShowsParameter();
    void layoutDialogCheckBoxesDecideBounds();
    void picture();
    void iconSearch_data();
    void iconSearch();
    void iconRowsCategoriesAndProgress();
    void iconCustomAndOk();
    void iconAddTo();
    void pixmapLabel();

private:
    QString path(const QString &relative) const { return mRoot.filePath(relative); }
    void writeFile(const QString &relative, const QByteArray &bytes);
    void writeImage(const QString &relative, int w, int h, const char *format);
    // The rows' paths relative to the root, in tree order, once the search ended.
    QStringList rowPaths(const cQIconDialog &dialog);

    QTemporaryDir mRoot;
};

void tst_PropertyEditors::writeFile(const QString &relative, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path(relative)).path());
    QFile file(path(relative));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void tst_PropertyEditors::writeImage(const QString &relative, int w, int h, const char *format)
{
    QDir().mkpath(QFileInfo(path(relative)).path());
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(Qt::blue);
    QVERIFY(image.save(path(relative), format));
}

void tst_PropertyEditors::initTestCase()
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

QStringList tst_PropertyEditors::rowPaths(const cQIconDialog &dialog)
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

void tst_PropertyEditors::fontShown_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    QFont font(QStringLiteral("DejaVu Serif"), 9);
    QTest::newRow("plain") << font.toString() << "DejaVu Serif, 9 pt";
    font.setBold(true);
    QTest::newRow("bold") << font.toString() << "DejaVu Serif, 9 pt, bold";
    font.setItalic(true);
    QTest::newRow("bold italic") << font.toString() << "DejaVu Serif, 9 pt, bold, italic";
    font.setPixelSize(20);
    QTest::newRow("pixels") << font.toString() << "DejaVu Serif, 20 px, bold, italic";
    QTest::newRow("none") << "" << "Default Font";
    // More than the fields a font description has: QFont cannot read it.
    const QString unreadable = QStringLiteral("Sans,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18");
    QTest::newRow("unreadable") << unreadable << unreadable;
}

void tst_PropertyEditors::fontShown()
{
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    QCOMPARE(cQPWFontItem::displayText(stored), shown);
}

// Family, size, bold and italic set on the edit page as a user does; a family closes the page
// at once and keeps size and style, the others leave it open.
void tst_PropertyEditors::fontEditedAndReverted()
{
    cTestProperties p;
    auto &font = p.add<vmva::cDVIFontProperty>("Font", "T", "help", 1, vucs::cString());
    auto t = table(p);
    auto *item = t->editor<cQPWFontItem>(1);
    QVERIFY(item);
    auto storedFont = [&] {
        QFont f;
        f.fromString(qstr(font.value()));
        return f;
    };

    press(item);
    QCOMPARE(item->currentIndex(), 1);
    auto *size = child<QSpinBox>(*item, "mpSbFontSize");
    QCOMPARE(size->value(), QFont().pointSize());
    QTest::mouseClick(size, Qt::LeftButton);
    size->selectAll();
    QTest::keyClicks(size, "14");
    QTest::keyClick(size, Qt::Key_Return);
    QCOMPARE(t->changed, 1);
    QCOMPARE(storedFont().pointSize(), 14);
    QTest::mouseClick(child<QToolButton>(*item, "mpBtFontBold"), Qt::LeftButton);
    QTest::mouseClick(child<QToolButton>(*item, "mpBtFontItalic"), Qt::LeftButton);
    QVERIFY(storedFont().bold() && storedFont().italic());
    QCOMPARE(item->currentIndex(), 1);
    QCOMPARE(item->displayLabel()->text(),
             QFont().family() + QStringLiteral(", 14 pt, bold, italic"));
    t->resize(900, 120);
    saveShot(t.get(), "font_editor");

    auto *combo = child<QFontComboBox>(*item, "mpCbFontFamily");
    combo->setCurrentIndex(combo->currentIndex() == 0 ? 1 : 0);
    QCOMPARE(storedFont().family(), combo->currentFont().family());
    QCOMPARE(storedFont().pointSize(), 14);
    QVERIFY(storedFont().bold());
    QCOMPARE(item->currentIndex(), 0);  // closed at once
    QCOMPARE(t->changed, 4);

    press(item);
    QTest::mouseClick(button(item, "Revert to default settings!"), Qt::LeftButton);
    QVERIFY(font.value().text().isEmpty());
    QCOMPARE(item->displayLabel()->text(), QStringLiteral("Default Font"));
    QTRY_COMPARE(item->currentIndex(), 0);  // after the click, not in it
    QVERIFY(!child<QToolButton>(*item, "mpBtFontBold")->isChecked());
}

// Typed as a user does: in the property's range and decimals, written on every change, the
// default back with the revert button.
void tst_PropertyEditors::floatingPointNumberTypedAndReverted()
{
    cTestProperties p;
    auto &number = p.add<vmva::cDVIDoubleProperty>("Setpoint", "T", "help", 3, 2.5);
    number.setRange(-10, 10);
    number.setDecimals(1);
    number.setValue(-1.26);
    auto t = table(p);
    auto *item = t->editor<cQPWDoubleItem>(1);
    QVERIFY(item);
    QCOMPARE(item->displayLabel()->text(), QString("-1.3")); // one decimal, as shown
    QCOMPARE(t->changed, 0);

    press(item);
    auto *spin = item->findChild<QDoubleSpinBox *>("mpSpnDouble");
    QVERIFY(spin && item->currentIndex() == 1 && spin->hasFocus());
    QCOMPARE(spin->maximum(), 10.0);
    QCOMPARE(number.value(), -1.26); // opening writes nothing
    spin->selectAll();
    QTest::keyClicks(spin, "42");
    QCOMPARE(number.value(), 4.0); // "42" is beyond the range: the spin box keeps "4"
    QTest::keyClick(spin, Qt::Key_Up);
    QCOMPARE(number.value(), 5.0);
    QCOMPARE(item->displayLabel()->text(), QString("5.0"));
    QVERIFY(t->changed >= 2);

    QTest::mouseClick(button(item, "Back to the default value"), Qt::LeftButton);
    QCOMPARE(number.value(), 2.5);
    QCOMPARE(spin->value(), 2.5);
    QTRY_COMPARE(item->currentIndex(), 0);
}

// Only the property's part is shown and written: a date stays at midnight whatever the edit
// holds beside it.
void tst_PropertyEditors::dateSteppedAndReverted()
{
    using vmva::cDVIDateTimeProperty;
    cTestProperties p;
    auto &date = p.add<cDVIDateTimeProperty>("Due", "T", "help", 3, cDVIDateTimeProperty::Date,
                                             cDVIDateTimeProperty::make(QDate(2000, 1, 1)));
    date.setValue(cDVIDateTimeProperty::make(QDate(2026, 12, 7)));
    auto t = table(p);
    auto *item = t->editor<cQPWDateTimeItem>(1);
    QVERIFY(item);
    QCOMPARE(item->displayLabel()->text(), QString("2026-12-07"));

    press(item);
    auto *edit = item->findChild<QDateTimeEdit *>("mpDteValue");
    QVERIFY(edit && item->currentIndex() == 1 && edit->hasFocus());
    QCOMPARE(edit->text(), QString("2026-12-07"));
    QCOMPARE(t->changed, 0);
    QTest::keyClick(edit, Qt::Key_Up); // the year, the first section
    QCOMPARE(date.text(), QString("2027-12-07"));
    QCOMPARE(date.value().time(), QTime(0, 0));
    QCOMPARE(item->displayLabel()->text(), QString("2027-12-07"));
    QCOMPARE(t->changed, 1);

    QTest::mouseClick(button(item, "Back to the default value"), Qt::LeftButton);
    QCOMPARE(date.text(), QString("2000-01-01"));
    QCOMPARE(edit->text(), QString("2000-01-01"));
    QTRY_COMPARE(item->currentIndex(), 0);
}

void tst_PropertyEditors::flagsToggledAndReverted()
{
    using vmva::cDVIFlagsProperty;
    cTestProperties p;
    auto &set = p.add<cDVIFlagsProperty>(
        "Buttons", "T", "help", 3,
        std::make_shared<const std::vector<cDVIFlagsProperty::tFlag>>(
            std::vector<cDVIFlagsProperty::tFlag>{{"Ok", 1}, {"Cancel", 4}, {"Help", 8}}),
        quint64(1));
    auto t = table(p);
    auto *item = t->editor<cQPWFlagsItem>(1);
    QVERIFY(item);
    QCOMPARE(item->displayLabel()->text(), QString("Ok"));

    press(item);
    auto *menuButton = item->findChild<QToolButton *>("mpTbnFlags");
    QVERIFY(menuButton && item->currentIndex() == 1 && menuButton->menu());
    const QList<QAction *> flags = menuButton->menu()->actions();
    QCOMPARE(flags.size(), 3);
    QVERIFY(flags[0]->isChecked() && !flags[1]->isChecked());
    flags[1]->trigger();
    QCOMPARE(set.value(), quint64(5));
    QCOMPARE(item->displayLabel()->text(), QString("Ok | Cancel"));
    QCOMPARE(menuButton->text(), QString("Ok | Cancel"));
    QCOMPARE(t->changed, 1);

    QTest::mouseClick(button(item, "Back to the default value"), Qt::LeftButton);
    QCOMPARE(set.value(), quint64(1));
    QVERIFY(!flags[1]->isChecked());
    QTRY_COMPARE(item->currentIndex(), 0);
}

// Entries moved, removed and added in the list dialog as a user does it; Cancel writes nothing.
void tst_PropertyEditors::textListEditedInItsDialog()
{
    cTestProperties p;
    auto &list = p.add<vmva::cDVITextListProperty>("Entries", "T", "help", 0x400,
                                                   QStringList{"Red", "Green"});
    list.setValue({"Red", "Green", "Blue"});
    auto t = table(p);
    auto *item = t->editor<cQPWTextListItem>(1);
    QVERIFY(item);
    QCOMPARE(item->displayLabel()->text(), QString("Red, Green, Blue"));

    const auto row = [](QListWidget *rows, int i) {
        QTest::mouseClick(rows->viewport(), Qt::LeftButton, {},
                          rows->visualItemRect(rows->item(i)).center());
    };
    for (const bool accept : {false, true}) {
        press(item);
        QCOMPARE(item->currentIndex(), 1);
        bool answered = false;
        whenModalOpens([&](QWidget *dialog) {
            auto *rows = child<QListWidget>(*dialog, "mpLstEntries");
            row(rows, 2);
            click(*dialog, "mpBtUp");     // Red, Blue, Green
            row(rows, 0);
            click(*dialog, "mpBtRemove"); // Blue, Green
            row(rows, 1);
            click(*dialog, "mpBtAdd");    // Blue, Green, Cyan
            auto *line = rows->findChild<QLineEdit *>();
            QVERIFY(line);
            QTest::keyClicks(line, "Cyan");
            QTest::keyClick(line, Qt::Key_Return);
            QVERIFY(!child<QPushButton>(*dialog, "mpBtDown")->isEnabled());
            if (accept)
                click(*dialog, "mpBtOk");
            else
                static_cast<QDialog *>(dialog)->reject();
            answered = true;
        });
        QTest::mouseClick(button(item), Qt::LeftButton);
        QVERIFY(answered);
        QCOMPARE(item->currentIndex(), 0);
        QCOMPARE(t->changed, accept ? 1 : 0);
    }
    QCOMPARE(list.value(), (QStringList{"Blue", "Green", "Cyan"}));
    QCOMPARE(item->displayLabel()->text(), QString("Blue, Green, Cyan"));

    press(item);
    QTest::mouseClick(button(item, "Back to the default value"), Qt::LeftButton);
    QCOMPARE(list.value(), (QStringList{"Red", "Green"}));
    QCOMPARE(item->displayLabel()->text(), QString("Red, Green"));
    QTRY_COMPARE(item->currentIndex(), 0);
}

void tst_PropertyEditors::layoutParameters()
{
    cTestProperties p;
    auto &layout = p.add<vmva::cDVILayoutProperty>("Layout", "T", "help", 1,
                                                  cDVLayoutParameter());
    cDVLayoutParameter minimum;
    minimum.setMinimum(20);
    layout.setValue(minimum);
    auto t = table(p);
    auto *item = t->editor<cQPWLayoutParamItem>(1);
    QVERIFY(item);
    QCOMPARE(item->displayLabel()->text(), qstr(minimum.toString()));

    // Cancel: nothing written, the editor closed.
    press(item);
    whenModalOpens([](QWidget *w) { w->findChild<QPushButton *>("mpBtCancel")->click(); });
    QTest::mouseClick(button(item), Qt::LeftButton);
    QVERIFY(layout.value() == minimum);
    QCOMPARE(item->currentIndex(), 0);
    QCOMPARE(t->changed, 0);

    // Ok with a maximum added.
    press(item);
    whenModalOpens([](QWidget *w) {
        w->findChild<QCheckBox *>("mpCbSetMaximum")->click();
        w->findChild<QSpinBox *>("mpSbMaximum")->setValue(300);
        w->findChild<QPushButton *>("mpBtOk")->click();
    });
    QTest::mouseClick(button(item), Qt::LeftButton);
    cDVLayoutParameter both = minimum;
    both.setMaximum(300);
    QVERIFY(layout.value() == both);
    QCOMPARE(item->displayLabel()->text(), qstr(both.toString()));
    QCOMPARE(item->currentIndex(), 0);
    QCOMPARE(t->changed, 1);

    press(item);
    QTest::mouseClick(button(item, "Set defaults!"), Qt::LeftButton);
    QVERIFY(layout.value() == cDVLayoutParameter());
    QTRY_COMPARE(item->currentIndex(), 0);
}

void tst_PropertyEditors::layoutDialogShowsParameter_data()
{
    QTest::addColumn<cDVLayoutParameter>("shown");
    QTest::addColumn<QString>("controls");  // mode text, min check/value/enabled, max ..., mult
    QTest::addColumn<cDVLayoutParameter>("result");
    const cDVLayoutParameter none;
    QTest::newRow("default") << none << "Default|0 10 0|0 128 0|1" << none;
    const auto both = parameter(cDVLayoutParameter::Fixed, 5, 300, 3);
    QTest::newRow("both bounds") << both << "Fixed|1 5 1|1 300 1|3" << both;
    const auto minOnly = parameter(cDVLayoutParameter::MinimumExpanding, 0, -1, 100);
    QTest::newRow("minimum 0") << minOnly << "Minimum Expanding|1 0 1|0 128 0|100" << minOnly;
    const auto large = parameter(cDVLayoutParameter::Preferred, 5000, 9000, 250);
    QTest::newRow("large") << large << "Preferred|1 5000 1|1 9000 1|250" << large;
    // Beyond what a spin box holds: shown as far as it goes, kept when left alone.
    auto huge = parameter(cDVLayoutParameter::Fixed, -1, -1, 0);
    huge.setMaximum(4000000000u);
    QTest::newRow("beyond a spin box")
        << huge << "Fixed|0 10 0|1 2147483647 1|1" << huge;
}

void tst_PropertyEditors::layoutDialogShowsParameter()
{
    QFETCH(cDVLayoutParameter, shown);
    QFETCH(QString, controls);
    QFETCH(cDVLayoutParameter, result);
    cQLayoutParamDialog dialog(nullptr, shown);
    auto bound = [&](const char *check, const char *spin) {
        auto *sb = child<QSpinBox>(dialog, spin);
        return QStringLiteral("%1 %2 %3")
            .arg(int(child<QCheckBox>(dialog, check)->isChecked()))
            .arg(sb->value())
            .arg(int(sb->isEnabled()));
    };
    const QString actual = child<QComboBox>(dialog, "mpCbLayout")->currentText() + '|'
        + bound("mpCbSetMinimum", "mpSbMinimum") + '|' + bound("mpCbSetMaximum", "mpSbMaximum")
        + '|' + QString::number(child<QSpinBox>(dialog, "mpSbMultiply")->value());
    QCOMPARE(actual, controls);
    dialog.show();
    click(dialog, "mpBtOk");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(dialog.layoutParameter() == result);
}

void tst_PropertyEditors::layoutDialogCheckBoxesDecideBounds()
{
    cQLayoutParamDialog dialog(nullptr, parameter(cDVLayoutParameter::Minimum, 20, 200, 2));
    dialog.show();
    auto *setMax = child<QCheckBox>(dialog, "mpCbSetMaximum");
    auto *setMin = child<QCheckBox>(dialog, "mpCbSetMinimum");
    QTest::mouseClick(setMax, Qt::LeftButton, {}, QPoint(4, setMax->height() / 2));
    QVERIFY(!child<QSpinBox>(dialog, "mpSbMaximum")->isEnabled());
    QVERIFY(dialog.layoutParameter() == parameter(cDVLayoutParameter::Minimum, 20, -1, 2));

    QTest::mouseClick(setMin, Qt::LeftButton, {}, QPoint(4, setMin->height() / 2));
    QTest::mouseClick(setMax, Qt::LeftButton, {}, QPoint(4, setMax->height() / 2));
    child<QComboBox>(dialog, "mpCbLayout")->setCurrentIndex(4);
    QVERIFY(child<QSpinBox>(dialog, "mpSbMaximum")->isEnabled());
    QVERIFY(!child<QSpinBox>(dialog, "mpSbMinimum")->isEnabled());
    QVERIFY(dialog.layoutParameter() == parameter(cDVLayoutParameter::Fixed, -1, 200, 2));

    // Ok refuses a minimum above the maximum.
    QTest::mouseClick(setMin, Qt::LeftButton, {}, QPoint(4, setMin->height() / 2));
    child<QSpinBox>(dialog, "mpSbMinimum")->setValue(201);
    const QStringList warnings = warningsDuring([&] { click(dialog, "mpBtOk"); });
    QCOMPARE(warnings,
             QStringList("Dialog Editor|The minimum (201) is larger than the maximum (200)!"));
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

// The picture editor chooses from the icon tree of the chooser tests.
void tst_PropertyEditors::picture()
{
    QFile file(path("Alpha/16x16/apps/Edit.png"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray icon = file.readAll();
    QImage wide(400, 100, QImage::Format_ARGB32);
    wide.fill(Qt::darkGreen);
    QByteArray wideBytes;
    {
        QBuffer buffer(&wideBytes);
        buffer.open(QIODevice::WriteOnly);
        wide.save(&buffer, "PNG");
    }

    cTestProperties p;
    auto &picture = p.add<vmva::cDVIPixmapProperty>("Pixmap", "T", "help", 1, QByteArray());
    picture.setValue(wideBytes);
    auto t = table(p);
    auto *item = t->editor<cQPWPixmapItem>(1);
    QVERIFY(item);
    item->setIconRoot(mRoot.path());
    QCOMPARE(item->pixmapLabel()->metaObject()->className(), "cQPWPixmapLabel");
    const QPixmap shown = item->pixmapLabel()->pixmap();
    QVERIFY(!shown.isNull());
    QVERIFY(shown.width() <= 400 && shown.width() == 4 * shown.height());

    // Bytes that are no picture leave the label empty.
    picture.setValue("no picture");
    t->updateInfo();
    QVERIFY(item->pixmapLabel()->pixmap().isNull());

    // Chosen in the icon chooser.
    press(item);
    whenModalOpens([](QWidget *w) {
        auto *dialog = qobject_cast<cQIconDialog *>(w);
        QVERIFY(dialog && QTest::qWaitFor([dialog] { return !dialog->isSearching(); }));
        auto *tree = dialog->findChild<QTreeWidget *>("mpPreviewTree");
        tree->setCurrentItem(tree->topLevelItem(0));
        dialog->findChild<QPushButton *>("mpBtOk")->click();
    });
    QTest::mouseClick(button(item), Qt::LeftButton);
    QCOMPARE(picture.value(), icon);
    QCOMPARE(item->pixmapLabel()->pixmap().size(), QSize(16, 16));
    QCOMPARE(item->currentIndex(), 0);

    press(item);
    QTest::mouseClick(button(item, "Clear pixmap!"), Qt::LeftButton);
    QVERIFY(picture.value().isEmpty());
    QVERIFY(item->pixmapLabel()->pixmap().isNull());
    QTRY_COMPARE(item->currentIndex(), 0);
}

void tst_PropertyEditors::iconSearch_data()
{
    QTest::addColumn<int>("category");
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("rows");
    const QString edit16 = "Alpha/16x16/apps/Edit.png", note16 = "Alpha/16x16/apps/note.xpm";
    const QString edit32 = "Alpha/32x32/apps/edit.png";
    QTest::newRow("everything") << 0 << "all" << ""
                                << QStringList{edit16, note16, edit32, "beta/22x22/broken.png",
                                               "zeta.png"};
    QTest::newRow("size") << 0 << "16x16" << "" << QStringList{edit16, note16};
    QTest::newRow("text is case-sensitive") << 0 << "all" << "Edit" << QStringList{edit16};
    QTest::newRow("text in a folder name") << 0 << "all" << "Alpha"
                                           << QStringList{edit16, note16, edit32};
    // Return keeps the category chosen and searches only there.
    QTest::newRow("text in a category") << 1 << "all" << "Edit" << QStringList{edit16};
    QTest::newRow("text outside the category") << 2 << "all" << "Edit" << QStringList{};
    QTest::newRow("size and text") << 0 << "32x32" << "edit" << QStringList{edit32};
    QTest::newRow("nothing") << 0 << "48x48" << "" << QStringList{};
}

void tst_PropertyEditors::iconSearch()
{
    QFETCH(int, category);
    QFETCH(QString, size);
    QFETCH(QString, text);
    QFETCH(QStringList, rows);
    cQIconDialog dialog(nullptr, qstr(mRoot.path()));
    dialog.show();
    auto *categories = child<QComboBox>(dialog, "mpCbCategory");
    categories->setCurrentIndex(category);
    auto *search = child<QLineEdit>(dialog, "mpTxtSearch");
    QTest::keyClicks(search, text);
    child<QComboBox>(dialog, "mpCbSize")->setCurrentText(size);
    QTest::keyClick(search, Qt::Key_Return);
    QCOMPARE(rowPaths(dialog), rows);
    QCOMPARE(categories->currentIndex(), category);
}

void tst_PropertyEditors::iconRowsCategoriesAndProgress()
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

void tst_PropertyEditors::iconCustomAndOk()
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
    QTreeWidgetItem *row = tree->topLevelItem(0);
    QCOMPARE(row->text(1), QStringLiteral("vector"));
    QVERIFY(!row->icon(0).isNull());
    QVERIFY(!tree->currentItem()); // listed only: Ok does not take it unasked

    // A file larger than a form may hold is refused before it is read, and so said.
    QTemporaryDir elsewhere;
    QFile big(elsewhere.filePath("big.png"));
    QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(16 * 1024 * 1024 + 1));
    big.close();
    whenModalOpens([&](QWidget *w) { answerFileDialog(w, big.fileName()); });
    const QStringList warnings = warningsDuring([&] { click(dialog, "mpBtCustom"); });
    QCOMPARE(warnings, QStringList("Dialog Editor|Unable to take the picture!<br>The picture "
                                   "big.png is larger than 16777216 bytes, the most a form can "
                                   "hold!"));
    QCOMPARE(tree->topLevelItemCount(), 1);

    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                      tree->visualItemRect(row).center());
    click(dialog, "mpBtOk");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.iconBytes(), QByteArray(kSvg));
}

void tst_PropertyEditors::iconAddTo()
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

void tst_PropertyEditors::pixmapLabel()
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

QTEST_MAIN(tst_PropertyEditors)
#include "tst_propertyeditors.moc"
