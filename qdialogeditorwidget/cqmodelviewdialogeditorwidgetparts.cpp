// The window's docks, the layout tree and the reactions to the document's parts.
#include "cqmodelviewdialogeditorwidget.h"
#include "ui_uicqmodelviewdialogeditorsetup.h"

#include "cqmodelviewdialogeditoredit.h"
#include "cqmodelviewdialogeditorviewitems.h"
#include "cqmodelviewdialoglayouttreeitem.h"
#include "cqmodelviewdialoglayouttreewidget.h"
#include "cqpreviewwidgetview.h"

#include "qdialoglayoutitems/cqdialoglayoutrootitem.h"

#include "vellmva2/cdvabstractstddmviewproperties.h"

#include <QCursor>
#include <QDockWidget>
#include <QHBoxLayout>
#include <QMenu>
#include <QScrollArea>
#include <QStackedWidget>

namespace {
template <class R, class A>
vrmi::cDirectLocalSlotCall1<R, A> slotCall(R *receiver, piVoid (R::*member)(A))
{
    return vrmi::cDirectLocalSlotCall1<R, A>(receiver, member);
}

QSizePolicy stretchedPolicy(QSizePolicy::Policy h, QSizePolicy::Policy v, int hStretch,
                            int vStretch)
{
    QSizePolicy policy(h, v);
    policy.setHorizontalStretch(hStretch);
    policy.setVerticalStretch(vStretch);
    return policy;
}
} // namespace

void cQModelViewDialogEditorWidget::setupDocks()
{
    const auto moveFloat = QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable;
    const auto minExp = QSizePolicy::MinimumExpanding;

    auto *layoutDock = new QDockWidget(tr("Dialog layout"), this);
    layoutDock->setObjectName(QStringLiteral("mpDockDialogLayout"));
    layoutDock->setFeatures(moveFloat);
    mpLayoutTree = new cQModelViewDialogLayoutTreeWidget(layoutDock);
    mpLayoutTree->setSizePolicy(stretchedPolicy(minExp, minExp, 0, 100));
    layoutDock->setWidget(mpLayoutTree);
    mpLayoutTree->sigItemActivated.connect(
        slotCall(this, &cQModelViewDialogEditorWidget::sltNotifyDialogLayoutItemActivated), 1);
    mpLayoutTree->sigItemRightClick.connect(
        slotCall(this, &cQModelViewDialogEditorWidget::sltNotifyDialogLayoutItemRightClick), 1);
    mpLayoutTree->sigItemHovered.connect(
        slotCall(this, &cQModelViewDialogEditorWidget::sltNotifyDialogLayoutItemHovered), 1);
    mpDocument = std::make_unique<cDialogDocument>(&mDataViewMgr, mFactoryRegistry, *mpArguments);
    addDockWidget(Qt::RightDockWidgetArea, layoutDock);

    // The property table takes this dock's content.
    auto *connectorDock = new QDockWidget(tr("Connectors"), this);
    connectorDock->setObjectName(QStringLiteral("mpDockConnectors"));
    connectorDock->setSizePolicy(stretchedPolicy(minExp, minExp, 100, 0));
    connectorDock->setFeatures(moveFloat);
    connectorDock->setSizePolicy(minExp, QSizePolicy::Minimum);
    addDockWidget(Qt::BottomDockWidgetArea, connectorDock);

    // The form information panel becomes the stack's first page.
    auto *propertyDock = new QDockWidget(tr("Properties"), this);
    propertyDock->setObjectName(QStringLiteral("mpDockProperties"));
    propertyDock->setFeatures(moveFloat);
    auto *propertyContent = new QWidget(propertyDock);
    auto *propertyLayout = new QHBoxLayout(propertyContent);
    mpPropertyStack = new QStackedWidget(propertyContent);
    mpPropertyStack->setObjectName(QStringLiteral("mpPropertyStack"));
    propertyLayout->addWidget(mpPropertyStack);
    propertyDock->setWidget(propertyContent);
    propertyDock->setSizePolicy(stretchedPolicy(minExp, minExp, 1, 0));
    propertyDock->setMaximumWidth(420);
    addDockWidget(Qt::BottomDockWidgetArea, propertyDock);

    // The view location panel takes this dock's content, created disabled.
    mpLocationDock = new QDockWidget(tr("Datamodel Location"), this);
    mpLocationDock->setObjectName(QStringLiteral("mpDockDatamodelLocation"));
    addDockWidget(Qt::RightDockWidgetArea, mpLocationDock);

    // The dialog parameter panel takes this dock's content.
    mpParameterDock = new QDockWidget(tr("Dialog parameters"), this);
    mpParameterDock->setObjectName(QStringLiteral("mpDockDialogParameters"));
    addDockWidget(Qt::RightDockWidgetArea, mpParameterDock);
    mpParameterDock->hide();
}

