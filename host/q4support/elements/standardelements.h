#pragma once

// The standard element library: the element types every host offers, registered in a fixed
// order. Element names are written into documents and never change once released; widgets for
// them are built by the widget layer, which applies the properties below by name.
//
// Property kinds: A 8-bit string, U Unicode string, I integer, B bool, F font (QFont::toString()
// text, empty = default font), L layout parameter, P picture (image file bytes), M model location,
// D floating-point number (range, decimals), T date, time of day or both (ISO text), S set of
// named flags ("Ok | Cancel"), X list of texts (one entry per line).
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
//   Cell     A static Layout   "" (its cell in a grid or form layout, see cellOf), behind Layout
//   Model    M in  Data        unset   types cDMDataModel (the model the element's content is
//                                      about; a container's children may use "$(modelPath)")
//   Command  M out Data        unset   types piVoid (triggered when the user clicks)
//
// element (name)         display               group       cat kind top  properties
// Dialog                 "Dialog"              Containers  1   0    yes  Title U in "Dialog"
//     (cString); WindowIcon P static Appearance; Width, Height I static Geometry 0, range
//     0..4096, predefined 0 "Automatic"; Enabled; Model
// Widget                 "Widget"              Containers  1   0    no   ToolTip; Enabled;
//     Visible; Layout; Model (a plain container holding one layout)
// Frame                  "Frame"               Containers  1   0    no   FrameShape I static
//     Appearance 6, predefined 0 "None", 1 "Box", 2 "Panel", 3 "Window Panel", 6 "Styled
//     Panel" (QFrame::Shape); FrameShadow I static Appearance 0x10, predefined 0x10 "Plain",
//     0x20 "Raised", 0x30 "Sunken"; LineWidth I static Appearance 1, range 0..64; ToolTip;
//     Enabled; Visible; Layout; Model
// ScrollArea             "Scroll Area"         Containers  1   0    no   WidgetResizable B
//     static Layout true; HorizontalScrollBar, VerticalScrollBar I static Appearance 0,
//     predefined 0 "As Needed", 1 "Always Off", 2 "Always On" (Qt::ScrollBarPolicy); ToolTip;
//     Enabled; Visible; Layout; Model. Its layout is the one of the scrolled content.
// Splitter               "Splitter"            Containers  1   1    no   Orientation;
//     Sizes A static Layout "" (pixels, see splitNumbers); ChildrenCollapsible B static State
//     true; ToolTip; Enabled; Visible; Layout. Of the kind of a layout, so that it may be a
//     container's one child and hold any widgets; a layout in it gets a plain widget of its own.
// GroupBox               "Group Box"           Containers  1   0    no   Title U in "Group"
//     (cString); ToolTip; Enabled; Visible; Layout; Model
// TabWidget              "Tab Widget"          Containers  1   5    no   CurrentIndex I in/out
//     Data 0, range 0..99 (piInt64); TabPosition I static Appearance 0, predefined 0 "North",
//     1 "South", 2 "West", 3 "East" (QTabWidget::TabPosition); ToolTip; Enabled; Visible;
//     Layout; Model
// StackedWidget          "Stacked Widget"      Containers  1   5    no   CurrentIndex I
//     in/out Data 0, range 0..99 (piInt64); ToolTip; Enabled; Visible; Layout; Model. Its
//     pages are TabPage elements.
// TabPage                "Tab Page"            Containers  1   4    no   Title U in "Page"
//     (cString: the tab's text); Icon P static Appearance; ToolTip; Enabled; Model. A page of
//     a tab widget or a stacked widget; the tab's texts and icon count in a tab widget only.
// VBoxLayout             "Vertical Box Layout" Layouts     1   1    no   Layout; Spacing,
//     Margin I static Layout -1, range -1..256, predefined -1 "Default" (the style's value)
// HBoxLayout             "Horizontal Box Layout" Layouts   1   1    no   as VBoxLayout
// GridLayout             "Grid Layout"         Layouts     1   1    no   Layout; Columns I
//     static Layout 2, range 1..64 (cells per row of the children without a cell); Spacing;
//     Margin; RowStretch, ColumnStretch A static Layout "" (factors, see splitNumbers)
// FormLayout             "Form Layout"         Layouts     1   1    no   Layout; Spacing;
//     Margin; LabelAlignment I static Appearance 0x81, predefined 0x81 "Left", 0x82 "Right".
//     Its children are label and field by turns; a cell's column 0 is the label, 1 the field,
//     and a column span of 2 spans the row.
// Label                  "Label"               Widgets     1   2    no   Text U in General
//     "Label" (cString piInt64 piDouble piBool); Alignment I static Appearance 0x81,
//     predefined 0x81 "Left", 0x84 "Center", 0x82 "Right" (Qt::Alignment bits); WordWrap B
//     static Appearance false; Font F static Appearance; ToolTip; Enabled; Visible; Layout
// PushButton             "Push Button"         Widgets     1   2    no   Text U in General
//     "Button" (cString); Icon P static Appearance; Font F static Appearance; Command; ToolTip;
//     Enabled; Visible; Layout
// RadioButton            "Radio Button"        Widgets     1   2    no   Text U in General
//     "Radio Button" (cString); Checked B in/out Data false (piBool); ToolTip; Enabled;
//     Visible; Layout. Exclusive among the radio buttons of its parent widget.
// LineEdit               "Line Edit"           Widgets     1   2    no   Text U in/out Data ""
//     (cString piInt64 piDouble); EchoMode A static Appearance "Normal", only the predefined
//     "Normal", "Password", "NoEcho", "PasswordEchoOnEdit" (QLineEdit::EchoMode names);
//     MaxLength I static Range 32767, range 1..32767; ReadOnly B in State false (piBool);
//     ToolTip; Enabled; Visible; Layout
// TextEdit               "Text Edit"           Widgets     1   2    no   Text U in/out Data
//     "" (cString piInt64 piDouble); RichText B static Appearance false (HTML); ReadOnly B in
//     State false (piBool); ToolTip; Enabled; Visible; Layout
// CheckBox               "Check Box"           Widgets     1   2    no   Text U in General
//     "Check Box" (cString); Checked B in/out Data false (piBool); ToolTip; Enabled; Visible;
//     Layout
// SpinBox                "Spin Box"            Widgets     1   2    no   Value I in/out Data 0,
//     32-bit range (piInt64 piDouble); Minimum I static Range 0 and Maximum I static Range 99,
//     32-bit range; SingleStep I static Range 1, range 1..1000000; Suffix U static Appearance
//     ""; ToolTip; Enabled; Visible; Layout
// ComboBox               "Combo Box"           Widgets     1   2    no   Entries X in General
//     none (cStringList); CurrentIndex I in/out Data 0, range 0..9999
//     (piInt64); ToolTip; Enabled; Visible; Layout
// ListWidget             "List"                Widgets     1   2    no   Entries X in General
//     none (cStringList); CurrentRow I in/out Data -1, range -1..9999
//     (piInt64); ToolTip; Enabled; Visible; Layout
// Slider                 "Slider"              Widgets     1   2    no   Value, Minimum,
//     Maximum, SingleStep as SpinBox; PageStep I static Range 10, range 1..1000000;
//     Orientation; TickPosition I static Appearance 0, predefined 0 "None", 3 "Both Sides", 1
//     "Above", 2 "Below" (QSlider::TickPosition); ToolTip; Enabled; Visible; Layout
// Dial                   "Dial"                Widgets     1   2    no   Value, Minimum,
//     Maximum, SingleStep, PageStep as Slider; Wrapping B static Appearance false;
//     NotchesVisible B static Appearance true; ToolTip; Enabled; Visible; Layout
// ProgressBar            "Progress Bar"        Widgets     1   2    no   Value I in Data 0,
//     range 0..100 (piInt64 piDouble); TextVisible B static Appearance true; Orientation I
//     static Appearance 1, predefined 1 "Horizontal", 2 "Vertical" (Qt::Orientation); ToolTip;
//     Enabled; Visible; Layout
// DoubleSpinBox          "Double Spin Box"     Widgets     1   2    no   Value D in/out Data 0,
//     range -1e12..1e12 (piDouble piInt64); Minimum D static Range 0; Maximum D static Range
//     99.99; SingleStep D static Range 1, range 0..1e12; Decimals I static Appearance 2, range
//     0..10; Prefix, Suffix U static Appearance ""; ToolTip; Enabled; Visible; Layout
// DateEdit               "Date Edit"           Widgets     1   2    no   Value T in/out Data
//     2000-01-01 (cString, ISO text); Minimum T static Range 1752-09-14; Maximum T static Range
//     9999-12-31; DisplayFormat U static Appearance "yyyy-MM-dd" (QDateTimeEdit's format, empty
//     for the locale's); CalendarPopup B static Appearance false; ToolTip; Enabled; Visible;
//     Layout
// TimeEdit               "Time Edit"           Widgets     1   2    no   as DateEdit for a time
//     of day: Value 00:00:00, range 00:00:00..23:59:59, DisplayFormat "HH:mm:ss", no
//     CalendarPopup
// DateTimeEdit           "Date Time Edit"      Widgets     1   2    no   as DateEdit for both:
//     Value 2000-01-01T00:00:00, range 1752-09-14T00:00:00..9999-12-31T23:59:59, DisplayFormat
//     "yyyy-MM-dd HH:mm"
// DialogButtonBox        "Button Box"          Widgets     1   2    no   StandardButtons S static
//     General "Ok | Cancel" (QDialogButtonBox's standard buttons); Orientation; AcceptCommand,
//     RejectCommand, HelpCommand M out Data (piVoid): triggered by a button of that role;
//     ToolTip; Enabled; Visible; Layout
// Line                   "Line"                Widgets     1   2    no   Orientation; ToolTip;
//     Enabled; Visible; Layout (a sunken line between parts of a form)
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
#include "vellcore/casciistring.h"
#include "vellcore/cstring.h"

