#include "cqveconnectortreewidget.h"

#include "cqpwnameitem.h"
#include "propertywidgets/cqpwboolitem.h"
#include "propertywidgets/cqpwdatetimeitem.h"
#include "propertywidgets/cqpwdoubleitem.h"
#include "propertywidgets/cqpwflagsitem.h"
#include "propertywidgets/cqpwfontitem.h"
#include "propertywidgets/cqpwintegeritem.h"
#include "propertywidgets/cqpwlayoutparamitem.h"
#include "propertywidgets/cqpwmodelchoosebutton.h"
#include "propertywidgets/cqpwpixmapitem.h"
#include "propertywidgets/cqpwstringitem.h"
#include "propertywidgets/cqpwtextlistitem.h"

#include "vellcore/cdebugstream.h"
#include "vellmva2/cdvabstractstddmviewproperties.h"
#include "vellmva2/cdviabstractproperty.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace {
// One topic while filling: its name and its properties in the order met.
struct tTopic
{
    vstd::cAsciiString name;
    std::vector<vmva::cDVIAbstractProperty *> properties;
};

const QColor kTopicColour(210, 230, 230, 255);
const int kNameColumn = 0, kValueColumn = 1, kConnectorColumn = 2;

// Screen updates off for a scope, restored to what they were.
class tUpdatesOff
{
public:
    explicit tUpdatesOff(QWidget &widget) : mWidget(widget), mWasOn(widget.updatesEnabled())
    {
        widget.setUpdatesEnabled(false);
    }
    ~tUpdatesOff() { mWidget.setUpdatesEnabled(mWasOn); }
    tUpdatesOff(const tUpdatesOff &) = delete;
    tUpdatesOff &operator=(const tUpdatesOff &) = delete;

private:
    QWidget &mWidget;
    bool mWasOn;
};
} // namespace

cQVEConnectorTreeWidget::cQVEConnectorTreeWidget(QWidget *parent) : QTableWidget(parent)
{
    setObjectName(QStringLiteral("connectorTable"));
    for (vrmi::cAbstractSignal *signal :
         {static_cast<vrmi::cAbstractSignal *>(&connectorSelectedSignal),
          static_cast<vrmi::cAbstractSignal *>(&nodeAssignMenuSignal),
          static_cast<vrmi::cAbstractSignal *>(&propertyChangedSignal),
          static_cast<vrmi::cAbstractSignal *>(&closeEditorsSignal),
          static_cast<vrmi::cAbstractSignal *>(&updateInfoSignal)})
        signal->setInvocationBehaviour(1);
    connect(this, &QTableWidget::cellPressed, this, &cQVEConnectorTreeWidget::sltCellActivated);
    connect(this, &QTableWidget::cellActivated, this,
            &cQVEConnectorTreeWidget::sltCellActivated);
    connect(this, &QTableWidget::cellEntered, this, &cQVEConnectorTreeWidget::sltCellActivated);
    connect(this, &QTableWidget::itemSelectionChanged, this,
            &cQVEConnectorTreeWidget::sltSelectionChanged);
    propertyChangedSignal.connect(vrmi::cDirectLocalSlotCall0<cQVEConnectorTreeWidget>(
        this, &cQVEConnectorTreeWidget::sltPropertiesChanged));
}

cQVEConnectorTreeWidget::~cQVEConnectorTreeWidget()
{
    // Hiding a focused editor on the way out would otherwise report to the signals gone by then.
    for (cQPWAbstractItem *editor : findChildren<cQPWAbstractItem *>())
        editor->detach();
}

void cQVEConnectorTreeWidget::clearRows()
{
    // Removed cell widgets are deleted after the current event; until then nothing may reach
    // them, as the properties they point into may go first.
    for (int row = 0; row < rowCount(); ++row)
        for (int col = 0; col < columnCount(); ++col) {
            QWidget *cell = cellWidget(row, col);
            if (auto *editor = qobject_cast<cQPWAbstractItem *>(cell))
                editor->detach();
            else if (auto *name = qobject_cast<cQPWNameItem *>(cell))
                name->disconnectAll();
        }
    clearContents();
    setRowCount(0);
}

