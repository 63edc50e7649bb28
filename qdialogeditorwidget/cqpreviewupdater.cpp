#include "cqpreviewupdater.h"

#include "q4support/cvq4vmvabstractmvitemfactory.h"
#include "q4widgets/builders/cvq4spacerbuilder.h"
#include "q4widgets/cvq4layoutcells.h"
#include "q4widgets/cvq4vmvbuildcontext.h"
#include "q4widgets/cvq4vmvdocumentreader.h"
#include "qdialoglayoutitems/cdialogitemfactoryregistry.h"
#include "qdialoglayoutitems/cqabstractdialoglayoutitem.h"

#include "vellcore/cabstractexception.h"
#include "vellcore/vsa.h"
#include "vellmva2/cdviabstractproperty.h"

#include <QBoxLayout>
#include <QMenu>
#include <QScrollArea>
#include <QSet>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolBar>

#include <algorithm>

namespace {

const vstd::cAsciiString kModel = vstd::cAsciiString::fromStatic("Model");
// More changes than this at once (a jump through the history) are cheaper rebuilt as a whole.
constexpr size_t kMaxNotes = 16;

QObject *findNamed(QWidget &preview, const vstd::cAsciiString &name)
{
    const QString text = qstr(name);
    if (preview.objectName() == text)
        return &preview;
    return preview.findChild<QObject *>(text);
}

// A widget whose children are laid out by its own layout alone: not one that arranges pages,
// panes, tool buttons or menu entries itself.
bool plainContainer(const QObject &object)
{
    return object.isWidgetType() && !qobject_cast<const QTabWidget *>(&object)
           && !qobject_cast<const QStackedWidget *>(&object)
           && !qobject_cast<const QSplitter *>(&object) && !qobject_cast<const QToolBar *>(&object)
           && !qobject_cast<const QMenu *>(&object)
           && !qobject_cast<const QAbstractScrollArea *>(&object);
}

QObject *objectOf(QLayoutItem *item)
{
    if (QWidget *widget = item->widget())
        return widget;
    if (QLayout *layout = item->layout())
        return layout;
    return cVQ4SpacerBuilder::spacerOf(*item);
}

int indexIn(QLayout &layout, QObject *object)
{
    for (int i = 0; i < layout.count(); ++i)
        if (objectOf(layout.itemAt(i)) == object)
            return i;
    return -1;
}

// The widgets that `of` puts into its host widget, in layout order.
void hostedWidgets(QObject &of, std::vector<QWidget *> &out)
{
    if (of.isWidgetType()) {
        out.push_back(static_cast<QWidget *>(&of));
        return;
    }
    auto *layout = qobject_cast<QLayout *>(&of);
    for (int i = 0; layout && i < layout->count(); ++i)
        if (QObject *object = objectOf(layout->itemAt(i)))
            hostedWidgets(*object, out);
}

// Takes the item of `widget` out of `layout` or the layouts inside it.
bool takeOut(QLayout &layout, QWidget &widget)
{
    for (int i = 0; i < layout.count(); ++i) {
        QLayoutItem *item = layout.itemAt(i);
        if (item->widget() == &widget) {
            delete layout.takeAt(i);
            return true;
        }
        if (item->layout() && takeOut(*item->layout(), widget))
            return true;
    }
    return false;
}

// Takes `old` and its widgets out of the preview; the widgets are deleted after the current
// event, as the old part may be in one of its own handlers. Until then they stay hidden where
// they are, without their names: moved out of the window, each would have Qt walk the whole
// window's focus chain.
void discard(QObject &old)
{
    std::vector<QWidget *> widgets;
    hostedWidgets(old, widgets);
    for (QWidget *widget : widgets) {
        // Its layout counts a spacer's item until the spacer is gone, not its widget's parent.
        cVQ4SpacerBuilder::leaveLayout(*widget);
        widget->hide();
        if (QLayout *around = widget->parentWidget() ? widget->parentWidget()->layout() : nullptr)
            takeOut(*around, *widget);
        widget->setObjectName(QString());
        for (QObject *inner : widget->findChildren<QObject *>())
            inner->setObjectName(QString());
        widget->deleteLater();
    }
    if (!old.isWidgetType())
        delete &old;
}

// The first widget that the items of `layout` after `index` put into the host widget, or those
// of the layouts around it.
QWidget *firstWidgetAfter(QLayout &layout, int index)
{
    for (int i = index + 1; i < layout.count(); ++i) {
        std::vector<QWidget *> widgets;
        if (QObject *object = objectOf(layout.itemAt(i)))
            hostedWidgets(*object, widgets);
        if (!widgets.empty())
            return widgets.front();
    }
    auto *outer = qobject_cast<QLayout *>(layout.parent());
    return outer ? firstWidgetAfter(*outer, indexIn(*outer, &layout)) : nullptr;
}

bool inPart(QWidget *w, const std::vector<QWidget *> &part)
{
    return std::any_of(part.begin(), part.end(),
                       [w](QWidget *p) { return p == w || p->isAncestorOf(w); });
}

// The widgets in the focus chain from `first` on that `part` holds, in chain order.
std::vector<QWidget *> chainOf(QWidget *first, const std::vector<QWidget *> &part)
{
    std::vector<QWidget *> chain;
    for (QWidget *w = first; w && inPart(w, part); w = w->nextInFocusChain()) {
        chain.push_back(w);
        if (w->nextInFocusChain() == first)
            break;
    }
    return chain;
}

// The last widget of `host`'s own part of the focus chain, leaving out `part`.
QWidget *chainEndOf(QWidget &host, const std::vector<QWidget *> &part)
{
    QWidget *last = &host;
    for (QWidget *w = host.nextInFocusChain(); w != &host && host.isAncestorOf(w);
         w = w->nextInFocusChain())
        if (!inPart(w, part))
            last = w;
    return last;
}

// Puts `chain` right after `after` in the focus chain, as a build in document order has it;
// false when the chain did not come out so. Qt moves only widgets that take focus, so the
// others take it for the move, and a widget whose focus proxy is an outer one (a spin box's
// line edit) would be moved behind itself, so it loses the proxy for the move. A policy set on
// a widget passes on to its focus proxy: every policy touched is put back until all stand.
bool moveInFocusChain(QWidget *after, const std::vector<QWidget *> &chain)
{
    QWidget *const start = after;
    QWidget *const rest = after->nextInFocusChain();
    std::vector<std::pair<QWidget *, Qt::FocusPolicy>> policies;
    for (QWidget *w : chain)
        policies.emplace_back(w, w->focusPolicy());
    policies.emplace_back(after, after->focusPolicy());
    for (size_t i = 0, n = policies.size(); i < n; ++i)
        if (QWidget *proxy = policies[i].first->focusProxy())
            policies.emplace_back(proxy, proxy->focusPolicy());
    for (QWidget *w : chain) {
        if (after->nextInFocusChain() != w) {
            if (after->focusPolicy() == Qt::NoFocus)
                after->setFocusPolicy(Qt::TabFocus);
            if (w->focusPolicy() == Qt::NoFocus)
                w->setFocusPolicy(Qt::TabFocus);
            QWidget *proxy = w->focusProxy();
            if (proxy)
                w->setFocusProxy(nullptr);
            QWidget::setTabOrder(after, w);
            if (proxy)
                w->setFocusProxy(proxy);
        }
        after = w;
    }
    for (int pass = 0; pass < 4; ++pass)
        for (const auto &[w, policy] : policies)
            if (w->focusPolicy() != policy)
                w->setFocusPolicy(policy);
    QWidget *w = start;
    for (QWidget *next : chain) {
        if (w->nextInFocusChain() != next)
            return false;
        w = next;
    }
    return w->nextInFocusChain() == rest;
}

// Moves the child layouts of `box` that follow `inserted` in it behind it among the box's Qt
// children, where a build in document order puts them.
void restoreLayoutOrder(QBoxLayout &box, int inserted)
{
    const bool enabled = box.isEnabled();
    // Disabled, the box keeps a child layout that leaves it for a moment.
    box.setEnabled(false);
    for (int i = inserted + 1; i < box.count(); ++i)
        if (QLayout *later = box.itemAt(i)->layout()) {
            later->setParent(nullptr);
            later->setParent(&box);
        }
    box.setEnabled(enabled);
}

} // namespace

