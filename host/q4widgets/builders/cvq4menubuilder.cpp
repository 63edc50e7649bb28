#include "cvq4menubuilder.h"

#include "q4widgets/cvq4pixmaploader.h"
#include "q4widgets/cvq4vmvbuildcontext.h"
#include "vellmva2/cdvitypedproperties.h"

#include <QMenu>
#include <QMenuBar>

namespace {

void showTitle(QObject &o, const QVariant &v)
{
    if (auto *menu = qobject_cast<QMenu *>(&o))
        menu->setTitle(cVQ4VMVElementBuilder::displayText(v));
}

} // namespace

cVQ4MenuBuilder::cVQ4MenuBuilder()
{
    addCommonAspects();
    addAspect("Title", {[](QObject &o, QObject *, vmva::cDVIAbstractProperty &p) {
                            showTitle(o, textOf(p));
                        },
                        showTitle});
    addAspect("Icon", {[](QObject &o, QObject *, vmva::cDVIAbstractProperty &p) {
                  auto *menu = qobject_cast<QMenu *>(&o);
                  if (menu && p.pixmapView() && !p.pixmapView()->value().isEmpty())
                      menu->setIcon(cVQ4PixmapLoader::icon(p.pixmapView()->value()));
              }});
}

QObject *cVQ4MenuBuilder::create(vmva::cDVAbstractStdDMViewProperties *, QObject *parent,
                                 cVQ4VMVBuildContext &context) const
{
    if (context.atTopLevel())
        return new QMenu(widgetOf(parent));
    if (auto *parentMenu = qobject_cast<QMenu *>(parent)) {
        auto *menu = new QMenu(parentMenu);
        parentMenu->addMenu(menu);
        return menu;
    }
    if (auto *bar = qobject_cast<QMenuBar *>(parent)) {
        auto *menu = new QMenu(bar);
        bar->addMenu(menu);
        return menu;
    }
    return nullptr;
}
