#include "cqdialogundorecorder.h"

#include "cqdialogundoforminfocommand.h"
#include "cqdialogundomovecommand.h"
#include "cqdialogundorelocatecommand.h"
#include "cqdialogundostructurecommand.h"

#include "qdialoglayoutitems/cqabstractdialoglayoutitem.h"

#include "vellmva2/cdvabstractstddmviewproperties.h"

namespace {
QString named(const QString &verb, const cQAbstractDialogLayoutItem &item)
{
    return verb + QLatin1Char(' ') + qstr(item.displayName());
}
} // namespace

cQDialogUndoRecorder::cQDialogUndoRecorder(cQDialogUndoContext &context,
                                           cQVMVFormDialog *panel)
    : mContext(context), mpPanel(panel)
{
    mStack.setObjectName(QStringLiteral("mpUndoStack"));
    mStack.setUndoLimit(kMaxSteps);
    if (mpPanel) {
        mFormFields = mpPanel->editSet();
        connect(mpPanel, &cQVMVFormDialog::edited, this, &cQDialogUndoRecorder::formEdited);
        // Undone and redone steps change the panel too: the next edit compares with that.
        connect(&mStack, &QUndoStack::indexChanged, this,
                [this] { mFormFields = mpPanel->editSet(); });
    }
}

cQDialogUndoRecorder::~cQDialogUndoRecorder()
{
    // The stack empties itself on its way out: nobody is to hear of that.
    disconnect(&mStack, &QUndoStack::indexChanged, nullptr, nullptr);
    disconnect(&mStack, &QUndoStack::cleanChanged, nullptr, nullptr);
    disconnect(&mStack, &QUndoStack::canUndoChanged, nullptr, nullptr);
    disconnect(&mStack, &QUndoStack::canRedoChanged, nullptr, nullptr);
    disconnect(&mStack, &QUndoStack::undoTextChanged, nullptr, nullptr);
    disconnect(&mStack, &QUndoStack::redoTextChanged, nullptr, nullptr);
}

qsizetype cQDialogUndoRecorder::dataBytes() const
{
    qsizetype bytes = 0;
    for (int i = 0; i < mStack.count(); ++i)
        bytes += static_cast<const cQDialogUndoCommand *>(mStack.command(i))->dataBytes();
    return bytes;
}

void cQDialogUndoRecorder::push(cQDialogUndoCommand *command)
{
    mStack.push(command);
}

void cQDialogUndoRecorder::recordAdded(const cQAbstractDialogLayoutItem &item,
                                       const QString &verb, const QByteArray &record)
{
    push(new cQDialogUndoStructureCommand(
        mContext, named(verb, item), cQDialogUndoContext::pathOf(item),
        record.isEmpty() ? mContext.storeSubtree(item) : record, true));
}

void cQDialogUndoRecorder::recordTakingOut(const cQAbstractDialogLayoutItem &item,
                                           const QString &verb)
{
    push(new cQDialogUndoStructureCommand(mContext, named(verb, item),
                                          cQDialogUndoContext::pathOf(item),
                                          mContext.storeSubtree(item), false));
}

void cQDialogUndoRecorder::recordRelocated(const cQAbstractDialogLayoutItem &item,
                                           const cQDialogUndoContext::tPath &from,
                                           const QString &verb)
{
    push(new cQDialogUndoRelocateCommand(mContext, named(verb, item), from,
                                         cQDialogUndoContext::pathOf(item)));
}

void cQDialogUndoRecorder::recordMoved(const cQAbstractDialogLayoutItem &item, bool up)
{
    push(new cQDialogUndoMoveCommand(mContext, named(up ? tr("Move Up") : tr("Move Dn"), item),
                                     cQDialogUndoContext::pathOf(item), up));
}

void cQDialogUndoRecorder::track(const cQAbstractDialogLayoutItem *item)
{
    ++mSession;
    mpTracked = item;
    mTrackedValues.clear();
    if (!item || !item->properties())
        return;
    for (const vmva::cDVIAbstractProperty *property : item->properties()->properties())
        mTrackedValues.push_back(cQDialogUndoPropertyCommand::capture(*property));
}

void cQDialogUndoRecorder::propertiesCommitted()
{
    if (!mpTracked || !mpTracked->properties())
        return;
    const auto &properties = mpTracked->properties()->properties();
    for (size_t i = 0; i < properties.size() && i < mTrackedValues.size(); ++i) {
        cQDialogUndoPropertyCommand::tValueSet now
            = cQDialogUndoPropertyCommand::capture(*properties[i]);
        if (now == mTrackedValues[i])
            continue;
        pushProperty(*mpTracked, *properties[i], mTrackedValues[i], now);
        mTrackedValues[i] = std::move(now);
    }
}

void cQDialogUndoRecorder::recordProperty(const cQAbstractDialogLayoutItem &item,
                                          const vmva::cDVIAbstractProperty &property,
                                          const cQDialogUndoPropertyCommand::tValueSet &before)
{
    cQDialogUndoPropertyCommand::tValueSet now = cQDialogUndoPropertyCommand::capture(property);
    if (now == before)
        return;
    if (&item == mpTracked) {
        const auto &properties = item.properties()->properties();
        for (size_t i = 0; i < properties.size() && i < mTrackedValues.size(); ++i)
            if (properties[i] == &property)
                mTrackedValues[i] = now;
    }
    pushProperty(item, property, before, now);
}

void cQDialogUndoRecorder::pushProperty(const cQAbstractDialogLayoutItem &item,
                                        const vmva::cDVIAbstractProperty &property,
                                        const cQDialogUndoPropertyCommand::tValueSet &before,
                                        const cQDialogUndoPropertyCommand::tValueSet &after)
{
    push(new cQDialogUndoPropertyCommand(mContext, cQDialogUndoContext::pathOf(item),
                                         property.name(), before, after, mSession));
}

void cQDialogUndoRecorder::formEdited()
{
    if (!mpPanel)
        return;
    cQVMVFormDialog::tEditSet now = mpPanel->editSet();
    if (now.sameEffect(mFormFields))
        return;
    push(new cQDialogUndoFormInfoCommand(mContext, tr("Change Form Information"), *mpPanel,
                                         mFormFields, now));
    mFormFields = now;
}

bool cQDialogUndoRecorder::hasPendingFormEdit() const
{
    return mpPanel && !mpPanel->editSet().sameEffect(mFormFields);
}

void cQDialogUndoRecorder::documentSaved()
{
    // What the panel shows was saved: it is a step of its own, the one the history marks.
    formEdited();
    ++mSession;
    mStack.setClean();
}

void cQDialogUndoRecorder::documentReplaced()
{
    track(nullptr);
    mStack.clear();
    if (mpPanel)
        mFormFields = mpPanel->editSet();
}
