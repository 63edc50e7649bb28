#pragma once

#include "cfiledialogprovider.h"

#include <QObject>
#include <QString>

#include <memory>

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

private:
    QString startFolder() const;
    // Announces the replacement and lets go of the rows that refer to the document's items.
    void releaseDocument();
    // The form information page and the title after a successful save.
    void saved();

    cQModelViewDialogEditorWidget &mWindow;
    QString mFileName;
    std::unique_ptr<cFileDialogProvider> mpFileDialogs;
};
