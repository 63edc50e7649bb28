#pragma once

// Shared set-up of the editor's widget tests: a host with the standard element library and its
// widget builders, scripted answers for the file dialogs, and forms written to disk.

#include "qdialogeditorwidget/cfiledialogprovider.h"
#include "qdialogeditorwidget/cqmodelviewdialogeditorwidget.h"
#include "qdialogeditorwidget/cqmodelviewdialoglayouttreeitem.h"
#include "qdialogeditorwidget/cqmodelviewdialoglayouttreewidget.h"
#include "qdialogeditorwidget/cqpreviewwidgetview.h"

#include "q4support/cvq4application.h"
#include "q4support/elements/standardelements.h"
#include "q4widgets/standardbuilders.h"
#include "qdialoglayoutitems/cabstractdialogitemfactory.h"
#include "qdialoglayoutitems/cdialogdocument.h"
#include "qdialoglayoutitems/cdialogitemfactoryregistry.h"
#include "qdialoglayoutitems/cqdialoglayoutviewitem.h"

#include "vellcore/cerrorreporter.h"
#include "vellcore/cmodulemgr.h"
#include "vellmva2/cdvitypedproperties.h"

#include <QAction>
#include <QDir>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <memory>

// The host one test program runs against.
struct cEditorTestHost
{
    vcs::cModuleMgr moduleMgr;
    cVQ4Application app{moduleMgr};

    cEditorTestHost()
    {
        registerStandardElements(app.vmvMgr());
        installStandardBuilders(app.vmvMgr());
    }

    std::unique_ptr<cQModelViewDialogEditorWidget> newEditor()
    {
        return std::make_unique<cQModelViewDialogEditorWidget>(app.vmvMgr(), app.locale(),
                                                               &app.dialogArguments());
    }
};

// Answers the editor's file dialogs from a script and records what was asked.
class cScriptedFileDialogs : public cFileDialogProvider
{
public:
    struct tRequest
    {
        QString caption, folder, filter;
    };
    QStringList answers;       // taken front first; an empty answer cancels
    QList<tRequest> requests;  // every dialog the editor opened

    QString openFileName(QWidget *, const QString &caption, const QString &folder,
                         const QString &filter) override
    {
        return answer(caption, folder, filter);
    }
    QString saveFileName(QWidget *, const QString &caption, const QString &folder,
                         const QString &filter, const QString &) override
    {
        return answer(caption, folder, filter);
    }

private:
    QString answer(const QString &caption, const QString &folder, const QString &filter)
    {
        requests.append({caption, folder, filter});
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
};

// A new editor window whose file dialogs answer from a script, for driving its commands.
struct tScriptedEditor
{
    std::unique_ptr<cQModelViewDialogEditorWidget> window;
    cScriptedFileDialogs *dialogs = nullptr;
    QTreeWidget *tree = nullptr;

    void press(const char *actionName) { window->findChild<QAction *>(actionName)->trigger(); }
    QWidget *preview() const { return window->previewView()->currentPreview(); }
};

// Builds a form in memory, element by element, and writes it as a document file.
class cFormWriter
{
public:
    explicit cFormWriter(cEditorTestHost &host)
        : mRegistry(&host.app.vmvMgr()),
          mDocument(&host.app.vmvMgr(), mRegistry, mArguments)
    {
        mRegistry.rebuildFactories();
    }

    cQAbstractDialogLayoutItem &root() { return mDocument.root(); }