void cQVEConnectorTreeWidget::setProperties(vmva::cDVAbstractStdDMViewProperties *properties)
{
    tUpdatesOff updatesOff(*this);
    mpProperties = properties;
    clearRows();
    mCurrentPropertyName.clear();
    if (!properties) {
        setColumnCount(0);
        return;
    }

    std::vector<tTopic> topics;
    vstd::cAsciiString firstName;
    int rows = 0;
    for (vmva::cDVIAbstractProperty *property : properties->properties()) {
        if (firstName.empty())
            firstName = property->name();
        auto topic = std::find_if(topics.begin(), topics.end(), [&](const tTopic &t) {
            return t.name == property->topic();
        });
        if (topic == topics.end()) {
            topics.push_back({property->topic(), {}});
            topic = topics.end() - 1;
            ++rows;
        }
        topic->properties.push_back(property);
        ++rows;
    }

    setColumnCount(3);
    setRowCount(rows);
    setAlternatingRowColors(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->hide();
    verticalHeader()->hide();

    int row = 0;
    for (const tTopic &topic : topics) {
        addHeaderRow(row++, topic.name);
        for (vmva::cDVIAbstractProperty *property : topic.properties)
            addPropertyRow(row++, *property);
    }
    adjustSizes();
    applyFilter();
    mCurrentPropertyName = firstName;
}

QLineEdit *cQVEConnectorTreeWidget::createFilterField(QWidget *parent)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(QStringLiteral("mpTxtPropertyFilter"));
    field->setPlaceholderText(tr("Filter properties"));
    field->setToolTip(tr("Shows the properties whose name or help text holds this text"));
    field->setClearButtonEnabled(true);
    connect(field, &QLineEdit::textChanged, this, &cQVEConnectorTreeWidget::setFilter);
    if (parent == this) {
        mpInnerFilterField = field;
        setViewportMargins(0, field->sizeHint().height(), 0, 0);
    }
    return field;
}

void cQVEConnectorTreeWidget::resizeEvent(QResizeEvent *event)
{
    QTableWidget::resizeEvent(event);
    if (mpInnerFilterField)
        mpInnerFilterField->setGeometry(frameWidth(), frameWidth(), width() - 2 * frameWidth(),
                                        mpInnerFilterField->sizeHint().height());
}

void cQVEConnectorTreeWidget::updateGeometries()
{
    // The table sets its viewport margins anew for its (hidden) headers here, which put the
    // field over the first row. Setting them back resizes the viewport and comes here again:
    // that nested call must leave them alone.
    if (mSettingMargins)
        return;
    QTableWidget::updateGeometries();
    if (!mpInnerFilterField)
        return;
    const int top = mpInnerFilterField->sizeHint().height();
    if (viewportMargins().top() == top)
        return;
    mSettingMargins = true;
    setViewportMargins(0, top, 0, 0);
    mSettingMargins = false;
}

void cQVEConnectorTreeWidget::setFilter(const QString &text)
{
    mFilter = text.trimmed();
    applyFilter();
}

void cQVEConnectorTreeWidget::applyFilter()
{
    // A header row stands before its topic's rows and is shown when one of them is.
    int header = -1;
    bool shownInTopic = false;
    auto closeTopic = [&] {
        if (header >= 0)
            setRowHidden(header, !shownInTopic);
    };
    for (int row = 0; row < rowCount(); ++row) {
        auto *name = qobject_cast<cQPWNameItem *>(cellWidget(row, kNameColumn));
        if (!name) {
            closeTopic();
            header = row;
            shownInTopic = false;
            continue;
        }
        const vmva::cDVIAbstractProperty &property = *name->property();
        const bool shown = mFilter.isEmpty()
                           || qstr(property.name()).contains(mFilter, Qt::CaseInsensitive)
                           || qstr(property.help()).contains(mFilter, Qt::CaseInsensitive);
        setRowHidden(row, !shown);
        shownInTopic = shownInTopic || shown;
    }
    closeTopic();
}

