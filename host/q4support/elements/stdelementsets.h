#pragma once

// Inside the standard element library: the create functions of the elements' properties and
// the rows several elements share (see standardelements.h for the table they implement).
#include "cstdelementproperties.h"

#include <initializer_list>
#include <utility>

namespace stdelements {

constexpr unsigned int In = vmva::cDVIAbstractProperty::DirectionIn;
constexpr unsigned int Out = vmva::cDVIAbstractProperty::DirectionOut;
constexpr unsigned int InOut = vmva::cDVIAbstractProperty::DirectionInOut;
constexpr unsigned int Static = vmva::cDVIAbstractProperty::NotConnectable;

// The shared rows.
void addLabel(cStdElementProperties &p);
void addToolTip(cStdElementProperties &p);
void addEnabled(cStdElementProperties &p);
void addVisible(cStdElementProperties &p);
// "Layout" and "Cell": how the element takes space in the layout around it.
void addLayout(cStdElementProperties &p);
void addModel(cStdElementProperties &p);
void addCommand(cStdElementProperties &p, const char *help);
void addCommand(cStdElementProperties &p, const char *name, const char *help);
// ToolTip, Enabled, Visible and Layout: the tail of every widget.
void addWidgetTail(cStdElementProperties &p);

// A Unicode text with the types a text may be bound to.
vmva::cDVIUCStringProperty &addText(cStdElementProperties &p, const char *name,
                                    const char *topic, const char *help, unsigned int flags,
                                    const char *value, const char *types = "cString");
vmva::cDVIBoolProperty &addBool(cStdElementProperties &p, const char *name, const char *topic,
                                const char *help, unsigned int flags, bool value,
                                const char *types = "piBool");
// An integer with a range (none when `min` > `max`) and predefined values.
vmva::cDVIIntProperty &addInt(cStdElementProperties &p, const char *name, const char *topic,
                              const char *help, unsigned int flags, __int64 value, __int64 min,
                              __int64 max,
                              std::initializer_list<std::pair<__int64, const char *>>
                                  predefined = {});
// An 8-bit string that takes only the given names (value and shown name alike).
vmva::cDVIAsciiStringProperty &addChoice(cStdElementProperties &p, const char *name,
                                         const char *topic, const char *help,
                                         const char *value,
                                         std::initializer_list<const char *> choices);
// A floating-point number with a range (none when `min` > `max`) and its decimals.
vmva::cDVIDoubleProperty &addDouble(cStdElementProperties &p, const char *name,
                                    const char *topic, const char *help, unsigned int flags,
                                    double value, double min, double max, int decimals = 2);
// A date, a time of day or both, given as ISO text.
vmva::cDVIDateTimeProperty &addMoment(cStdElementProperties &p, const char *name,
                                      const char *topic, const char *help, unsigned int flags,
                                      vmva::cDVIDateTimeProperty::Part part, const char *value);
// A list of texts, empty at first, with the types it may be bound to.
vmva::cDVITextListProperty &addTexts(cStdElementProperties &p, const char *name,
                                     const char *topic, const char *help,
                                     unsigned int flags = Static,
                                     const char *types = "cStringList");
vmva::cDVIPixmapProperty &addPicture(cStdElementProperties &p, const char *name,
                                     const char *help);
void addFont(cStdElementProperties &p);
void addOrientation(cStdElementProperties &p, const char *topic);
// "FrameShape" (starting with `shape`), "FrameShadow" and "LineWidth" of a frame or label.
void addFrameLook(cStdElementProperties &p, __int64 shape);
// "Spacing" and "Margin" of a layout.
void addSpacing(cStdElementProperties &p);
// "Value", "Minimum", "Maximum" and "SingleStep" of a number the user sets.
void addRange(cStdElementProperties &p, __int64 maximum);

// Dialog elements.
void dialogProperties(cStdElementProperties &p);
void groupBoxProperties(cStdElementProperties &p);
void tabWidgetProperties(cStdElementProperties &p);
void tabPageProperties(cStdElementProperties &p);
void boxLayoutProperties(cStdElementProperties &p);
void labelProperties(cStdElementProperties &p);
void pushButtonProperties(cStdElementProperties &p);
void lineEditProperties(cStdElementProperties &p);
void checkBoxProperties(cStdElementProperties &p);
void spinBoxProperties(cStdElementProperties &p);
void comboBoxProperties(cStdElementProperties &p);
void progressBarProperties(cStdElementProperties &p);
void spacerProperties(cStdElementProperties &p);
void gridLayoutProperties(cStdElementProperties &p);
void formLayoutProperties(cStdElementProperties &p);
void widgetProperties(cStdElementProperties &p);
void frameProperties(cStdElementProperties &p);
void scrollAreaProperties(cStdElementProperties &p);
void splitterProperties(cStdElementProperties &p);
void stackedWidgetProperties(cStdElementProperties &p);
void radioButtonProperties(cStdElementProperties &p);
void textEditProperties(cStdElementProperties &p);
void sliderProperties(cStdElementProperties &p);
void dialProperties(cStdElementProperties &p);
void listWidgetProperties(cStdElementProperties &p);
void lineProperties(cStdElementProperties &p);
void doubleSpinBoxProperties(cStdElementProperties &p);
void dateEditProperties(cStdElementProperties &p);
void timeEditProperties(cStdElementProperties &p);
void dateTimeEditProperties(cStdElementProperties &p);
void dialogButtonBoxProperties(cStdElementProperties &p);

// Menu and tool bar elements.
void menuProperties(cStdElementProperties &p);
void menuItemProperties(cStdElementProperties &p);
void toolBarProperties(cStdElementProperties &p);
void toolButtonProperties(cStdElementProperties &p);
// Separators have their label only.
void separatorProperties(cStdElementProperties &p);

} // namespace stdelements
