#include "cvq4buttonboxbuilder.h"

#include "vellmva2/cdvitypedproperties.h"

#include <QDialogButtonBox>

namespace {

using vmva::cDVIAbstractProperty;

QVariant clicked(QObject &)
{
    return QVariant(true);
}

} // namespace

cVQ4ButtonBoxBuilder::cVQ4ButtonBoxBuilder()
{
    addCommonAspects();
    addAspect("StandardButtons", {[](QObject &o, QObject *, cDVIAbstractProperty &p) {
                  auto *w = qobject_cast<QDialogButtonBox *>(&o);
                  if (w && p.flagsView())
                      w->setStandardButtons(QDialogButtonBox::StandardButtons(
                          int(p.flagsView()->value())));
              }});
    addAspect("Orientation", {[](QObject &o, QObject *, cDVIAbstractProperty &p) {
                  if (auto *w = qobject_cast<QDialogButtonBox *>(&o))
                      w->setOrientation(intOf(p) == 2 ? Qt::Vertical : Qt::Horizontal);
              }});
    addAspect("AcceptCommand", {nullptr, nullptr, clicked, SIGNAL(accepted())});
    addAspect("RejectCommand", {nullptr, nullptr, clicked, SIGNAL(rejected())});
    addAspect("HelpCommand", {nullptr, nullptr, clicked, SIGNAL(helpRequested())});
}

QObject *cVQ4ButtonBoxBuilder::create(vmva::cDVAbstractStdDMViewProperties *, QObject *parent,
                                      cVQ4VMVBuildContext &context) const
{
    auto *box = new QDialogButtonBox(widgetOf(parent));
    if (!placeWidget(*box, parent, context)) {
        delete box;
        return nullptr;
    }
    return box;
}
