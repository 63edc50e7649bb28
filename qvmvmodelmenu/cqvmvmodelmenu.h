#pragma once

#include "vellmva2/cdvabstractdataviewmgr.h"
#include "vellmva2/cdvdataviewarglist.h"

#include <QStringList>

#include <memory>
#include <vector>

class QAction;
class QMenu;

// The "Assign to model" cascade: one submenu per dialog parameter offering the nodes of the
// model the parameter names, its sub-models as nested submenus. A choice is reported as the
// property key, the parameter name and the node's dotted path; the receiver makes the binding.
// Without parameters it offers every model by component instead, and a node chosen there adds
// a parameter for its model first. Nodes of a value type the property does not take are greyed.
class cQVMVModelMenu
{
public:
    // One node entry of the cascade. `newModel` is set for an entry offered without a
    // parameter: the top-level model (name, provider) a parameter is added for when chosen.
    struct tModelKeySet
    {
        QAction *action;
        vstd::cAsciiString parameterName;
        vstd::cAsciiString elementPath;
        vstd::cAsciiString newModel = vstd::cAsciiString();
        vcs::cComponentAddr newModelLocation = vcs::cComponentAddr();
    };

    // Adds the submenu "Assign to model" to `parent` and fills it from the parameters and the
    // models as they are now. `allowedTypes` lists the node value types the property takes
    // (separated by blanks or commas; empty: all).
    cQVMVModelMenu(const vstd::cAsciiString &propertyKey, QMenu *parent,
                   vmva::cDVAbstractDataViewMgr *manager, vmva::cDVDataViewArgList *parameters,
                   const vstd::cAsciiString &allowedTypes = vstd::cAsciiString());
    ~cQVMVModelMenu();
    cQVMVModelMenu(const cQVMVModelMenu &) = delete;
    cQVMVModelMenu &operator=(const cQVMVModelMenu &) = delete;

    // Called with the action QMenu::exec returned (possibly null): emits sigAssignModelElement
    // for a node entry (adding its parameter first where it has none), does nothing otherwise.
    void actionTriggered(QAction *action);

    // The "Assign to model" submenu, owned by the parent menu.
    QMenu *menu() const { return mpMenu; }
    const std::vector<std::unique_ptr<tModelKeySet>> &keySets() const { return mKeySets; }

    // The model a dialog parameter stands for: its bound model, else the model it names, else
    // null.
    static vmva::cDMDataModel *parameterModel(const vmva::cDVAbstractDataViewMgr &manager,
                                              const vmva::cDVDataViewArgList::cArgument &argument);

    // Property key, parameter name, element path.
    vrmi::localSignal3<const vstd::cAsciiString &, const vstd::cAsciiString &,
                       const vstd::cAsciiString &>
        sigAssignModelElement;

    // A parameter name for `model` that the list does not hold yet, or that already names it.
    static vstd::cAsciiString parameterNameFor(const vmva::cDVDataViewArgList &parameters,
                                               const vstd::cAsciiString &model,
                                               const vcs::cComponentAddr &location);

private:
    void buildMenu();
    void addNewParameterEntries();
    // `key` is the record every node entry below `model` starts from.
    void addElements(QMenu &menu, const vmva::cDMDataModel &model, const tModelKeySet &key,
                     const vstd::cAsciiString &prefix);
    bool allows(const vmva::cAbstractNodeUI &node) const;

    vmva::cDVAbstractDataViewMgr *mManager;
    vmva::cDVDataViewArgList *mParameters;
    vstd::cAsciiString mPropertyKey;
    QStringList mAllowedTypes;
    std::vector<std::unique_ptr<tModelKeySet>> mKeySets;
    bool mMenuOwnedByParent = true;
    QMenu *mpMenu = nullptr;
};
