#pragma once

#include "cfiledialogprovider.h"

#include "qdialoguiconverter/cuiformreader.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class QMenu;
class cQModelViewDialogEditorWidget;

// The editor window's document commands: New, Load, Save, Save as and loading a UI plug-in,
// with the document's file name and the file dialogs they ask. Replacing the document is
// announced before it happens, so that the recovery writes what was typed last; a file that
// cannot be read leaves the window as it was.
class cQDialogDocumentCommands : public QObject
{
    Q_OBJECT
public:
    explicit cQDialogDocumentCommands(cQModelViewDialogEditorWidget &window);

    const QString &fileName() const { return mFileName; }
    void setFileName(const QString &path) { mFileName = path; }
    // Null restores the modal dialogs.
    void setFileDialogProvider(std::unique_ptr<cFileDialogProvider> provider);

    void newDocument();
    // "Load...": asks for a file, then loadDocument().
    void chooseAndLoad();
    void loadDocument(const QString &path, bool ignoreUnknown);
    // "Save as...": false when no name was chosen.
    bool saveAs();
    // "Save": to the document's file, or asking for a name first; false when none was given.
    bool save();
    void loadUiPlugIn();

    // Adds "Import Qt Designer form..." and "Export as Qt Designer form..." to the end of the
    // "File" menu `file`, behind a separator.
    void addUiFormActions(QMenu &file);
    // Reads the Qt Designer form at `path` into a new, unsaved document and shows the report
    // of what was approximated or left out. A file that cannot be read throws and leaves the
    // window as it was.
    void importUiForm(const QString &path);

public slots:
    // "Import Qt Designer form...": asks for a ".ui" file, then importUiForm().
    void uiImportUiForm(bool checked);
    // "Export as Qt Designer form...": asks for a ".ui" name and writes the document there; the
    // document, its file name and its saved state stay as they are.
    void uiExportUiForm(bool checked);

private:
    // Writes the forms of a main window's menus and tool bars beside the ".ui" file (never
    // over a file that is there) and adds to `lines` where each went.
    void writeExtraForms(std::vector<cUiFormReader::tFormSet> &forms, const QString &path,
                         QStringList &lines);
    void showReport(const QString &title, const QStringList &lines);

    QString startFolder() const;
    // Announces the replacement and lets go of the rows that refer to the document's items.
    void releaseDocument();
    // The form information page and the title after a successful save.
    void saved();

    cQModelViewDialogEditorWidget &mWindow;
    QString mFileName;
    std::unique_ptr<cFileDialogProvider> mpFileDialogs;
};
