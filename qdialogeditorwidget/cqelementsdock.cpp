#include "cqelementsdock.h"

#include "cqmodelviewdialogeditorviewitems.h"

#include "qdialoglayoutitems/cabstractdialogitemfactory.h"
#include "vellcore/cerrorreporter.h"

#include <QAction>
#include <QApplication>
#include <QDrag>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPointer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
const int kEntryRole = Qt::UserRole;

// The list of element types, whose rows drag their type's element name.
class cTypeList : public QTreeWidget
{
public:
    using QTreeWidget::QTreeWidget;
    cQModelViewDialogEditorViewItems *items = nullptr;

protected:
    void startDrag(Qt::DropActions) override
    {
        QTreeWidgetItem *row = currentItem();
        const QVariant index = row ? row->data(0, kEntryRole) : QVariant();
        if (!index.isValid() || !(row->flags() & Qt::ItemIsEnabled))
            return;
        auto *data = new QMimeData;
        data->setData(cQElementsDock::mimeType(),
                      QByteArray(items->entries().at(index.toInt())->factory->elementName()
                                     .c_str()));
        auto *drag = new QDrag(this);
        drag->setMimeData(data);
        drag->setPixmap(row->icon(0).pixmap(32, 32));
        drag->exec(Qt::CopyAction);
    }
};
} // namespace

cQElementsDock::cQElementsDock(cQModelViewDialogEditorViewItems &items, QWidget *parent)
    : QDockWidget(tr("Elements"), parent), mItems(items)
{
    setObjectName(QStringLiteral("mpDockElements"));
    // No menu brings a closed dock back, so it is not closed.
    setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    auto *content = new QWidget(this);
    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(2, 2, 2, 2);
    mpFilter = new QLineEdit(content);
    mpFilter->setObjectName(QStringLiteral("mpTxtElementFilter"));
    mpFilter->setPlaceholderText(tr("Filter"));
    mpFilter->setClearButtonEnabled(true);
    auto *list = new cTypeList(content);
    list->items = &items;
    mpList = list;
    mpList->setObjectName(QStringLiteral("mpElementList"));
    mpList->setColumnCount(2);
    mpList->header()->hide();
    mpList->header()->setStretchLastSection(false);
    mpList->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    mpList->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    mpList->setRootIsDecorated(false);
    // For the status tips of the rows under the mouse.
    mpList->setMouseTracking(true);
    mpList->setDragEnabled(true);
    mpList->setDragDropMode(QAbstractItemView::DragOnly);
    layout->addWidget(mpFilter);
    layout->addWidget(mpList);
    setWidget(content);

    mpFilter->installEventFilter(this);
    mpList->installEventFilter(this);
    connect(mpFilter, &QLineEdit::textChanged, this, &cQElementsDock::applyFilter);
    connect(mpList, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem *row) { add(row, false); });
    connect(&mItems, &cQModelViewDialogEditorViewItems::menusRebuilt, this,
            &cQElementsDock::rebuild);
    connect(&mItems, &cQModelViewDialogEditorViewItems::enableStateChanged, this,
            &cQElementsDock::updateRows);
    rebuild();
}

QString cQElementsDock::mimeType()
{
    return QStringLiteral("application/x-vell-element-type");
}

const cAbstractDialogItemFactory *cQElementsDock::draggedFactory(const QMimeData &data) const
{
    if (!data.hasFormat(mimeType()))
        return nullptr;
    return mItems.factoryNamed(data.data(mimeType()).constData());
}

QString cQElementsDock::startHint() const
{
    QStringList starts;
    for (const auto &entry : mItems.entries())
        if (entry->factory->isTopLevelElement()) {
            const QString key = entry->appendAction->shortcut().toString(QKeySequence::NativeText);
            starts << (key.isEmpty() ? entry->appendAction->text()
                                     : tr("%1 (%2)").arg(entry->appendAction->text(), key));
        }
    QString choice = starts.isEmpty() ? QString() : starts.takeLast();
    if (!starts.isEmpty())
        choice = tr("%1 or %2").arg(starts.join(tr(", ")), choice);
    return tr("This form is empty.\n\nBegin with %1: double-click it in the \"Elements\" "
              "dock, drag it onto \"/\" in the layout tree, or press its key.")
        .arg(choice);
}

