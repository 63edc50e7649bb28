#include "cabstractnodeui.h"

#include "cdmdatamodel.h"

#include "vellcore/cdebugstream.h"

namespace vmva {

cAbstractNodeUI::cAbstractNodeUI(const vstd::cAsciiString &name) : mName(name)
{
    sigChanged.setInvocationBehaviour(1);
    sigInvalid.setInvocationBehaviour(1);
}

cAbstractNodeUI::~cAbstractNodeUI()
{
    invalidate();
}

void cAbstractNodeUI::invalidate()
{
    if (mInvalidated)
        return;
    mInvalidated = true;
    try {
        sigInvalid.emitSignal(*this);
    } catch (const vstd::cAbstractException &e) {
        // Called from destructors: a failing receiver must not end the process.
        VELL_TRACE(QStringLiteral("+++ ERROR: Invalidating node %1 failed: %2")
                       .arg(qstr(mName), vstd::describe(e).text()));
    }
    if (mModel)
        mModel->removeNode(*this);
}

void cAbstractNodeUI::setUI(std::unique_ptr<cBasicModelProperties> properties)
{
    mUI = std::move(properties);
}

} // namespace vmva
