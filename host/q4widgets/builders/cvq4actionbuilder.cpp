#include "cvq4actionbuilder.h"

#include "q4widgets/cvq4pixmaploader.h"
#include "q4widgets/cvq4vmvbuildcontext.h"
#include "vellmva2/cdvitypedproperties.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace {

using vmva::cDVIAbstractProperty;

QAction *as(QObject &o) { return qobject_cast<QAction *>(&o); }

void showText(QObject &o, const QVariant &v)
{
    if (QAction *a = as(o))
        a->setText(cVQ4VMVElementBuilder::displayText(v));
}

void showChecked(QObject &o, const QVariant &v)
{
    if (QAction *a = as(o))
        a->setChecked(v.toBool());
}

// Menus, menu bars and tool bars hold actions.
bool holdsActions(QObject *parent)
{
    return qobject_cast<QMenu *>(parent) || qobject_cast<QToolBar *>(parent)
        || qobject_cast<QMenuBar *>(parent);
}

} // namespace

cVQ4ActionBuilder::cVQ4ActionBuilder(Kind kind) : mKind(kind)
{
    addCommonAspects();
    if (kind == Separator)
        return;
    addAspect("Text", {[](QObject &o, QObject *, cDVIAbstractProperty &p) {
                           showText(o, textOf(p));
                       },
                       showText});
    addAspect("Icon", {[](QObject &o, QObject *, cDVIAbstractProperty &p) {
                  QAction *a = as(o);
                  if (a && p.pixmapView() && !p.pixmapView()->value().isEmpty())
                      a->setIcon(cVQ4PixmapLoader::icon(p.pixmapView()->value()));
              }});
    addAspect("Shortcut", {[](QObject &o, QObject *, cDVIAbstractProperty &p) {
                  QAction *a = as(o);
                  const QString keys = textOf(p);
                  if (a && !keys.isEmpty())
                      a->setShortcut(QKeySequence(keys));
              }});
    addAspect("Command", {nullptr, nullptr, [](QObject &) { return QVariant(true); },
                          SIGNAL(triggered())});
    addAspect("Checkable", {[](QObject &o, QObject *, cDVIAbstractProperty &p) {
                  if (QAction *a = as(o))
                      a->setCheckable(boolOf(p));
              }});
    addAspect("Checked", {[](QObject &o, QObject *, cDVIAbstractProperty &p) {
                              showChecked(o, boolOf(p));
                          },
                          showChecked,
                          [](QObject &o) {
                              QAction *a = as(o);
                              return a ? QVariant(a->isChecked()) : QVariant();
                          },
                          SIGNAL(toggled(bool))});
}

QObject *cVQ4ActionBuilder::create(vmva::cDVAbstractStdDMViewProperties *, QObject *parent,
                                   cVQ4VMVBuildContext &context) const
{
    if (context.atTopLevel() || !holdsActions(parent))
        return nullptr;
    auto *holder = static_cast<QWidget *>(parent);
    auto *action = new QAction(holder);
    if (mKind == Separator)
        action->setSeparator(true);
    holder->addAction(action);
    return action;
}
