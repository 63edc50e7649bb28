#include "cvq4tabwidgetbuilder.h"

#include "q4support/cvq4signalblocker.h"
#include "vellmva2/cdvitypedproperties.h"

#include <algorithm>
#include <QStackedWidget>
#include <QTabWidget>

namespace {

// Both widgets have the same operations for the page shown, but no common base.
void setCurrent(QObject &o, int index)
{
    if (auto *w = qobject_cast<QTabWidget *>(&o))
        w->setCurrentIndex(index);
    else if (auto *w = qobject_cast<QStackedWidget *>(&o))
        w->setCurrentIndex(index);
}

QVariant current(QObject &o)
{
    if (auto *w = qobject_cast<QTabWidget *>(&o))
        return qlonglong(w->currentIndex());
    if (auto *w = qobject_cast<QStackedWidget *>(&o))
        return qlonglong(w->currentIndex());
    return QVariant();
}

} // namespace

cVQ4TabWidgetBuilder::cVQ4TabWidgetBuilder(Kind kind) : mKind(kind)
{
    addCommonAspects();
    // The stored index is applied by finish(), when the pages exist.
    addAspect("CurrentIndex",
              {nullptr,
               [](QObject &o, const QVariant &v) {
                   setCurrent(o, int(std::clamp<qlonglong>(v.toLongLong(), -1, 9999)));
               },
               current, SIGNAL(currentChanged(int))});
    if (kind == Tabs)
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
    {
        cVQ4SignalBlocker blocker(object);
        setCurrent(object, int(std::clamp<__int64>(intOf(properties, "CurrentIndex", 0), 0, 99)));
    }
    refreshBindings(object);
}

QObject *cVQ4TabWidgetBuilder::create(vmva::cDVAbstractStdDMViewProperties *, QObject *parent,
                                      cVQ4VMVBuildContext &context) const
{
    QWidget *owner = widgetOf(parent);
    QWidget *widget = nullptr;
    if (mKind == Tabs)
        widget = new QTabWidget(owner);
    else
        widget = new QStackedWidget(owner);
    if (!placeWidget(*widget, parent, context)) {
        delete widget;
        return nullptr;
    }
    return widget;
}