cQPreviewUpdater::cQPreviewUpdater(cVQ4VMVDataViewMgr &mgr,
                                   const cDialogItemFactoryRegistry &registry,
                                   vmva::cDVDataViewArgList &arguments,
                                   const vio::cSearchPaths &searchPaths)
    : mMgr(mgr), mRegistry(registry), mArguments(arguments), mSearchPaths(searchPaths)
{
}

void cQPreviewUpdater::note(const cQAbstractDialogLayoutItem &item, bool children)
{
    if (item.debugInfo().empty() || mNotes.size() >= kMaxNotes) {
        mOverflow = true;
        return;
    }
    for (const tNoteSet &n : mNotes)
        if (n.children == children && n.identity == item.debugInfo())
            return;
    mNotes.push_back({item.debugInfo(), children});
}

void cQPreviewUpdater::noteValues(const cQAbstractDialogLayoutItem &item)
{
    note(item, false);
}

void cQPreviewUpdater::noteChildren(const cQAbstractDialogLayoutItem &item)
{
    note(item, true);
}

void cQPreviewUpdater::noteRemoval(const cQAbstractDialogLayoutItem &item)
{
    if (const cQAbstractDialogLayoutItem *parent = item.parentOrNull())
        note(*parent, true);
    else
        mOverflow = true;
    mRemoved.push_back(item.debugInfo());
}

