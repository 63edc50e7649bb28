#include "stdelementsets.h"

namespace stdelements {

using namespace vmva;

void radioButtonProperties(cStdElementProperties &p)
{
    addLabel(p);
    addText(p, "Text", "General", "Text beside the button.", In, "Radio Button");
    addBool(p, "Checked", "Data",
            "Whether the button is chosen; the others of its parent are then cleared, and a "
            "click is written back.",
            InOut, false);
    addWidgetTail(p);
}

void textEditProperties(cStdElementProperties &p)
{
    addLabel(p);
    addText(p, "Text", "Data",
            "Text in the field, several lines; what the user types is written back.", InOut, "",
            "cString piInt64 piDouble");
    addBool(p, "RichText", "Appearance",
            "Whether the text is HTML, shown formatted and written back as HTML.", Static, false);
    addBool(p, "ReadOnly", "State", "Whether the user can only read the text.", In, false);
    addWidgetTail(p);
}

void sliderProperties(cStdElementProperties &p)
{
    addLabel(p);
    addRange(p, 99);
    addInt(p, "PageStep", "Range", "Step of a click beside the handle.", Static, 10, 1, 1000000);
    addOrientation(p, "Appearance");
    addInt(p, "TickPosition", "Appearance", "Where tick marks are drawn.", Static, 0, 1, 0,
           {{0, "None"}, {3, "Both Sides"}, {1, "Above"}, {2, "Below"}});
    addWidgetTail(p);
}

void dialProperties(cStdElementProperties &p)
{
    addLabel(p);
    addRange(p, 99);
    addInt(p, "PageStep", "Range", "Step of a click beside the handle.", Static, 10, 1, 1000000);
    addBool(p, "Wrapping", "Appearance", "Whether the dial goes round without a stop.", Static,
            false);
    addBool(p, "NotchesVisible", "Appearance", "Whether notches are drawn around the dial.",
            Static, true);
    addWidgetTail(p);
}

void doubleSpinBoxProperties(cStdElementProperties &p)
{
    constexpr double most = 1e12;
    addLabel(p);
    addDouble(p, "Value", "Data", "Number shown; what the user sets is written back.", InOut, 0,
              -most, most)
        .setAllowedTypes(cStdElementProperties::shared("piDouble piInt64"));
    addDouble(p, "Minimum", "Range", "Smallest number the user can set.", Static, 0, -most, most);
    addDouble(p, "Maximum", "Range", "Largest number the user can set.", Static, 99.99, -most,
              most);
    addDouble(p, "SingleStep", "Range", "Step of the arrow buttons.", Static, 1, 0, most);
    addInt(p, "Decimals", "Appearance", "Digits shown behind the decimal point.", Static, 2, 0,
           10);
    addText(p, "Prefix", "Appearance", "Text in front of the number, such as a currency.",
            Static, "");
    addText(p, "Suffix", "Appearance", "Text behind the number, such as a unit.", Static, "");
    addWidgetTail(p);
}

namespace {

// The rows of the three date and time editors; `first` and `last` bound what the user can set.
void momentProperties(cStdElementProperties &p, cDVIDateTimeProperty::Part part,
                      const char *value, const char *first, const char *last,
                      const char *format)
{
    addLabel(p);
    addMoment(p, "Value", "Data", "Date or time shown, as ISO text in a text node; what the user "
              "sets is written back.", InOut, part, value)
        .setAllowedTypes(cStdElementProperties::shared("cString"));
    addMoment(p, "Minimum", "Range", "Earliest value the user can set.", Static, part, first);
    addMoment(p, "Maximum", "Range", "Latest value the user can set.", Static, part, last);
    addText(p, "DisplayFormat", "Appearance",
            "How the value is shown, such as \"dd.MM.yyyy\" or \"HH:mm\" (QDateTimeEdit's "
            "format); empty for the user's locale.", Static, format);
    if (part != cDVIDateTimeProperty::Time)
        addBool(p, "CalendarPopup", "Appearance",
                "Whether a calendar opens to pick the date.", Static, false);
    addWidgetTail(p);
}

} // namespace

void dateEditProperties(cStdElementProperties &p)
{
    momentProperties(p, cDVIDateTimeProperty::Date, "2000-01-01", "1752-09-14", "9999-12-31",
                     "yyyy-MM-dd");
}

void timeEditProperties(cStdElementProperties &p)
{
    momentProperties(p, cDVIDateTimeProperty::Time, "00:00:00", "00:00:00", "23:59:59",
                     "HH:mm:ss");
}

void dateTimeEditProperties(cStdElementProperties &p)
{
    momentProperties(p, cDVIDateTimeProperty::DateTime, "2000-01-01T00:00:00",
                     "1752-09-14T00:00:00", "9999-12-31T23:59:59", "yyyy-MM-dd HH:mm");
}

void dialogButtonBoxProperties(cStdElementProperties &p)
{
    // QDialogButtonBox::StandardButton's values: this library knows no widgets.
    static const auto buttons = std::make_shared<const std::vector<cDVIFlagsProperty::tFlag>>(
        std::vector<cDVIFlagsProperty::tFlag>{
            {"Ok", 0x400}, {"Save", 0x800}, {"SaveAll", 0x1000}, {"Open", 0x2000},
            {"Yes", 0x4000}, {"YesToAll", 0x8000}, {"No", 0x10000}, {"NoToAll", 0x20000},
            {"Abort", 0x40000}, {"Retry", 0x80000}, {"Ignore", 0x100000}, {"Close", 0x200000},
            {"Cancel", 0x400000}, {"Discard", 0x800000}, {"Help", 0x1000000},
            {"Apply", 0x2000000}, {"Reset", 0x4000000}, {"RestoreDefaults", 0x8000000}});
    addLabel(p);
    p.add<cDVIFlagsProperty>("StandardButtons", "General", "Buttons the box shows.", Static,
                             buttons, quint64(0x400 | 0x400000));
    addOrientation(p, "Appearance");
    // One command per role rather than per button: Qt sorts the buttons into roles and the box
    // announces a role, so "Ok" and "Save" both accept, and a form swapping one for the other
    // keeps its binding.
    addCommand(p, "AcceptCommand",
               "Command node triggered by a button that accepts (Ok, Save, Yes, Open, ...).");
    addCommand(p, "RejectCommand",
               "Command node triggered by a button that rejects (Cancel, Close, No, Abort, ...).");
    addCommand(p, "HelpCommand", "Command node triggered by the Help button.");
    addWidgetTail(p);
}

void listWidgetProperties(cStdElementProperties &p)
{
    addLabel(p);
    addTexts(p, "Entries", "General",
             "The entries, in the order they are offered. From a list node they follow it, "
             "and the chosen entry stays chosen while the list holds it.",
             In);
    addInt(p, "CurrentRow", "Data",
           "Row of the chosen entry, counted from 0; -1 for none. A choice is written back.",
           InOut, -1, -1, 9999)
        .setAllowedTypes(cStdElementProperties::shared("piInt64"));
    addWidgetTail(p);
}

void lineProperties(cStdElementProperties &p)
{
    addLabel(p);
    addOrientation(p, "Appearance");
    addWidgetTail(p);
}

} // namespace stdelements
