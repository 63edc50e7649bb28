#include "cvq4vmvpropertybinding.h"

#include "q4support/cvq4signalblocker.h"
#include "vellmva2/cbasicmodelproperties.h"
#include "vellcore/cdebugstream.h"
#include "vellcore/cerrorreporter.h"

#include <QPointer>

cVQ4VMVPropertyBinding::cVQ4VMVPropertyBinding(QObject &object, vmva::cAbstractNodeUI &node,
                                               const cVQ4VMVElementBuilder::tAspectSet &aspect,
                                               unsigned direction)
    : QObject(&object), mObject(object), mNode(&node),
      mKind(cVQ4VMVNodeValue::kindOf(node)), mAspect(aspect), mDirection(direction)
{
    node.sigInvalid.connect(
        vrmi::cDirectLocalSlotCall1<cVQ4VMVPropertyBinding, const vmva::cAbstractNodeUI &>(
            this, &cVQ4VMVPropertyBinding::sltNodeInvalid));
    if (mAspect.range) {
        cVQ4SignalBlocker blocker(object);
        if (auto *r = dynamic_cast<const vmva::cRangeModelProperties *>(node.ui())) {
            if (r->hasRange())
                mAspect.range(object, double(r->minimum()), double(r->maximum()));
        } else if (auto *d = dynamic_cast<const vmva::cDRangeModelProperties *>(node.ui())) {
            if (d->hasRange())
                mAspect.range(object, d->minimum(), d->maximum());
        }
    }
    if (mDirection & vmva::cDVIAbstractProperty::DirectionIn) {
        node.sigChanged.connect(vrmi::cDirectLocalSlotCall0<cVQ4VMVPropertyBinding>(
            this, &cVQ4VMVPropertyBinding::sltNodeChanged));
        showNode();
    }
    if (mDirection & vmva::cDVIAbstractProperty::DirectionOut)
        connect(&object, mAspect.userSignal, this, SLOT(sltUserInput()));
}

cVQ4VMVPropertyBinding::~cVQ4VMVPropertyBinding() = default;

void cVQ4VMVPropertyBinding::showNode()
{
    if (!mNode || !mAspect.show || mKind == cVQ4VMVNodeValue::Void)
        return;
    QVariant value;
    try {
        if (!mNode->hasObject()) {
            VELL_TRACE(QStringLiteral("+++ WARNING: Node %1 has no object!")
                           .arg(qstr(mNode->name())));
            return;
        }
        value = cVQ4VMVNodeValue::read(*mNode, mKind);
    } catch (const vstd::cAbstractException &e) {
        VELL_TRACE(QStringLiteral("+++ WARNING: Node %1 not shown: %2")
                       .arg(qstr(mNode->name()), QString::fromUtf8(e.what())));
        return;
    }
    if (!value.isValid())
        return;
    cVQ4SignalBlocker blocker(mObject);
    mAspect.show(mObject, value);
}

void cVQ4VMVPropertyBinding::sltUserInput()
{
    // Qt calls in here: what the node refuses goes to the application's error reporter.
    vpi::cErrorReporter::guard([this] { writeUserInput(); });
}

void cVQ4VMVPropertyBinding::writeUserInput()
{
    if (!mNode || mWriting || !mAspect.read)
        return;
    const QVariant value = mAspect.read(mObject);
    // The node's receivers may destroy the form, this binding with it (a command that closes
    // the window): nothing of this object is touched once it is gone.
    const QPointer<cVQ4VMVPropertyBinding> self(this);
    mWriting = true;
    try {
        cVQ4VMVNodeValue::write(*mNode, mKind, value);
    } catch (const vstd::cAbstractException &) {
        if (self) {
            mWriting = false;
            // The refused value gives way to the node's own before the refusal is reported.
            if (mDirection & vmva::cDVIAbstractProperty::DirectionIn)
                showNode();
        }
        throw;
    }
    if (self)
        mWriting = false;
}

void cVQ4VMVPropertyBinding::writeBack(QObject &object)
{
    const auto bindings =
        object.findChildren<cVQ4VMVPropertyBinding *>(Qt::FindDirectChildrenOnly);
    for (const QPointer<cVQ4VMVPropertyBinding> binding : bindings) {
        if (!binding || !(binding->mDirection & vmva::cDVIAbstractProperty::DirectionOut))
            continue;
        try {
            binding->writeUserInput();
        } catch (const vstd::cAbstractException &e) {
            VELL_TRACE(QStringLiteral("+++ WARNING: %1").arg(QString::fromUtf8(e.what())));
        }
    }
}

piVoid cVQ4VMVPropertyBinding::sltNodeChanged()
{
    if (!mWriting)
        showNode();
    return piVoid();
}

piVoid cVQ4VMVPropertyBinding::sltNodeInvalid(const vmva::cAbstractNodeUI &)
{
    // Only the node's base part is left at this point: no value may be read any more.
    disconnectAll();
    mNode = nullptr;
    emit nodeLost();
    return piVoid();
}
