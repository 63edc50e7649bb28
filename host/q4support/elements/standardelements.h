#pragma once

// The standard element library: the element types every host offers, registered in a fixed
// order. Element names are written into documents and never change once released; widgets for
// them are built by the widget layer, which applies the properties below by name.
//
// Property kinds: A 8-bit string, U Unicode string, I integer, B bool, F font (QFont::toString()
// text, empty = default font), L layout parameter, P picture (image file bytes), M model location.
// Flags: in = the widget shows the value (bindable, follows the node), out = user input is
// written to the node, in/out = both, static = NotConnectable (no connector). "types" is
// allowedTypes(). Every element starts with "Label" (A, static, "General"): the name the
// editor's tree shows; it never reaches a widget.
//
// Shared rows, used below by name:
//   ToolTip  U in  General     ""      types cString
//   Enabled  B in  State       true    types piBool
//   Visible  B in  State       true    types piBool
//   Layout   L static Layout   default (how the element takes space in its layout)
//   Model    M in  Data        unset   types cDMDataModel (the model the element's content is
//                                      about; a container's children may use "$(modelPath)")
//   Command  M out Data        unset   types piVoid (triggered when the user clicks)
//
// element (name)         display               group       cat kind top  properties
// Dialog                 "Dialog"              Containers  1   0    yes  Title U in "Dialog"
//     (cString); WindowIcon P static Appearance; Width, Height I static Geometry 0, range
//     0..4096, predefined 0 "Automatic"; Enabled; Model
// GroupBox               "Group Box"           Containers  1   0    no   Title U in "Group"
//     (cString); ToolTip; Enabled; Visible; Layout; Model
// TabWidget              "Tab Widget"          Containers  1   5    no   CurrentIndex I in/out
//     Data 0, range 0..99 (piInt64); TabPosition I static Appearance 0, predefined 0 "North",
//     1 "South", 2 "West", 3 "East" (QTabWidget::TabPosition); ToolTip; Enabled; Visible;
//     Layout; Model
// TabPage                "Tab Page"            Containers  1   4    no   Title U in "Page"
//     (cString: the tab's text); Icon P static Appearance; ToolTip; Enabled; Model
// VBoxLayout             "Vertical Box Layout" Layouts     1   1    no   Layout; Spacing,
//     Margin I static Layout -1, range -1..256, predefined -1 "Default" (the style's value)
// HBoxLayout             "Horizontal Box Layout" Layouts   1   1    no   as VBoxLayout
// Label                  "Label"               Widgets     1   2    no   Text U in General
//     "Label" (cString piInt64 piDouble piBool); Alignment I static Appearance 0x81,
//     predefined 0x81 "Left", 0x84 "Center", 0x82 "Right" (Qt::Alignment bits); WordWrap B
//     static Appearance false; Font F static Appearance; ToolTip; Enabled; Visible; Layout
// PushButton             "Push Button"         Widgets     1   2    no   Text U in General
//     "Button" (cString); Icon P static Appearance; Font F static Appearance; Command; ToolTip;
//     Enabled; Visible; Layout
// LineEdit               "Line Edit"           Widgets     1   2    no   Text U in/out Data ""
//     (cString piInt64 piDouble); EchoMode A static Appearance "Normal", only the predefined
//     "Normal", "Password", "NoEcho", "PasswordEchoOnEdit" (QLineEdit::EchoMode names);
//     MaxLength I static Range 32767, range 1..32767; ReadOnly B in State false (piBool);
//     ToolTip; Enabled; Visible; Layout
// CheckBox               "Check Box"           Widgets     1   2    no   Text U in General
//     "Check Box" (cString); Checked B in/out Data false (piBool); ToolTip; Enabled; Visible;
//     Layout
// SpinBox                "Spin Box"            Widgets     1   2    no   Value I in/out Data 0,
//     32-bit range (piInt64 piDouble); Minimum I static Range 0 and Maximum I static Range 99,
//     32-bit range; SingleStep I static Range 1, range 1..1000000; Suffix U static Appearance
//     ""; ToolTip; Enabled; Visible; Layout
// ComboBox               "Combo Box"           Widgets     1   2    no   Entries U static
//     General "" (see splitComboEntries); CurrentIndex I in/out Data 0, range 0..9999
//     (piInt64); ToolTip; Enabled; Visible; Layout
// ProgressBar            "Progress Bar"        Widgets     1   2    no   Value I in Data 0,
//     range 0..100 (piInt64 piDouble); TextVisible B static Appearance true; Orientation I
//     static Appearance 1, predefined 1 "Horizontal", 2 "Vertical" (Qt::Orientation); ToolTip;
//     Enabled; Visible; Layout
// Spacer                 "Spacer"              Widgets     1   2    no   Orientation I static
//     Layout 1, predefined 1 "Horizontal", 2 "Vertical"; Size I static Layout 20, range
//     0..4096 (pixels along the orientation); Layout
// Menu                   "Menu"                Menus       2   6    yes  Title U in General
//     "Menu" (cString); Icon P static Appearance; Enabled; Visible; Model. Nested in a menu it
//     is a submenu.
// MenuItem               "Menu Item"           Menus       2   3    no   Text U in General
//     "Item" (cString); Icon P static Appearance; Shortcut A static General "" (a key sequence
//     such as "Ctrl+S"); Command; Checkable B static State false; Checked B in/out Data false
//     (piBool); ToolTip; Enabled; Visible
// MenuSeparator          "Separator"           Menus       2   3    no   (Label only)
// ToolBar                "Tool Bar"            Tool Bars   3   6    yes  Title U in General
//     "Tool Bar" (cString); ToolButtonStyle A static Appearance "IconOnly", only the predefined
//     "IconOnly", "TextOnly", "TextBesideIcon", "TextUnderIcon" (Qt::ToolButtonStyle names);
//     IconSize I static Appearance 24, range 8..128, predefined 16, 22, 24, 32, 48 ("16 x 16"
//     ...); Orientation I static Appearance 1, predefined 1 "Horizontal", 2 "Vertical";
//     Enabled; Visible; Model
// ToolButton             "Tool Button"         Tool Bars   3   3    no   Text U in General
//     "Tool" (cString); Icon P static Appearance; Command; Checkable B static State false;
//     Checked B in/out Data false (piBool); ToolTip; Enabled; Visible
// ToolSeparator          "Separator"           Tool Bars   3   3    no   (Label only)
#include "vellcore/cstring.h"

#include <QStringList>

class cVQ4VMVDataViewMgr;

// Appends the standard elements to `mgr` in the order of the table above. An element whose
// name `mgr` already lists is left out, so calling it twice adds nothing.
void registerStandardElements(cVQ4VMVDataViewMgr &mgr);

// The entries of a combo box's "Entries" text: when the text holds a line feed each line is an
// entry, otherwise the entries are separated by ";". Blanks around an entry are dropped, and so
// are empty entries (a trailing separator adds nothing).
QStringList splitComboEntries(const vucs::cString &entries);
