// The window's "Elements" dock, the drops on its layout tree and the hint of an empty form.
#include "cqmodelviewdialogeditorwidget.h"

#include "celementplacement.h"
#include "cqelementsdock.h"
#include "cqmodelviewdialogeditoredit.h"
#include "cqmodelviewdialogeditorviewitems.h"
#include "cqmodelviewdialoglayouttreewidget.h"
#include "cqpreviewupdater.h"
#include "cqpreviewwidgetview.h"

#include "qdialoglayoutitems/cqdialoglayoutrootitem.h"

namespace {
using tDropPair = cQModelViewDialogLayoutTreeWidget::tDropPair;
} // namespace

void cQModelViewDialogEditorWidget::setupElementsDock()
{
    using P = cElementPlacement;
    mpElementsDock = new cQElementsDock(*mpViewItems, this);
    addDockWidget(Qt::LeftDockWidgetArea, mpElementsDock);

    // A row dragged within the tree moves its element, a type from the dock adds one; both
    // land where the placement rules put them, and a drop they refuse does nothing.
    const auto where = [this](const QMimeData &data, const tDropPair &aim,
                              cQAbstractDialogLayoutItem *&moving,
                              const cAbstractDialogItemFactory *&factory, P::tPlacePair &place) {
        moving = mpLayoutTree->draggedItem(data);
        factory = moving ? nullptr : mpElementsDock->draggedFactory(data);
        if (!aim.target || (!moving && !factory))
            return;
        P::find(moving ? P::moving(*moving) : P::typeOf(*factory), *aim.target,
                P::Position(aim.position), place);
    };
    mpLayoutTree->placeDrop = [where](const QMimeData &data, const tDropPair &aim) {
        cQAbstractDialogLayoutItem *moving = nullptr;
        const cAbstractDialogItemFactory *factory = nullptr;
        P::tPlacePair place;
        where(data, aim, moving, factory, place);
        if (!place.parent)
            return tDropPair();
        // A row that does not take it gets it in front: the mark says so.
        if (aim.position == P::Into && place.parent != aim.target)
            return tDropPair{aim.target, P::Before};
        return aim;
    };
    mpLayoutTree->acceptDrop = [this, where](const QMimeData &data, const tDropPair &aim) {
        cQAbstractDialogLayoutItem *moving = nullptr;
        const cAbstractDialogItemFactory *factory = nullptr;
        P::tPlacePair place;
        where(data, aim, moving, factory, place);
        if (place.parent && moving) {
            // The rows and the preview's part leave the old parent here: the structure signal
            // that follows the move tells of the new parent only.
            mpLayoutTree->removeRows(*moving);
            if (const cQAbstractDialogLayoutItem *from = moving->parentOrNull())
                mpPreviewUpdater->noteChildren(*from);
            mpEdit->moveTo(*moving, place);
        } else if (place.parent) {
            mpViewItems->addAt(*factory, place);
        }
    };
    connect(this, &cQModelViewDialogEditorWidget::documentModified, this,
            &cQModelViewDialogEditorWidget::updateEmptyHint);
    connect(this, &cQModelViewDialogEditorWidget::documentReplaced, this,
            &cQModelViewDialogEditorWidget::updateEmptyHint);
}

void cQModelViewDialogEditorWidget::updateEmptyHint()
{
    const bool empty = mpDocument->root().children().empty();
    mpPreviewView->setEmptyHint(empty ? mpElementsDock->startHint() : QString());
    // A new editor shows how to begin before anything was previewed.
    if (empty && !mpPreviewView->currentPreview())
        mpPreviewView->showEmptyPreview();
}
