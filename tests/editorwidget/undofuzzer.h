#pragma once

// A randomized driver of the editor for the tests that follow a document through operations
// of every kind: the operations a user has, and the history a user should see after each.

#include "editortesthost.h"

#include "qdialogeditorwidget/undo/cqdialogundorecorder.h"
#include "qdialogeditorwidget/cqmodelviewdialogeditorviewitems.h"
#include "qdialogeditorwidget/cqpwnameitem.h"
#include "qdialogeditorwidget/cqveconnectortreewidget.h"
#include "qdialogeditorwidget/propertywidgets/cqmvviewlocationdialog.h"

#include "formdialog/cqvmvformdialog.h"
#include "qdialoglayoutitems/cforminforecord.h"
#include "vellcore/vsa.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QStackedWidget>
#include <QtTest>

#include <functional>

// What the document writer gives for the elements (without preview identities), and the form
// information fields it writes (without the time stamp).
struct tDocumentState
{
    QByteArray elements;
    QStringList form;
    bool operator==(const tDocumentState &o) const
    {
        return elements == o.elements && form == o.form;
    }
};

inline tDocumentState stateOf(cQModelViewDialogEditorWidget &editor)
{
    cQDialogLayoutRootItem &root = editor.document();
    const bool previewed = !root.debugInfo().empty();
    root.clearDebugInfo();
    vsa::cSerializeBinary elements;
    elements.setPreferNoLabels(false);
    for (const cQAbstractDialogLayoutItem *child : root.children())
        editor.factoryRegistry().storeItem(*child, elements);
    if (previewed)
        root.assignDebugInfo();
    vsa::cSerializeBinary info("Form");
    info.setPreferNoLabels(false);
    editor.findChild<cQVMVFormDialog *>("mpFormDialog")->storeFormInfo(info);
    vsa::cDeserializeBinary reader(info.data());
    reader.setPreferNoLabels(false);
    cFormInfoRecord record;
    record.load(reader);
    return {elements.data(),
            {qstr(record.name), qstr(record.author), QString::number(record.versionMajor),
             QString::number(record.versionMinor)}};
}

inline QString pathText(const cQAbstractDialogLayoutItem *item)
{
    QString text;
    for (int index : cQDialogUndoContext::pathOf(*item))
        text += QLatin1Char('/') + QString::number(index);
    return text;
}

// The property table's cell of the property `name`: its name (column 0) or its value editor
// (1); null when the table has no such row.
inline QWidget *tableCell(cQVEConnectorTreeWidget &table, const QString &name, int column)
{
    for (int row = 0; row < table.rowCount(); ++row)
        if (auto *cell = qobject_cast<cQPWNameItem *>(table.cellWidget(row, 0)))
            if (qstr(cell->property()->name()) == name)
                return table.cellWidget(row, column);
    return nullptr;
}

// Drives an editor with random operations of every kind and keeps the history a user should
// see: one state per step, merged property commits, dropped no-op merges.
class cUndoFuzzer
{
public:
    cUndoFuzzer(cQModelViewDialogEditorWidget &editor, quint32 seed)
        : mEditor(editor), mRandom(seed),
          mTree(static_cast<cQModelViewDialogLayoutTreeWidget *>(
              editor.findChild<QTreeWidget *>("dialogLayoutTree"))),
          mPanel(editor.findChild<cQVMVFormDialog *>("mpFormDialog"))
    {
        mSteps.push_back({stateOf(editor), QString()});
        activate();
    }

    // Runs `count` operations; false (with the reason in `failure`) at the first disagreement.
    bool run(int count)
    {
        for (int i = 0; i < count; ++i) {
            const QString op = step();
            // Posted events and replaced cell widgets go as they would between a user's events
            // (timers wait: the tree's delayed activation is given by the operations).
            settle();
            const QString named = op + QStringLiteral(" (operation %1)").arg(i);
            if (!check(named))
                return false;
            const QString difference = afterEach ? afterEach() : QString();
            if (!difference.isEmpty())
                return fail(named + QStringLiteral(": ") + difference);
        }
        return true;
    }

