#include "standardelements.h"

#include "cstdelementfactory.h"
#include "stdelementsets.h"

#include "q4support/cvq4vmvdataviewmgr.h"

namespace {

using namespace stdelements;

// The library in its registration order; the names are part of the document format.
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

QStringList splitComboEntries(const vucs::cString &entries)
{
    const QString &text = entries.text();
    const QChar separator = text.contains(QLatin1Char('\n')) ? QLatin1Char('\n')
                                                             : QLatin1Char(';');
    QStringList result;
    for (const QString &part : text.split(separator)) {
        const QString entry = part.trimmed();
        if (!entry.isEmpty())
            result << entry;
    }
    return result;
}
