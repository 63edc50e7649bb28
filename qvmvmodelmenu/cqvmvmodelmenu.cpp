#include "cqvmvmodelmenu.h"

#include "cmodellocationcheck.h"

#include "qvmvtreeviewwidget/cqmodelviewtreewidget.h"

#include "vellcore/cdebugstream.h"
#include "vellmva2/cabstractnodeui.h"

#include <QCoreApplication>
#include <QMenu>

#include <algorithm>

namespace {
QString tr(const char *text)
{
    return QCoreApplication::translate("cQVMVModelMenu", text);
}

// Menu texts show names literally: a "&" is no shortcut marker here.
QString menuText(const vstd::cAsciiString &name)
{
    return qstr(name).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

void addHeading(QMenu &menu, const QString &text)
{
    menu.addAction(text)->setEnabled(false);
    menu.addSeparator();
}
} // namespace

cQVMVModelMenu::cQVMVModelMenu(const vstd::cAsciiString &propertyKey, QMenu *parent,
                               vmva::cDVAbstractDataViewMgr *manager,
                               vmva::cDVDataViewArgList *parameters,
                               const vstd::cAsciiString &allowedTypes)
    : mManager(manager), mParameters(parameters), mPropertyKey(propertyKey)
{
    // Only the value types of nodes count: a property taking a model (cDMDataModel) is offered
    // every node.
    mAllowedTypes = cModelLocationCheck::nodeTypes(allowedTypes);
    mpMenu = parent->addMenu(tr("Assign to model"));
    mpMenu->setObjectName(QStringLiteral("mpMnuAssignToModel"));
    buildMenu();
}

cQVMVModelMenu::~cQVMVModelMenu() = default;

vmva::cDMDataModel *
cQVMVModelMenu::parameterModel(const vmva::cDVAbstractDataViewMgr &manager,
                               const vmva::cDVDataViewArgList::cArgument &argument)
{
    if (vmva::cDMDataModel *bound = argument.hasDM())
        return bound;
    if (!argument.isSet())
        return nullptr;
    return manager.root().tryFindModel(argument.modelName(), argument.location());
}

void cQVMVModelMenu::buildMenu()
{
    addHeading(*mpMenu, tr("Model Parameter"));
    if (!mParameters)
        return;
    if (mParameters->arguments().empty()) {
        addNewParameterEntries();
        return;
    }
    for (const vmva::cDVDataViewArgList::cArgument *argument : mParameters->arguments()) {
        QMenu *sub = mpMenu->addMenu(menuText(argument->parameterName()));
        sub->setToolTipsVisible(true);
        addHeading(*sub, tr("Model Elements"));
        if (!argument->hasDM() && argument->isSet()) {
            VELL_TRACE("** cQVMVModelMenu::buildMenu **");
            VELL_TRACE(QStringLiteral(" Prm: ") + qstr(argument->parameterName()));
            VELL_TRACE(QStringLiteral(" Mdl: ") + qstr(argument->modelName()));
        }
        if (const vmva::cDMDataModel *model = parameterModel(*mManager, *argument))
            addElements(*sub, *model, {nullptr, argument->parameterName(), {}},
                        vstd::cAsciiString());
    }
}

void cQVMVModelMenu::addNewParameterEntries()
{
    // The form has no parameter yet: every model, under its component as the data models
    // window names it; a node chosen adds a parameter for its top-level model.
    QAction *hint = mpMenu->addAction(tr("No parameter yet: a node chosen adds one"));
    hint->setEnabled(false);
    std::vector<std::pair<vcs::cComponentAddr, QMenu *>> components;
    for (const vmva::cDMDataModel *model : mManager->root().lstModels()) {
        const vcs::cComponentAddr location = model->modelProviderLocation();
        auto found = std::find_if(components.begin(), components.end(),
                                  [&](const auto &c) { return c.first == location; });
        if (found == components.end()) {
            QMenu *sub = mpMenu->addMenu(
                cQModelViewTreeWidget::componentLabel(mManager->moduleMgr(), location)
                    .replace(QLatin1Char('&'), QStringLiteral("&&")));
            components.emplace_back(location, sub);
            found = components.end() - 1;
        }
        QMenu *sub = found->second->addMenu(menuText(model->name()));
        sub->setToolTipsVisible(true);
        addElements(*sub, *model, {nullptr, {}, {}, model->name(), location},
                    vstd::cAsciiString());
    }
}

bool cQVMVModelMenu::allows(const vmva::cAbstractNodeUI &node) const
{
    return mAllowedTypes.isEmpty() || mAllowedTypes.contains(qstr(node.valueTypeName()));
}

void cQVMVModelMenu::addElements(QMenu &menu, const vmva::cDMDataModel &model,
                                 const tModelKeySet &key, const vstd::cAsciiString &prefix)
{
    for (const vmva::cDMDataModel *subModel : model.lstModels()) {
        QMenu *sub = menu.addMenu(menuText(subModel->name()));
        sub->setToolTipsVisible(true);
        addElements(*sub, *subModel, key, prefix + subModel->name() + ".");
    }
    if (!model.lstModels().empty())
        menu.addSeparator();
    for (const vmva::cAbstractNodeUI *node : model.lstNodes()) {
        QAction *action = menu.addAction(menuText(node->name()));
        if (!allows(*node)) {
            action->setEnabled(false);
            const QString why = tr("This property takes %1; the node holds %2")
                                    .arg(mAllowedTypes.join(QStringLiteral(", ")),
                                         qstr(node->valueTypeName()));
            action->setToolTip(why);
            action->setStatusTip(why);
        }
        auto entry = std::make_unique<tModelKeySet>(key);
        entry->action = action;
        entry->elementPath = prefix + node->name();
        mKeySets.push_back(std::move(entry));
    }
}

vstd::cAsciiString cQVMVModelMenu::parameterNameFor(const vmva::cDVDataViewArgList &parameters,
                                                    const vstd::cAsciiString &model,
                                                    const vcs::cComponentAddr &location)
{
    vstd::cAsciiString name = model;
    for (int n = 2;; ++n) {
        const vmva::cDVDataViewArgList::cArgument *taken = parameters.tryFindParameter(name);
        if (!taken || (taken->modelName() == model && taken->location() == location))
            return name;
        name = model + vstd::cAsciiString(QByteArray::number(n).constData());
    }
}

void cQVMVModelMenu::actionTriggered(QAction *action)
{
    if (!action)
        return;
    for (const auto &keySet : mKeySets) {
        if (keySet->action == action) {
            // Copies: a receiver may end this menu while the signal is delivered.
            vstd::cAsciiString key = mPropertyKey, parameter = keySet->parameterName,
                               path = keySet->elementPath;
            if (!keySet->newModel.empty() && mParameters) {
                parameter = parameterNameFor(*mParameters, keySet->newModel,
                                             keySet->newModelLocation);
                mParameters->addParameter(parameter);
                mParameters->changeParameter(parameter, keySet->newModelLocation,
                                             keySet->newModel);
            }
            sigAssignModelElement.emitSignal(key, parameter, path);
            return;
        }
    }
}
