#include "cqvmvdialogprmdialog.h"
#include "ui_uidialogprmdlgsetup.h"

#include "q4support/cvq4signalblocker.h"

#include "vellcore/cdebugstream.h"
#include "vellcore/cmodulemgr.h"

#include <QCursor>
#include <QMenu>
#include <QPointer>

namespace {
void addHeading(QMenu &menu, const QString &text)
{
    menu.addAction(text)->setEnabled(false);
    menu.addSeparator();
}

QString menuText(const vstd::cAsciiString &name)
{
    return qstr(name).replace(QLatin1Char('&'), QStringLiteral("&&"));
}
} // namespace

cQVMVDialogPrmDialog::cQVMVDialogPrmDialog(QWidget *parent, vmva::cDVAbstractDataViewMgr *manager,
                                           vmva::cDVDataViewArgList *arguments)
    : QWidget(parent), mpUi(std::make_unique<Ui::uiDialogPrmDlgSetup>()), mManager(manager),
      mArguments(arguments)
{
    sigParameterListChanged.setInvocationBehaviour(1);
    sigPreviewArgumentAssigned.setInvocationBehaviour(1);
    mpUi->setupUi(this);
    using D = cQVMVDialogPrmDialog;
    connect(mpUi->mpBtNew, &QPushButton::clicked, this, &D::uiBtAddParameter);
    connect(mpUi->mpBtRemove, &QPushButton::clicked, this, &D::uiBtRemoveParameter);
    connect(mpUi->mpBtAssign, &QPushButton::clicked, this, &D::uiBtAssignPreviewArg);
    connect(mpUi->mpLstParamters, &QTreeWidget::itemActivated, this, &D::uiNotifyItemActivated);
    connect(mpUi->mpLstParamters, &QTreeWidget::currentItemChanged, this,
            &D::uiNotifyCurrentItemChanged);
    sigParameterListChanged.connect(vrmi::cDirectLocalSlotCall0<D>(this, &D::refresh));
    mArguments->sigChanged.connect(
        vrmi::cDirectLocalSlotCall2<D, const vmva::cDVDataViewArgList &,
                                    const vstd::cAsciiString &>(this, &D::sltArgumentsChanged));
}

cQVMVDialogPrmDialog::~cQVMVDialogPrmDialog()
{
    disconnectAll();
}

piVoid cQVMVDialogPrmDialog::sltArgumentsChanged(const vmva::cDVDataViewArgList &,
                                                 const vstd::cAsciiString &)
{
    return refresh();
}

piVoid cQVMVDialogPrmDialog::refresh()
{
    QTreeWidget &list = *mpUi->mpLstParamters;
    cVQ4SignalBlocker blocker(list);
    list.clear();
    QTreeWidgetItem *last = nullptr;
    for (const vmva::cDVDataViewArgList::cArgument *argument : mArguments->arguments()) {
        const QString value = argument->isSet()
            ? qstr(argument->location().toString()) + QStringLiteral(" : ")
                + qstr(argument->modelName())
            : QStringLiteral("<unset>");
        last = new QTreeWidgetItem(&list, {qstr(argument->parameterName()), value});
    }
    if (last) {
        list.setCurrentItem(last);
        mpUi->mpTxtParameter->setText(last->text(0));
    }
    return piVoid();
}

vstd::cAsciiString cQVMVDialogPrmDialog::typedName() const
{
    return qstr(mpUi->mpTxtParameter->text()).ascii('?');
}

void cQVMVDialogPrmDialog::uiBtAddParameter()
{
    const vstd::cAsciiString name = typedName();
    if (name.empty())
        return;
    mArguments->addParameter(name);
    sigParameterListChanged.emitSignal();
}

void cQVMVDialogPrmDialog::uiBtRemoveParameter()
{
    const vstd::cAsciiString name = typedName();
    // A name the list does not hold is no error here; the button simply has nothing to do.
    if (name.empty() || !mArguments->tryFindParameter(name))
        return;
    mArguments->removeParameter(name);
    sigParameterListChanged.emitSignal();
}