    // Undoes every step, then redoes every step, comparing with the first and the last state.
    bool unwindAndReplay()
    {
        for (const char *name : {"mpActUndo", "mpActRedo"}) {
            while (action(name)->isEnabled()) {
                action(name)->trigger();
                settle();
                const QString difference = afterEach ? afterEach() : QString();
                if (!difference.isEmpty())
                    return fail(QLatin1String(name) + QStringLiteral(": ") + difference);
            }
            const bool undo = name == QLatin1String("mpActUndo");
            if (!(stateOf(mEditor) == (undo ? mSteps.front() : mSteps.back()).state))
                return fail(QLatin1String(name) + QStringLiteral(" to the end differs"));
        }
        return true;
    }

    int steps() const { return int(mSteps.size()) - 1; }
    QString failure;
    // Checked after every operation: what is wrong, or nothing.
    std::function<QString()> afterEach;

private:
    struct tStep
    {
        tDocumentState state;
        QString mergeKey;  // empty: no later commit merges into this step
    };

    QAction *action(const char *name) const { return mEditor.findChild<QAction *>(name); }
    static void settle()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::sendPostedEvents();
    }
    int pick(int n) { return int(mRandom.bounded(quint32(n))); }
    void activate() { mTree->sigItemActivated.emitSignal(mTree->currentItem()); }
    bool fail(const QString &why)
    {
        failure = why;
        return false;
    }

    // One random operation; returns its name. The expected history follows in `mPending*`.
    QString step()
    {
        mPendingKey.clear();
        mKind = Edit;
        mForced = false;
        switch (pick(20)) {
        case 0: case 1: return select();
        case 2: case 3: return create(true);
        case 4: return create(false);
        // Below the top layouts only: pasting a whole form again and again would double it.
        case 5: return small() ? trigger("mpActCopy", false) : QStringLiteral("copy (large)");
        case 6: return small() ? trigger("mpActCut", true) : QStringLiteral("cut (large)");
        case 7: return trigger("mpActPaste", true);
        case 8: return clipboardPaste();
        case 9: return trigger("mpActRemove", true);
        case 10: {
            // Identical siblings exchanged leave the same document, yet the move is a step.
            const char *name = pick(2) ? "mpActMoveUp" : "mpActMoveDn";
            mForced = action(name)->isEnabled();
            return trigger(name, true);
        }
        case 11: case 12: case 13: return changeValue();
        case 14: return changeBinding();
        case 15: return editForm();
        case 16: case 17: mKind = Undo; return trigger("mpActUndo", false);
        case 18: mKind = Redo; return trigger("mpActRedo", false);
        default:
            mKind = Save;
            return trigger("mpActSaveCurrentDocument", false);
        }
    }

    // Every row stands for the element at its place, with the element's text.
    bool treeShowsDocument() const
    {
        std::function<bool(QTreeWidgetItem *, const cQAbstractDialogLayoutItem &)> same
            = [&same](QTreeWidgetItem *row, const cQAbstractDialogLayoutItem &item) {
                  if (cQModelViewDialogLayoutTreeItem::layoutItemOf(row) != &item
                      || int(item.children().size()) != row->childCount()
                      || (item.parentOrNull()
                          && row->text(0) != cQModelViewDialogLayoutTreeWidget::rowText(item)))
                      return false;
                  for (int i = 0; i < row->childCount(); ++i)
                      if (!same(row->child(i), *item.children()[size_t(i)]))
                          return false;
                  return true;
              };
        return mTree->topLevelItemCount() == 1 && same(mTree->topLevelItem(0), mEditor.document());
    }

    bool small() const
    {
        const cQAbstractDialogLayoutItem *current = mEditor.currentLayoutItem();
        return current && cQDialogUndoContext::pathOf(*current).size() > 2;
    }

    QString select()
    {
        const QList<QTreeWidgetItem *> rows
            = mTree->findItems(QString(), Qt::MatchContains | Qt::MatchRecursive);
        mTree->setCurrentItem(rows[pick(int(rows.size()))]);
        activate();
        mKind = Select;
        return QStringLiteral("select");
    }

    QString trigger(const char *name, bool structural)
    {
        QAction *a = action(name);
        if (!a->isEnabled())
            return QStringLiteral("%1 (disabled)").arg(QLatin1String(name));
        a->trigger();
        if (structural) {
            mKind = Structural;
            activate();
        }
        return QLatin1String(name);
    }

    QString create(bool append)
    {
        auto *items = mEditor.findChild<cQModelViewDialogEditorViewItems *>();
        std::vector<QAction *> enabled;
        for (const auto &entry : items->entries()) {
            QAction *a = append ? entry->appendAction : entry->insertAction;
            if (a->isEnabled())
                enabled.push_back(a);
        }
        if (enabled.empty())
            return QStringLiteral("create (none)");
        enabled[size_t(pick(int(enabled.size())))]->trigger();
        mKind = Structural;
        activate();
        return append ? QStringLiteral("append") : QStringLiteral("insert");
    }

    QString clipboardPaste()
    {
        auto *menu = mEditor.findChild<QMenu *>("mpMnuClipboard");
        QList<QAction *> enabled;
        for (QAction *a : menu->actions())
            if (a->isEnabled())
                enabled << a;
        if (!menu->isEnabled() || enabled.isEmpty())
            return QStringLiteral("clipboard paste (none)");
        enabled[pick(int(enabled.size()))]->trigger();
        mKind = Structural;
        activate();
        return QStringLiteral("clipboard paste");
    }

    vmva::cDVIAbstractProperty *randomProperty(bool connectable)
    {
        cQAbstractDialogLayoutItem *item = mEditor.currentLayoutItem();
        if (!item || !item->properties())
            return nullptr;
        std::vector<vmva::cDVIAbstractProperty *> all;
        for (vmva::cDVIAbstractProperty *p : item->properties()->properties())
            if (!connectable || !(p->flags() & vmva::cDVIAbstractProperty::NotConnectable))
                all.push_back(p);
        return all.empty() ? nullptr : all[size_t(pick(int(all.size())))];
    }

    QWidget *cellOf(const vmva::cDVIAbstractProperty &property, int column) const
    {
        return tableCell(*mEditor.connectorTable(), qstr(property.name()), column);
    }

    // Opens the value editor of `p` in the table with a click and types `text` into it (a
    // number for a spin box, an arrow key for a choice); false for the editors of other kinds.
    bool typeValue(vmva::cDVIAbstractProperty &p, const QString &text)
    {
        auto *cell = qobject_cast<QStackedWidget *>(cellOf(p, 1));
        if (!cell || !(p.intView() || p.boolView() || p.asciiStringView() || p.ucStringView()))
            return false;
        QTest::mouseClick(cell, Qt::LeftButton, {}, QPoint(4, 4));
        QWidget *page = cell->currentWidget();
        if (cell->currentIndex() == 0)
            return false;
        if (auto *spin = page->findChild<QSpinBox *>()) {
            spin->selectAll();
            QTest::keyClicks(spin, QString::number(spin->minimum() + pick(20)));
            QTest::keyClick(spin, Qt::Key_Return);
        } else if (auto *line = page->findChild<QLineEdit *>()) {
            line->selectAll();
            QTest::keyClick(line, Qt::Key_Delete);
            QTest::keyClicks(line, text);
            QTest::keyClick(line, Qt::Key_Return);
        } else if (auto *combo = page->findChild<QComboBox *>()) {
            QTest::keyClick(combo, pick(2) ? Qt::Key_Down : Qt::Key_Up);
        } else {
            return false;
        }
        return true;
    }

    // A value as one of the table's editors would commit it, the revert button included.
    QString changeValue()
    {
        vmva::cDVIAbstractProperty *p = randomProperty(false);
        if (!p)
            return QStringLiteral("value (none)");
        const cQDialogUndoPropertyCommand::tValueSet before
            = cQDialogUndoPropertyCommand::capture(*p);
        static const char *const texts[] = {"", "Start", "Stop", "Speed", "A longer text"};
        const char *text = texts[pick(5)];
        const bool typed = pick(2) == 0 && typeValue(*p, QString::fromLatin1(text));
        if (typed) {
            // The editor wrote the property and told the table.
        } else if (pick(8) == 0) {
            p->resetToDefault();
        } else if (auto *i = p->intView()) {
            i->setValue(i->hasRange() ? i->minimum() + pick(int(std::min<__int64>(
                                                            i->maximum() - i->minimum() + 1, 50)))
                                      : pick(5) - 1);
        } else if (auto *b = p->boolView()) {
            b->setValue(!b->value());
        } else if (auto *a = p->asciiStringView()) {
            a->setValue(text);
        } else if (auto *u = p->ucStringView()) {
            u->setValue(vucs::cString(text));
        } else if (auto *f = p->fontView()) {
            f->setValue(vucs::cString(pick(2) ? "Sans,12,-1,5,75,0,0,0,0,0" : ""));
        } else if (auto *l = p->layoutView()) {
            vmva::cDVLayoutParameter value = l->value();
            value.setMode(vmva::cDVLayoutParameter::LayoutMode(pick(5)));
            value.setMultiplier(unsigned(pick(3) + 1));
            l->setValue(value);
        } else if (auto *x = p->pixmapView()) {
            x->setValue(pick(2) ? QByteArray("<svg xmlns='http://www.w3.org/2000/svg'/>")
                                : QByteArray());
        } else {
            return QStringLiteral("value (kind without value)");
        }
        const bool value = !cQDialogUndoPropertyCommand::capture(*p).sameValue(before);
        mPendingKey = pathText(mEditor.currentLayoutItem()) + qstr(p->name())
                      + (value ? "|v" : "|b");
        if (typed)
            return QStringLiteral("typed value of ") + qstr(p->name());
        mEditor.connectorTable()->propertyChangedSignal.emitSignal();
        return QStringLiteral("value of ") + qstr(p->name());
    }

    // A binding typed into a connector cell, or chosen through the location panel.
    QString changeBinding()
    {
        vmva::cDVIAbstractProperty *p = randomProperty(true);
        if (!p)
            return QStringLiteral("binding (none)");
        static const vmva::cDMDataModelDescriptor locations[]
            = {vmva::cDMDataModelDescriptor(), vmva::cDMDataModelDescriptor("Machine", "speed"),
               vmva::cDMDataModelDescriptor("Machine", "drive.motor.speed"),
               vmva::cDMDataModelDescriptor("$(modelPath)", "state")};
        const vmva::cDMDataModelDescriptor &location = locations[pick(4)];
        mPendingKey = pathText(mEditor.currentLayoutItem()) + qstr(p->name()) + "|b";
        if (QWidget *name = pick(2) ? cellOf(*p, 0) : nullptr) {
            QTest::mouseClick(name, Qt::LeftButton);
            auto *line = mEditor.viewLocationDialog()->findChild<QLineEdit *>(
                "mpTxtModelParameterAndElement");
            line->selectAll();
            QTest::keyClick(line, Qt::Key_Delete);
            if (!location.isEmpty())
                QTest::keyClicks(line, qstr(location.toString()));
            QTest::keyClick(line, Qt::Key_Return);
            return QStringLiteral("binding typed into the location panel");
        }
        if (pick(2)) {
            p->setModelLocation(location);
            mEditor.connectorTable()->propertyChangedSignal.emitSignal();
            return QStringLiteral("typed binding");
        }
        mEditor.viewLocationDialog()->sigLocationAssigned.emitSignal(p->name(), location);
        return QStringLiteral("assigned binding");
    }

    QString editForm()
    {
        static const char *const names[] = {"Form", "Machine", "Settings"};
        QLineEdit *name = mPanel->findChild<QLineEdit *>("mpTxtName");
        QLineEdit *author = mPanel->findChild<QLineEdit *>("mpTxtAutor");
        switch (pick(4)) {
        case 0:
            name->setText(names[pick(3)]);
            emit name->editingFinished();
            return QStringLiteral("form name");
        case 1:
            author->setText(names[pick(3)]);
            emit author->editingFinished();
            return QStringLiteral("form author");
        default: {
            auto *button = mPanel->findChild<QPushButton *>(pick(2) ? "mpBtVersionMajor"
                                                                    : "mpBtVersionMinor");
            if (!button->isEnabled())
                return QStringLiteral("version (pending)");
            button->click();
            return QStringLiteral("version");
        }
        }
    }

    // Moves the expected history by what the operation did, then compares with the editor.
    bool check(const QString &op)
    {
        const tDocumentState now = stateOf(mEditor);
        switch (mKind) {
        case Undo:
        case Redo:
            if (!op.contains(QStringLiteral("(disabled)"))) {
                mIndex += mKind == Undo ? -1 : 1;
                ++mSession;
            }
            break;
        case Select:
        case Save:
            ++mSession;
            break;
        case Structural:
        case Edit:
            if (now == mSteps[size_t(mIndex)].state && !mForced)
                break;
            mSteps.resize(size_t(mIndex) + 1);
            const QString key = mPendingKey.isEmpty()
                                    ? QString()
                                    : QString::number(mSession) + QLatin1Char('|') + mPendingKey;
            if (!key.isEmpty() && mIndex > 0 && mSteps.back().mergeKey == key) {
                mSteps.back().state = now;
                if (mSteps[size_t(mIndex) - 1].state == now) {
                    mSteps.pop_back();
                    --mIndex;
                }
            } else {
                mSteps.push_back({now, key});
                ++mIndex;
            }
            if (mKind == Structural)
                ++mSession;
            break;
        }
        if (!(now == mSteps[size_t(mIndex)].state))
            return fail(op + QStringLiteral(": document differs from step %1").arg(mIndex));
        if (action("mpActUndo")->isEnabled() != (mIndex > 0)
            || action("mpActRedo")->isEnabled() != (mIndex + 1 < int(mSteps.size())))
            return fail(op + QStringLiteral(": Undo/Redo enabled wrongly at step %1").arg(mIndex));
        if (!treeShowsDocument())
            return fail(op + QStringLiteral(": the layout tree does not show the document"));
        if (mEditor.undoRecorder().stack().count() != int(mSteps.size()) - 1)
            return fail(op + QStringLiteral(": %1 steps held, %2 expected")
                                 .arg(mEditor.undoRecorder().stack().count())
                                 .arg(mSteps.size() - 1));
        return true;
    }

    enum Kind { Edit, Structural, Select, Undo, Redo, Save };
    cQModelViewDialogEditorWidget &mEditor;
    QRandomGenerator mRandom;
    cQModelViewDialogLayoutTreeWidget *mTree;
    cQVMVFormDialog *mPanel;
    std::vector<tStep> mSteps;
    int mIndex = 0;
    int mSession = 0;
    Kind mKind = Edit;
    QString mPendingKey;
    bool mForced = false;
};

