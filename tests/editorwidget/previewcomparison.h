#pragma once

// Compares a preview updated in place with one built afresh from the same document: what a
// user could tell apart (objects, their classes, names, properties, bindings, layouts, geometry,
// focus chain and pixels). Used by the equivalence test and by the benchmark at large sizes.

#include "q4widgets/cvq4vmvpropertybinding.h"

#include <QAbstractScrollArea>
#include <QBoxLayout>
#include <QCoreApplication>
#include <QDebug>
#include <QImage>
#include <QLayout>
#include <QMetaProperty>
#include <QPalette>
#include <QPixmap>
#include <QWidget>

#include <algorithm>
#include <functional>

namespace previewcomparison {

inline QString nameOf(const QObject *object)
{
    return object ? QStringLiteral("%1 \"%2\"")
                        .arg(QLatin1String(object->metaObject()->className()),
                             object->objectName())
                  : QStringLiteral("nothing");
}

// A scroll area's bars, shown or not, follow the size of what it shows.
inline bool followsScrolledSize(const QObject &object)
{
    for (const QObject *up = &object; up; up = up->parent())
        if (up->objectName() == QLatin1String("qt_scrollarea_hcontainer")
            || up->objectName() == QLatin1String("qt_scrollarea_vcontainer"))
            return true;
    return false;
}

inline QString printed(const QVariant &value)
{
    QString text;
    QDebug(&text).nospace() << value;
    return text;
}

// The values of the object's properties that can be compared, and its dynamic properties. The
// place and the activation of the preview itself belong to what is around it.
// Widgets that are not shown (pages behind others) are laid out by Qt only once they are, and a
// scroll area sizes what it shows as it settles: their geometry is left out (a text edit's
// document takes its page size and text width from the edit's). A window's minimum size is
// what its layout was last activated with.
inline QString propertyDifference(const QObject &a, const QObject &b, bool top)
{
    static const QByteArrayList around = {"geometry", "frameGeometry", "normalGeometry", "pos",
                                          "x", "y", "minimumSize", "minimumWidth",
                                          "minimumHeight"};
    static const QByteArrayList geometry = {"geometry", "frameGeometry", "normalGeometry", "pos",
                                            "x", "y", "frameSize", "size", "width", "height",
                                            "rect", "childrenRect", "childrenRegion", "sizeHint",
                                            "minimumSizeHint", "frameRect", "contentsRect",
                                            "pageSize", "textWidth"};
    // An object that is no widget is shown as the nearest widget that holds it is.
    const QObject *widget = &a;
    while (widget && !widget->isWidgetType())
        widget = widget->parent();
    bool hidden = widget && !static_cast<const QWidget *>(widget)->isVisible();
    for (const QObject *up = &a; up && !hidden; up = up->parent())
        hidden = up->objectName().startsWith(QLatin1String("qt_scrollarea_"));
    if (followsScrolledSize(a))
        return QString();
    const QMetaObject *meta = a.metaObject();
    for (int i = 0; i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        // Activation is the window's, and both windows cannot be active; pointers point into
        // each preview's own objects.
        if (!property.isReadable() || !property.metaType().isEqualityComparable()
            || (property.metaType().flags() & QMetaType::PointerToQObject)
            || (top && around.contains(property.name()))
            || (hidden && geometry.contains(property.name()))
            || qstrcmp(property.name(), "isActiveWindow") == 0
            || qstrcmp(property.name(), "focus") == 0
            // What the children's geometry makes, compared with them.
            || qstrcmp(property.name(), "childrenRect") == 0
            || qstrcmp(property.name(), "childrenRegion") == 0)
            continue;
        const QVariant va = property.read(&a), vb = property.read(&b);
        if (va != vb)
            return QStringLiteral("property %1: %2 / %3")
                .arg(QLatin1String(property.name()), printed(va), printed(vb));
    }
    if (a.dynamicPropertyNames() != b.dynamicPropertyNames())
        return QStringLiteral("dynamic property names");
    for (const QByteArray &name : a.dynamicPropertyNames())
        // Qt's own point at inner objects.
        if (!name.startsWith("_q_") && a.property(name) != b.property(name))
            return QStringLiteral("dynamic property ") + QString::fromLatin1(name);
    if (auto *ba = qobject_cast<const cVQ4VMVPropertyBinding *>(&a)) {
        auto *bb = static_cast<const cVQ4VMVPropertyBinding *>(&b);
        if (ba->node() != bb->node() || ba->direction() != bb->direction())
            return QStringLiteral("binding");
    }
    return QString();
}

inline QString layoutDifference(QLayout &a, QLayout &b)
{
    // Where the layouts put things shows in the widgets' geometry.
    if (a.count() != b.count()
        || a.contentsMargins() != b.contentsMargins() || a.spacing() != b.spacing())
        return QStringLiteral("layout items, margins or spacing");
    auto *boxA = qobject_cast<QBoxLayout *>(&a);
    auto *boxB = qobject_cast<QBoxLayout *>(&b);
    for (int i = 0; i < a.count(); ++i) {
        QLayoutItem *ia = a.itemAt(i), *ib = b.itemAt(i);
        if (nameOf(ia->widget()) != nameOf(ib->widget())
            || nameOf(ia->layout()) != nameOf(ib->layout())
            || bool(ia->spacerItem()) != bool(ib->spacerItem())
            || (boxA && boxB && boxA->stretch(i) != boxB->stretch(i)))
            return QStringLiteral("layout item %1").arg(i);
    }
    return QString();
}

// Walks both trees together, children first (what differs inside shows in the sizes around
// it); the first difference, with the path to it, or nothing.
inline QString treeDifference(QObject &a, QObject &b, const QString &path)
{
    const QString here = path + QLatin1Char('/') + nameOf(&a);
    if (nameOf(&a) != nameOf(&b))
        return here + QStringLiteral(": object differs from ") + nameOf(&b);
    QObjectList ca = a.children(), cb = b.children();
    // A scroll area raises its own bars' containers as what it shows grows, so their order
    // among its children tells how the area was used, not how it was built; no element is a
    // direct child of one.
    if (qobject_cast<QAbstractScrollArea *>(&a)) {
        const auto byName = [](const QObject *x, const QObject *y) {
            return nameOf(x) < nameOf(y);
        };
        std::stable_sort(ca.begin(), ca.end(), byName);
        std::stable_sort(cb.begin(), cb.end(), byName);
    }
    if (ca.size() != cb.size())
        return here + QStringLiteral(": %1 children / %2").arg(ca.size()).arg(cb.size());
    for (qsizetype i = 0; i < ca.size(); ++i) {
        const QString difference = treeDifference(*ca[i], *cb[i], here);
        if (!difference.isEmpty())
            return difference;
    }
    QString why = propertyDifference(a, b, path.isEmpty());
    if (why.isEmpty() && a.isWidgetType() && !followsScrolledSize(a)
        && static_cast<QWidget &>(a).isHidden() != static_cast<QWidget &>(b).isHidden())
        why = QStringLiteral("hidden");
    if (why.isEmpty())
        if (auto *la = qobject_cast<QLayout *>(&a))
            why = layoutDifference(*la, static_cast<QLayout &>(b));
    return why.isEmpty() ? why : here + QStringLiteral(": ") + why;
}

// Paints `fresh` as `shown` is painted: with the colours of the same activation.
inline QImage paintedAs(QWidget &fresh, const QWidget &shown)
{
    const QPalette::ColorGroup group = shown.isActiveWindow() ? QPalette::Active
                                                              : QPalette::Inactive;
    QPalette palette = fresh.palette();
    for (int role = 0; role < QPalette::NColorRoles; ++role) {
        const auto r = QPalette::ColorRole(role);
        const QBrush brush = palette.brush(group, r);
        palette.setBrush(QPalette::Active, r, brush);
        palette.setBrush(QPalette::Inactive, r, brush);
    }
    fresh.setPalette(palette);
    // A window shown on this platform takes the focus all the same.
    if (QWidget *focus = fresh.focusWidget(); focus && !shown.focusWidget())
        focus->clearFocus();
    return fresh.grab().toImage();
}

// The preview's widgets in focus chain order.
inline QStringList focusChain(QWidget &preview)
{
    QStringList chain;
    QWidget *w = &preview;
    do {
        if (w == &preview || preview.isAncestorOf(w))
            chain << nameOf(w);
        w = w->nextInFocusChain();
    } while (w && w != &preview);
    return chain;
}

// Whether the preview's widgets follow each other in the focus chain, with nothing of the
// window around them in between: Tab leaves the preview only after its last widget.
inline bool chainIsOneRun(QWidget &preview)
{
    qsizetype run = 1;
    for (QWidget *w = preview.nextInFocusChain(); w != &preview && preview.isAncestorOf(w);
         w = w->nextInFocusChain())
        ++run;
    return run == preview.findChildren<QWidget *>().size() + 1;
}

// `fresh` is laid out at the size of `shown` first. Both must be shown.
inline QString difference(QWidget &shown, QWidget &fresh)
{
    // Both settled as the event loop settles them: layouts (hidden pages' included, which Qt
    // lays out once they are shown), scroll areas and what showing posted.
    // Posted events only: a timer that fell due meanwhile (the tree's delayed activation)
    // must not run here, where a slow build would run it and a fast one not.
    for (int pass = 0; pass < 2; ++pass) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::sendPostedEvents();
        fresh.resize(shown.size());
        for (QWidget *root : {&shown, &fresh})
            for (QWidget *w : QList<QWidget *>{root} + root->findChildren<QWidget *>())
                if (QLayout *layout = w->layout()) {
                    layout->invalidate();
                    layout->activate();
                }
    }
    if (fresh.size() != shown.size())
        return QStringLiteral("size %1 / %2 (%3 %4)")
            .arg(printed(shown.size()), printed(fresh.size()))
            .arg(fresh.isWindow())
            .arg(printed(fresh.minimumSize()));
    QString why = treeDifference(shown, fresh, QString());
    if (why.isEmpty() && !chainIsOneRun(shown))
        why = QStringLiteral("the focus chain leaves the preview in between");
    if (why.isEmpty()) {
        const QStringList a = focusChain(shown), b = focusChain(fresh);
        qsizetype i = 0;
        while (i < a.size() && i < b.size() && a[i] == b[i])
            ++i;
        if (i < a.size() || i < b.size())
            why = QStringLiteral("focus chain at %1: %2 / %3")
                      .arg(i)
                      .arg(a.mid(i, 3).join(QLatin1Char(' ')), b.mid(i, 3).join(QLatin1Char(' ')));
    }
    if (why.isEmpty()) {
        if (shown.grab().toImage() != paintedAs(fresh, shown))
            why = QStringLiteral("pixels");
    }
    return why;
}

} // namespace previewcomparison
