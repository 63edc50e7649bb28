#include "stdelementsets.h"

namespace stdelements {

using namespace vmva;

void dialogProperties(cStdElementProperties &p)
{
    addLabel(p);
    addText(p, "Title", "General", "Title of the dialog window.", In, "Dialog");
    addPicture(p, "WindowIcon", "Icon of the dialog window.");
    addInt(p, "Width", "Geometry", "Initial width in pixels; automatic for 0.", Static, 0, 0, 4096,
           {{0, "Automatic"}});
    addInt(p, "Height", "Geometry", "Initial height in pixels; automatic for 0.", Static, 0, 0,
           4096, {{0, "Automatic"}});
    addEnabled(p);
    addModel(p);
}

void groupBoxProperties(cStdElementProperties &p)
{
    addLabel(p);
    addText(p, "Title", "General", "Title in the group box's frame.", In, "Group");
    addWidgetTail(p);
    addModel(p);
}

void tabWidgetProperties(cStdElementProperties &p)
{
    addLabel(p);
    addInt(p, "CurrentIndex", "Data", "Index of the page shown, counted from 0.", InOut, 0, 0, 99)
        .setAllowedTypes(cStdElementProperties::shared("piInt64"));
    addInt(p, "TabPosition", "Appearance", "Side of the tabs.", Static, 0, 1, 0,
           {{0, "North"}, {1, "South"}, {2, "West"}, {3, "East"}});
    addWidgetTail(p);
    addModel(p);
}

void tabPageProperties(cStdElementProperties &p)
{
    addLabel(p);
    addText(p, "Title", "General", "Text of the page's tab.", In, "Page");
    addPicture(p, "Icon", "Icon of the page's tab.");
    addToolTip(p);
    addEnabled(p);
    addModel(p);
}

void boxLayoutProperties(cStdElementProperties &p)
{
    addLabel(p);
    addLayout(p);
    addSpacing(p);
}

void labelProperties(cStdElementProperties &p)
{
    addLabel(p);
    addText(p, "Text", "General", "Text shown; a bound number or flag is shown as text.", In,
            "Label", "cString piInt64 piDouble piBool");
    addInt(p, "Alignment", "Appearance", "Horizontal alignment of the text.", Static, 0x81, 1, 0,
           {{0x81, "Left"}, {0x84, "Center"}, {0x82, "Right"}});
    addBool(p, "WordWrap", "Appearance", "Whether long text wraps at word ends.", Static, false);
    addFrameLook(p, 0);
    addFont(p);
    addWidgetTail(p);
}

void pushButtonProperties(cStdElementProperties &p)
{
    addLabel(p);
    addText(p, "Text", "General", "Text on the button.", In, "Button");
    addPicture(p, "Icon", "Icon on the button.");
    addFont(p);
    addCommand(p, "Command node triggered when the button is clicked.");
    addBool(p, "Checkable", "State",
            "Whether a click toggles the button between pressed and not.", Static, false);
    addBool(p, "Checked", "Data", "Whether a checkable button is pressed; a click is written back.",
            InOut, false);
    addWidgetTail(p);
}

void lineEditProperties(cStdElementProperties &p)
{
    addLabel(p);
    addText(p, "Text", "Data", "Text in the field; what the user types is written back.", InOut,
            "", "cString piInt64 piDouble");
    addChoice(p, "EchoMode", "Appearance", "How typed characters are shown.", "Normal",
              {"Normal", "Password", "NoEcho", "PasswordEchoOnEdit"});
    addInt(p, "MaxLength", "Range", "Most characters the field takes.", Static, 32767, 1, 32767);
    addBool(p, "ReadOnly", "State", "Whether the user can only read the text.", In, false);
    addWidgetTail(p);
}

void checkBoxProperties(cStdElementProperties &p)
{
    addLabel(p);
    addText(p, "Text", "General", "Text beside the box.", In, "Check Box");
    addBool(p, "Checked", "Data", "Whether the box is checked; a click is written back.", InOut,
            false);
    addWidgetTail(p);
}

void spinBoxProperties(cStdElementProperties &p)
{
    addLabel(p);
    addRange(p, 99);
    addText(p, "Suffix", "Appearance", "Text behind the number, such as a unit.", Static, "");
    addWidgetTail(p);
}

void comboBoxProperties(cStdElementProperties &p)
{
    addLabel(p);
    addTexts(p, "Entries", "General",
             "The entries, in the order they are offered. From a list node they follow it, "
             "and the chosen entry stays chosen while the list holds it.",
             In);
    addInt(p, "CurrentIndex", "Data", "Index of the chosen entry, counted from 0.", InOut, 0, 0,
           9999)
        .setAllowedTypes(cStdElementProperties::shared("piInt64"));
    addWidgetTail(p);
}

void progressBarProperties(cStdElementProperties &p)
{
    addLabel(p);
    addInt(p, "Value", "Data", "Progress in percent.", In, 0, 0, 100)
        .setAllowedTypes(cStdElementProperties::shared("piInt64 piDouble"));
    addBool(p, "TextVisible", "Appearance", "Whether the percentage is shown.", Static, true);
    addOrientation(p, "Appearance");
    addWidgetTail(p);
}

void spacerProperties(cStdElementProperties &p)
{
    addLabel(p);
    addOrientation(p, "Layout");
    addInt(p, "Size", "Layout", "Preferred length in pixels along the orientation.", Static, 20,
           0, 4096);
    addInt(p, "Breadth", "Layout", "Preferred extent in pixels across the orientation.", Static,
           0, 0, 4096);
    addLayout(p);
}

} // namespace stdelements
