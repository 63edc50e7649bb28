#include "cqdialogundopropertycommand.h"

#include "qdialoglayoutitems/cqabstractdialoglayoutitem.h"

#include "vellcore/cabstractexception.h"
#include "vellmva2/cdviabstractproperty.h"
#include "vellmva2/cdvitypedproperties.h"

#include <QCoreApplication>

cQDialogUndoPropertyCommand::tValueSet
cQDialogUndoPropertyCommand::capture(const vmva::cDVIAbstractProperty &property)
{
    if (const auto *picture = dynamic_cast<const vmva::cDVIPixmapProperty *>(&property))
        return {QByteArray(), picture->value(), property.modelLocation()};
    vsa::cSerializeBinary serializer;
    serializer.setPreferNoLabels(false);
    property.storeValue(serializer);
    return {serializer.data(), QByteArray(), property.modelLocation()};
}

void cQDialogUndoPropertyCommand::restore(vmva::cDVIAbstractProperty &property,
                                          const tValueSet &state)
{
    if (vmva::cDVIPixmapProperty *picture = property.pixmapView()) {
        picture->setValue(state.picture);
    } else {
        vsa::cDeserializeBinary deserializer(state.value, vucs::cString("undo"));
        deserializer.setPreferNoLabels(false);
        if (deserializer.hasEntry("Value"))
            property.loadValue(deserializer);
        else
            property.resetToDefault();
    }
    property.setModelLocation(state.location);
}

cQDialogUndoPropertyCommand::cQDialogUndoPropertyCommand(
    cQDialogUndoContext &context, cQDialogUndoContext::tPath path, vstd::cAsciiString name,
    tValueSet before, tValueSet after, int session)
    : cQDialogUndoCommand(context, QString()), mPath(std::move(path)), mName(std::move(name)),
      mKind(before.sameValue(after) ? Binding : Value), mBefore(std::move(before)),
      mAfter(std::move(after)), mSession(session)
{
    setText(describe());
}

QString cQDialogUndoPropertyCommand::describe() const
{
    const char *verb = QT_TRANSLATE_NOOP("cQDialogUndoPropertyCommand", "Change");
    if (mKind == Binding && mAfter.location.isEmpty())
        verb = QT_TRANSLATE_NOOP("cQDialogUndoPropertyCommand", "Unbind");
    else if (mKind == Binding)
        verb = mBefore.location.isEmpty()
                   ? QT_TRANSLATE_NOOP("cQDialogUndoPropertyCommand", "Bind")
                   : QT_TRANSLATE_NOOP("cQDialogUndoPropertyCommand", "Rebind");
    return QCoreApplication::translate("cQDialogUndoPropertyCommand", verb) + QLatin1Char(' ')
           + qstr(mName);
}

bool cQDialogUndoPropertyCommand::mergeWith(const QUndoCommand *other)
{
    const auto *next = static_cast<const cQDialogUndoPropertyCommand *>(other);
    if (next->mSession != mSession || next->mKind != mKind || next->mName != mName
        || next->mPath != mPath)
        return false;
    mAfter = next->mAfter;
    setText(describe());
    // Back where it started: the step is dropped by the stack.
    setObsolete(mAfter == mBefore);
    return true;
}

qsizetype cQDialogUndoPropertyCommand::dataBytes() const
{
    const auto setBytes = [](const tValueSet &s) {
        return s.value.size() + s.picture.size() + qsizetype(s.location.parameterName().size())
               + qsizetype(s.location.elementName().size());
    };
    return qsizetype(sizeof(*this) + mPath.size() * sizeof(int)) + qsizetype(mName.size())
           + setBytes(mBefore) + setBytes(mAfter);
}

cQAbstractDialogLayoutItem *cQDialogUndoPropertyCommand::applyUndo()
{
    return apply(mBefore);
}

cQAbstractDialogLayoutItem *cQDialogUndoPropertyCommand::applyRedo()
{
    return apply(mAfter);
}

cQAbstractDialogLayoutItem *cQDialogUndoPropertyCommand::apply(const tValueSet &state)
{
    cQAbstractDialogLayoutItem &item = context().itemAt(mPath);
    vmva::cDVIAbstractProperty *property = item.findProperty(mName);
    if (!property)
        VELL_THROW(vstd::cBugException,
                   vucs::cLIMessage("$VTR$The element has no property %name%!") << mName);
    restore(*property, state);
    return &item;
}
