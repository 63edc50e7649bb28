#pragma once

#include "cabstractnodeui.h"

#include "vellcore/vcs.h"

#include <vector>

namespace vmva {

// A named data model: nodes and sub-models in order, provided by a component.
class cDMDataModel : public vrmi::cConnectable
{
public:
    enum RegistrationMode {
        RegisterWithModuleMgr = 0, // a top-level model under the manager's root model
        Unregistered = 1           // a free model, for example a sub-model or the root itself
    };

    cDMDataModel(vcs::cModuleMgr &moduleMgr, const vstd::cAsciiString &name, int mode = 0);
    // A sub-model of `parent` (registered with it, provided by the parent's component).
    cDMDataModel(cDMDataModel &parent, const vstd::cAsciiString &name);
    ~cDMDataModel() override;   // emits sigDestroyed, then leaves its parent
    cDMDataModel(const cDMDataModel &) = delete;
    cDMDataModel &operator=(const cDMDataModel &) = delete;

    const vstd::cAsciiString &name() const { return mName; }
    // Adds a node (not owned) and emits sigElementRegistered. A node belongs to one model at a
    // time: it leaves its previous one; adding it again to the same model does nothing.
    void addNode(cAbstractNodeUI &node);
    // Takes the node out of the model (no signal: the node's own sigInvalid tells its end).
    void removeNode(cAbstractNodeUI &node);
    // Adds a sub-model (not owned) and emits sigSubModelRegistered; it leaves its previous
    // parent. Throws cBugException when `model` is this model or one of its ancestors.
    void addModel(cDMDataModel &model);
    // Takes the sub-model out and emits sigSubModelRemoved.
    void removeModel(cDMDataModel &model);

    // The component that provides the model; sub-models inherit their parent's. Emits
    // sigProviderChanged when the provider location changes.
    void setComponent(vcs::cAbstractComponent &component);
    vcs::cComponentAddr modelProviderLocation() const;

    const std::vector<cDMDataModel *> &lstModels() const { return mModels; }
    const std::vector<cAbstractNodeUI *> &lstNodes() const { return mNodes; }
    cDMDataModel *parentModel() const { return mParent; }

    // The sub-model named `name` (a dotted path "a.b.c" descends) whose provider is `location`
    // (an invalid address matches any provider), or null.
    cDMDataModel *tryFindModel(const vstd::cAsciiString &name,
                               const vcs::cComponentAddr &location = vcs::cComponentAddr()) const;
    // The node at a dotted path "sub.sub.node" below this model, or null.
    cAbstractNodeUI *tryFindNode(const vstd::cAsciiString &path) const;

    vrmi::localSignal1<cDMDataModel &> sigSubModelRegistered;
    vrmi::localSignal1<const cDMDataModel &> sigSubModelRemoved;
    vrmi::localSignal2<const cDMDataModel &, cAbstractNodeUI &> sigElementRegistered;
    vrmi::localSignal1<const cDMDataModel &> sigDestroyed;
    // The model and its previous provider location (models usually register before their
    // component is set, so viewers regroup them).
    vrmi::localSignal2<const cDMDataModel &, const vcs::cComponentAddr &> sigProviderChanged;

    // The root model of a module manager, under which mode-0 models register. It lives in an
    // attachment of the manager, so it outlasts every component.
    static cDMDataModel &root(vcs::cModuleMgr &moduleMgr);

private:
    void detachChildren();
    vstd::cAsciiString mName;
    cDMDataModel *mParent = nullptr;
    vcs::cComponentAddr mProvider;
    std::vector<cDMDataModel *> mModels;
    std::vector<cAbstractNodeUI *> mNodes;
};

} // namespace vmva
