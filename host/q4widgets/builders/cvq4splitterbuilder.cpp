#include "cvq4splitterbuilder.h"

#include "vellmva2/cdvitypedproperties.h"

#include <QSplitter>

#include <algorithm>

cVQ4SplitterBuilder::cVQ4SplitterBuilder()
{
    addCommonAspects();
    addAspect("Orientation", {[](QObject &o, QObject *, vmva::cDVIAbstractProperty &p) {
                  if (auto *w = qobject_cast<QSplitter *>(&o))
                      w->setOrientation(intOf(p) == 2 ? Qt::Vertical : Qt::Horizontal);
              }});
    addAspect("ChildrenCollapsible", {[](QObject &o, QObject *, vmva::cDVIAbstractProperty &p) {
                  if (auto *w = qobject_cast<QSplitter *>(&o))
                      w->setChildrenCollapsible(boolOf(p));
              }});
}

void cVQ4SplitterBuilder::finish(QObject &object,
                                 vmva::cDVAbstractStdDMViewProperties *properties,
                                 cVQ4VMVBuildContext &) const
{
    auto *splitter = qobject_cast<QSplitter *>(&object);
    if (!splitter)
        return;
    QList<int> sizes = splitNumbers(vstd::cAsciiString(textOf(properties, "Sizes").toLatin1()));
    if (sizes.isEmpty())
        return;
    for (int &size : sizes)
        size = std::clamp(size, 0, QWIDGETSIZE_MAX);
    splitter->setSizes(sizes);
}

QObject *cVQ4SplitterBuilder::create(vmva::cDVAbstractStdDMViewProperties *, QObject *parent,
                                     cVQ4VMVBuildContext &context) const
{
    auto *splitter = new QSplitter(widgetOf(parent));
    if (!placeWidget(*splitter, parent, context)) {
        delete splitter;
        return nullptr;
    }
    return splitter;
}