// Grows the form in `editor` by elements appended at random places, saves it to `path` and
// opens it again, with an empty history.
inline void growForm(cQModelViewDialogEditorWidget &editor, quint32 seed, const QString &path)
{
    QAction *autoUpdate = editor.findChild<QAction *>("mpActAutoUpdatePreview");
    const bool wasUpdating = autoUpdate->isChecked();
    autoUpdate->setChecked(false);
    auto *items = editor.findChild<cQModelViewDialogEditorViewItems *>();
    auto *tree = static_cast<cQModelViewDialogLayoutTreeWidget *>(
        editor.findChild<QTreeWidget *>("dialogLayoutTree"));
    QRandomGenerator grow(seed);
    for (int i = 0; i < 120; ++i) {
        const auto rows = tree->findItems(QString(), Qt::MatchContains | Qt::MatchRecursive);
        tree->setCurrentItem(rows[int(grow.bounded(quint32(rows.size())))]);
        tree->sigItemActivated.emitSignal(tree->currentItem());
        for (const auto &entry : items->entries())
            if (entry->appendAction->isEnabled() && grow.bounded(3u) == 0) {
                entry->appendAction->trigger();
                break;
            }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    editor.saveDocument(path);
    editor.loadDocument(path, true);
    autoUpdate->setChecked(wasUpdating);
}