void cQPreviewUpdater::forget()
{
    mNotes.clear();
    mRemoved.clear();
    mOverflow = false;
}

bool cQPreviewUpdater::apply(QWidget &preview, cQAbstractDialogLayoutItem &root,
                             const tBuiltFn &built)
{
    if (mOverflow)
        return false;
    // An identity is an address: a new element may have one that a removed element's part
    // still carries in the preview.
    for (const vstd::cAsciiString &removed : mRemoved)
        if (removed.empty() || root.findByDebugInfo(removed))
            return false;
    try {
        for (const tNoteSet &n : mNotes) {
            // Gone since: the note on its parent takes its part out.
            const cQAbstractDialogLayoutItem *item = root.findByDebugInfo(n.identity);
            if (!item)
                continue;
            const cQAbstractDialogLayoutItem *parent = n.children ? item : item->parentOrNull();
            // The window's title, size and parameters belong to the whole preview; an empty
            // window is no preview at all.
            const bool window
                = parent && parent->parentOrNull() && parent->parentOrNull()->isRoot();
            if (!parent || parent->isRoot() || (window && parent->children().empty())
                || !sync(preview, *parent, n.children ? nullptr : item, built))
                return false;
        }
    } catch (const vstd::cAbstractException &) {
        // What the builders refuse is reported by the rebuild of the whole preview that follows.
        return false;
    } catch (const std::exception &) {
        return false;
    }
    return true;
}

bool cQPreviewUpdater::sync(QWidget &preview, const cQAbstractDialogLayoutItem &parent,
                            const cQAbstractDialogLayoutItem *forced, const tBuiltFn &built)
{
    // Menus and tool bars hold actions whose entries their owners lay out themselves; tab
    // pages' titles and places belong to their tab widget.
    if (parent.viewCategory() != vq4::CategoryDialog)
        return false;
    for (const cQAbstractDialogLayoutItem *child : parent.children())
        if (child->elementKind() == vq4::KindTabPage || child->elementKind() == vq4::KindEntry
            || child->debugInfo().empty())
            return false;
    QObject *object = parent.debugInfo().empty() ? nullptr
                                                 : findNamed(preview, parent.debugInfo());
    if (!object)
        return false;
    // A splitter shares its room out once, when it is first laid out: a part built into it
    // later would not get what a new preview gives it.
    for (QObject *up = object; up && up != &preview; up = up->parent())
        if (qobject_cast<QSplitter *>(up))
            return false;
    QObject *content = cVQ4VMVElementBuilder::contentOf(object);
    if (auto *box = qobject_cast<QBoxLayout *>(content))
        return box->parentWidget() && syncBox(*object, *box, parent, forced, built);
    if (plainContainer(*content))
        return syncSole(*object, *static_cast<QWidget *>(content), parent, forced, built);
    // A grid or form layout places by cells, which every element of it shares.
    return false;
}

bool cQPreviewUpdater::syncBox(QObject &parentObject, QBoxLayout &box,
                               const cQAbstractDialogLayoutItem &parent,
                               const cQAbstractDialogLayoutItem *forced, const tBuiltFn &built)
{
    if (cVQ4LayoutCells::takesCells(box))
        return false;
    const auto nameAt = [&box](int i) {
        QObject *object = objectOf(box.itemAt(i));
        return object ? object->objectName() : QString();
    };
    QSet<QString> wanted;
    for (const cQAbstractDialogLayoutItem *child : parent.children())
        wanted.insert(qstr(child->debugInfo()));
    const QString forcedName = forced ? qstr(forced->debugInfo()) : QString();
    // What is no longer there, or is to be built again, goes first; anything unnamed is not an
    // element's.
    for (int i = box.count() - 1; i >= 0; --i) {
        const QString name = nameAt(i);
        if (name.isEmpty())
            return false;
        if (!wanted.contains(name) || name == forcedName)
            discard(*objectOf(box.itemAt(i)));
    }
    int at = 0;
    for (const cQAbstractDialogLayoutItem *child : parent.children()) {
        const QString name = qstr(child->debugInfo());
        if (at < box.count() && nameAt(at) == name) {
            ++at;
            continue;
        }
        // Built anew where it now stands, when it was elsewhere.
        for (int i = at + 1; i < box.count(); ++i)
            if (nameAt(i) == name) {
                discard(*objectOf(box.itemAt(i)));
                break;
            }
        if (!buildAt(parentObject, &box, at, *box.parentWidget(), *child, built))
            return false;
        ++at;
    }
    return at == box.count();
}

