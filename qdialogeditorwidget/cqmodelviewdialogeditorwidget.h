#pragma once

#include "cfiledialogprovider.h"

#include "q4support/cvq4application.h"
#include "qdialoglayoutitems/cdialogdocument.h"
#include "qdialoglayoutitems/cdialogitemfactoryregistry.h"

#include "vellcore/tlist.h"
#include "vellcore/vio.h"
#include "vellcore/vrmi.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>

#include <memory>

namespace Ui { class uiCQModelViewDialogEditorSetup; }
class QDockWidget;
class QMenu;
class QScrollArea;
class QStackedWidget;
class QTreeWidgetItem;
class cQAbstractDialogLayoutItem;
class cQModelViewDialogLayoutTreeWidget;
class cQPreviewUpdater;
class cQPreviewWidgetView;
class cQVEConnectorTreeWidget;
class cQMVViewLocationDialog;
class cQVMVDialogPrmDialog;
class cQVMVFormDialog;
class cQModelViewDialogEditorEdit;
class cQModelViewDialogEditorViewItems;
class cQModelViewTreeWidget;
class cQDialogUndoRecorder;
class cQDialogDocumentCommands;
class cQDialogUndoWiring;
class cQElementsDock;
namespace vmva { class cDMDataModelDescriptor; }

// The dialog editor's main window: owns the current document and the factory registry, shows
// the document in its docks and the live preview, and runs the document and preview commands.
class cQModelViewDialogEditorWidget : public QMainWindow, public vrmi::cConnectable
{
    Q_OBJECT
public:
    // The source every trace line of the window names, whichever of its files wrote it.
    static constexpr const char *kTraceSource =
        "qdialogeditorwidget/cqmodelviewdialogeditorwidget.cpp";

    cQModelViewDialogEditorWidget(cVQ4VMVDataViewMgr &dataViewMgr, vucs::cLILocale &locale,
                                  vmva::cDVDataViewArgList *arguments, QWidget *parent = nullptr);
    ~cQModelViewDialogEditorWidget() override;

    // The layout tree's current layout item, or null.
    cQAbstractDialogLayoutItem *currentLayoutItem() const;
    // Refills the layout tree, making the row of `select` (or the root's row) current.
    void refreshLayoutTree(cQAbstractDialogLayoutItem *select);
    // "Dialog", "Menu", "ToolBar" or empty, from the document's view category.
    vstd::cAsciiString documentType() const;
    void updateTitle();

    // The automatic preview update after a change of the document; a change of the values of
    // `touched` alone rebuilds only its part of the preview where that can be done.
    void previewChanged(const cQAbstractDialogLayoutItem *touched = nullptr);

    cQDialogLayoutRootItem &document() const { return mpDocument->root(); }
    const QString &fileName() const;
    cQPreviewWidgetView *previewView() const { return mpPreviewView; }
    cQVEConnectorTreeWidget *connectorTable() const { return mpConnectorTable; }
    cQMVViewLocationDialog *viewLocationDialog() const { return mpViewLocationDialog; }
    QWidget *topLevelPreview() const { return mpTopLevelPreview; }
    cDialogItemFactoryRegistry &factoryRegistry() { return mFactoryRegistry; }
    // The "Data Models" window once it was asked for, else null.
    cQModelViewTreeWidget *dataModelsWindow() const { return mpDataModelsWindow; }
    void setFileDialogProvider(std::unique_ptr<cFileDialogProvider> provider);
    // The document's undo history.
    cQDialogUndoRecorder &undoRecorder() const { return *mpUndo; }

