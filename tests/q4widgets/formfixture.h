#pragma once

// Shared by the widget layer's tests: a module manager with the standard elements and their
// builders, forms written in code, the factories, and the trace lines they write.
#include "q4support/elements/standardelements.h"
#include "q4widgets/cvq4vmvdialogfactory.h"
#include "q4widgets/cvq4vmvformwriter.h"
#include "q4widgets/cvq4vmvmenufactory.h"
#include "q4widgets/cvq4vmvtoolbarfactory.h"
#include "q4widgets/standardbuilders.h"

#include "q4support/cvq4vmvdataviewmgr.h"
#include "vellcore/cdebugstream.h"
#include "vellcore/cmodulemgr.h"
#include "vellcore/vce.h"
#include "vellcore/vsa.h"
#include "vellmva2/cdvdataviewarglist.h"

#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

struct tFormFixture
{
    vcs::cModuleMgr moduleMgr;
    cVQ4VMVDataViewMgr mgr{moduleMgr};
    vmva::cDVDataViewArgList arguments;
    vio::cSearchPaths searchPaths;
    vucs::cLILocale locale;

    tFormFixture()
    {
        registerStandardElements(mgr);
        installStandardBuilders(mgr);
    }

    // Adds the dialog parameter `name` bound to the live `model`.
    void bindParameter(const vstd::cAsciiString &name, vmva::cDMDataModel &model)
    {
        arguments.addParameter(name);
        arguments.bindModel(name, &model);
    }

    // The bytes of a form written by `write` into the in-memory serializer.
    QByteArray document(const std::function<void(cVQ4VMVFormWriter &)> &write)
    {
        vsa::cSerializeBinary serializer("Form");
        cVQ4VMVFormWriter writer(mgr, serializer);
        write(writer);
        return serializer.data();
    }

    // A dialog whose vertical box holds what `write` adds.
    std::unique_ptr<cVQ4AppWidget> boxDialog(const std::function<void(cVQ4VMVFormWriter &)> &write)
    {
        return dialog(document([&](cVQ4VMVFormWriter &w) {
            w.open("Dialog").open("VBoxLayout");
            write(w);
            w.close().close();
        }));
    }
    std::unique_ptr<cVQ4AppWidget> dialog(const QByteArray &bytes, QWidget *parent = nullptr)
    {
        vsa::cDeserializeBinary document(bytes);
        cVQ4VMVDialogFactory factory(mgr, searchPaths);
        return std::unique_ptr<cVQ4AppWidget>(factory.createDialog(parent, arguments, document));
    }
    std::unique_ptr<QMenu> menu(const QByteArray &bytes, QWidget *parent = nullptr)
    {
        vsa::cDeserializeBinary document(bytes);
        cVQ4VMVMenuFactory factory(mgr, locale, searchPaths);
        return std::unique_ptr<QMenu>(factory.createMenu(parent, arguments, document));
    }
    std::unique_ptr<QToolBar> toolBar(const QByteArray &bytes, QWidget *parent = nullptr)
    {
        vsa::cDeserializeBinary document(bytes);
        cVQ4VMVToolbarFactory factory(mgr, locale, searchPaths);
        return std::unique_ptr<QToolBar>(factory.createToolBar(parent, arguments, document));
    }
};

// The child `name` of `root` of type W; a warning names a missing one.
template <class W> W *find(QWidget &root, const char *name)
{
    W *widget = root.findChild<W *>(name);
    if (!widget)
        qWarning("no widget %s", name);
    return widget;
}

// The shown values of named widgets, "name:qtProperty" each; an empty name is `root`.
inline QStringList shown(QWidget &root, const QStringList &what)
{
    QStringList values;
    for (const QString &entry : what) {
        const QStringList parts = entry.split(':');
        QObject *w = parts[0].isEmpty() ? &root : root.findChild<QObject *>(parts[0]);
        values << (w ? w->property(parts[1].toLatin1()).toString() : QString("?"));
    }
    return values;
}

// Collects the trace lines written while it lives.
class cTraceCollector
{
public:
    cTraceCollector()
        : mPrevious(vpi::system().setSink([this](const QString &line) { lines << line; }))
    {
    }
    ~cTraceCollector() { vpi::system().setSink(mPrevious); }
    // The lines that contain `text`.
    QStringList matching(const QString &text) const { return lines.filter(text); }

    QStringList lines;

private:
    vpi::cDebugStream::tSink mPrevious;
};
