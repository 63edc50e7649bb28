#include "standardelements.h"

#include "cstdelementfactory.h"
#include "stdelementsets.h"

#include "q4support/cvq4vmvdataviewmgr.h"

namespace {

using namespace stdelements;

// The library in its registration order; the names are part of the document format. The
// editor's menus give the entries their shortcut letters in this order, so the elements added
// later come behind the first twenty, which keep the letters they had.
const cStdElementFactory::tInfoSet kElements[] = {
    {"Dialog", "Dialog", "Containers", 1, 0, true, dialogProperties},
    {"GroupBox", "Group Box", "Containers", 1, 0, false, groupBoxProperties},
    {"TabWidget", "Tab Widget", "Containers", 1, 5, false, tabWidgetProperties},
    {"TabPage", "Tab Page", "Containers", 1, 4, false, tabPageProperties},
    {"VBoxLayout", "Vertical Box Layout", "Layouts", 1, 1, false, boxLayoutProperties},
    {"HBoxLayout", "Horizontal Box Layout", "Layouts", 1, 1, false, boxLayoutProperties},
    {"Label", "Label", "Widgets", 1, 2, false, labelProperties},
    {"PushButton", "Push Button", "Widgets", 1, 2, false, pushButtonProperties},
    {"LineEdit", "Line Edit", "Widgets", 1, 2, false, lineEditProperties},
    {"CheckBox", "Check Box", "Widgets", 1, 2, false, checkBoxProperties},
    {"SpinBox", "Spin Box", "Widgets", 1, 2, false, spinBoxProperties},
    {"ComboBox", "Combo Box", "Widgets", 1, 2, false, comboBoxProperties},
    {"ProgressBar", "Progress Bar", "Widgets", 1, 2, false, progressBarProperties},
    {"Spacer", "Spacer", "Widgets", 1, 2, false, spacerProperties},
    {"Menu", "Menu", "Menus", 2, 6, true, menuProperties},
    {"MenuItem", "Menu Item", "Menus", 2, 3, false, menuItemProperties},
    {"MenuSeparator", "Separator", "Menus", 2, 3, false, separatorProperties},
    {"ToolBar", "Tool Bar", "Tool Bars", 3, 6, true, toolBarProperties},
    {"ToolButton", "Tool Button", "Tool Bars", 3, 3, false, toolButtonProperties},
    {"ToolSeparator", "Separator", "Tool Bars", 3, 3, false, separatorProperties},
    {"Widget", "Widget", "Containers", 1, 0, false, widgetProperties},
    {"Frame", "Frame", "Containers", 1, 0, false, frameProperties},
    {"ScrollArea", "Scroll Area", "Containers", 1, 0, false, scrollAreaProperties},
    {"Splitter", "Splitter", "Containers", 1, 1, false, splitterProperties},
    {"StackedWidget", "Stacked Widget", "Containers", 1, 5, false, stackedWidgetProperties},
    {"GridLayout", "Grid Layout", "Layouts", 1, 1, false, gridLayoutProperties},
    {"FormLayout", "Form Layout", "Layouts", 1, 1, false, formLayoutProperties},
    {"RadioButton", "Radio Button", "Widgets", 1, 2, false, radioButtonProperties},
    {"TextEdit", "Text Edit", "Widgets", 1, 2, false, textEditProperties},
    {"ListWidget", "List", "Widgets", 1, 2, false, listWidgetProperties},
    {"Slider", "Slider", "Widgets", 1, 2, false, sliderProperties},
    {"Dial", "Dial", "Widgets", 1, 2, false, dialProperties},
    {"Line", "Line", "Widgets", 1, 2, false, lineProperties},
    {"DoubleSpinBox", "Double Spin Box", "Widgets", 1, 2, false, doubleSpinBoxProperties},
    {"DateEdit", "Date Edit", "Widgets", 1, 2, false, dateEditProperties},
    {"TimeEdit", "Time Edit", "Widgets", 1, 2, false, timeEditProperties},
    {"DateTimeEdit", "Date Time Edit", "Widgets", 1, 2, false, dateTimeEditProperties},
    {"DialogButtonBox", "Button Box", "Widgets", 1, 2, false, dialogButtonBoxProperties},
};

} // namespace

void registerStandardElements(cVQ4VMVDataViewMgr &mgr)
{
    for (const cStdElementFactory::tInfoSet &info : kElements) {
        if (mgr.findExtension(info.elementName))
            continue;
        mgr.addExtension(std::make_unique<cQUIDataViewItemExtension>(
            std::make_unique<cStdElementFactory>(info)));
    }
}

tLayoutCellSet cellOf(const vstd::cAsciiString &text)
{
    const QList<QByteArray> parts = text.bytes().split(',');
    if (parts.size() != 2 && parts.size() != 4)
        return tLayoutCellSet();
    int numbers[4] = {0, 0, 1, 1};
    for (qsizetype i = 0; i < parts.size(); ++i) {
        bool ok = false;
        numbers[i] = parts[i].trimmed().toInt(&ok);
        const int lowest = i < 2 ? 0 : 1;
        if (!ok || numbers[i] < lowest || numbers[i] > tLayoutCellSet::maxIndex)
            return tLayoutCellSet();
    }
    return tLayoutCellSet{numbers[0], numbers[1], numbers[2], numbers[3]};
}

QList<int> splitNumbers(const vstd::cAsciiString &text)
{
    QList<int> numbers;
    if (text.bytes().trimmed().isEmpty())
        return numbers;
    for (const QByteArray &part : text.bytes().split(','))
        numbers << part.trimmed().toInt();
    return numbers;
}
