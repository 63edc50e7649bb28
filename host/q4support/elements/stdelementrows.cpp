#include "stdelementsets.h"

#include <limits>

namespace stdelements {

using namespace vmva;

void addLabel(cStdElementProperties &p)
{
    p.add<cDVIAsciiStringProperty>("Label", "General",
                                   "Name of the element in the layout tree; not in the form.",
                                   Static, "");
}

void addToolTip(cStdElementProperties &p)
{
    addText(p, "ToolTip", "General", "Text shown when the mouse rests on the element.", In, "");
}

void addEnabled(cStdElementProperties &p)
{
    addBool(p, "Enabled", "State", "Whether the user can use the element.", In, true);
}

void addVisible(cStdElementProperties &p)
{
    addBool(p, "Visible", "State", "Whether the element is shown.", In, true);
}

void addLayout(cStdElementProperties &p)
{
    p.add<cDVILayoutProperty>("Layout", "Layout",
                              "How the element takes space in the layout around it.", Static,
                              cDVLayoutParameter());
    p.add<cDVIAsciiStringProperty>("Cell", "Layout",
                                   "Place in a grid or form layout: \"row, column\" or \"row, "
                                   "column, row span, column span\", counted from 0; empty for "
                                   "the cell after the element before.",
                                   Static, "");
}

void addModel(cStdElementProperties &p)
{
    p.add<cDVIModelLocationProperty>("Model", "Data",
                                     "Data model the element's content is about.", In)
        .setAllowedTypes(cStdElementProperties::shared("cDMDataModel"));
}

void addCommand(cStdElementProperties &p, const char *help)
{
    addCommand(p, "Command", help);
}

void addCommand(cStdElementProperties &p, const char *name, const char *help)
{
    p.add<cDVIModelLocationProperty>(name, "Data", help, Out)
        .setAllowedTypes(cStdElementProperties::shared("piVoid"));
}

void addWidgetTail(cStdElementProperties &p)
{
    addToolTip(p);
    addEnabled(p);
    addVisible(p);
    addLayout(p);
}

cDVIUCStringProperty &addText(cStdElementProperties &p, const char *name, const char *topic,
                              const char *help, unsigned int flags, const char *value,
                              const char *types)
{
    auto &property = p.add<cDVIUCStringProperty>(name, topic, help, flags, vucs::cString(value));
    if (!(flags & Static))
        property.setAllowedTypes(cStdElementProperties::shared(types));
    return property;
}

cDVIBoolProperty &addBool(cStdElementProperties &p, const char *name, const char *topic,
                          const char *help, unsigned int flags, bool value, const char *types)
{
    auto &property = p.add<cDVIBoolProperty>(name, topic, help, flags, value);
    if (!(flags & Static))
        property.setAllowedTypes(cStdElementProperties::shared(types));
    return property;
}

cDVIIntProperty &addInt(cStdElementProperties &p, const char *name, const char *topic,
                        const char *help, unsigned int flags, __int64 value, __int64 min,
                        __int64 max,
                        std::initializer_list<std::pair<__int64, const char *>> predefined)
{
    auto &property = p.add<cDVIIntProperty>(name, topic, help, flags, value);
    if (min <= max)
        property.setRange(min, max);
    if (predefined.size() == 0)
        return property;
    std::vector<cDVIIntProperty::tPredefinedPair> values;
    values.reserve(predefined.size());
    for (const auto &[number, text] : predefined)
        values.push_back({number, cStdElementProperties::shared(text)});
    property.setPredefinedValues(values);
    return property;
}

cDVIAsciiStringProperty &addChoice(cStdElementProperties &p, const char *name,
                                   const char *topic, const char *help, const char *value,
                                   std::initializer_list<const char *> choices)
{
    auto &property = p.add<cDVIAsciiStringProperty>(name, topic, help, Static,
                                                    cStdElementProperties::shared(value));
    std::vector<cDVIAsciiStringProperty::tPredefinedPair> values;
    values.reserve(choices.size());
    for (const char *choice : choices) {
        const vstd::cAsciiString text = cStdElementProperties::shared(choice);
        values.push_back({text, text});
    }
    property.setPredefinedValues(values, true);
    return property;
}

cDVIDoubleProperty &addDouble(cStdElementProperties &p, const char *name, const char *topic,
                              const char *help, unsigned int flags, double value, double min,
                              double max, int decimals)
{
    auto &property = p.add<cDVIDoubleProperty>(name, topic, help, flags, value);
    if (min <= max)
        property.setRange(min, max);
    property.setDecimals(decimals);
    return property;
}

cDVIDateTimeProperty &addMoment(cStdElementProperties &p, const char *name, const char *topic,
                                const char *help, unsigned int flags,
                                cDVIDateTimeProperty::Part part, const char *value)
{
    const QDateTime moment = cDVIDateTimeProperty::parse(part, QString::fromLatin1(value));
    return p.add<cDVIDateTimeProperty>(name, topic, help, flags, part, moment);
}

cDVITextListProperty &addTexts(cStdElementProperties &p, const char *name, const char *topic,
                               const char *help, unsigned int flags, const char *types)
{
    auto &property = p.add<cDVITextListProperty>(name, topic, help, flags, QStringList());
    if (!(flags & Static))
        property.setAllowedTypes(cStdElementProperties::shared(types));
    return property;
}

cDVIPixmapProperty &addPicture(cStdElementProperties &p, const char *name, const char *help)
{
    return p.add<cDVIPixmapProperty>(name, "Appearance", help, Static, QByteArray());
}

void addFont(cStdElementProperties &p)
{
    p.add<cDVIFontProperty>("Font", "Appearance", "Font of the text; empty for the default.",
                            Static, vucs::cString());
}

void addOrientation(cStdElementProperties &p, const char *topic)
{
    addInt(p, "Orientation", topic, "Direction the element extends in.", Static, 1, 1, 0,
           {{1, "Horizontal"}, {2, "Vertical"}});
}

void addFrameLook(cStdElementProperties &p, __int64 shape)
{
    addInt(p, "FrameShape", "Appearance", "Shape of the frame.", Static, shape, 1, 0,
           {{0, "None"}, {1, "Box"}, {2, "Panel"}, {3, "Window Panel"}, {6, "Styled Panel"}});
    addInt(p, "FrameShadow", "Appearance", "How the frame stands out.", Static, 0x10, 1, 0,
           {{0x10, "Plain"}, {0x20, "Raised"}, {0x30, "Sunken"}});
    addInt(p, "LineWidth", "Appearance", "Width of the frame's lines in pixels.", Static, 1, 0,
           64);
}

void addSpacing(cStdElementProperties &p)
{
    addInt(p, "Spacing", "Layout", "Pixels between the elements; -1 for the style's value.",
           Static, -1, -1, 256, {{-1, "Default"}});
    addInt(p, "Margin", "Layout", "Pixels around the elements; -1 for the style's value.", Static,
           -1, -1, 256, {{-1, "Default"}});
}

void addRange(cStdElementProperties &p, __int64 maximum)
{
    constexpr __int64 intMin = std::numeric_limits<int>::min();
    constexpr __int64 intMax = std::numeric_limits<int>::max();
    addInt(p, "Value", "Data", "Number shown; what the user sets is written back.", InOut, 0,
           intMin, intMax)
        .setAllowedTypes(cStdElementProperties::shared("piInt64 piDouble"));
    addInt(p, "Minimum", "Range", "Smallest number the user can set.", Static, 0, intMin, intMax);
    addInt(p, "Maximum", "Range", "Largest number the user can set.", Static, maximum, intMin,
           intMax);
    addInt(p, "SingleStep", "Range", "Step of the arrow keys.", Static, 1, 1, 1000000);
}

void separatorProperties(cStdElementProperties &p)
{
    addLabel(p);
}

} // namespace stdelements
