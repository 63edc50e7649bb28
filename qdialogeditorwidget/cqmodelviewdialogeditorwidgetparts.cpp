// The window's docks, the layout tree and the reactions to the document's parts.
#include "cqmodelviewdialogeditorwidget.h"
#include "ui_uicqmodelviewdialogeditorsetup.h"

#include "undo/cqdialogundorecorder.h"
#include "cqdialogdocumentcommands.h"
#include "cqdialogeditorhelp.h"
#include "cqmodelviewdialogeditoredit.h"
#include "cqmodelviewdialogeditorviewitems.h"
#include "cqmodelviewdialoglayouttreeitem.h"
#include "cqmodelviewdialoglayouttreewidget.h"
#include "cqpreviewupdater.h"
#include "cqpreviewwidgetview.h"
#include "cqveconnectortreewidget.h"
#include "propertywidgets/cqmvviewlocationdialog.h"

#include "formdialog/cqvmvformdialog.h"
#include "q4support/cvq4qtboundary.h"
#include "q4support/cvq4vmvabstractmvitemfactory.h"
#include "qdialoglayoutitems/cqdialoglayoutrootitem.h"

#include "vellcore/cdebugstream.h"
#include "vellcore/cerrorreporter.h"
#include "vellmva2/cdvabstractstddmviewproperties.h"
#include "vellmva2/cdvitypedproperties.h"

#include <QCursor>
#include <QDockWidget>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QStatusBar>
#include <QUndoStack>

#include <algorithm>
#include <functional>