void cQModelViewDialogEditorWidget::setupPreviewArea()
{
    auto *groupLayout = new QHBoxLayout(mpUi->mpPreviewGroup);
    mpPreviewScroll = new QScrollArea(mpUi->mpPreviewGroup);
    mpPreviewScroll->setObjectName(QStringLiteral("mpPreviewScroll"));
    mpPreviewScroll->setWidgetResizable(true);
    mpPreviewScroll->setBackgroundRole(QPalette::Dark);
    groupLayout->addWidget(mpPreviewScroll);
    mpPreviewView = new cQPreviewWidgetView(mpPreviewScroll);
    mpPreviewScroll->setWidget(mpPreviewView);
}

void cQModelViewDialogEditorWidget::setupEditing()
{
    using W = cQModelViewDialogEditorWidget;
    // The edit operations fill the "&Edit" menu in front of the insert submenu.
    mpEdit = new cQModelViewDialogEditorEdit(mpLayoutTree, &mFactoryRegistry, mpUi->mpMnuEdit);
    // Children for finding them by type; the destructor deletes them in its own order.
    mpEdit->setParent(this);
    mpEdit->sigItemRemoved.connect(slotCall(this, &W::sltNotifyItemRemoved), 1);
    mpEdit->sigPastedInto.connect(slotCall(this, &W::sltNotifyItemInserted), 1);
    mpEdit->sigStructureChanged.connect(slotCall(this, &W::sltNotifyItemChanged), 1);
    mpUi->mpMnuEdit->addSeparator();
    QMenu *insertMenu = mpUi->mpMnuEdit->addMenu(tr("Insert"));
    insertMenu->setObjectName(QStringLiteral("mpMnuInsert"));
    mpViewItems = new cQModelViewDialogEditorViewItems(&mDataViewMgr, mpLayoutTree,
                                                       &mFactoryRegistry, mpUi->mpMnuViews,
                                                       insertMenu);
    mpViewItems->setParent(this);
    mpViewItems->sigItemAppended.connect(slotCall(this, &W::sltNotifyItemInserted), 1);
    mpViewItems->sigItemInserted.connect(slotCall(this, &W::sltNotifyItemChanged), 1);
}

void cQModelViewDialogEditorWidget::connectActions()
{
    using W = cQModelViewDialogEditorWidget;
    connect(mpUi->mpActUpdatePreview, &QAction::triggered, this, &W::uiCreateEmbeddedPreview);
    connect(mpUi->mpActTopLevelPreview, &QAction::triggered, this, &W::uiCreateTopLevelPreview);
    connect(mpUi->mpActNewDocument, &QAction::triggered, this, &W::uiNewDocument);
    connect(mpUi->mpActLoadDocument, &QAction::triggered, this, &W::uiLoadDocument);
    connect(mpUi->mpActSaveDocument, &QAction::triggered, this, &W::uiSaveDocument);
    connect(mpUi->mpActSaveCurrentDocument, &QAction::triggered, this, &W::uiSaveCurrentDocument);
    connect(mpUi->mpActLoadUiPlugIn, &QAction::triggered, this, &W::uiLoadUiPlugIn);
    connect(mpUi->mpActEmbeddedPreview, &QAction::triggered, this, &W::uiEmbeddedPreviewEnabled);
    connect(mpUi->mpActShowAllModels, &QAction::triggered, this, &W::uiShowAllDataModels);
    connect(mpUi->mpActShowParameters, &QAction::triggered, this, &W::uiShowParameterDialog);
}

cQAbstractDialogLayoutItem *cQModelViewDialogEditorWidget::currentLayoutItem() const
{
    return mpLayoutTree ? mpLayoutTree->currentLayoutItem() : nullptr;
}

void cQModelViewDialogEditorWidget::refreshLayoutTree(cQAbstractDialogLayoutItem *select)
{
    mpLayoutTree->fill(&mpDocument->root(), select);
}

piVoid cQModelViewDialogEditorWidget::sltNotifyDialogLayoutItemRightClick(QTreeWidgetItem *row)
{
    if (!cQModelViewDialogLayoutTreeItem::layoutItemOf(row))
        return piVoid();
    QMenu popup;
    popup.setObjectName(QStringLiteral("mpLayoutContextMenu"));
    popup.addMenu(mpUi->mpMnuEdit);
    popup.addSeparator();
    popup.addMenu(mpUi->mpMnuViews);
    popup.addSeparator();
    cQAbstractDialogLayoutItem *item = currentLayoutItem();
    if (item && item->findProperty("Model"))
        sltNotifyDialogConnectorSelected("Model");
    popup.exec(QCursor::pos());
    return piVoid();
}

