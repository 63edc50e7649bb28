// The font, layout parameter and picture editors in a property table, driven with the mouse,
// and the layout parameter dialog on its own.
#include "modalanswer.h"
#include "propertytesthelpers.h"

#include "qdialogeditorwidget/cqveconnectortreewidget.h"
#include "qdialogeditorwidget/propertywidgets/cqlayoutparamdialog.h"
#include "qdialogeditorwidget/propertywidgets/cqpwfontitem.h"
#include "qdialogeditorwidget/propertywidgets/cqpwlayoutparamitem.h"
#include "qdialogeditorwidget/propertywidgets/cqpwpixmapitem.h"
#include "qdialogeditorwidget/propertywidgets/cqpwpixmaplabel.h"
#include "qdialogeditorwidget/propertywidgets/icondialog/cqicondialog.h"

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFontComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTreeWidget>
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

template <class W>
W *child(const QDialog &dialog, const char *name)
{
    W *w = dialog.findChild<W *>(QLatin1String(name));
    if (!w)
        qFatal("no %s", name);
    return w;
}

QByteArray png(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
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

class tst_PictureAndLayoutItems : public QObject, public vrmi::cConnectable
{
    Q_OBJECT

    int mChanged = 0;
    piVoid changed()
    {
        ++mChanged;
        return piVoid();
    }

    // A shown table of `properties`; the first property's editor is in row 1 (row 0: topic).
    std::unique_ptr<cQVEConnectorTreeWidget> table(cTestProperties &properties)
    {
        auto t = std::make_unique<cQVEConnectorTreeWidget>(nullptr);
        t->propertyChangedSignal.connect(vrmi::cDirectLocalSlotCall0<tst_PictureAndLayoutItems>(
            this, &tst_PictureAndLayoutItems::changed));
        t->setProperties(&properties);
        t->resize(700, 400);
        t->show();
        if (!QTest::qWaitForWindowExposed(t.get()))
            qWarning("table not shown");
        mChanged = 0;
        return t;
    }

private slots:
    void fontPickedAndReverted();
    void layoutParameters();
    void picture();
    void layoutDialogShowsParameter_data();
    void layoutDialogShowsParameter();
    void layoutDialogCheckBoxesDecideBounds();
};

void tst_PictureAndLayoutItems::fontPickedAndReverted()
{
    cTestProperties p;
    auto &font = p.add<vmva::cDVIFontProperty>("Font", "T", "help", 1, vucs::cString());
    // More than the fields a font description has: QFont cannot read it.
    const QString unreadable = QStringLiteral("Sans,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18");
    font.setValue(qstr(unreadable));
    auto t = table(p);
    auto *item = qobject_cast<cQPWFontItem *>(t->cellWidget(1, 1));
    QVERIFY(item);
    QCOMPARE(item->displayLabel()->text(), unreadable);

    press(item);
    auto *combo = item->findChild<QFontComboBox *>();
    QVERIFY(combo && item->currentIndex() == 1);
    QCOMPARE(combo->currentFont().family(), QFont().family());
    combo->setCurrentIndex(combo->currentIndex() == 0 ? 1 : 0);
    QCOMPARE(qstr(font.value()), combo->currentFont().toString());
    QCOMPARE(item->displayLabel()->text(), combo->currentFont().toString());
    QCOMPARE(item->currentIndex(), 0);  // closed at once
    QCOMPARE(mChanged, 1);

    press(item);
    QTest::mouseClick(button(item, "Revert to default settings!"), Qt::LeftButton);
    QVERIFY(font.value().text().isEmpty());
    QCOMPARE(item->displayLabel()->text(), QStringLiteral("Default Font"));
    QTRY_COMPARE(item->currentIndex(), 0);  // after the click, not in it
}

void tst_PictureAndLayoutItems::layoutParameters()
{
    cTestProperties p;
    auto &layout = p.add<vmva::cDVILayoutProperty>("Layout", "T", "help", 1,
                                                  cDVLayoutParameter());
    cDVLayoutParameter minimum;
    minimum.setMinimum(20);
    layout.setValue(minimum);
    auto t = table(p);
    auto *item = qobject_cast<cQPWLayoutParamItem *>(t->cellWidget(1, 1));
    QVERIFY(item);
    QCOMPARE(item->displayLabel()->text(), qstr(minimum.toString()));

    // Cancel: nothing written, the editor closed.
    press(item);
    whenModalOpens([](QWidget *w) { w->findChild<QPushButton *>("mpBtCancel")->click(); });
    QTest::mouseClick(button(item), Qt::LeftButton);
    QVERIFY(layout.value() == minimum);
    QCOMPARE(item->currentIndex(), 0);
    QCOMPARE(mChanged, 0);

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
    QCOMPARE(mChanged, 1);

    press(item);
    QTest::mouseClick(button(item, "Set defaults!"), Qt::LeftButton);
    QVERIFY(layout.value() == cDVLayoutParameter());
    QTRY_COMPARE(item->currentIndex(), 0);
}

void tst_PictureAndLayoutItems::picture()
{
    QTemporaryDir root;
    QDir().mkpath(root.filePath("theme/16x16"));
    const QByteArray icon = png(16, 16);
    QFile file(root.filePath("theme/16x16/icon.png"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(icon) == icon.size());
    file.close();

    cTestProperties p;
    auto &picture = p.add<vmva::cDVIPixmapProperty>("Pixmap", "T", "help", 1, QByteArray());
    picture.setValue(png(400, 100));
    auto t = table(p);
    auto *item = qobject_cast<cQPWPixmapItem *>(t->cellWidget(1, 1));
    QVERIFY(item);
    item->setIconRoot(root.path());
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

void tst_PictureAndLayoutItems::layoutDialogShowsParameter_data()
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
    // Values beyond the controls' ranges come back clamped to them.
    QTest::newRow("beyond range") << parameter(cDVLayoutParameter::Preferred, 9000, -1, 500)
                                  << "Preferred|1 4096 1|0 128 0|100"
                                  << parameter(cDVLayoutParameter::Preferred, 4096, -1, 100);
}

void tst_PictureAndLayoutItems::layoutDialogShowsParameter()
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
    QVERIFY(dialog.layoutParameter() == result);
}

void tst_PictureAndLayoutItems::layoutDialogCheckBoxesDecideBounds()
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
}

QTEST_MAIN(tst_PictureAndLayoutItems)
#include "tst_pictureandlayoutitems.moc"
