// Figures of the edit commands: pasting a copied subtree (the document reader over clipboard
// bytes) against loading a file of the same subtree, and removing a large subtree with the tree
// refill and preview rebuild that follow, against building the preview of what remains.

#include "cbenchcontext.h"
#include "cbenchfigures.h"
#include "cbenchformgenerator.h"

#include "qdialogeditorwidget/cqmodelviewdialogeditoredit.h"
#include "qdialogeditorwidget/cqmodelviewdialogeditorwidget.h"
#include "qdialogeditorwidget/cqmodelviewdialoglayouttreeitem.h"
#include "qdialogeditorwidget/cqmodelviewdialoglayouttreewidget.h"

#include "q4support/cvq4application.h"
#include "q4widgets/standardbuilders.h"
#include "qdialoglayoutitems/cdialogdocument.h"
#include "qdialoglayoutitems/cdialogitemfactoryregistry.h"
#include "vellcore/vsa.h"

#include <QAction>
#include <QApplication>
#include <QMenu>

#include <algorithm>
#include <ctime>
#include <vector>

namespace {
// This thread's processor time: the other load of a shared machine does not count.
// The median of `runs` timed steps, each with untimed preparation and clean-up around it.
template <class P, class W, class C> double medianMs(int runs, P prepare, W work, C cleanUp)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        prepare();
        const double start = threadCpuMs();
        work();
        times.push_back(threadCpuMs() - start);
        cleanUp();
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The row standing for `item`, or null.
QTreeWidgetItem *rowOf(QTreeWidget &tree, const cQAbstractDialogLayoutItem *item)
{
    for (QTreeWidgetItem *row : tree.findItems(QString(), Qt::MatchContains | Qt::MatchRecursive))
        if (cQModelViewDialogLayoutTreeItem::layoutItemOf(row) == item)
            return row;
    return nullptr;
}

void triggerEnabled(QObject &owner, const char *action)
{
    QAction *a = owner.findChild<QAction *>(action);
    a->setEnabled(true);
    a->trigger();
}

// Copies a generated form of n elements and pastes it into an empty document, as Paste does
// once the layout tree shows that document's root.
void pasteFigures(cBenchContext &context, int n)
{
    cVQ4Application &app = context.application();
    cDialogDocument source(&context.dataViewMgr(), context.registry(), app.dialogArguments());
    const int elements = cBenchFormGenerator(context.registry()).generate(source.root(), n);
    const QString file = context.scratchPath(QStringLiteral("paste%1.dlg").arg(n));
    source.saveDocument(qstr(file));

    cQModelViewDialogLayoutTreeWidget tree(nullptr);
    // Nobody marks a preview here.
    tree.sigItemHovered.setInvocationBehaviour(1);
    QMenu menu;
    cQModelViewDialogEditorEdit edit(&tree, &context.registry(), &menu);
    tree.fill(&source.root(), source.root().children()[0]);
    triggerEnabled(edit, "mpActCopy");

    cDialogDocument target(&context.dataViewMgr(), context.registry(), app.dialogArguments());
    tree.fill(&target.root(), nullptr);
    const double paste = medianMs(
        context.runs(), [] {}, [&] { edit.paste(*edit.clipboard().back()); },
        [&] {
            target.root().children()[0]->removeFromParent();
            target.root().purgeRemoved();
        });
    const double load = medianMs(
        context.runs(), [] {},
        [&] {
            cDialogDocument loaded(&context.dataViewMgr(), context.registry(),
                                   app.dialogArguments());
            loaded.loadDocument(qstr(file), true);
        },
        [] {});
    const auto key = [n](const char *name) {
        return QByteArray(name) + "_n" + QByteArray::number(n);
    };
    context.report(key("paste_elements").constData(), (long long)elements);
    context.report(key("paste_ms").constData(), paste);
    context.report(key("paste_load_ms").constData(), load);
    context.report(key("paste_vs_load_ratio").constData(), paste / load, 2);
}

// Removes a subtree of n elements from a form in the editor: the Remove command with the
// window's tree refill and preview rebuild.
void removeFigures(cBenchContext &context, int n)
{
    cVQ4Application &app = context.application();
    cDialogDocument big(&context.dataViewMgr(), context.registry(), app.dialogArguments());
    cBenchFormGenerator(context.registry()).generate(big.root(), n + 2);
    // The generated dialog's layout, n elements with its contents.
    vsa::cSerializeBinary subtree;
    subtree.setPreferNoLabels(false);
    context.registry().storeItem(*big.root().children()[0]->children()[0], subtree);
    const QByteArray bytes = subtree.data();

    cQModelViewDialogEditorWidget editor(context.dataViewMgr(), app.locale(),
                                         &app.dialogArguments());
    cQDialogLayoutRootItem &root = editor.document();
    cBenchFormGenerator(context.registry()).generate(root, 40);
    cQAbstractDialogLayoutItem &layout = *root.children()[0]->children()[0];
    auto *tree = editor.findChild<cQModelViewDialogLayoutTreeWidget *>();
    auto *edit = editor.findChild<cQModelViewDialogEditorEdit *>();
    const size_t kept = layout.children().size();
    cQAbstractDialogLayoutItem *removed = nullptr;
    const double remove = medianMs(
        context.runs(),
        [&] {
            vsa::cDeserializeBinary reader(bytes);
            reader.setPreferNoLabels(false);
            context.registry().loadItems(layout, nullptr, reader, false);
            removed = layout.children().back();
            editor.refreshLayoutTree(removed);
        },
        [&] { triggerEnabled(*edit, "mpActRemove"); },
        [&] { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); });
    if (rowOf(*tree, removed) || layout.children().size() != kept)
        VELL_THROW(vstd::cRuntimeException, "$VTR$The subtree was not removed!");
    QWidget parent;
    const double preview = medianMs(
        context.runs(), [] {}, [&] { editor.createPreview(&parent, false); }, [] {});
    context.report("remove_elements", (long long)n);
    context.report("remove_ms", remove);
    context.report("remove_preview_ms", preview);
    context.report("remove_vs_preview_ratio", remove / preview, 2);
}

void editFigures(cBenchContext &context)
{
    installStandardBuilders(context.dataViewMgr());
    pasteFigures(context, 100);
    pasteFigures(context, 1000);
    removeFigures(context, 1000);
}

const cBenchFigureGroup editGroup("edit", 30, &editFigures, &makeWidgetApplication);
} // namespace