piVoid cQModelViewDialogEditorWidget::sltNotifyDialogLayoutItemActivated(QTreeWidgetItem *row)
{
    cQAbstractDialogLayoutItem *item = cQModelViewDialogLayoutTreeItem::layoutItemOf(row);
    if (!item)
        return piVoid();
    // The property table shows item->properties() and names its current property here.
    sltNotifyDialogConnectorSelected(vstd::cAsciiString());
    if (mpPropertyStack->count() > 0)
        mpPropertyStack->setCurrentIndex(0);
    if (QWidget *panel = mpLocationDock->widget())
        panel->setEnabled(false);
    if (mpPreviewView && mpPreviewView->isEnabled())
        mpPreviewView->selectElement(item->debugInfo());
    return piVoid();
}

piVoid cQModelViewDialogEditorWidget::sltNotifyDialogLayoutItemHovered(QTreeWidgetItem *row)
{
    cQAbstractDialogLayoutItem *item = cQModelViewDialogLayoutTreeItem::layoutItemOf(row);
    if (item && mpPreviewView && mpPreviewView->isEnabled())
        mpPreviewView->selectElement(item->debugInfo());
    return piVoid();
}

piVoid cQModelViewDialogEditorWidget::sltNotifyDialogConnectorSelected(vstd::cAsciiString name)
{
    QWidget *panel = mpLocationDock->widget();
    cQAbstractDialogLayoutItem *item = currentLayoutItem();
    // The panel shows item->findProperty(name)'s model location once it is part of the window.
    if (panel)
        panel->setEnabled(!name.empty() && item);
    updateViewLocationDialogWindowTitle(name);
    return piVoid();
}

piVoid cQModelViewDialogEditorWidget::sltNotifyDialogConnectorRightClick(vstd::cAsciiString)
{
    return piVoid();
}

piVoid cQModelViewDialogEditorWidget::sltExecuteNodeAssignMenu(vstd::cAsciiString sDescriptor)
{
    sltNotifyDialogConnectorSelected(sDescriptor);
    return piVoid();
}

void cQModelViewDialogEditorWidget::updateViewLocationDialogWindowTitle(vstd::cAsciiString name)
{
    QString title = tr("Datamodel Location");
    const QWidget *panel = mpLocationDock->widget();
    if (!name.empty() && panel && panel->isEnabled())
        title += QStringLiteral(" (") + qstr(name) + QStringLiteral(")");
    mpLocationDock->setWindowTitle(title);
}

void cQModelViewDialogEditorWidget::uiShowParameterDialog(bool checked)
{
    mpParameterDock->setVisible(checked);
}

piVoid cQModelViewDialogEditorWidget::sltNotifyItemInserted(cQAbstractDialogLayoutItem &item)
{
    cQAbstractDialogLayoutItem *select = &item;
    const int kind = item.elementKind();
    if (kind == 2 || kind == 3 || kind == 4)
        select = item.parentOrNull();
    refreshLayoutTree(select);
    previewChanged();
    return piVoid();
}

piVoid cQModelViewDialogEditorWidget::sltNotifyItemChanged(cQAbstractDialogLayoutItem &item)
{
    refreshLayoutTree(&item);
    previewChanged();
    return piVoid();
}

piVoid cQModelViewDialogEditorWidget::sltNotifyItemRemoved(cQAbstractDialogLayoutItem &item)
{
    cQAbstractDialogLayoutItem *select = item.nextSibling();
    if (!select)
        select = item.previousSibling();
    if (!select)
        select = item.parentOrNull();
    // No row may point at a purged item, not even while the tree is refilled.
    mpLayoutTree->clear();
    mpDocument->root().purgeRemoved();
    refreshLayoutTree(select);
    previewChanged();
    return piVoid();
}

piVoid cQModelViewDialogEditorWidget::sltNotifyPropertiesChanged()
{
    mpLayoutTree->refreshTexts();
    previewChanged();
    return piVoid();
}

piVoid cQModelViewDialogEditorWidget::sltNotifyLocationAssigned(
    const vstd::cAsciiString &name, const vmva::cDMDataModelDescriptor &location)
{
    cQAbstractDialogLayoutItem *item = currentLayoutItem();
    if (vmva::cDVIAbstractProperty *property = item ? item->findProperty(name) : nullptr)
        property->setModelLocation(location);
    previewChanged();
    return piVoid();
}