void cQVEConnectorTreeWidget::addHeaderRow(int row, const vstd::cAsciiString &topic)
{
    for (int col = 0; col < 3; ++col) {
        auto *item = new QTableWidgetItem;
        item->setBackground(kTopicColour);
        setItem(row, col, item);
    }
    auto *label = new QLabel(qstr(topic));
    QFont bold = label->font();
    bold.setWeight(QFont::Bold);
    label->setFont(bold);
    setCellWidget(row, kNameColumn, label);
}

void cQVEConnectorTreeWidget::addPropertyRow(int row, vmva::cDVIAbstractProperty &property)
{
    for (int col = 0; col < 3; ++col) {
        auto *item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        setItem(row, col, item);
    }
    auto *name = new cQPWNameItem(this, &property);
    setCellWidget(row, kNameColumn, name);
    bool connectable = !(property.flags() & vmva::cDVIAbstractProperty::NotConnectable);
    if (cQPWAbstractItem *editor = createValueEditor(property, *name, connectable))
        setCellWidget(row, kValueColumn, editor);
    if (connectable) {
        auto *connector = new cQPWModelChooseButton(this, &property);
        connectEditor(*connector);
        setCellWidget(row, kConnectorColumn, connector);
    }
}

cQPWAbstractItem *cQVEConnectorTreeWidget::createValueEditor(
    vmva::cDVIAbstractProperty &property, cQPWNameItem &name, bool &connectable)
{
    // Each property offers one typed view; were there more, the last editor would be shown.
    cQPWAbstractItem *editor = nullptr;
    auto take = [&](cQPWAbstractItem *created) {
        connectEditor(*created);
        editor = created;
    };
    if (property.modelLocationView()) {
        take(new cQPWModelChooseButton(this, &property));
        connectable = false;
    }
    if (property.boolView()) {
        auto *item = new cQPWBoolItem(this, &property);
        name.doubleClickedSignal.connect(
            vrmi::cDirectLocalSlotCall0<cQPWBoolItem>(item, &cQPWBoolItem::toggleValue));
        take(item);
    }
    if (property.asciiStringView() || property.ucStringView())
        take(new cQPWStringItem(this, &property));
    if (property.intView()) {
        auto *item = new cQPWIntegerItem(this, &property);
        name.doubleClickedSignal.connect(
            vrmi::cDirectLocalSlotCall0<cQPWIntegerItem>(item, &cQPWIntegerItem::cycleValue));
        take(item);
    }
    if (property.pixmapView())
        take(new cQPWPixmapItem(this, &property));
    if (property.layoutView())
        take(new cQPWLayoutParamItem(this, &property));
    if (property.fontView())
        take(new cQPWFontItem(this, &property));
    if (property.doubleView())
        take(new cQPWDoubleItem(this, &property));
    if (property.dateTimeView())
        take(new cQPWDateTimeItem(this, &property));
    if (property.flagsView())
        take(new cQPWFlagsItem(this, &property));
    if (property.textListView())
        take(new cQPWTextListItem(this, &property));
    return editor;
}

void cQVEConnectorTreeWidget::connectEditor(cQPWAbstractItem &editor)
{
    closeEditorsSignal.connect(
        vrmi::cDirectLocalSlotCall0<cQPWAbstractItem>(editor, &cQPWAbstractItem::closeEditor));
    updateInfoSignal.connect(
        vrmi::cDirectLocalSlotCall0<cQPWAbstractItem>(editor, &cQPWAbstractItem::sltUpdateInfo));
}

