#include "cvq4layoutbuilder.h"

#include "q4widgets/cvq4vmvbuildcontext.h"
#include "vellmva2/cdvitypedproperties.h"

#include "q4widgets/cvq4appwidget.h"

#include <algorithm>
#include "q4widgets/cvq4layoutcells.h"

#include <QBoxLayout>
#include <QFormLayout>
#include <QGridLayout>
#include <QStyle>
#include <QStyleOption>

namespace {

// Stretch factors of rows or columns: Qt takes 0 to 255.
QList<int> stretchOf(vmva::cDVIAbstractProperty &p)
{
    QList<int> factors;
    if (vmva::cDVIAsciiStringProperty *text = p.asciiStringView())
        factors = splitNumbers(text->value());
    for (int &factor : factors)
        factor = std::clamp(factor, 0, 255);
    return factors;
}

} // namespace

cVQ4LayoutBuilder::cVQ4LayoutBuilder(Kind kind) : mKind(kind)
{
    addCommonAspects();
    // -1 keeps the style's value.
    addAspect("Spacing", {[](QObject &o, QObject *, vmva::cDVIAbstractProperty &p) {
                  auto *l = qobject_cast<QLayout *>(&o);
                  const __int64 v = intOf(p);
                  if (l && v >= 0)
                      l->setSpacing(int(std::min<__int64>(v, 4096)));
              }});
    addAspect("Margin", {[](QObject &o, QObject *, vmva::cDVIAbstractProperty &p) {
                  auto *l = qobject_cast<QLayout *>(&o);
                  const int v = int(std::min<__int64>(intOf(p), 4096));
                  if (l && v >= 0)
                      l->setContentsMargins(v, v, v, v);
              }});
    switch (kind) {
    case Grid:
        addAspect("Columns", {[](QObject &o, QObject *, vmva::cDVIAbstractProperty &p) {
                      if (auto *grid = qobject_cast<QGridLayout *>(&o))
                          cVQ4LayoutCells::setColumns(*grid, int(std::min<__int64>(intOf(p), 64)));
                  }});
        addAspect("RowStretch", {[](QObject &o, QObject *, vmva::cDVIAbstractProperty &p) {
                      auto *grid = qobject_cast<QGridLayout *>(&o);
                      const QList<int> factors = stretchOf(p);
                      for (int i = 0; grid && i < factors.size(); ++i)
                          grid->setRowStretch(i, factors[i]);
                  }});
        addAspect("ColumnStretch", {[](QObject &o, QObject *, vmva::cDVIAbstractProperty &p) {
                      auto *grid = qobject_cast<QGridLayout *>(&o);
                      const QList<int> factors = stretchOf(p);
                      for (int i = 0; grid && i < factors.size(); ++i)
                          grid->setColumnStretch(i, factors[i]);
                  }});
        break;
    case Form:
        addAspect("LabelAlignment", {[](QObject &o, QObject *, vmva::cDVIAbstractProperty &p) {
                      if (auto *form = qobject_cast<QFormLayout *>(&o))
                          form->setLabelAlignment(Qt::Alignment(int(intOf(p) & 0xff)));
                  }});
        break;
    default:
        break;
    }
}

QObject *cVQ4LayoutBuilder::create(vmva::cDVAbstractStdDMViewProperties *, QObject *parent,
                                   cVQ4VMVBuildContext &context) const
{
    if (context.atTopLevel())
        return nullptr;
    QLayout *layout = nullptr;
    switch (mKind) {
    case Vertical: layout = new QVBoxLayout; break;
    case Horizontal: layout = new QHBoxLayout; break;
    case Grid: layout = new QGridLayout; break;
    case Form: layout = new QFormLayout; break;
    }
    if (!placeLayout(*layout, parent, context)) {
        delete layout;
        return nullptr;
    }
    // A dialog's own layout keeps the margins of a window, so the dialog looks the same
    // embedded in a preview as it does running on its own.
    if (auto *dialog = qobject_cast<cVQ4AppWidget *>(parent)) {
        QStyleOption window;
        window.state |= QStyle::State_Window;
        QStyle *style = dialog->style();
        layout->setContentsMargins(style->pixelMetric(QStyle::PM_LayoutLeftMargin, &window),
                                   style->pixelMetric(QStyle::PM_LayoutTopMargin, &window),
                                   style->pixelMetric(QStyle::PM_LayoutRightMargin, &window),
                                   style->pixelMetric(QStyle::PM_LayoutBottomMargin, &window));
    }
    return layout;
}
