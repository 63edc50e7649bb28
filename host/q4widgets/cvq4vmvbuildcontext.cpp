#include "cvq4vmvbuildcontext.h"

#include "cvq4vmvnodevalue.h"
#include "cvq4vmvpropertybinding.h"

#include "q4support/cvq4vmvdataviewmgr.h"
#include "vellcore/cdebugstream.h"
#include "vellmva2/cdvitypedproperties.h"

cVQ4VMVBuildContext::cVQ4VMVBuildContext(cVQ4VMVDataViewMgr &mgr,
                                         vmva::cDVDataViewArgList &arguments,
                                         const vio::cSearchPaths &searchPaths,
                                         vucs::cLILocale *locale)
    : mMgr(mgr), mArguments(arguments), mSearchPaths(searchPaths), mLocale(locale)
{
}

tLayoutCellSet cVQ4VMVBuildContext::placingCell() const
{
    if (!mPlacing)
        return tLayoutCellSet();
    const QByteArrayView wanted("Cell");
    for (vmva::cDVIAbstractProperty *property : mPlacing->properties())
        if (property->name().bytes() == wanted && property->asciiStringView())
            return cellOf(property->asciiStringView()->value());
    return tLayoutCellSet();
}

void cVQ4VMVBuildContext::pushModelLocation(const vmva::cDMDataModelDescriptor &location)
{
    mModelLocations.push_back(absolute(location));
}

void cVQ4VMVBuildContext::popModelLocation()
{
    VELL_ASSERT(!mModelLocations.empty());
    mModelLocations.pop_back();
}

vmva::cDMDataModelDescriptor cVQ4VMVBuildContext::absolute(
    const vmva::cDMDataModelDescriptor &location) const
{
    static const vstd::cAsciiString relative = vstd::cAsciiString::fromStatic(kRelativeParameter);
    if (mModelLocations.empty() || location.parameterName() != relative)
        return location;
    const vmva::cDMDataModelDescriptor &base = mModelLocations.back();
    if (base.elementName().empty())
        return vmva::cDMDataModelDescriptor(base.parameterName(), location.elementName());
    if (location.elementName().empty())
        return base;
    return vmva::cDMDataModelDescriptor(base.parameterName(),
                                        base.elementName() + "." + location.elementName());
}

vmva::cDMDataModel *cVQ4VMVBuildContext::model(const vstd::cAsciiString &parameterName)
{
    // The last text is held (only one the heap owns), so an equal address is the same text.
    if (!mLastParameter.isNull() && parameterName.bytes().constData() == mLastParameter.constData()
        && parameterName.size() == mLastParameter.size())
        return mLastModel;
    const auto cached = mModels.constFind(parameterName.bytes());
    if (cached != mModels.constEnd()) {
        QByteArray held = parameterName.bytes();
        if (held.data_ptr().d_ptr()) {
            mLastParameter = std::move(held);
            mLastModel = cached.value();
        }
        return cached.value();
    }
    vmva::cDMDataModel *found = nullptr;
    const vmva::cDVDataViewArgList::cArgument *argument =
        mArguments.tryFindParameter(parameterName);
    if (!argument) {
        VELL_TRACE(QStringLiteral("+++ WARNING: Parameter %1 is unknown!")
                       .arg(qstr(parameterName)));
    } else if (!(found = argument->hasDM())) {
        if (!argument->isSet())
            VELL_TRACE(QStringLiteral("+++ WARNING: Parameter %1 is not set!")
                           .arg(qstr(parameterName)));
        else if (!(found = mMgr.root().tryFindModel(argument->modelName(), argument->location())))
            VELL_TRACE(QStringLiteral("+++ WARNING: Model %1 of parameter %2 not found!")
                           .arg(qstr(argument->modelName()), qstr(parameterName)));
    }
    mModels.insert(parameterName.bytes(), found);
    return found;
}

vmva::cAbstractNodeUI *cVQ4VMVBuildContext::resolve(const vmva::cDMDataModelDescriptor &location)
{
    const vmva::cDMDataModelDescriptor where = absolute(location);
    vmva::cDMDataModel *found = model(where.parameterName());
    if (!found)
        return nullptr;
    vmva::cAbstractNodeUI *node = found->tryFindNode(where.elementName());
    if (!node)
        VELL_TRACE(QStringLiteral("+++ WARNING: Node %1 not found in model %2!")
                       .arg(qstr(where.elementName()), qstr(found->name())));
    return node;
}

cVQ4VMVPropertyBinding *cVQ4VMVBuildContext::bind(QObject &object,
                                                  vmva::cDVIAbstractProperty &property,
                                                  const cVQ4VMVElementBuilder::tAspectSet &aspect)
{
    unsigned direction = property.flags() & vmva::cDVIAbstractProperty::DirectionMask;
    if (direction == 0)
        direction = vmva::cDVIAbstractProperty::DirectionIn;
    if (!aspect.show)
        direction &= ~unsigned(vmva::cDVIAbstractProperty::DirectionIn);
    if (!aspect.read || !aspect.userSignal)
        direction &= ~unsigned(vmva::cDVIAbstractProperty::DirectionOut);
    if (direction == 0) {
        VELL_TRACE(QStringLiteral("+++ WARNING: Property %1 cannot be bound!")
                       .arg(qstr(property.name())));
        return nullptr;
    }
    vmva::cAbstractNodeUI *node = resolve(property.modelLocation());
    if (!node)
        return nullptr;
    ++mBindings;
    return new cVQ4VMVPropertyBinding(object, *node, aspect, direction);
}
