#include "clcdelementproperties.h"

#include "vellmva2/cdvitypedproperties.h"

using namespace vmva;

namespace {

constexpr unsigned int Static = cDVIAbstractProperty::NotConnectable;
constexpr unsigned int In = cDVIAbstractProperty::DirectionIn;

std::unique_ptr<cDVIAsciiStringProperty> choice(const char *name, const char *help,
                                                const char *value,
                                                std::initializer_list<const char *> choices)
{
    auto property = std::make_unique<cDVIAsciiStringProperty>(name, "Appearance", help, Static,
                                                              vstd::cAsciiString(value));
    std::vector<cDVIAsciiStringProperty::tPredefinedPair> values;
    for (const char *c : choices)
        values.push_back({c, c});
    property->setPredefinedValues(values, true);
    return property;
}

} // namespace

void cLcdElementProperties::createProperties()
{
    addProperty(std::make_unique<cDVIAsciiStringProperty>(
        "Label", "General", "Name of the element in the layout tree; not shown in the form.",
        Static, vstd::cAsciiString()));
    // The look comes before the value, so that the value is shown with the right digits.
    auto digits = std::make_unique<cDVIIntProperty>("Digits", "Appearance",
                                                    "Number of digits shown.", Static, 5);
    digits->setRange(1, 20);
    addProperty(std::move(digits));
    addProperty(
        choice("Mode", "Number base of the display.", "Dec", {"Dec", "Hex", "Oct", "Bin"}));
    addProperty(choice("SegmentStyle", "How the segments are drawn.", "Filled",
                       {"Outline", "Filled", "Flat"}));
    auto value = std::make_unique<cDVIIntProperty>(
        "Value", "Data", "Number shown; a bound number follows its node.", In, 0);
    value->setAllowedTypes("piInt64 piDouble");
    addProperty(std::move(value));
    auto toolTip = std::make_unique<cDVIUCStringProperty>(
        "ToolTip", "General", "Text shown when the mouse rests on the element.", In,
        vucs::cString());
    toolTip->setAllowedTypes("cString");
    addProperty(std::move(toolTip));
    auto enabled = std::make_unique<cDVIBoolProperty>("Enabled", "State",
                                                      "Whether the element is active.", In, true);
    enabled->setAllowedTypes("piBool");
    addProperty(std::move(enabled));
    auto visible = std::make_unique<cDVIBoolProperty>("Visible", "State",
                                                      "Whether the element is shown.", In, true);
    visible->setAllowedTypes("piBool");
    addProperty(std::move(visible));
    addProperty(std::make_unique<cDVILayoutProperty>(
        "Layout", "Layout", "How the element takes space in the layout around it.", Static,
        cDVLayoutParameter()));
}