    // Loads the document at `path`; elements without a factory are skipped when `ignoreUnknown`.
    // A file that cannot be read leaves the current document, file name and title as they
    // were. Once read, the document is shown under its name; a preview that fails then leaves
    // the preview empty and throws, wrapped in a message naming the file.
    void loadDocument(const QString &path, bool ignoreUnknown);
    void saveDocument(const QString &path);
    // "Save": to the document's file, or asking for a name first; false when none was given.
    bool saveCurrentDocument();
    // True while the document differs from what was last saved (the undo history is not at the
    // step that was saved, or the form information shows an edit that is not a step yet). A
    // new document is not changed; a form brought back from recovery is until it was saved.
    bool hasUnsavedChanges() const;
    void markUnsaved();
    // Writes the document to `path` without saving it: pending form changes (a version asked
    // for) stay pending and "Last edited" keeps its text. For recovery files.
    void saveRecoveryCopy(const QString &path);
    // A live preview of the document built from a serialised copy, owned by the caller; null
    // for an empty document or when the factory builds nothing. Top-level, a menu runs as a
    // popup at the cursor and null comes back.
    std::unique_ptr<QWidget> createPreview(QWidget *parent, bool topLevel);
    // Gives the document a file name (empty: untitled) without reading or writing it.
    void setFileName(const QString &path);

signals:
    // The document changed: an element, a property, a binding or the form information. Comes
    // before the preview is rebuilt, so that a preview that fails never holds it back.
    void documentModified();
    // The document was written to its file by "Save" or "Save as...".
    void documentSaved();
    // "New" or a load is about to replace the document (the file was read); the document is
    // still the old one.
    void documentAboutToBeReplaced();
    // "New" or a load replaced the document.
    void documentReplaced();

private slots:
    piVoid sltNotifyDialogLayoutItemRightClick(QTreeWidgetItem *row);
    piVoid sltNotifyDialogLayoutItemActivated(QTreeWidgetItem *row);
    piVoid sltNotifyDialogLayoutItemHovered(QTreeWidgetItem *row);
    piVoid sltNotifyDialogConnectorSelected(const vstd::cAsciiString &name);
    piVoid sltNotifyDialogConnectorRightClick(const vstd::cAsciiString &name);
    piVoid sltExecuteNodeAssignMenu(const vstd::cAsciiString &sDescriptor);
    void updateViewLocationDialogWindowTitle(vstd::cAsciiString name);
    void uiCreateEmbeddedPreview(bool checked);
    void uiCreateTopLevelPreview(bool checked);
    void uiNewDocument(bool checked);
    void uiLoadDocument(bool checked);
    void uiSaveDocument(bool checked);
    void uiSaveCurrentDocument(bool checked);
    void uiLoadUiPlugIn(bool checked);
    void uiEmbeddedPreviewEnabled(bool checked);
    void uiShowAllDataModels(bool checked);
    void uiShowParameterDialog(bool checked);

private:
    piVoid sltNotifyItemInserted(cQAbstractDialogLayoutItem &item);
    piVoid sltNotifyItemChanged(cQAbstractDialogLayoutItem &item);
    piVoid sltNotifyItemRemoved(cQAbstractDialogLayoutItem &item);
    piVoid sltNotifyPropertiesChanged();
    piVoid sltNotifyLocationAssigned(const vstd::cAsciiString &name,
                                     const vmva::cDMDataModelDescriptor &location);
    piVoid sltCollectTranslationKeys(vstd::tList<vstd::cAsciiString> &keys);
    piVoid sltNotifyPreviewArgumentAssigned();

    // Adds the "Assign to model" cascade for `property` to `popup`, runs the popup at the cursor
    // and hands the choice to the location panel, which reports it as the property's location.
    void execModelMenu(QMenu &popup, const vstd::cAsciiString &property);

    // Builds the preview of createPreview() from the copy `document`.
    std::unique_ptr<QWidget> buildPreview(vsa::cAbstractDeserializer &document, QWidget *parent,
                                          bool topLevel);

