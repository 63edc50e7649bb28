#include "cvq4tabwidgetbuilder.h"

#include "q4support/cvq4signalblocker.h"
#include "vellmva2/cdvitypedproperties.h"

#include <algorithm>
#include <QTabWidget>

cVQ4TabWidgetBuilder::cVQ4TabWidgetBuilder()
{
    addCommonAspects();
    // The stored index is applied by finish(), when the pages exist.
    addAspect("CurrentIndex", {nullptr,
                               [](QObject &o, const QVariant &v) {
                                   if (auto *w = qobject_cast<QTabWidget *>(&o))
                                       w->setCurrentIndex(int(v.toLongLong()));
                               },
                               [](QObject &o) {
                                   auto *w = qobject_cast<QTabWidget *>(&o);
                                   return w ? QVariant(qlonglong(w->currentIndex())) : QVariant();
                               },
                               SIGNAL(currentChanged(int))});
    addAspect("TabPosition", {[](QObject &o, QObject *, vmva::cDVIAbstractProperty &p) {
                  const auto position =
                      QTabWidget::TabPosition(std::clamp<__int64>(intOf(p), 0, 3));
                  if (auto *w = qobject_cast<QTabWidget *>(&o))
                      w->setTabPosition(position);
              }});
}

void cVQ4TabWidgetBuilder::finish(QObject &object,
                                  vmva::cDVAbstractStdDMViewProperties *properties,
                                  cVQ4VMVBuildContext &) const
{
    auto *tabs = qobject_cast<QTabWidget *>(&object);
    if (!tabs)
        return;
    {
        cVQ4SignalBlocker blocker(*tabs);
        tabs->setCurrentIndex(int(intOf(properties, "CurrentIndex", 0)));
    }
    refreshBindings(object);
}

QObject *cVQ4TabWidgetBuilder::create(vmva::cDVAbstractStdDMViewProperties *, QObject *parent,
                                      cVQ4VMVBuildContext &context) const
{
    auto *tabs = new QTabWidget(widgetOf(parent));
    if (!placeWidget(*tabs, parent, context)) {
        delete tabs;
        return nullptr;
    }
    return tabs;
}
