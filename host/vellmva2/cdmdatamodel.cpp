#include "cdmdatamodel.h"

#include "vellcore/cdebugstream.h"
#include "vellcore/cmodulemgr.h"

#include <algorithm>

namespace vmva {

namespace {

constexpr const char *kRootKey = "vmva.rootModel";

class cRootModelAttachment final : public vcs::cModuleMgr::cAttachment
{
public:
    explicit cRootModelAttachment(vcs::cModuleMgr &moduleMgr)
        : model(moduleMgr, "root", cDMDataModel::Unregistered) {}
    cDMDataModel model;
};

// Splits "a.b.c" into "a" and "b.c" ("a" and "" without a dot).
void splitFirst(const vstd::cAsciiString &path, vstd::cAsciiString &head,
                vstd::cAsciiString &tail)
{
    const int dot = path.find('.');
    head = dot < 0 ? path : path.left(dot);
    tail = dot < 0 ? vstd::cAsciiString() : path.mid(dot + 1);
}

} // namespace

cDMDataModel::cDMDataModel(vcs::cModuleMgr &moduleMgr, const vstd::cAsciiString &name, int mode)
    : mName(name)
{
    sigSubModelRegistered.setInvocationBehaviour(1);
    sigSubModelRemoved.setInvocationBehaviour(1);
    sigElementRegistered.setInvocationBehaviour(1);
    sigDestroyed.setInvocationBehaviour(1);
    sigProviderChanged.setInvocationBehaviour(1);
    if (mode == RegisterWithModuleMgr)
        root(moduleMgr).addModel(*this);
}

cDMDataModel::cDMDataModel(cDMDataModel &parent, const vstd::cAsciiString &name) : mName(name)
{
    sigSubModelRegistered.setInvocationBehaviour(1);
    sigSubModelRemoved.setInvocationBehaviour(1);
    sigElementRegistered.setInvocationBehaviour(1);
    sigDestroyed.setInvocationBehaviour(1);
    sigProviderChanged.setInvocationBehaviour(1);
    parent.addModel(*this);
}

cDMDataModel::~cDMDataModel()
{
    try {
        sigDestroyed.emitSignal(*this);
        if (mParent)
            mParent->removeModel(*this);
    } catch (const vstd::cAbstractException &e) {
        VELL_TRACE(QStringLiteral("+++ ERROR: Destroying model %1 failed: %2")
                       .arg(qstr(mName), vstd::describe(e).text()));
        if (mParent) {
            auto &list = mParent->mModels;
            list.erase(std::remove(list.begin(), list.end(), this), list.end());
        }
    }
    detachChildren();
}

void cDMDataModel::detachChildren()
{
    // Nodes and sub-models are not owned; they simply stop pointing here.
    for (cAbstractNodeUI *node : mNodes)
        node->mModel = nullptr;
    for (cDMDataModel *model : mModels)
        model->mParent = nullptr;
    mNodes.clear();
    mModels.clear();
}

void cDMDataModel::addNode(cAbstractNodeUI &node)
{
    if (node.mModel == this)
        return;
    if (node.mModel)
        node.mModel->removeNode(node);
    mNodes.push_back(&node);
    node.mModel = this;
    sigElementRegistered.emitSignal(*this, node);
}

void cDMDataModel::removeNode(cAbstractNodeUI &node)
{
    mNodes.erase(std::remove(mNodes.begin(), mNodes.end(), &node), mNodes.end());
    if (node.mModel == this)
        node.mModel = nullptr;
}

void cDMDataModel::addModel(cDMDataModel &model)
{
    for (const cDMDataModel *m = this; m; m = m->mParent) {
        if (m == &model)
            VELL_THROW(vstd::cBugException,
                       vucs::cLIMessage("$VTR$Model %name% cannot become a sub-model of %name%!")
                           << model.name() << name());
    }
    if (model.mParent == this)
        return;
    if (model.mParent)
        model.mParent->removeModel(model);
    mModels.push_back(&model);
    model.mParent = this;
    sigSubModelRegistered.emitSignal(model);
}

void cDMDataModel::removeModel(cDMDataModel &model)
{
    const auto it = std::find(mModels.begin(), mModels.end(), &model);
    if (it == mModels.end())
        return;
    mModels.erase(it);
    model.mParent = nullptr;
    sigSubModelRemoved.emitSignal(model);
}

void cDMDataModel::setComponent(vcs::cAbstractComponent &component)
{
    const vcs::cComponentAddr previous = modelProviderLocation();
    mProvider = component.address();
    if (previous != mProvider)
        sigProviderChanged.emitSignal(*this, previous);
}

vcs::cComponentAddr cDMDataModel::modelProviderLocation() const
{
    for (const cDMDataModel *m = this; m; m = m->mParent) {
        if (m->mProvider.isValid())
            return m->mProvider;
    }
    return vcs::cComponentAddr();
}

cDMDataModel *cDMDataModel::tryFindModel(const vstd::cAsciiString &name,
                                         const vcs::cComponentAddr &location) const
{
    vstd::cAsciiString head, tail;
    splitFirst(name, head, tail);
    if (head.empty())
        return nullptr;
    for (cDMDataModel *model : mModels) {
        if (model->name() != head)
            continue;
        if (location.isValid() && model->modelProviderLocation() != location)
            continue;
        if (tail.empty())
            return model;
        // Sub-models share their top-level model's provider: any provider below.
        if (cDMDataModel *found = model->tryFindModel(tail))
            return found;
    }
    return nullptr;
}

cAbstractNodeUI *cDMDataModel::tryFindNode(const vstd::cAsciiString &path) const
{
    const int dot = path.bytes().lastIndexOf('.');
    const cDMDataModel *model = this;
    if (dot >= 0) {
        model = tryFindModel(path.left(dot));
        if (!model)
            return nullptr;
    }
    const vstd::cAsciiString nodeName = path.mid(dot + 1);
    for (cAbstractNodeUI *node : model->mNodes) {
        if (node->name() == nodeName)
            return node;
    }
    return nullptr;
}

cDMDataModel &cDMDataModel::root(vcs::cModuleMgr &moduleMgr)
{
    auto *attachment = static_cast<cRootModelAttachment *>(moduleMgr.attachment(kRootKey));
    if (!attachment) {
        auto created = std::make_unique<cRootModelAttachment>(moduleMgr);
        attachment = created.get();
        moduleMgr.setAttachment(kRootKey, std::move(created));
    }
    return attachment->model;
}

} // namespace vmva