#include <QList>

#include <QStringList>

class cVQ4VMVDataViewMgr;

// Appends the standard elements to `mgr`: the twenty of the first release in the order of the
// table above, then the others (see standardelements.cpp). An element whose
// name `mgr` already lists is left out, so calling it twice adds nothing.
void registerStandardElements(cVQ4VMVDataViewMgr &mgr);

// The place of an element in a grid or form layout, as its "Cell" text gives it.
//
// The cell is a property of the child rather than of its layout: it has to go wherever the
// child goes (clipboard, undo, files, moves between layouts) and be edited when the child is
// selected, and the child's properties are what all of that already carries. A properties
// object does not know its parent, so every element that sits in layouts has it; only grid
// and form layouts read it. It is one text beside "Layout" instead of four numbers, so that
// elements in box layouts carry one short empty value, and the layout parameter keeps the
// stored form and the editor it has.
struct tLayoutCellSet
{
    static constexpr int maxIndex = 999;
    int row = -1;
    int column = -1;
    int rowSpan = 1;
    int columnSpan = 1;
    // False for an empty or malformed text: the element takes the cell after the one before.
    bool isSet() const { return row >= 0; }
};
// "row, column" or "row, column, row span, column span": indices from 0 to maxIndex, spans
// from 1 to maxIndex. Anything else is a cell not set.
tLayoutCellSet cellOf(const vstd::cAsciiString &text);

// The numbers of a list such as "200, 100" (sizes, stretch factors); an entry that is no
// number counts as 0, an empty text has none.
QList<int> splitNumbers(const vstd::cAsciiString &text);