    // Appends an element of type `elementName` under `parent`; `label` names it in the tree.
    cQAbstractDialogLayoutItem &add(cQAbstractDialogLayoutItem &parent, const char *elementName,
                                    const char *label = "")
    {
        cAbstractDialogItemFactory *factory = mRegistry.findFactory(elementName);
        if (!factory)
            qFatal("no element type %s", elementName);
        std::unique_ptr<cQDialogLayoutViewItem> item
            = factory->createItem(&parent, mRegistry.dataViewMgr());
        cQAbstractDialogLayoutItem &ref = *item;
        parent.insertChild(nullptr, std::move(item));
        if (*label)
            setAscii(ref, "Label", label);
        return ref;
    }
    static void setAscii(cQAbstractDialogLayoutItem &item, const char *name, const char *value)
    {
        item.findProperty(name)->asciiStringView()->setValue(value);
    }
    static void setText(cQAbstractDialogLayoutItem &item, const char *name, const char *value)
    {
        item.findProperty(name)->ucStringView()->setValue(vucs::cString(value));
    }
    void save(const QString &path) { mDocument.saveDocument(qstr(path)); }

private:
    vmva::cDVDataViewArgList mArguments;
    cDialogItemFactoryRegistry mRegistry;
    cDialogDocument mDocument;
};

inline tScriptedEditor scriptedEditor(cEditorTestHost &host, const QStringList &answers = {},
                                     bool shown = true)
{
    tScriptedEditor e;
    e.window = host.newEditor();
    auto dialogs = std::make_unique<cScriptedFileDialogs>();
    dialogs->answers = answers;
    e.dialogs = dialogs.get();
    e.window->setFileDialogProvider(std::move(dialogs));
    e.tree = e.window->findChild<QTreeWidget *>("dialogLayoutTree");
    if (shown) {
        e.window->resize(900, 700);
        e.window->show();
        if (!QTest::qWaitForWindowExposed(e.window.get()))
            qWarning("editor not exposed");
    }
    return e;
}

// The texts of all rows, depth first, each indented by two blanks per level.
inline QStringList treeRows(const QTreeWidget &tree)
{
    QStringList rows;
    std::function<void(QTreeWidgetItem *, int)> walk = [&](QTreeWidgetItem *row, int depth) {
        rows << QString(depth * 2, QLatin1Char(' ')) + row->text(0);
        for (int i = 0; i < row->childCount(); ++i)
            walk(row->child(i), depth + 1);
    };
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        walk(tree.topLevelItem(i), 0);
    return rows;
}

// Runs `action`; the text of every error reported on the way, as the user would read it.
inline QStringList reportedDuring(const std::function<void()> &action)
{
    QStringList reported;
    const auto previous = vpi::cErrorReporter::setHandler(
        [&](const vstd::cAbstractException &e) { reported << vstd::describe(e).text(); });
    action();
    vpi::cErrorReporter::setHandler(previous);
    return reported;
}

// The first row whose text is `text`, or null.
inline QTreeWidgetItem *findRow(const QTreeWidget &tree, const QString &text)
{
    const QList<QTreeWidgetItem *> rows
        = tree.findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return rows.isEmpty() ? nullptr : rows.first();
}

// An editor window shown and active (so its shortcuts reach it) that a test drives as a user:
// keys on the layout tree and row selections, each waited for until the tree reported the new
// current row activated, as the menus and commands follow the selection only then.
class cEditorDriver : public vrmi::cConnectable
{
public:
    explicit cEditorDriver(cEditorTestHost &host)
        : window(host.newEditor()), tree(window->findChild<QTreeWidget *>("dialogLayoutTree"))
    {
        static_cast<cQModelViewDialogLayoutTreeWidget *>(tree)->sigItemActivated.connect(
            vrmi::cDirectLocalSlotCall1<cEditorDriver, QTreeWidgetItem *>(
                this, &cEditorDriver::activated));
        window->resize(1000, 760);
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get()))
            qWarning("editor not active");
        if (!QTest::qWaitFor([&] { return mActivations > 0; }, 2000))
            qWarning("editor's tree not activated");
    }
    // Runs `step`, then waits for the next activation; false after two seconds without one.
    template <class F> bool after(F step)
    {
        const int before = mActivations;
        step();
        return QTest::qWaitFor([&] { return mActivations > before; }, 2000);
    }
    // A key on the tree; waited for when it `changes` the selection or the document.
    bool key(int key, Qt::KeyboardModifiers mods = {}, bool changes = true)
    {
        const auto press = [&] { QTest::keyClick(tree, Qt::Key(key), mods); };
        if (!changes)
            press();
        return !changes || after(press);
    }
    // Clicks the row of `item` (or the first row showing `text`).
    bool click(const cQAbstractDialogLayoutItem *item, const QString &text = QString())
    {
        QTreeWidgetItem *row = nullptr;
        for (QTreeWidgetItem *r : tree->findItems("", Qt::MatchContains | Qt::MatchRecursive))
            if (!row && (item ? cQModelViewDialogLayoutTreeItem::layoutItemOf(r) == item
                              : r->text(0) == text))
                row = r;
        if (!row)
            return false;
        if (row == tree->currentItem())
            return true;
        tree->scrollToItem(row);
        return after([&] {
            // Near the start of its text: a long row is wider than the tree.
            QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                              tree->visualItemRect(row).topLeft() + QPoint(8, 4));
        });
    }
    bool click(const QString &text) { return click(nullptr, text); }
    QAction *action(const char *name) const { return window->findChild<QAction *>(name); }
    cQAbstractDialogLayoutItem *current() const { return window->currentLayoutItem(); }

    std::unique_ptr<cQModelViewDialogEditorWidget> window;
    QTreeWidget *tree;

private:
    piVoid activated(QTreeWidgetItem *) { ++mActivations; return piVoid(); }
    int mActivations = 0;
};
