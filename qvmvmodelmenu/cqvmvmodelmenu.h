#pragma once

#include "vellmva2/cdvabstractdataviewmgr.h"
#include "vellmva2/cdvdataviewarglist.h"

#include <memory>
#include <vector>

class QAction;
class QMenu;

// The "Assign to model" cascade: one submenu per dialog parameter offering the nodes of the
// model the parameter names, its sub-models as nested submenus. A choice is reported as the
// property key, the parameter name and the node's dotted path; the receiver makes the binding.
class cQVMVModelMenu
{
public:
    // One node entry of the cascade.
    struct tModelKeySet
    {
        QAction *action;
        vstd::cAsciiString parameterName;
        vstd::cAsciiString elementPath;
    };

    // Adds the submenu "Assign to model" to `parent` and fills it from the parameters and the
    // models as they are now.
    cQVMVModelMenu(const vstd::cAsciiString &propertyKey, QMenu *parent,
                   vmva::cDVAbstractDataViewMgr *manager, vmva::cDVDataViewArgList *parameters);
    ~cQVMVModelMenu();
    cQVMVModelMenu(const cQVMVModelMenu &) = delete;
    cQVMVModelMenu &operator=(const cQVMVModelMenu &) = delete;

    // Called with the action QMenu::exec returned (possibly null): emits sigAssignModelElement
    // for a node entry, does nothing otherwise.
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

private:
    void buildMenu();
    void addElements(QMenu &menu, const vmva::cDMDataModel &model,
                     const vstd::cAsciiString &parameter, const vstd::cAsciiString &prefix);

    vmva::cDVAbstractDataViewMgr *mManager;
    vmva::cDVDataViewArgList *mParameters;
    vstd::cAsciiString mPropertyKey;
    std::vector<std::unique_ptr<tModelKeySet>> mKeySets;
    bool mMenuOwnedByParent = true;
    QMenu *mpMenu = nullptr;
};
