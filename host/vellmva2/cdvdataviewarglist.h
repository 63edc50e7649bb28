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
        explicit cArgument(const vstd::cAsciiString &parameterName,
                           cDVDataViewArgList *list = nullptr)
            : mParameter(parameterName), mList(list) {}
        const vstd::cAsciiString &parameterName() const { return mParameter; }
        const vstd::cAsciiString &modelName() const { return mModelName; }
        const vcs::cComponentAddr &location() const { return mLocation; }
        bool isSet() const { return !mModelName.empty(); }
        // The live model bound to the argument, or null.
        cDMDataModel *hasDM() const { return mModel; }

    private:
        friend class cDVDataViewArgList;
        piVoid sltModelDestroyed(const cDMDataModel &model);
        void unbind();
        vstd::cAsciiString mParameter;
        cDVDataViewArgList *mList;
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
    // Binds a live model (or null) to a parameter; followed until the model is destroyed. Binding
    // a model also assigns its name (the dotted path below the root) and provider. Throws
    // cRuntimeException for an unknown name.
    void bindModel(const vstd::cAsciiString &name, cDMDataModel *model);

    // Emitted after every change with the list and the name of the parameter concerned.
    vrmi::localSignal2<const cDVDataViewArgList &, const vstd::cAsciiString &> sigChanged;

private:
    cArgument &find(const vstd::cAsciiString &name) const;
    void notify(const vstd::cAsciiString &name);
    std::vector<std::unique_ptr<cArgument>> mArguments;
};

} // namespace vmva
