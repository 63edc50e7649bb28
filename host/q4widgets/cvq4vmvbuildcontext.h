#pragma once

#include "cvq4vmvelementbuilder.h"

#include "q4support/elements/standardelements.h"
#include "vellcore/vio.h"
#include "vellmva2/cdvdataviewarglist.h"

#include <QHash>
#include <vector>

class cVQ4VMVDataViewMgr;
class cVQ4VMVPropertyBinding;
namespace vucs { class cLILocale; }

// What the builders of one form share while it is built: the argument list the form's
// parameters come from, the models already resolved, and the model location that relative
// locations ("$(modelPath).path") of the elements being built start from.
class cVQ4VMVBuildContext
{
public:
    // The parameter whose locations are relative to the enclosing element's "Model" location.
    static constexpr const char *kRelativeParameter = "$(modelPath)";

    cVQ4VMVBuildContext(cVQ4VMVDataViewMgr &mgr, vmva::cDVDataViewArgList &arguments,
                        const vio::cSearchPaths &searchPaths, vucs::cLILocale *locale = nullptr);
    cVQ4VMVBuildContext(const cVQ4VMVBuildContext &) = delete;
    cVQ4VMVBuildContext &operator=(const cVQ4VMVBuildContext &) = delete;

    cVQ4VMVDataViewMgr &mgr() const { return mMgr; }
    vmva::cDVDataViewArgList &arguments() const { return mArguments; }
    const vio::cSearchPaths &searchPaths() const { return mSearchPaths; }
    vucs::cLILocale *locale() const { return mLocale; }

    // True while the top-level element is built: its object keeps the parent it was created
    // with and joins no layout.
    bool atTopLevel() const { return mTopLevel; }
    void setTopLevel(bool topLevel) { mTopLevel = topLevel; }

    // Locations of the elements built until the matching pop, given with the parameter
    // "$(modelPath)", are taken relative to `location`.
    void pushModelLocation(const vmva::cDMDataModelDescriptor &location);
    void popModelLocation();
    // `location` with a relative parameter replaced by the enclosing "Model" location.
    vmva::cDMDataModelDescriptor absolute(const vmva::cDMDataModelDescriptor &location) const;

    // The node `location` names, or null with a trace line when its parameter is unknown or
    // unset, its model is gone or the path does not resolve.
    vmva::cAbstractNodeUI *resolve(const vmva::cDMDataModelDescriptor &location);
    // Binds `property` of `object` to the node its location names, through `aspect`, in the
    // property's direction. Null (with a trace line) when it stays unbound.
    cVQ4VMVPropertyBinding *bind(QObject &object, vmva::cDVIAbstractProperty &property,
                                 const cVQ4VMVElementBuilder::tAspectSet &aspect);
    int bindingCount() const { return mBindings; }

    // The properties of the element being placed into its parent, for the cell a grid or form
    // layout reads from them (null for none).
    void setPlacing(vmva::cDVAbstractStdDMViewProperties *properties) { mPlacing = properties; }
    // The "Cell" of the element being placed; not set when it has none.
    tLayoutCellSet placingCell() const;

private:
    vmva::cDMDataModel *model(const vstd::cAsciiString &parameterName);

    cVQ4VMVDataViewMgr &mMgr;
    vmva::cDVDataViewArgList &mArguments;
    const vio::cSearchPaths &mSearchPaths;
    vucs::cLILocale *mLocale;
    bool mTopLevel = false;
    vmva::cDVAbstractStdDMViewProperties *mPlacing = nullptr;
    int mBindings = 0;
    std::vector<vmva::cDMDataModelDescriptor> mModelLocations;
    // Resolved models by parameter name (null for those that do not resolve); the argument
    // list does not change while a form is built.
    QHash<QByteArray, vmva::cDMDataModel *> mModels;
    // The parameter asked for last and its model: bindings of one element mostly name the
    // same parameter, read as the same shared text.
    QByteArray mLastParameter;
    vmva::cDMDataModel *mLastModel = nullptr;
};
