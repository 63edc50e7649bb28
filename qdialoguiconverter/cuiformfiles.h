#pragma once

#include "qdialoglayoutitems/cqdialoglayoutrootitem.h"

#include <QString>

#include <memory>

class cDialogItemFactoryRegistry;

// Where the forms of one Qt Designer file go as dialog documents: the menus and tool bars of a
// main window, which become forms of their own, lie beside the main form under names made of
// its file name and theirs, so that the editor and the command line tool name them alike.
class cUiFormFiles
{
public:
    // "FOLDER/BASE-NAME.dlg" for the form `formName` that belongs beside `besidePath`
    // ("FOLDER/BASE.dlg" or "FOLDER/BASE.ui"); characters a file name should not hold become
    // "_". An empty `formName` gives `besidePath` itself.
    static QString formPath(const QString &besidePath, const QString &formName);
    // Writes `root` as a dialog document to `path` with fresh form information; the file is
    // replaced only once the whole document was written. Throws cRuntimeException naming
    // `path` when it cannot be written.
    static void saveForm(const cDialogItemFactoryRegistry &registry,
                         std::unique_ptr<cQDialogLayoutRootItem> root, const QString &path);
};
