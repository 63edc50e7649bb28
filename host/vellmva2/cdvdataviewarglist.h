#pragma once

#include "cdmdatamodel.h"

#include <memory>
#include <vector>

namespace vmva {

// The dialog arguments: parameter names and the models assigned to them.
class cDVDataViewArgList : public vrmi::cConnectable
{
public:
    // One parameter: its name and, once set, the model name (a dotted path allowed) and the
    // address of the component that provides the model; optionally bound to a live model.
    class cArgument : public vrmi::cConnectable
    {
    public:
        explicit cArgument(const vstd::cAsciiString &parameterName) : mParameter(parameterName) {}
        const vstd::cAsciiString &parameterName() const { return mParameter; }
        const vstd::cAsciiString &modelName() const { return mModelName; }
        const vcs::cComponentAddr &location() const { return mLocation; }
        bool isSet() const { return !mModelName.empty(); }
        // The live model bound to the argument, or null.
        cDMDataModel *hasDM() const { return mModel; }

    private:
        friend class cDVDataViewArgList;
        piVoid sltModelDestroyed(const cDMDataModel &model);
        vstd::cAsciiString mParameter;
        vstd::cAsciiString mModelName;
        vcs::cComponentAddr mLocation;
        cDMDataModel *mModel = nullptr;
    };

    cDVDataViewArgList();
    ~cDVDataViewArgList() override;

    std::vector<cArgument *> arguments() const;
    // Adds an unset parameter; an existing name is kept as it is. Emits sigChanged.
    cArgument &addParameter(const vstd::cAsciiString &name);
    cArgument *tryFindParameter(const vstd::cAsciiString &name) const;
    // Throws cRuntimeException for an unknown name. Emits sigChanged.
    void removeParameter(const vstd::cAsciiString &name);
    // Assigns a model by name and provider. Throws cRuntimeException for an unknown name.
    void changeParameter(const vstd::cAsciiString &name, const vcs::cComponentAddr &location,
                         const vstd::cAsciiString &modelName);
    // Binds a live model (or null) to a parameter; followed until the model is destroyed.
    void bindModel(const vstd::cAsciiString &name, cDMDataModel *model);

    vrmi::localSignal0 sigChanged;

private:
    std::vector<std::unique_ptr<cArgument>> mArguments;
};

} // namespace vmva
