#include "cqvmvmodelmenu.h"

#include "vellcore/cdebugstream.h"

#include <QCoreApplication>
#include <QMenu>

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
                               vmva::cDVDataViewArgList *parameters)
    : mManager(manager), mParameters(parameters), mPropertyKey(propertyKey)
{
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
    for (const vmva::cDVDataViewArgList::cArgument *argument : mParameters->arguments()) {
        QMenu *sub = mpMenu->addMenu(menuText(argument->parameterName()));
        addHeading(*sub, tr("Model Elements"));
        if (!argument->hasDM() && argument->isSet()) {
            VELL_TRACE("** cQVMVModelMenu::buildMenu **");
            VELL_TRACE(QStringLiteral(" Prm: ") + qstr(argument->parameterName()));
            VELL_TRACE(QStringLiteral(" Mdl: ") + qstr(argument->modelName()));
        }
        if (const vmva::cDMDataModel *model = parameterModel(*mManager, *argument))
            addElements(*sub, *model, argument->parameterName(), vstd::cAsciiString());
    }
}

void cQVMVModelMenu::addElements(QMenu &menu, const vmva::cDMDataModel &model,
                                 const vstd::cAsciiString &parameter,
                                 const vstd::cAsciiString &prefix)
{
    for (const vmva::cDMDataModel *subModel : model.lstModels()) {
        QMenu *sub = menu.addMenu(menuText(subModel->name()));
        addElements(*sub, *subModel, parameter, prefix + subModel->name() + ".");
    }
    if (!model.lstModels().empty())
        menu.addSeparator();
    for (const vmva::cAbstractNodeUI *node : model.lstNodes()) {
        QAction *action = menu.addAction(menuText(node->name()));
        mKeySets.push_back(std::make_unique<tModelKeySet>(
            tModelKeySet{action, parameter, prefix + node->name()}));
    }
}

void cQVMVModelMenu::actionTriggered(QAction *action)
{
    if (!action)
        return;
    for (const auto &keySet : mKeySets) {
        if (keySet->action == action) {
            // Copies: a receiver may end this menu while the signal is delivered.
            const vstd::cAsciiString key = mPropertyKey, parameter = keySet->parameterName,
                                     path = keySet->elementPath;
            sigAssignModelElement.emitSignal(key, parameter, path);
            return;
        }
    }
}