void cQElementsDock::rebuild()
{
    mpList->clear();
    QHash<QString, QTreeWidgetItem *> groups;
    const auto &entries = mItems.entries();
    for (int i = 0; i < int(entries.size()); ++i) {
        const QString group = qstr(entries[size_t(i)]->factory->groupName());
        QTreeWidgetItem *&groupRow = groups[group];
        if (!groupRow) {
            groupRow = new QTreeWidgetItem(mpList, {group});
            groupRow->setFlags(Qt::ItemIsEnabled);
            QFont bold = groupRow->font(0);
            bold.setBold(true);
            groupRow->setFont(0, bold);
            groupRow->setExpanded(true);
        }
        QAction *append = entries[size_t(i)]->appendAction;
        auto *row = new QTreeWidgetItem(groupRow, {append->text(),
                                                   append->shortcut().toString(
                                                       QKeySequence::NativeText)});
        row->setIcon(0, append->icon());
        row->setData(0, kEntryRole, i);
    }
    updateRows();
    applyFilter(mpFilter->text());
}

void cQElementsDock::updateRows()
{
    const auto &entries = mItems.entries();
    for (int g = 0; g < mpList->topLevelItemCount(); ++g) {
        QTreeWidgetItem *group = mpList->topLevelItem(g);
        for (int r = 0; r < group->childCount(); ++r) {
            QTreeWidgetItem *row = group->child(r);
            const int index = row->data(0, kEntryRole).toInt();
            if (index >= int(entries.size()))
                continue;
            const QAction *append = entries[size_t(index)]->appendAction;
            const QAction *insert = entries[size_t(index)]->insertAction;
            Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
            if (append->isEnabled())
                flags |= Qt::ItemIsEnabled;
            // Set alike, a row is still reported as changed, and the list measures every row.
            if (row->flags() != flags)
                row->setFlags(flags);
            const QString tip = append->isEnabled()
                                    ? tr("%1\nShift+Enter: %2").arg(append->statusTip(),
                                                                     insert->statusTip())
                                    : append->statusTip();
            for (int column = 0; column < 2; ++column) {
                row->setToolTip(column, tip);
                row->setStatusTip(column, append->statusTip());
            }
        }
    }
    // A row that can no longer add its element gives the keyboard's place to one that can.
    const QTreeWidgetItem *current = mpList->currentItem();
    if (!current || !(current->flags() & Qt::ItemIsEnabled))
        if (QTreeWidgetItem *first = firstEnabled())
            mpList->setCurrentItem(first);
}

void cQElementsDock::applyFilter(const QString &text)
{
    const QString wanted = text.trimmed();
    for (int g = 0; g < mpList->topLevelItemCount(); ++g) {
        QTreeWidgetItem *group = mpList->topLevelItem(g);
        const bool groupMatches = group->text(0).contains(wanted, Qt::CaseInsensitive);
        bool anyShown = false;
        for (int r = 0; r < group->childCount(); ++r) {
            QTreeWidgetItem *row = group->child(r);
            const bool shown = groupMatches || row->text(0).contains(wanted, Qt::CaseInsensitive);
            row->setHidden(!shown);
            anyShown = anyShown || shown;
        }
        group->setHidden(!anyShown);
    }
    // Enter in the field adds the first type that may be added.
    if (QTreeWidgetItem *first = firstEnabled())
        mpList->setCurrentItem(first);
}

QTreeWidgetItem *cQElementsDock::firstEnabled() const
{
    for (int g = 0; g < mpList->topLevelItemCount(); ++g) {
        const QTreeWidgetItem *group = mpList->topLevelItem(g);
        for (int r = 0; !group->isHidden() && r < group->childCount(); ++r) {
            QTreeWidgetItem *row = group->child(r);
            if (!row->isHidden() && (row->flags() & Qt::ItemIsEnabled))
                return row;
        }
    }
    return nullptr;
}

void cQElementsDock::add(QTreeWidgetItem *row, bool insert)
{
    const QVariant index = row ? row->data(0, kEntryRole) : QVariant();
    if (!index.isValid() || index.toInt() >= int(mItems.entries().size()))
        return;
    const cQActionVIExtensionPair &entry = *mItems.entries().at(index.toInt());
    // The layout tree takes the focus when it is refilled; typing goes on here.
    QWidget *focus = QApplication::focusWidget();
    const QPointer<QWidget> typing = focus && isAncestorOf(focus) ? focus : nullptr;
    vpi::cErrorReporter::guard(
        [&] { (insert ? entry.insertAction : entry.appendAction)->trigger(); });
    if (typing) {
        typing->setFocus(Qt::OtherFocusReason);
        if (typing == mpFilter)
            mpFilter->selectAll();
    }
}

bool cQElementsDock::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QDockWidget::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (enter) {
        QTreeWidgetItem *row = mpList->currentItem();
        if (watched == mpFilter
            && (!row || row->isHidden() || !(row->flags() & Qt::ItemIsEnabled)))
            row = firstEnabled();
        add(row, key->modifiers().testFlag(Qt::ShiftModifier));
        return true;
    }
    if (watched == mpFilter && key->key() == Qt::Key_Down) {
        mpList->setFocus(Qt::TabFocusReason);
        return true;
    }
    return QDockWidget::eventFilter(watched, event);
}
