#include "cvq4layoutbuilder.h"

#include "q4widgets/cvq4vmvbuildcontext.h"
#include "vellmva2/cdvitypedproperties.h"

#include "q4widgets/cvq4appwidget.h"

#include <algorithm>
#include <QBoxLayout>
#include <QStyle>
#include <QStyleOption>

cVQ4LayoutBuilder::cVQ4LayoutBuilder(Kind kind) : mKind(kind)
{
    addCommonAspects();
    // -1 keeps the style's value.
    addAspect("Spacing", {[](QObject &o, QObject *, vmva::cDVIAbstractProperty &p) {
                  auto *l = qobject_cast<QBoxLayout *>(&o);
                  const __int64 v = intOf(p);
                  if (l && v >= 0)
                      l->setSpacing(int(std::min<__int64>(v, 4096)));
              }});
    addAspect("Margin", {[](QObject &o, QObject *, vmva::cDVIAbstractProperty &p) {
                  auto *l = qobject_cast<QBoxLayout *>(&o);
                  const int v = int(std::min<__int64>(intOf(p), 4096));
                  if (l && v >= 0)
                      l->setContentsMargins(v, v, v, v);
              }});
}

QObject *cVQ4LayoutBuilder::create(vmva::cDVAbstractStdDMViewProperties *, QObject *parent,
                                   cVQ4VMVBuildContext &context) const
{
    if (context.atTopLevel())
        return nullptr;
    QBoxLayout *layout = nullptr;
    if (mKind == Vertical)
        layout = new QVBoxLayout;
    else
        layout = new QHBoxLayout;
    if (!placeLayout(*layout, parent)) {
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