void cQVEConnectorTreeWidget::adjustSizes()
{
    const int cols = columnCount(), rows = rowCount();
    // A cell widget gets its cell less the grid line.
    const int grid = showGrid() ? 1 : 0;
    std::vector<int> widths(size_t(std::max(cols - 1, 0)), 0);
    std::vector<int> heights(size_t(std::max(rows - 1, 0)), 0);
    for (int row = 0; row < rows; ++row)
        for (int col = 0; col + 1 < cols; ++col)
            if (QWidget *widget = cellWidget(row, col)) {
                const QSize hint = widget->sizeHint();
                widths[size_t(col)] = std::max(widths[size_t(col)], hint.width());
                if (row + 1 < rows)
                    heights[size_t(row)] = std::max(heights[size_t(row)], hint.height());
            }
    bool same = true;
    for (int col = 0; col + 1 < cols && same; ++col)
        same = horizontalHeader()->sectionResizeMode(col) == QHeaderView::Fixed
               && columnWidth(col) == widths[size_t(col)] + grid;
    for (int row = 0; row + 1 < rows && same; ++row)
        same = rowHeight(row) == heights[size_t(row)] + grid;
    // Most edits change no size: the table is then neither laid out nor repainted.
    if (same)
        return;
    tUpdatesOff updatesOff(*this);
    for (int col = 0; col + 1 < cols; ++col) {
        horizontalHeader()->setSectionResizeMode(col, QHeaderView::Fixed);
        setColumnWidth(col, widths[size_t(col)] + grid);
    }
    for (int row = 0; row + 1 < rows; ++row)
        setRowHeight(row, heights[size_t(row)] + grid);
    // The cell widgets move now, not at the next layout pass: a press may come first.
    updateEditorGeometries();
}

void cQVEConnectorTreeWidget::updateInfo()
{
    tUpdatesOff updatesOff(*this);
    updateInfoSignal.emitSignal();
    adjustSizes();
}

piVoid cQVEConnectorTreeWidget::sltPropertiesChanged()
{
    adjustSizes();
    return piVoid();
}

void cQVEConnectorTreeWidget::sltCellActivated(int iRow, int iCol)
{
    VELL_TRACE(QStringLiteral("cQVEConnectorTreeWidget::sltCellActivated(int iRow, int iCol): "
                              "%1 / %2").arg(iRow).arg(iCol));
    nameProperty(iRow);
    closeEditorsSignal.emitSignal();
}

void cQVEConnectorTreeWidget::nameProperty(int row)
{
    if (auto *name = qobject_cast<cQPWNameItem *>(cellWidget(row, kNameColumn))) {
        // A copy: a receiver may refill the table meanwhile.
        const vstd::cAsciiString chosen = name->property()->name();
        mCurrentPropertyName = chosen;
        connectorSelectedSignal.emitSignal(chosen);
    }
}

void cQVEConnectorTreeWidget::selectRowOf(const QWidget &cell)
{
    for (int row = 0; row < rowCount(); ++row)
        for (int col = 0; col < columnCount(); ++col)
            if (cellWidget(row, col) == &cell) {
                if (currentRow() != row)
                    setCurrentCell(row, col);
                nameProperty(row);
                return;
            }
}

void cQVEConnectorTreeWidget::sltSelectionChanged()
{
    for (int row = 0; row < rowCount(); ++row)
        tintRow(row, item(row, 0) && item(row, 0)->isSelected());
}

void cQVEConnectorTreeWidget::tintRow(int row, bool selected)
{
    // Labels draw in the text colour of the view (the connector's in the shadow colour) over
    // the row, which the selection paints in the highlight colour. Only labels: an open edit
    // page keeps its input widgets' own colours.
    QPalette tinted;
    if (selected) {
        const QColor text = palette().color(QPalette::HighlightedText);
        for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::Shadow})
            tinted.setColor(role, text);
    }
    for (int col = 0; col < columnCount(); ++col)
        if (QWidget *cell = cellWidget(row, col)) {
            QList<QLabel *> labels = cell->findChildren<QLabel *>();
            if (auto *label = qobject_cast<QLabel *>(cell))
                labels << label;
            for (QLabel *label : labels)
                label->setPalette(tinted);
        }
}
