#pragma once

#include <QByteArray>

#include <functional>
#include <memory>
#include <vector>

class QUndoCommand;
namespace vstd { class cAbstractException; }

class cDialogDocument;
class cDialogItemFactoryRegistry;
class cQAbstractDialogLayoutItem;
class cQDialogLayoutRootItem;

// What the undo steps work on: the document, reached by the position of an element in the
// tree (items are recreated when a step is undone, so no step keeps a pointer), and the editor
// around it, told before items go and after every step applied.
class cQDialogUndoContext
{
public:
    using tPath = std::vector<int>;
    // What a step did to the tree: property or form values only, or an element added, removed
    // or moved.
    enum Change { Values, Added, Removed, Moved };

    // A step that could not be applied, whether it was being undone, and why.
    struct tFailure
    {
        const QUndoCommand *step = nullptr;
        bool undo = false;
        std::unique_ptr<vstd::cAbstractException> error;
    };

    cQDialogUndoContext(cDialogDocument &document, const cDialogItemFactoryRegistry &registry);
    ~cQDialogUndoContext();

    cQDialogLayoutRootItem &root() const;
    const cDialogItemFactoryRegistry &registry() const { return mRegistry; }

    // The child positions from the root down to `item`; elements marked for removal do not
    // count.
    static tPath pathOf(const cQAbstractDialogLayoutItem &item);
    // The element at `path`; throws cBugException when the document has none there.
    cQAbstractDialogLayoutItem &itemAt(const tPath &path) const;

    // The element record of `item` with its subtree, as the clipboard holds it.
    QByteArray storeSubtree(const cQAbstractDialogLayoutItem &item) const;
    // Reads `bytes` into the document so that the new element stands at `path`.
    cQAbstractDialogLayoutItem &insertSubtree(const tPath &path, const QByteArray &bytes) const;
    // Destroys the element at `path` with its subtree; returns its parent.
    cQAbstractDialogLayoutItem &removeSubtree(const tPath &path) const;

    // Called before an element is destroyed with its subtree: nothing may keep pointing at
    // them.
    std::function<void(const cQAbstractDialogLayoutItem &)> releaseItems;
    // Called after a step was undone or redone, with the element to select (null: keep the
    // selection; for Added the new element).
    std::function<void(cQAbstractDialogLayoutItem *select, Change change)> changed;
    // Set by the first step of a move through the history that fails; while set, the other
    // steps do nothing, so that the history can be put back where the document stands.
    tFailure failure;

private:
    cDialogDocument &mDocument;
    const cDialogItemFactoryRegistry &mRegistry;
};