namespace {
template <class R, class A>
vrmi::cDirectLocalSlotCall1<R, A> slotCall(R *receiver, piVoid (R::*member)(A))
{
    return vrmi::cDirectLocalSlotCall1<R, A>(receiver, member);
}
template <class R, class A1, class A2>
vrmi::cDirectLocalSlotCall2<R, A1, A2> slotCall(R *receiver, piVoid (R::*member)(A1, A2))
{
    return vrmi::cDirectLocalSlotCall2<R, A1, A2>(receiver, member);
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

    auto *connectorDock = new QDockWidget(tr("Connectors"), this);
    connectorDock->setObjectName(QStringLiteral("mpDockConnectors"));
    connectorDock->setFeatures(moveFloat);
    mpConnectorTable = new cQVEConnectorTreeWidget(connectorDock);
    mpConnectorTable->setSizePolicy(stretchedPolicy(minExp, minExp, 100, 0));
    // Inside the table, above its rows: the dock, and so the preview area, keep their sizes.
    mpConnectorTable->createFilterField(mpConnectorTable);
    connectorDock->setWidget(mpConnectorTable);
    connectorDock->setSizePolicy(stretchedPolicy(minExp, QSizePolicy::Minimum, 100, 0));
    addDockWidget(Qt::BottomDockWidgetArea, connectorDock);

    // The form information panel becomes the stack's first page.
    auto *propertyDock = new QDockWidget(tr("Properties"), this);
    propertyDock->setObjectName(QStringLiteral("mpDockProperties"));
    propertyDock->setFeatures(moveFloat);
    auto *propertyContent = new QWidget(propertyDock);
    auto *propertyLayout = new QHBoxLayout(propertyContent);
    propertyLayout->setContentsMargins(0, 0, 0, 0);
    mpPropertyStack = new QStackedWidget(propertyContent);
    mpPropertyStack->setObjectName(QStringLiteral("mpPropertyStack"));
    propertyLayout->addWidget(mpPropertyStack);
    mpFormDialog = new cQVMVFormDialog(mpPropertyStack);
    mpFormDialog->setObjectName(QStringLiteral("mpFormDialog"));
    mpPropertyStack->addWidget(mpFormDialog);
    mpFormDialog->sigCollectTranslationKeys.connect(
        slotCall(this, &cQModelViewDialogEditorWidget::sltCollectTranslationKeys), 1);
    mpFormDialog->setSizePolicy(stretchedPolicy(minExp, minExp, 1, 0));
    mpDocument->setFormInfoStore(mpFormDialog);
    propertyDock->setWidget(propertyContent);
    propertyDock->setSizePolicy(stretchedPolicy(minExp, minExp, 1, 0));
    // Narrower than the form information page would clip its buttons' texts.
    propertyDock->setMaximumWidth(std::max(420, propertyContent->minimumSizeHint().width()));
    addDockWidget(Qt::BottomDockWidgetArea, propertyDock);

    mpLocationDock = new QDockWidget(tr("Datamodel Location"), this);
    mpLocationDock->setObjectName(QStringLiteral("mpDockDatamodelLocation"));
    mpViewLocationDialog = new cQMVViewLocationDialog(mpLocationDock, mDataViewMgr, mpArguments);
    mpViewLocationDialog->setEnabled(false);
    mpLocationDock->setWidget(mpViewLocationDialog);
    addDockWidget(Qt::RightDockWidgetArea, mpLocationDock);
    setupPropertyTable();

    // The dialog parameter panel takes this dock's content.
    mpParameterDock = new QDockWidget(tr("Dialog parameters"), this);
    mpParameterDock->setObjectName(QStringLiteral("mpDockDialogParameters"));
    addDockWidget(Qt::RightDockWidgetArea, mpParameterDock);
    mpParameterDock->hide();
}

piVoid cQModelViewDialogEditorWidget::sltCollectTranslationKeys(
    vstd::tList<vstd::cAsciiString> &keys)
{
    // What a user reads is held in the Unicode texts; names, paths and keys are 8-bit. Looked
    // at after every edit of a large form: only texts not seen before are converted.
    int seen = 0;
    const auto add = [&](const QString &text) {
        ++seen;
        auto known = mTranslationKeys.find(text.constData());
        if (known == mTranslationKeys.end()) {
            tTranslationKeySet entry;
            entry.text = text;
            entry.blank = std::all_of(text.begin(), text.end(),
                                      [](QChar c) { return c.isSpace(); });
            if (!entry.blank)
                entry.key = vucs::cString(text).ascii('?');
            known = mTranslationKeys.insert(text.constData(), entry);
        }
        if (!known->blank)
            keys.push_back(known->key);
    };
    std::function<void(const cQAbstractDialogLayoutItem &)> walk
        = [&](const cQAbstractDialogLayoutItem &item) {
              if (const vmva::cDVAbstractStdDMViewProperties *properties = item.properties()) {
                  for (vmva::cDVIAbstractProperty *property : properties->properties()) {
                      // A list's entries are shown, and translated, one by one.
                      if (const vmva::cDVITextListProperty *list = property->textListView())
                          for (const QString &entry : list->value())
                              add(entry);
                      if (const vmva::cDVIUCStringProperty *text = property->ucStringView())
                          add(text->value().text());
                  }
              }
              for (const cQAbstractDialogLayoutItem *child : item.children())
                  walk(*child);
          };
    walk(mpDocument->root());
    // Texts the form no longer holds are let go once they outnumber those it holds.
    if (mTranslationKeys.size() > 2 * seen + 4096)
        mTranslationKeys.clear();
    return piVoid();
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
    // A click in the preview chooses the element as choosing its row does.
    connect(mpPreviewView, &cQPreviewWidgetView::elementClicked, this,
            [this](const QStringList &names) {
                vpi::cErrorReporter::guard([&] {
                    for (const QString &name : names)
                        if (cQAbstractDialogLayoutItem *item
                            = mpDocument->root().findByDebugInfo(qPrintable(name))) {
                            mpLayoutTree->setCurrentLayoutItem(item);
                            return;
                        }
                });
            });
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
    // The commands throw what fails; the application's error reporter takes it at Qt's door.
    using W = cQModelViewDialogEditorWidget;
    const auto on = [this](QAction *action, void (W::*slot)(bool)) {
        cVQ4QtBoundary::connect(action, &QAction::triggered, this, slot);
    };
    on(mpUi->mpActUpdatePreview, &W::uiCreateEmbeddedPreview);
    on(mpUi->mpActTopLevelPreview, &W::uiCreateTopLevelPreview);
    on(mpUi->mpActNewDocument, &W::uiNewDocument);
    on(mpUi->mpActLoadDocument, &W::uiLoadDocument);
    on(mpUi->mpActSaveDocument, &W::uiSaveDocument);
    on(mpUi->mpActSaveCurrentDocument, &W::uiSaveCurrentDocument);
    on(mpUi->mpActLoadUiPlugIn, &W::uiLoadUiPlugIn);
    on(mpUi->mpActEmbeddedPreview, &W::uiEmbeddedPreviewEnabled);
    on(mpUi->mpActShowAllModels, &W::uiShowAllDataModels);
    on(mpUi->mpActShowParameters, &W::uiShowParameterDialog);
    setupDesktopCommands();
}

void cQModelViewDialogEditorWidget::setupDesktopCommands()
{
    using W = cQModelViewDialogEditorWidget;
    // The keys other desktop programs use, after the function keys the menus show.
    const auto also = [](QAction *action, const QKeySequence &key) {
        action->setShortcuts({action->shortcut(), key});
    };
    also(mpUi->mpActLoadDocument, QKeySequence(Qt::CTRL | Qt::Key_O));
    also(mpUi->mpActSaveDocument, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    mpCommands->addUiFormActions(*mpUi->menuFile);
    mpUi->menuFile->addSeparator();
    QAction *quit = mpUi->menuFile->addAction(tr("Quit"));
    quit->setObjectName(QStringLiteral("mpActQuit"));
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    // Closing asks about unsaved changes where the host watches the window.
    connect(quit, &QAction::triggered, this, &QWidget::close);
    new cQDialogEditorHelp(*this);

    auto *unsaved = new QLabel(statusBar());
    unsaved->setObjectName(QStringLiteral("mpLblUnsavedChanges"));
    statusBar()->addPermanentWidget(unsaved);
    // Queued: the history and the form information settle before they are asked.
    const auto update = [this, unsaved] {
        unsaved->setText(hasUnsavedChanges() ? tr("Unsaved changes") : QString());
    };
    const auto later = Qt::QueuedConnection;
    connect(&mpUndo->stack(), &QUndoStack::cleanChanged, unsaved, update, later);
    connect(&mpUndo->stack(), &QUndoStack::indexChanged, unsaved, update, later);
    for (auto signal : {&W::documentModified, &W::documentSaved, &W::documentReplaced})
        connect(this, signal, unsaved, update, later);
}

void cQModelViewDialogEditorWidget::watchFormInformation()
{
    using W = cQModelViewDialogEditorWidget;
    for (const char *field : {"mpTxtName", "mpTxtAutor"})
        if (auto *edit = mpFormDialog->findChild<QLineEdit *>(QLatin1String(field)))
            connect(edit, &QLineEdit::textEdited, this, &W::documentModified);
    for (const char *button : {"mpBtVersionMajor", "mpBtVersionMinor"})
        if (auto *push = mpFormDialog->findChild<QPushButton *>(QLatin1String(button)))
            connect(push, &QPushButton::clicked, this, &W::documentModified);
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
    if (!item || !item->findProperty("Model")) {
        popup.exec(QCursor::pos());
        return piVoid();
    }
    sltNotifyDialogConnectorSelected("Model");
    execModelMenu(popup, "Model");
    return piVoid();
}

piVoid cQModelViewDialogEditorWidget::sltNotifyDialogLayoutItemActivated(QTreeWidgetItem *row)
{
    cQAbstractDialogLayoutItem *item = cQModelViewDialogLayoutTreeItem::layoutItemOf(row);
    if (!item)
        return piVoid();
    mpConnectorTable->setProperties(item->properties());
    mpUndo->track(item);
    sltNotifyDialogConnectorSelected(mpConnectorTable->currentPropertyName());
    if (mpPropertyStack->count() > 0)
        mpPropertyStack->setCurrentIndex(0);
    // Enabled again when a property is chosen in the table; the dock keeps its title.
    mpViewLocationDialog->setEnabled(false);
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

piVoid cQModelViewDialogEditorWidget::sltNotifyDialogConnectorSelected(
    const vstd::cAsciiString &name)
{
    cQAbstractDialogLayoutItem *item = currentLayoutItem();
    if (!name.empty() && item && mpViewLocationDialog) {
        const vmva::cDVIAbstractProperty *property = item->findProperty(name);
        mpViewLocationDialog->setLocation(name, property ? property->modelLocation()
                                                         : vmva::cDMDataModelDescriptor());
        mpViewLocationDialog->setEnabled(true);
    } else if (mpViewLocationDialog) {
        mpViewLocationDialog->setEnabled(false);
    }
    updateViewLocationDialogWindowTitle(name);
    return piVoid();
}

piVoid cQModelViewDialogEditorWidget::sltNotifyDialogConnectorRightClick(
    const vstd::cAsciiString &)
{
    return piVoid();
}

void cQModelViewDialogEditorWidget::updateViewLocationDialogWindowTitle(vstd::cAsciiString name)
{
    QString title = tr("Datamodel Location");
    const QWidget *panel = mpViewLocationDialog;
    if (!name.empty() && panel && panel->isEnabled())
        title += QStringLiteral(" (") + qstr(name) + QStringLiteral(")");
    mpLocationDock->setWindowTitle(title);
}

void cQModelViewDialogEditorWidget::uiShowParameterDialog(bool checked)
{
    mpParameterDock->setVisible(checked);
}

void cQModelViewDialogEditorWidget::showAddedRows(cQAbstractDialogLayoutItem *added,
                                                  cQAbstractDialogLayoutItem *select)
{
    // A large form is not refilled for one element: its rows are added where it stands.
    if (!added || !mpLayoutTree->insertRows(*added)) {
        refreshLayoutTree(select);
        return;
    }
    // As a refill does: the row to select becomes current anew, and the tree takes the keys.
    mpLayoutTree->setCurrentItem(nullptr);
    mpLayoutTree->setCurrentLayoutItem(select);
    mpLayoutTree->setFocus(Qt::OtherFocusReason);
}

piVoid cQModelViewDialogEditorWidget::sltNotifyItemInserted(cQAbstractDialogLayoutItem &item)
{
    cQAbstractDialogLayoutItem *select = &item;
    const int kind = item.elementKind();
    if (kind == vq4::KindWidget || kind == vq4::KindEntry || kind == vq4::KindTabPage)
        select = item.parentOrNull();
    // Appended (no row yet) or pasted into (the pasted one is its last child).
    const bool appended = !mpLayoutTree->rowOf(&item);
    cQAbstractDialogLayoutItem *parent = item.parentOrNull();
    showAddedRows(appended || item.children().empty() ? &item : item.children().back(), select);
    emit documentModified();
    mpPreviewUpdater->noteChildren(appended && parent ? *parent : item);
    previewChanged();
    return piVoid();
}

piVoid cQModelViewDialogEditorWidget::sltNotifyItemChanged(cQAbstractDialogLayoutItem &item)
{
    // Inserted in front of (no row yet), pasted in front of (the one before it has none) or
    // moved among its siblings.
    cQAbstractDialogLayoutItem *before = item.previousSibling();
    if (!mpLayoutTree->rowOf(&item))
        showAddedRows(&item, &item);
    else if (before && !mpLayoutTree->rowOf(before))
        showAddedRows(before, &item);
    else
        showAddedRows(mpLayoutTree->removeRows(item) ? &item : nullptr, &item);
    emit documentModified();
    if (const cQAbstractDialogLayoutItem *parent = item.parentOrNull())
        mpPreviewUpdater->noteChildren(*parent);
    previewChanged();
    return piVoid();
}

piVoid cQModelViewDialogEditorWidget::sltNotifyItemRemoved(cQAbstractDialogLayoutItem &item)
{
    // The table's editors point into the properties that the purge below frees.
    mpConnectorTable->setProperties(nullptr);
    mpUndo->track(nullptr);
    cQAbstractDialogLayoutItem *select = item.nextSibling();
    if (!select)
        select = item.previousSibling();
    if (!select)
        select = item.parentOrNull();
    mpPreviewUpdater->noteRemoval(item);
    // No row may point at a purged item, not even while the tree is refilled: the element's
    // rows go, or all of them when they cannot be told apart.
    const bool rowsKept = mpLayoutTree->removeRows(item);
    if (!rowsKept)
        mpLayoutTree->clear();
    mpDocument->root().purgeRemoved();
    if (rowsKept) {
        mpLayoutTree->setCurrentItem(nullptr);
        mpLayoutTree->setCurrentLayoutItem(select);
        mpLayoutTree->setFocus(Qt::OtherFocusReason);
    } else {
        refreshLayoutTree(select);
    }
    emit documentModified();
    previewChanged();
    return piVoid();
}

piVoid cQModelViewDialogEditorWidget::sltNotifyPropertiesChanged()
{
    mpUndo->propertiesCommitted();
    const cQAbstractDialogLayoutItem *edited = currentLayoutItem();
    const bool shown = edited && edited->properties() == mpConnectorTable->properties();
    if (shown)
        mpLayoutTree->refreshTextsAround(*edited);
    else
        mpLayoutTree->refreshTexts();
    emit documentModified();
    previewChanged(shown ? edited : nullptr);
    return piVoid();
}

piVoid cQModelViewDialogEditorWidget::sltNotifyLocationAssigned(
    const vstd::cAsciiString &name, const vmva::cDMDataModelDescriptor &location)
{
    // Copies: the arguments may refer into the panel, which the echo below changes.
    const vstd::cAsciiString propertyName = name;
    const vmva::cDMDataModelDescriptor stored = location;
    cQAbstractDialogLayoutItem *item = currentLayoutItem();
    if (vmva::cDVIAbstractProperty *property = item ? item->findProperty(propertyName) : nullptr) {
        const cQDialogUndoPropertyCommand::tValueSet before
            = cQDialogUndoPropertyCommand::capture(*property);
        property->setModelLocation(stored);
        mpUndo->recordProperty(*item, *property, before);
    }
    mpViewLocationDialog->setLocation(propertyName, stored);
    mpConnectorTable->updateInfo();
    emit documentModified();
    previewChanged(item);
    return piVoid();
}

void cQModelViewDialogEditorWidget::setupPropertyTable()
{
    using W = cQModelViewDialogEditorWidget;
    mpConnectorTable->connectorSelectedSignal.connect(
        slotCall(this, &W::sltNotifyDialogConnectorSelected), 1);
    mpConnectorTable->nodeAssignMenuSignal.connect(slotCall(this, &W::sltExecuteNodeAssignMenu),
                                                   1);
    mpConnectorTable->propertyChangedSignal.connect(
        vrmi::cDirectLocalSlotCall0<W>(this, &W::sltNotifyPropertiesChanged), 1);
    mpViewLocationDialog->sigLocationAssigned.connect(
        slotCall(this, &W::sltNotifyLocationAssigned), 1);
}
