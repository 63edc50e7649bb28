#include "stdelementsets.h"

namespace stdelements {

using namespace vmva;

namespace {
// Checkable, Checked, ToolTip, Enabled and Visible of a menu item or tool button.
void addActionTail(cStdElementProperties &p)
{
    addBool(p, "Checkable", "State", "Whether the entry toggles between checked and not.",
            Static, false);
    addBool(p, "Checked", "Data", "Whether a checkable entry is checked; a click is written back.",
            InOut, false);
    addToolTip(p);
    addEnabled(p);
    addVisible(p);
}
} // namespace

void menuProperties(cStdElementProperties &p)
{
    addLabel(p);
    addText(p, "Title", "General", "Title of the menu.", In, "Menu");
    addPicture(p, "Icon", "Icon beside the title.");
    addEnabled(p);
    addVisible(p);
    addModel(p);
}

void menuItemProperties(cStdElementProperties &p)
{
    addLabel(p);
    addText(p, "Text", "General", "Text of the item.", In, "Item");
    addPicture(p, "Icon", "Icon beside the text.");
    p.add<cDVIAsciiStringProperty>("Shortcut", "General", "Key sequence, such as \"Ctrl+S\".",
                                   Static, "");
    addCommand(p, "Command node triggered when the item is chosen.");
    addActionTail(p);
}

void toolBarProperties(cStdElementProperties &p)
{
    addLabel(p);
    addText(p, "Title", "General", "Title of the tool bar.", In, "Tool Bar");
    addChoice(p, "ToolButtonStyle", "Appearance", "What the buttons show.", "IconOnly",
              {"IconOnly", "TextOnly", "TextBesideIcon", "TextUnderIcon"});
    addInt(p, "IconSize", "Appearance", "Size of the icons in pixels.", Static, 24, 8, 128,
           {{16, "16 x 16"}, {22, "22 x 22"}, {24, "24 x 24"}, {32, "32 x 32"}, {48, "48 x 48"}});
    addOrientation(p, "Appearance");
    addEnabled(p);
    addVisible(p);
    addModel(p);
}

void toolButtonProperties(cStdElementProperties &p)
{
    addLabel(p);
    addText(p, "Text", "General", "Text of the button.", In, "Tool");
    addPicture(p, "Icon", "Icon of the button.");
    addCommand(p, "Command node triggered when the button is clicked.");
    addActionTail(p);
}

} // namespace stdelements
