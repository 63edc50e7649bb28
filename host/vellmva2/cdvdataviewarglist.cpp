#include "cdvdataviewarglist.h"

#include <algorithm>

namespace vmva {

namespace {

// The name under which a model is found from the root: top-level name and sub-model names,
// joined by ".".
vstd::cAsciiString modelPath(const cDMDataModel &model)
{
    vstd::cAsciiString path = model.name();
    for (const cDMDataModel *m = model.parentModel(); m && m->parentModel(); m = m->parentModel())
        path = m->name() + "." + path;
    return path;
}

} // namespace

piVoid cDVDataViewArgList::cArgument::sltModelDestroyed(const cDMDataModel &model)
{
    if (&model != mModel)
        return {};
    mModel = nullptr;
    if (mList)
        mList->notify(mParameter);
    return {};
}

void cDVDataViewArgList::cArgument::unbind()
{
    if (mModel)
        mModel->sigDestroyed.disconnect(*this);
    mModel = nullptr;
}

cDVDataViewArgList::cDVDataViewArgList()
{
    sigChanged.setInvocationBehaviour(1);
}

cDVDataViewArgList::~cDVDataViewArgList() = default;

std::vector<cDVDataViewArgList::cArgument *> cDVDataViewArgList::arguments() const
{
    std::vector<cArgument *> out;
    out.reserve(mArguments.size());
    for (const auto &a : mArguments)
        out.push_back(a.get());
    return out;
}

cDVDataViewArgList::cArgument &cDVDataViewArgList::addParameter(const vstd::cAsciiString &name)
{
    if (cArgument *existing = tryFindParameter(name))
        return *existing;
    mArguments.push_back(std::make_unique<cArgument>(name, this));
    cArgument &added = *mArguments.back();
    notify(name);
    return added;
}

cDVDataViewArgList::cArgument *
cDVDataViewArgList::tryFindParameter(const vstd::cAsciiString &name) const
{
    for (const auto &a : mArguments) {
        if (a->parameterName() == name)
            return a.get();
    }
    return nullptr;
}

cDVDataViewArgList::cArgument &cDVDataViewArgList::find(const vstd::cAsciiString &name) const
{
    if (cArgument *a = tryFindParameter(name))
        return *a;
    VELL_THROW(vstd::cRuntimeException,
               vucs::cLIMessage("$VTR$There is no dialog parameter \"%name%\"!") << name);
}

void cDVDataViewArgList::removeParameter(const vstd::cAsciiString &name)
{
    cArgument &a = find(name);
    const vstd::cAsciiString removed = name;   // `name` may be the argument's own string
    mArguments.erase(std::find_if(mArguments.begin(), mArguments.end(),
                                  [&](const auto &p) { return p.get() == &a; }));
    notify(removed);
}

void cDVDataViewArgList::changeParameter(const vstd::cAsciiString &name,
                                         const vcs::cComponentAddr &location,
                                         const vstd::cAsciiString &modelName)
{
    cArgument &a = find(name);
    if (a.mModel && (modelPath(*a.mModel) != modelName
                     || a.mModel->modelProviderLocation() != location))
        a.unbind();
    a.mModelName = modelName;
    a.mLocation = location;
    notify(a.parameterName());
}

void cDVDataViewArgList::bindModel(const vstd::cAsciiString &name, cDMDataModel *model)
{
    cArgument &a = find(name);
    a.unbind();
    if (model) {
        a.mModel = model;
        model->sigDestroyed.connect(
            vrmi::cDirectLocalSlotCall1<cArgument, const cDMDataModel &>(
                a, &cArgument::sltModelDestroyed));
        a.mModelName = modelPath(*model);
        a.mLocation = model->modelProviderLocation();
    }
    notify(a.parameterName());
}

void cDVDataViewArgList::notify(const vstd::cAsciiString &name)
{
    // Receivers may remove the argument that owns `name` while the signal is delivered.
    const vstd::cAsciiString parameter = name;
    sigChanged.emitSignal(*this, parameter);
}

} // namespace vmva
