#pragma once

#include "q4support/cvq4application.h"
#include "qdialoglayoutitems/cdialogdocument.h"
#include "qdialoglayoutitems/cdialogitemfactoryregistry.h"
#include "qdialoguiconverter/cuiformreader.h"

#include "vellcore/cmodulemgr.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// The commands of dlgtool: forms converted, checked, described and rendered from the command
// line with the readers, limits and factories the editor and vellhost use. Each command
// returns the program's exit code: 0 done, 1 a file that cannot be read or written.
class cDlgTool
{
public:
    cDlgTool();
    ~cDlgTool();
    cDlgTool(const cDlgTool &) = delete;
    cDlgTool &operator=(const cDlgTool &) = delete;

    int convert(const QString &in, const QString &out);
    int validate(const QStringList &files);
    int info(const QString &file);
    // Runs the event loop until the picture is written.
    int render(const QString &file, const QString &png, const QSize &size);

    // Whether `path` names a Qt Designer form (".ui"); anything else is read as a ".dlg", as
    // the editor's "Load..." reads any file.
    static bool isUiForm(const QString &path);

private:
    // A form read from a file: the main form has an empty name.
    struct tFormView
    {
        QString name;
        const cQDialogLayoutRootItem *root;
    };

    // Reads `path` as the editor does: a ".dlg" through the document reader (elements without
    // a type skipped), a ".ui" through the form reader, which fills `report`. Throws what they
    // throw. The forms live until the next read().
    std::vector<tFormView> read(const QString &path, cUiConversionReport &report);
    int convertUi(const QString &in, const QString &out);
    int convertDlg(const QString &in, const QString &out);
    static int failed(const vstd::cAbstractException &e, const QString &file);

    vcs::cModuleMgr mModuleMgr;
    cVQ4Application mApplication;
    cDialogItemFactoryRegistry mRegistry;
    // Dialog parameters the forms read derive; never the application's.
    vmva::cDVDataViewArgList mArguments;
    std::unique_ptr<cDialogDocument> mDocument;
    std::vector<cUiFormReader::tFormSet> mUiForms;
};
