#include "cvq4toolbarbuilder.h"

#include "q4widgets/cvq4vmvbuildcontext.h"
#include "vellmva2/cdvitypedproperties.h"

#include <algorithm>
#include <QToolBar>

namespace {

Qt::ToolButtonStyle styleOf(const QString &name)
{
    if (name == QLatin1String("TextOnly"))
        return Qt::ToolButtonTextOnly;
    if (name == QLatin1String("TextBesideIcon"))
        return Qt::ToolButtonTextBesideIcon;
    if (name == QLatin1String("TextUnderIcon"))
        return Qt::ToolButtonTextUnderIcon;
    return Qt::ToolButtonIconOnly;
}

void showTitle(QObject &o, const QVariant &v)
{
    if (auto *bar = qobject_cast<QToolBar *>(&o))
        bar->setWindowTitle(cVQ4VMVElementBuilder::displayText(v));
}

} // namespace

cVQ4ToolBarBuilder::cVQ4ToolBarBuilder()
{
    addCommonAspects();
    addAspect("Title", {[](QObject &o, QObject *, vmva::cDVIAbstractProperty &p) {
                            showTitle(o, textOf(p));
                        },
                        showTitle});
    addAspect("ToolButtonStyle", {[](QObject &o, QObject *, vmva::cDVIAbstractProperty &p) {
                  if (auto *bar = qobject_cast<QToolBar *>(&o))
                      bar->setToolButtonStyle(styleOf(textOf(p)));
              }});
    addAspect("IconSize", {[](QObject &o, QObject *, vmva::cDVIAbstractProperty &p) {
                  const int size = int(std::clamp<__int64>(intOf(p), 8, 128));
                  if (auto *bar = qobject_cast<QToolBar *>(&o))
                      bar->setIconSize(QSize(size, size));
              }});
    addAspect("Orientation", {[](QObject &o, QObject *, vmva::cDVIAbstractProperty &p) {
                  if (auto *bar = qobject_cast<QToolBar *>(&o))
                      bar->setOrientation(intOf(p) == 2 ? Qt::Vertical : Qt::Horizontal);
              }});
}

QObject *cVQ4ToolBarBuilder::create(vmva::cDVAbstractStdDMViewProperties *, QObject *parent,
                                    cVQ4VMVBuildContext &context) const
{
    auto *bar = new QToolBar(widgetOf(parent));
    if (!placeWidget(*bar, parent, context)) {
        delete bar;
        return nullptr;
    }
    return bar;
}