    // A node bound in `preview` that goes away rebuilds the embedded preview after the current
    // event, so that it shows the unbound state instead of a stale value.
    void rebuildPreviewOnNodeLoss(QObject &preview);
    // Rebuilds only what the noted changes touched in the embedded and an open top-level
    // preview; false when the embedded preview must be rebuilt as a whole (and with it the
    // top-level one).
    bool updatePreviews();
    // Shows the rows of `added` (null: refills the tree) and makes the row of `select` current.
    void showAddedRows(cQAbstractDialogLayoutItem *added, cQAbstractDialogLayoutItem *select);
    // Replaces the top-level preview by a new one at its place (or beside the editor).
    void openTopLevelPreview(bool activate);
    // Rebuilds a shown top-level preview in place; a document it cannot show closes it.
    void refreshTopLevelPreview();
    // A first top-level preview opens beside the editor, never over its menu bar.
    void placeBesideEditor(QWidget &preview) const;

    void setupDocks();
    // The property table and the location panel in their docks, wired to this window.
    void setupPropertyTable();
    void setupModelPanels();
    void setupPreviewArea();
    void setupEditing();
    // The "Elements" dock, drops on the layout tree and the hint of an empty form.
    void setupElementsDock();
    void updateEmptyHint();
    void connectActions();
    // Quit, the "Help" menu, the common second shortcuts and the unsaved-changes indicator.
    void setupDesktopCommands();
    // Typing in the form information panel or asking for a new version changes the document.
    void watchFormInformation();

    cVQ4VMVDataViewMgr &mDataViewMgr;
    vucs::cLILocale &mLocale;
    vmva::cDVDataViewArgList *mGlobalArguments;
    vcs::cModuleMgr &mModuleMgr;
    std::unique_ptr<Ui::uiCQModelViewDialogEditorSetup> mpUi;
    cQModelViewDialogLayoutTreeWidget *mpLayoutTree = nullptr;
    cQVEConnectorTreeWidget *mpConnectorTable = nullptr;
    // The document: the root item with its tree, and its file operations.
    std::unique_ptr<cDialogDocument> mpDocument;
    QStackedWidget *mpPropertyStack = nullptr;
    cQMVViewLocationDialog *mpViewLocationDialog = nullptr;
    QDockWidget *mpLocationDock = nullptr;
    cQVMVDialogPrmDialog *mpParameterDialog = nullptr;
    QDockWidget *mpParameterDock = nullptr;
    cQVMVFormDialog *mpFormDialog = nullptr;
    vmva::cDVDataViewArgList *mpArguments;
    // The memory of the last preview copy, which the next one is written into.
    QByteArray mPreviewRoom;
    QScrollArea *mpPreviewScroll = nullptr;
    cQPreviewWidgetView *mpPreviewView = nullptr;
    std::unique_ptr<cQPreviewUpdater> mpPreviewUpdater;
    // Changes went by while "Auto Update" was off: the previews show an older form.
    bool mPreviewBehind = false;
    // The translation key of each text last collected, by the text's buffer, which the copy
    // held here keeps from being reused or written: the same buffer is the same text.
    struct tTranslationKeySet
    {
        QString text;
        vstd::cAsciiString key;
        bool blank = true;
    };
    QHash<const QChar *, tTranslationKeySet> mTranslationKeys;
    // Closed by the user it is only hidden; deleted with the editor or when replaced.
    QPointer<QWidget> mpTopLevelPreview;
    cQModelViewDialogEditorEdit *mpEdit = nullptr;
    cQModelViewDialogEditorViewItems *mpViewItems = nullptr;
    cQElementsDock *mpElementsDock = nullptr;
    cDialogItemFactoryRegistry mFactoryRegistry;
    cQModelViewTreeWidget *mpDataModelsWindow = nullptr;
    bool mPreviewRebuildQueued = false;
    vio::cSearchPaths mSearchPaths;
    // New, Load, Save: the file name and the file dialogs.
    cQDialogDocumentCommands *mpCommands;
    // The undo history with its entries and dock; `mpUndo` is its recorder.
    friend class cQDialogUndoWiring;
    friend class cQDialogDocumentCommands;
    std::unique_ptr<cQDialogUndoWiring> mpUndoWiring;
    cQDialogUndoRecorder *mpUndo = nullptr;
};