void cQVMVDialogPrmDialog::uiBtAssignPreviewArg()
{
    vstd::cAsciiString name = typedName();
    if (!name.empty() && !mArguments->tryFindParameter(name)) {
        uiBtAddParameter();
    } else {
        const QTreeWidgetItem *current = mpUi->mpLstParamters->currentItem();
        if (!current)
            return;
        name = qstr(current->text(0)).ascii('?');
    }

    QMenu menu;
    menu.setObjectName(QStringLiteral("mpMnuAssignPreviewModel"));
    std::vector<tModelPrmKeyPair> keys;
    buildAssignMenu(menu, keys);
    const QPointer<cQVMVDialogPrmDialog> self(this);
    QAction *chosen = menu.exec(QCursor::pos());
    // The panel, the parameter or the model may have gone while the menu was open.
    if (!self || !chosen || !mArguments->tryFindParameter(name))
        return;
    for (const tModelPrmKeyPair &key : keys) {
        if (key.action != chosen)
            continue;
        mArguments->changeParameter(name, key.location, key.modelPath);
        sigPreviewArgumentAssigned.emitSignal();
        sigParameterListChanged.emitSignal();
        return;
    }
}

void cQVMVDialogPrmDialog::buildAssignMenu(QMenu &menu, std::vector<tModelPrmKeyPair> &keys) const
{
    addHeading(menu, tr("ModuleContext"));
    std::vector<tComponentModelPair> components;
    for (const vmva::cDMDataModel *model : mManager->root().lstModels()) {
        const vcs::cComponentAddr location = model->modelProviderLocation();
        QMenu *componentMenu = nullptr;
        for (const tComponentModelPair &pair : components) {
            if (pair.location == location) {
                componentMenu = pair.menu;
                break;
            }
        }
        if (!componentMenu) {
            const vcs::cAbstractComponent *component
                = mManager->moduleMgr().hasComponent(location);
            if (!component) {
                VELL_TRACE(QStringLiteral("** WARNING: Datamodel named \"") + qstr(model->name())
                           + QStringLiteral("\" is not assigned to a component!"));
                continue;
            }
            QString context = qstr(component->info().context());
            if (context.isEmpty())
                context = tr("Untitled");
            componentMenu = menu.addMenu(QLatin1Char('"') + context + QStringLiteral("\" (")
                                         + qstr(location.toString()) + QStringLiteral(" )"));
            addHeading(*componentMenu, tr("Datamodel"));
            components.push_back({componentMenu, location});
        }
        addModelEntry(*componentMenu, *model, model->name(), keys);
    }
}

void cQVMVDialogPrmDialog::addModelEntry(QMenu &menu, const vmva::cDMDataModel &model,
                                         const vstd::cAsciiString &path,
                                         std::vector<tModelPrmKeyPair> &keys) const
{
    const vcs::cComponentAddr location = model.modelProviderLocation();
    if (model.lstModels().empty()) {
        keys.push_back({menu.addAction(menuText(model.name())), location, path});
        return;
    }
    QMenu *sub = menu.addMenu(menuText(model.name()));
    for (const vmva::cDMDataModel *subModel : model.lstModels())
        addModelEntry(*sub, *subModel, path + "." + subModel->name(), keys);
    sub->addSeparator();
    keys.push_back(
        {sub->addAction(tr("Model ") + menuText(model.name())), location, path});
}

void cQVMVDialogPrmDialog::uiNotifyItemActivated(QTreeWidgetItem *item, int)
{
    uiNotifyCurrentItemChanged(item, nullptr);
}

void cQVMVDialogPrmDialog::uiNotifyCurrentItemChanged(QTreeWidgetItem *current, QTreeWidgetItem *)
{
    if (current)
        mpUi->mpTxtParameter->setText(current->text(0));
    else
        mpUi->mpTxtParameter->clear();
}
