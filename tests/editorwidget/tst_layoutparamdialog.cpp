// The layout parameter dialog: what it shows for a parameter and what it gives back.
#include "qdialogeditorwidget/propertywidgets/cqlayoutparamdialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>
#include <QTest>

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
} // namespace

class tst_LayoutParamDialog : public QObject
{
    Q_OBJECT
private slots:
    void showsParameter_data();
    void showsParameter();
    void checkBoxesDecideBounds();
};

void tst_LayoutParamDialog::showsParameter_data()
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

void tst_LayoutParamDialog::showsParameter()
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

void tst_LayoutParamDialog::checkBoxesDecideBounds()
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

QTEST_MAIN(tst_LayoutParamDialog)
#include "tst_layoutparamdialog.moc"
