#include "cuielementmap.h"

#include <QList>
#include <QStringList>

#include <iterator>

namespace {

using tClassSet = cUiElementMap::tClassSet;
using tEnumNameSet = cUiElementMap::tEnumNameSet;
using tEnumSet = cUiElementMap::tEnumSet;
using tPropertySet = cUiElementMap::tPropertySet;

const tClassSet kClasses[] = {
    {"QDialog", "Dialog", true},
    {"QWidget", "Widget", true},
    {"QFrame", "Frame", true},
    {"QScrollArea", "ScrollArea", true},
    {"QSplitter", "Splitter", true},
    {"QGroupBox", "GroupBox", true},
    {"QTabWidget", "TabWidget", true},
    {"QStackedWidget", "StackedWidget", true},
    {"QVBoxLayout", "VBoxLayout", true},
    {"QHBoxLayout", "HBoxLayout", true},
    {"QGridLayout", "GridLayout", true},
    {"QFormLayout", "FormLayout", true},
    {"QLabel", "Label", true},
    {"QPushButton", "PushButton", true},
    {"QRadioButton", "RadioButton", true},
    {"QCheckBox", "CheckBox", true},
    {"QLineEdit", "LineEdit", true},
    {"QTextEdit", "TextEdit", true},
    {"QSpinBox", "SpinBox", true},
    {"QDoubleSpinBox", "DoubleSpinBox", true},
    {"QComboBox", "ComboBox", true},
    {"QListWidget", "ListWidget", true},
    {"QSlider", "Slider", true},
    {"QDial", "Dial", true},
    {"QProgressBar", "ProgressBar", true},
    {"Line", "Line", true},
    {"QDateEdit", "DateEdit", true},
    {"QTimeEdit", "TimeEdit", true},
    {"QDateTimeEdit", "DateTimeEdit", true},
    {"QDialogButtonBox", "DialogButtonBox", true},
    {"QMenu", "Menu", true},
    {"QToolBar", "ToolBar", true},
    // Near elements for the classes the library has none for.
    {"QToolButton", "PushButton", false},
    {"QCommandLinkButton", "PushButton", false},
    {"QPlainTextEdit", "TextEdit", false},
    {"QTextBrowser", "TextEdit", false},
    {"QFontComboBox", "ComboBox", false},
    {"QListView", "ListWidget", false},
    {"QTreeWidget", "ListWidget", false},
    {"QTreeView", "ListWidget", false},
    {"QTableWidget", "ListWidget", false},
    {"QTableView", "ListWidget", false},
    {"QColumnView", "ListWidget", false},
    {"QUndoView", "ListWidget", false},
    {"QScrollBar", "Slider", false},
    {"QLCDNumber", "Label", false},
    {"QKeySequenceEdit", "LineEdit", false},
    {"QCalendarWidget", "DateEdit", false},
    {"QToolBox", "TabWidget", false},
    {"QMdiArea", "Widget", false},
    {"QDockWidget", "Widget", false},
    {"QGraphicsView", "Frame", false},
    {"QOpenGLWidget", "Widget", false},
};

#define VELL_ENUM(name, scope, set, ...)                                                      \
    const tEnumNameSet name##Names[] = {__VA_ARGS__};                                       \
    const tEnumSet name = {scope, name##Names, int(std::size(name##Names)), set}

VELL_ENUM(kOrientation, "Qt::", false, {"Horizontal", 1, nullptr}, {"Vertical", 2, nullptr});
VELL_ENUM(kAlignment, "Qt::", true, {"AlignLeft", 0x1, nullptr}, {"AlignRight", 0x2, nullptr},
          {"AlignHCenter", 0x4, nullptr}, {"AlignJustify", 0x8, nullptr},
          {"AlignTop", 0x20, nullptr}, {"AlignBottom", 0x40, nullptr},
          {"AlignVCenter", 0x80, nullptr}, {"AlignCenter", 0x84, nullptr},
          {"AlignLeading", 0x1, nullptr}, {"AlignTrailing", 0x2, nullptr},
          {"AlignAbsolute", 0x10, nullptr}, {"AlignBaseline", 0x100, nullptr},
          {"AlignHorizontal_Mask", 0x1f, nullptr}, {"AlignVertical_Mask", 0x1e0, nullptr});
VELL_ENUM(kFrameShape, "QFrame::", false, {"NoFrame", 0, nullptr}, {"Box", 1, nullptr},
          {"Panel", 2, nullptr}, {"WinPanel", 3, nullptr}, {"HLine", 4, nullptr},
          {"VLine", 5, nullptr}, {"StyledPanel", 6, nullptr});
VELL_ENUM(kFrameShadow, "QFrame::", false, {"Plain", 0x10, nullptr}, {"Raised", 0x20, nullptr},
          {"Sunken", 0x30, nullptr});
VELL_ENUM(kTickPosition, "QSlider::", false, {"NoTicks", 0, nullptr},
          {"TicksAbove", 1, nullptr}, {"TicksBelow", 2, nullptr}, {"TicksBothSides", 3, nullptr},
          {"TicksLeft", 1, nullptr}, {"TicksRight", 2, nullptr});
VELL_ENUM(kTabPosition, "QTabWidget::", false, {"North", 0, nullptr}, {"South", 1, nullptr},
          {"West", 2, nullptr}, {"East", 3, nullptr});
VELL_ENUM(kScrollBar, "Qt::", false, {"ScrollBarAsNeeded", 0, nullptr},
          {"ScrollBarAlwaysOff", 1, nullptr}, {"ScrollBarAlwaysOn", 2, nullptr});
VELL_ENUM(kEchoMode, "QLineEdit::", false, {"Normal", 0, "Normal"}, {"NoEcho", 1, "NoEcho"},
          {"Password", 2, "Password"}, {"PasswordEchoOnEdit", 3, "PasswordEchoOnEdit"});
VELL_ENUM(kToolButtonStyle, "Qt::", false, {"ToolButtonIconOnly", 0, "IconOnly"},
          {"ToolButtonTextOnly", 1, "TextOnly"}, {"ToolButtonTextBesideIcon", 2, "TextBesideIcon"},
          {"ToolButtonTextUnderIcon", 3, "TextUnderIcon"},
          {"ToolButtonFollowStyle", 4, "IconOnly"});
// Layout modes of cDVLayoutParameter; Expanding, Maximum and Ignored have none of their own.
VELL_ENUM(kSizePolicy, "QSizePolicy::", false, {"Preferred", 3, nullptr},
          {"Minimum", 1, nullptr}, {"MinimumExpanding", 2, nullptr}, {"Fixed", 4, nullptr},
          {"Expanding", 2, nullptr}, {"Maximum", 3, nullptr}, {"Ignored", 3, nullptr});

// The button names are the property's own; the table gives their scope and Qt's empty set.
VELL_ENUM(kStandardButtons, "QDialogButtonBox::", true, {"NoButton", 0, nullptr});

#undef VELL_ENUM

const tPropertySet kProperties[] = {
    {"Dialog", "windowTitle", "Title", nullptr, "", false},
    {"Dialog", "windowIcon", "WindowIcon", nullptr, nullptr, false},
    {"GroupBox", "title", "Title", nullptr, "", false},
    {"TabWidget", "currentIndex", "CurrentIndex", nullptr, nullptr, false},
    {"TabWidget", "tabPosition", "TabPosition", &kTabPosition, nullptr, false},
    {"StackedWidget", "currentIndex", "CurrentIndex", nullptr, nullptr, false},
    {"TabPage", "title", "Title", nullptr, "", true},
    {"TabPage", "icon", "Icon", nullptr, nullptr, true},
    {"TabPage", "toolTip", "ToolTip", nullptr, nullptr, true},
    // A frame's and a label's.
    {"", "frameShape", "FrameShape", &kFrameShape, "NoFrame", false},
    {"", "frameShadow", "FrameShadow", &kFrameShadow, nullptr, false},
    {"", "lineWidth", "LineWidth", nullptr, nullptr, false},
    {"ScrollArea", "widgetResizable", "WidgetResizable", nullptr, "false", false},
    {"ScrollArea", "horizontalScrollBarPolicy", "HorizontalScrollBar", &kScrollBar, nullptr,
     false},
    {"ScrollArea", "verticalScrollBarPolicy", "VerticalScrollBar", &kScrollBar, nullptr, false},
    {"Splitter", "orientation", "Orientation", &kOrientation, nullptr, false},
    {"Splitter", "childrenCollapsible", "ChildrenCollapsible", nullptr, nullptr, false},
    {"Label", "text", "Text", nullptr, "", false},
    {"Label", "alignment", "Alignment", &kAlignment, nullptr, false},
    {"Label", "wordWrap", "WordWrap", nullptr, nullptr, false},
    {"PushButton", "text", "Text", nullptr, "", false},
    {"PushButton", "icon", "Icon", nullptr, nullptr, false},
    {"RadioButton", "text", "Text", nullptr, "", false},
    {"RadioButton", "checked", "Checked", nullptr, nullptr, false},
    {"CheckBox", "text", "Text", nullptr, "", false},
    {"CheckBox", "checked", "Checked", nullptr, nullptr, false},
    {"LineEdit", "text", "Text", nullptr, nullptr, false},
    {"LineEdit", "echoMode", "EchoMode", &kEchoMode, nullptr, false},
    {"LineEdit", "maxLength", "MaxLength", nullptr, nullptr, false},
    {"LineEdit", "readOnly", "ReadOnly", nullptr, nullptr, false},
    {"TextEdit", "plainText", "Text", nullptr, nullptr, false},
    {"TextEdit", "html", "Text", nullptr, nullptr, false},
    {"TextEdit", "readOnly", "ReadOnly", nullptr, nullptr, false},
    {"", "value", "Value", nullptr, nullptr, false},
    {"", "minimum", "Minimum", nullptr, nullptr, false},
    {"", "maximum", "Maximum", nullptr, nullptr, false},
    {"", "singleStep", "SingleStep", nullptr, nullptr, false},
    {"", "pageStep", "PageStep", nullptr, nullptr, false},
    {"", "prefix", "Prefix", nullptr, nullptr, false},
    {"", "suffix", "Suffix", nullptr, nullptr, false},
    {"DoubleSpinBox", "decimals", "Decimals", nullptr, nullptr, false},
    {"Slider", "orientation", "Orientation", &kOrientation, "Vertical", false},
    {"Slider", "tickPosition", "TickPosition", &kTickPosition, nullptr, false},
    {"Dial", "wrapping", "Wrapping", nullptr, nullptr, false},
    {"Dial", "notchesVisible", "NotchesVisible", nullptr, "false", false},
    {"ProgressBar", "textVisible", "TextVisible", nullptr, nullptr, false},
    {"ProgressBar", "orientation", "Orientation", &kOrientation, nullptr, false},
    {"Line", "orientation", "Orientation", &kOrientation, nullptr, false},
    {"ComboBox", "currentIndex", "CurrentIndex", nullptr, nullptr, false},
    {"ListWidget", "currentRow", "CurrentRow", nullptr, nullptr, false},
    {"DateEdit", "date", "Value", nullptr, nullptr, false},
    {"DateEdit", "minimumDate", "Minimum", nullptr, nullptr, false},
    {"DateEdit", "maximumDate", "Maximum", nullptr, nullptr, false},
    {"TimeEdit", "time", "Value", nullptr, nullptr, false},
    {"TimeEdit", "minimumTime", "Minimum", nullptr, nullptr, false},
    {"TimeEdit", "maximumTime", "Maximum", nullptr, nullptr, false},
    {"DateTimeEdit", "dateTime", "Value", nullptr, nullptr, false},
    {"DateTimeEdit", "minimumDateTime", "Minimum", nullptr, nullptr, false},
    {"DateTimeEdit", "maximumDateTime", "Maximum", nullptr, nullptr, false},
    {"", "displayFormat", "DisplayFormat", nullptr, "", false},
    {"", "calendarPopup", "CalendarPopup", nullptr, nullptr, false},
    {"DialogButtonBox", "standardButtons", "StandardButtons", &kStandardButtons,
     "QDialogButtonBox::NoButton", false},
    {"DialogButtonBox", "orientation", "Orientation", &kOrientation, nullptr, false},
    {"Menu", "title", "Title", nullptr, "", false},
    {"MenuItem", "text", "Text", nullptr, "", false},
    {"MenuItem", "shortcut", "Shortcut", nullptr, nullptr, false},
    {"ToolButton", "text", "Text", nullptr, "", false},
    {"ToolBar", "windowTitle", "Title", nullptr, "", false},
    {"ToolBar", "toolButtonStyle", "ToolButtonStyle", &kToolButtonStyle, nullptr, false},
    {"ToolBar", "iconSize", "IconSize", nullptr, nullptr, false},
    {"ToolBar", "orientation", "Orientation", &kOrientation, nullptr, false},
    {"", "icon", "Icon", nullptr, nullptr, false},
    {"", "checkable", "Checkable", nullptr, nullptr, false},
    {"", "checked", "Checked", nullptr, nullptr, false},
    {"", "font", "Font", nullptr, nullptr, false},
    {"", "toolTip", "ToolTip", nullptr, nullptr, false},
    {"", "enabled", "Enabled", nullptr, nullptr, false},
    {"", "visible", "Visible", nullptr, nullptr, false},
};

// The last part of a qualified name: "Qt::Orientation::Horizontal" is "Horizontal".
QStringView bareName(QStringView name)
{
    const qsizetype at = name.lastIndexOf(u"::");
    return (at < 0 ? name : name.mid(at + 2)).trimmed();
}

const tEnumNameSet *findName(const tEnumSet &enums, QStringView name)
{
    const QStringView bare = bareName(name);
    for (int i = 0; i < enums.count; ++i) {
        if (bare == QLatin1String(enums.names[i].name))
            return &enums.names[i];
    }
    return nullptr;
}

} // namespace

const cUiElementMap::tClassSet *cUiElementMap::findClass(const QString &qtClass)
{
    for (const tClassSet &row : kClasses) {
        if (qtClass == QLatin1String(row.qtClass))
            return &row;
    }
    return nullptr;
}

const char *cUiElementMap::classOf(const QString &element)
{
    for (const tClassSet &row : kClasses) {
        if (element == QLatin1String(row.element))
            return row.qtClass;
    }
    return nullptr;
}

const cUiElementMap::tClassSet *cUiElementMap::classes(int &count)
{
    count = int(std::size(kClasses));
    return kClasses;
}

const cUiElementMap::tPropertySet *cUiElementMap::properties(int &count)
{
    count = int(std::size(kProperties));
    return kProperties;
}

bool cUiElementMap::applies(const tPropertySet &row, const QString &element)
{
    return !*row.element || element == QLatin1String(row.element);
}

bool cUiElementMap::enumValue(const tEnumSet &enums, const QString &text, int &value)
{
    value = 0;
    const QList<QStringView> parts = QStringView(text).split(u'|');
    if (!enums.isSet && parts.size() != 1)
        return false;
    for (QStringView part : parts) {
        const tEnumNameSet *name = findName(enums, part);
        if (!name)
            return false;
        value |= name->value;
    }
    return true;
}

bool cUiElementMap::enumChoice(const tEnumSet &enums, const QString &text, QString &choice)
{
    const tEnumNameSet *name = findName(enums, text);
    if (!name || !name->choice)
        return false;
    choice = QLatin1String(name->choice);
    return true;
}

QString cUiElementMap::enumText(const tEnumSet &enums, int value)
{
    const QString scope = QLatin1String(enums.scope);
    for (int i = 0; i < enums.count; ++i) {
        if (enums.names[i].value == value)
            return scope + QLatin1String(enums.names[i].name);
    }
    if (!enums.isSet)
        return QString();
    // A set: the single flags, each once (the later names only alias earlier ones).
    QStringList names;
    int left = value;
    for (int i = 0; i < enums.count && left; ++i) {
        const int flag = enums.names[i].value;
        if (flag && (flag & (flag - 1)) == 0 && (left & flag)) {
            names << scope + QLatin1String(enums.names[i].name);
            left &= ~flag;
        }
    }
    return left ? QString() : names.join(QLatin1Char('|'));
}

QString cUiElementMap::choiceText(const tEnumSet &enums, const QString &choice)
{
    for (int i = 0; i < enums.count; ++i) {
        if (enums.names[i].choice && choice == QLatin1String(enums.names[i].choice))
            return QLatin1String(enums.scope) + QLatin1String(enums.names[i].name);
    }
    return QString();
}

const cUiElementMap::tEnumSet &cUiElementMap::sizePolicies()
{
    return kSizePolicy;
}
