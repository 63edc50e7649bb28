#pragma once

// The host parts the converter needs, the document text it is judged by, and the installed
// uic asked whether a form compiles.
#include "qdialoguiconverter/cuiformreader.h"

#include "qdialoglayoutitems/cdialogitemfactoryregistry.h"
#include "qdialoglayoutitems/cforminforecord.h"
#include "q4support/cvq4vmvdataviewmgr.h"
#include "q4support/elements/standardelements.h"
#include "vellcore/ccoreextensionmgr.h"
#include "vellcore/cmodulemgr.h"
#include "vellcore/cserializexml.h"

#include <QProcess>
#include <QString>

// The module manager, data view manager and factory registry of the standard elements.
struct tUiHostSet
{
    tUiHostSet() : dataViewMgr(moduleMgr), registry(&dataViewMgr)
    {
        registerStandardElements(dataViewMgr);
        registry.rebuildFactories();
    }
    vcs::cModuleMgr moduleMgr;
    cVQ4VMVDataViewMgr dataViewMgr;
    cDialogItemFactoryRegistry registry;
};

// The document as its ".dlg" file holds its elements.
inline QByteArray documentText(const tUiHostSet &host, const cQAbstractDialogLayoutItem &root)
{
    vsa::cSerializeXML out("Form");
    out.setPreferNoLabels(false);
    for (const cQAbstractDialogLayoutItem *child : root.children())
        host.registry.storeItem(*child, out);
    return out.data();
}

inline std::unique_ptr<cQDialogLayoutRootItem> loadDocument(tUiHostSet &host, const QString &path)
{
    std::unique_ptr<vsa::cAbstractDeserializer> in
        = host.moduleMgr.coreExtensions().createDeserializer("XML-Config", qstr(path));
    in->setPreferNoLabels(false);
    auto root = std::make_unique<cQDialogLayoutRootItem>(&host.dataViewMgr);
    cFormInfoRecord().load(*in);
    host.registry.loadItems(*root, nullptr, *in, false);
    return root;
}

// The document text of the one form the ".ui" file at `path` holds; `failure` if not one.
inline QByteArray readBack(const tUiHostSet &host, const QString &path, const QByteArray &failure)
{
    cUiConversionReport read;
    std::vector<cUiFormReader::tFormSet> forms
        = cUiFormReader(host.registry).readFile(qstr(path), read);
    return forms.size() == 1 ? documentText(host, *forms.front().root) : failure;
}

// Its complaint, empty when it has none.
inline QString uicProblem(const QString &path)
{
    QProcess uic;
    uic.start(QStringLiteral(VELL_UIC), {path});
    if (!uic.waitForFinished(30000))
        return QStringLiteral("uic did not finish: ") + uic.errorString();
    const QString errors = QString::fromLocal8Bit(uic.readAllStandardError()).trimmed();
    if (uic.exitStatus() != QProcess::NormalExit || uic.exitCode() != 0 || !errors.isEmpty()
        || uic.readAllStandardOutput().isEmpty())
        return QStringLiteral("uic %1: exit %2: %3").arg(path).arg(uic.exitCode()).arg(errors);
    return QString();
}