bool cQPreviewUpdater::syncSole(QObject &parentObject, QWidget &container,
                                const cQAbstractDialogLayoutItem &parent,
                                const cQAbstractDialogLayoutItem *forced, const tBuiltFn &built)
{
    // A container holds one layout, its own; a widget holds none.
    const std::vector<cQAbstractDialogLayoutItem *> &children = parent.children();
    if (children.size() > 1
        || (!children.empty() && children.front()->elementKind() != vq4::KindLayout))
        return false;
    const cQAbstractDialogLayoutItem *child = children.empty() ? nullptr : children.front();
    QLayout *current = container.layout();
    if (current && current->objectName().isEmpty())
        return false;
    if (child && child != forced && current
        && current->objectName() == qstr(child->debugInfo()))
        return true;
    if (current)
        discard(*current);
    // A widget that loses or gets its layout tells the layout around it of its new size.
    container.updateGeometry();
    return !child || buildAt(parentObject, nullptr, 0, container, *child, built);
}

QObject *cQPreviewUpdater::build(const cQAbstractDialogLayoutItem &item, QObject &parent)
{
    vsa::cSerializeBinary serializer;
    serializer.setPreferNoLabels(false);
    mRegistry.storeItem(item, serializer);
    const QByteArray copy = serializer.takeData();

    cVQ4VMVBuildContext context(mMgr, mArguments, mSearchPaths);
    // Relative locations start from the enclosing elements' models, outermost first.
    std::vector<const cQAbstractDialogLayoutItem *> ancestors;
    for (const cQAbstractDialogLayoutItem *up = item.parentOrNull(); up && !up->isRoot();
         up = up->parentOrNull())
        ancestors.push_back(up);
    for (auto it = ancestors.rbegin(); it != ancestors.rend(); ++it) {
        vmva::cDVIAbstractProperty *model = (*it)->findProperty(kModel);
        if (model && model->modelLocationView() && !model->modelLocation().isEmpty())
            context.pushModelLocation(model->modelLocation());
    }
    vsa::cDeserializeBinary document(copy);
    cVQ4VMVDocumentReader reader(context);
    return reader.buildChild(document, parent);
}

bool cQPreviewUpdater::buildAt(QObject &parentObject, QBoxLayout *box, int index, QWidget &host,
                               const cQAbstractDialogLayoutItem &item, const tBuiltFn &built)
{
    QObject *object = build(item, parentObject);
    if (!object)
        return false;
    if (box) {
        const int last = box->count() - 1;
        if (last < 0 || objectOf(box->itemAt(last)) != object || index > last)
            return false;
        if (index < last) {
            const int stretch = box->stretch(last);
            QLayoutItem *taken = box->takeAt(last);
            // Taken out, a layout has lost its parent layout: inserting it gives it back.
            if (QLayout *layout = taken->layout()) {
                box->insertLayout(index, layout, stretch);
                restoreLayoutOrder(*box, index);
            } else {
                box->insertItem(index, taken);
                box->setStretch(index, stretch);
            }
        }
    } else if (host.layout() != object) {
        return false;
    }

    // The host's children and the focus chain stand in document order: the new part goes in
    // front of the first widget that follows it.
    std::vector<QWidget *> widgets;
    hostedWidgets(*object, widgets);
    QWidget *following = box ? firstWidgetAfter(*box, index) : nullptr;
    // Qt shows the children of a widget when it is shown; a widget never shown yet (a page
    // behind others) keeps them hidden.
    const bool shown = !host.isHidden();
    for (QWidget *widget : widgets) {
        if (following)
            widget->stackUnder(following);
        const bool hidden
            = widget->isHidden() && widget->testAttribute(Qt::WA_WState_ExplicitShowHide);
        if (shown && !hidden)
            widget->show();
    }
    if (!widgets.empty()) {
        QWidget *before = following ? following->previousInFocusChain()
                                    : chainEndOf(host, widgets);
        if (!moveInFocusChain(before, chainOf(widgets.front(), widgets)))
            return false;
    }
    if (built) {
        if (!object->isWidgetType())
            built(*object);
        for (QWidget *widget : widgets)
            built(*widget);
    }
    return true;
}
