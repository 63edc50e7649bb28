#include "cvq4containerbuilder.h"

#include "q4widgets/cvq4appwidget.h"
#include "q4widgets/cvq4pixmaploader.h"
#include "q4widgets/cvq4vmvbuildcontext.h"
#include "vellmva2/cdvitypedproperties.h"

#include <algorithm>
#include <QGroupBox>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTabWidget>

namespace {

using tAspect = cVQ4VMVElementBuilder::tAspectSet;
using vmva::cDVIAbstractProperty;

template <class W> W *as(QObject &object) { return qobject_cast<W *>(&object); }

// The tab widget a page sits in (its pages live in an inner stacked widget), and the index.
QTabWidget *tabsOf(QObject &page, int &index)
{
    auto *widget = as<QWidget>(page);
    for (QWidget *p = widget ? widget->parentWidget() : nullptr; p; p = p->parentWidget()) {
        if (auto *tabs = qobject_cast<QTabWidget *>(p)) {
            index = tabs->indexOf(widget);
            return index >= 0 ? tabs : nullptr;
        }
    }
    return nullptr;
}

void showWindowTitle(QObject &o, const QVariant &v)
{
    if (auto *w = as<QWidget>(o))
        w->setWindowTitle(cVQ4VMVElementBuilder::displayText(v));
}

void showGroupTitle(QObject &o, const QVariant &v)
{
    if (auto *w = as<QGroupBox>(o))
        w->setTitle(cVQ4VMVElementBuilder::displayText(v));
}

void showPageTitle(QObject &o, const QVariant &v)
{
    int index = -1;
    if (QTabWidget *tabs = tabsOf(o, index))
        tabs->setTabText(index, cVQ4VMVElementBuilder::displayText(v));
}

void showPageToolTip(QObject &o, const QVariant &v)
{
    int index = -1;
    if (QTabWidget *tabs = tabsOf(o, index))
        tabs->setTabToolTip(index, v.toString());
}

void showPageEnabled(QObject &o, const QVariant &v)
{
    int index = -1;
    if (QTabWidget *tabs = tabsOf(o, index))
        tabs->setTabEnabled(index, v.toBool());
}

template <void (*Show)(QObject &, const QVariant &)>
void applyText(QObject &o, QObject *, cDVIAbstractProperty &p)
{
    Show(o, cVQ4VMVElementBuilder::textOf(p));
}

Qt::ScrollBarPolicy policyOf(cDVIAbstractProperty &p)
{
    return Qt::ScrollBarPolicy(std::clamp<__int64>(cVQ4VMVElementBuilder::intOf(p), 0, 2));
}

void setInitialSize(QObject &o, cDVIAbstractProperty &p, bool width)
{
    auto *w = as<cVQ4AppWidget>(o);
    if (!w)
        return;
    const int value = int(std::clamp<__int64>(cVQ4VMVElementBuilder::intOf(p), 0,
                                              QWIDGETSIZE_MAX));
    QSize size = w->initialSize();
    if (width)
        size.setWidth(value);
    else
        size.setHeight(value);
    w->setInitialSize(size);
}

} // namespace

cVQ4ContainerBuilder::cVQ4ContainerBuilder(Kind kind) : mKind(kind)
{
    addCommonAspects();
    switch (kind) {
    case Dialog:
        addAspect("Title", {applyText<showWindowTitle>, showWindowTitle});
        addAspect("WindowIcon", {[](QObject &o, QObject *, cDVIAbstractProperty &p) {
                      auto *w = as<QWidget>(o);
                      if (w && p.pixmapView() && !p.pixmapView()->value().isEmpty())
                          w->setWindowIcon(cVQ4PixmapLoader::icon(p.pixmapView()->value()));
                  }});
        addAspect("Width", {[](QObject &o, QObject *, cDVIAbstractProperty &p) {
                      setInitialSize(o, p, true);
                  }});
        addAspect("Height", {[](QObject &o, QObject *, cDVIAbstractProperty &p) {
                      setInitialSize(o, p, false);
                  }});
        break;
    case GroupBox:
        addAspect("Title", {applyText<showGroupTitle>, showGroupTitle});
        break;
    case Frame:
        addFrameAspects();
        break;
    case ScrollArea:
        addAspect("WidgetResizable", {[](QObject &o, QObject *, cDVIAbstractProperty &p) {
                      if (auto *w = as<QScrollArea>(o))
                          w->setWidgetResizable(boolOf(p));
                  }});
        addAspect("HorizontalScrollBar", {[](QObject &o, QObject *, cDVIAbstractProperty &p) {
                      if (auto *w = as<QScrollArea>(o))
                          w->setHorizontalScrollBarPolicy(policyOf(p));
                  }});
        addAspect("VerticalScrollBar", {[](QObject &o, QObject *, cDVIAbstractProperty &p) {
                      if (auto *w = as<QScrollArea>(o))
                          w->setVerticalScrollBarPolicy(policyOf(p));
                  }});
        break;
    case Line:
        addAspect("Orientation", {[](QObject &o, QObject *, cDVIAbstractProperty &p) {
                      if (auto *w = as<QFrame>(o))
                          w->setFrameShape(intOf(p) == 2 ? QFrame::VLine : QFrame::HLine);
                  }});
        break;
    case Widget:
        break;
    case TabPage:
        addAspect("Title", {applyText<showPageTitle>, showPageTitle});
        addAspect("Icon", {[](QObject &o, QObject *, cDVIAbstractProperty &p) {
                      int index = -1;
                      QTabWidget *tabs = tabsOf(o, index);
                      if (tabs && p.pixmapView() && !p.pixmapView()->value().isEmpty())
                          tabs->setTabIcon(index, cVQ4PixmapLoader::icon(p.pixmapView()->value()));
                  }});
        // The tab stands for the page: its tool tip and state are the tab's.
        addAspect("ToolTip", {applyText<showPageToolTip>, showPageToolTip});
        addAspect("Enabled", {[](QObject &o, QObject *, cDVIAbstractProperty &p) {
                                  if (!boolOf(p))
                                      showPageEnabled(o, false);
                              },
                              showPageEnabled});
        break;
    }
}

QObject *cVQ4ContainerBuilder::create(vmva::cDVAbstractStdDMViewProperties *, QObject *parent,
                                      cVQ4VMVBuildContext &context) const
{
    QWidget *owner = widgetOf(parent);
    QWidget *widget = nullptr;
    switch (mKind) {
    case Dialog:
        widget = new cVQ4AppWidget(owner);
        break;
    case Widget:
        widget = new QWidget(owner);
        break;
    case GroupBox:
        widget = new QGroupBox(owner);
        break;
    case Frame:
        widget = new QFrame(owner);
        break;
    case ScrollArea: {
        auto *area = new QScrollArea(owner);
        // What the children build goes into the content (see contentOf).
        area->setWidget(new QWidget);
        widget = area;
        break;
    }
    case TabPage:
        // A page lives in a tab widget or a stacked widget only.
        if ((!qobject_cast<QTabWidget *>(parent) && !qobject_cast<QStackedWidget *>(parent))
            || context.atTopLevel())
            return nullptr;
        widget = new QWidget(owner);
        break;
    case Line: {
        auto *line = new QFrame(owner);
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Sunken);
        widget = line;
        break;
    }
    }
    if (!placeWidget(*widget, parent, context)) {
        delete widget;
        return nullptr;
    }
    return widget;
}
