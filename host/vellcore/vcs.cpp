#include "cmodulemgr.h"

namespace vcs {

vstd::cAsciiString cComponentAddr::toString() const
{
    if (!isValid())
        return "none";
    return mFrame + ":" + vstd::cAsciiString(QByteArray::number(mId));
}

cAbstractComponent::cAbstractComponent(cModuleMgr &moduleMgr, vsa::cReferenceFrame &frame)
    : mModuleMgr(&moduleMgr), mFrame(&frame), mAddress(moduleMgr.registerComponent(*this, frame))
{
}

cAbstractComponent::~cAbstractComponent()
{
    if (mModuleMgr)
        mModuleMgr->unregisterComponent(*this);
}

} // namespace vcs
