#pragma once

#include "vellcore/casciistring.h"

#include <functional>
#include <vector>

class QBoxLayout;
class QObject;
class QWidget;
class cDialogItemFactoryRegistry;
class cQAbstractDialogLayoutItem;
class cVQ4VMVDataViewMgr;
namespace vio { class cSearchPaths; }
namespace vmva { class cDVDataViewArgList; }

// Brings a preview up to date after changes of a few elements by rebuilding only their parts,
// from serialised copies of their subtrees through the same builders, at their places in their
// parents; whatever it cannot replace is left to a rebuild of the whole preview.
class cQPreviewUpdater
{
public:
    using tBuiltFn = std::function<void(QObject &built)>;

    cQPreviewUpdater(cVQ4VMVDataViewMgr &mgr, const cDialogItemFactoryRegistry &registry,
                     vmva::cDVDataViewArgList &arguments, const vio::cSearchPaths &searchPaths);

    // Changes since the previews were last brought up to date, noted by the elements' identities
    // (which every element must have) so that a note outlives the element it names: the values
    // of `item` changed; children of `item` came, went or moved; `item` is about to go.
    void noteValues(const cQAbstractDialogLayoutItem &item);
    void noteChildren(const cQAbstractDialogLayoutItem &item);
    void noteRemoval(const cQAbstractDialogLayoutItem &item);
    // Drops the notes: the previews were rebuilt as a whole.
    void forget();
    bool hasNotes() const { return !mNotes.empty() || mOverflow; }

    // Brings `preview`, a whole dialog preview (embedded or top-level) of the document under
    // `root`, up to date with the notes; `built` is called with each widget and layout that
    // holds what was built. False when only a rebuild of the whole preview can show the changes,
    // a failed build included (nothing is thrown); the preview may then be partly updated, and
    // must be rebuilt.
    bool apply(QWidget &preview, cQAbstractDialogLayoutItem &root, const tBuiltFn &built);

private:
    struct tNoteSet
    {
        vstd::cAsciiString identity;
        bool children = false;
    };
    void note(const cQAbstractDialogLayoutItem &item, bool children);
    bool sync(QWidget &preview, const cQAbstractDialogLayoutItem &parent,
              const cQAbstractDialogLayoutItem *forced, const tBuiltFn &built);
    bool syncBox(QObject &parentObject, QBoxLayout &box,
                 const cQAbstractDialogLayoutItem &parent,
                 const cQAbstractDialogLayoutItem *forced, const tBuiltFn &built);
    bool syncSole(QObject &parentObject, QWidget &container,
                  const cQAbstractDialogLayoutItem &parent,
                  const cQAbstractDialogLayoutItem *forced, const tBuiltFn &built);
    // Builds `item` into the parent's object and puts it at `index` of `box` (null: as the
    // container's own layout), with its widgets at their places among the host widget's
    // children and in the focus chain.
    bool buildAt(QObject &parentObject, QBoxLayout *box, int index, QWidget &host,
                 const cQAbstractDialogLayoutItem &item, const tBuiltFn &built);
    // Builds the element's copy into the parent's object; null when nothing was built.
    QObject *build(const cQAbstractDialogLayoutItem &item, QObject &parent);

    cVQ4VMVDataViewMgr &mMgr;
    const cDialogItemFactoryRegistry &mRegistry;
    vmva::cDVDataViewArgList &mArguments;
    const vio::cSearchPaths &mSearchPaths;
    std::vector<tNoteSet> mNotes;
    std::vector<vstd::cAsciiString> mRemoved;
    bool mOverflow = false;
};
