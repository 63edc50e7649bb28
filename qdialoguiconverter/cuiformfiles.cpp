#include "cuiformfiles.h"

#include "qdialoglayoutitems/cdialogdocument.h"
#include "qdialoglayoutitems/cdialogitemfactoryregistry.h"
#include "vellmva2/cdvdataviewarglist.h"

#include <QDir>
#include <QFileInfo>

QString cUiFormFiles::formPath(const QString &besidePath, const QString &formName)
{
    if (formName.isEmpty())
        return besidePath;
    QString name = formName;
    for (QChar &c : name) {
        const bool plain = c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('-');
        if (!plain || c.unicode() > 127)
            c = QLatin1Char('_');
    }
    const QFileInfo beside(besidePath);
    const QString file = beside.completeBaseName() + QLatin1Char('-') + name
                         + QStringLiteral(".dlg");
    // A relative path stays relative, as the user gave it.
    return beside.path() == QLatin1String(".") && !besidePath.startsWith(QLatin1String("./"))
               ? file
               : QDir(beside.path()).filePath(file);
}

void cUiFormFiles::saveForm(const cDialogItemFactoryRegistry &registry,
                            std::unique_ptr<cQDialogLayoutRootItem> root, const QString &path)
{
    // The parameters the form names are derived into an argument list of its own: writing a
    // file adds none to the application's.
    vmva::cDVDataViewArgList arguments;
    cDialogDocument document(registry.dataViewMgr(), registry, arguments);
    document.adoptDocument(std::move(root));
    document.saveDocument(qstr(path));
}
