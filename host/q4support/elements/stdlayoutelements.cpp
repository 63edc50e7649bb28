#include "stdelementsets.h"

namespace stdelements {

using namespace vmva;

void gridLayoutProperties(cStdElementProperties &p)
{
    addLabel(p);
    addLayout(p);
    addInt(p, "Columns", "Layout", "Cells per row for the elements that name no cell.", Static, 2,
           1, 64);
    addSpacing(p);
    p.add<cDVIAsciiStringProperty>("RowStretch", "Layout",
                                   "Stretch factor of each row, such as \"0, 1\"; rows not "
                                   "named keep 0.",
                                   Static, "");
    p.add<cDVIAsciiStringProperty>("ColumnStretch", "Layout",
                                   "Stretch factor of each column, such as \"0, 1\"; columns not "
                                   "named keep 0.",
                                   Static, "");
}

void formLayoutProperties(cStdElementProperties &p)
{
    addLabel(p);
    addLayout(p);
    addSpacing(p);
    addInt(p, "LabelAlignment", "Appearance", "Horizontal alignment of the labels.", Static, 0x81,
           1, 0, {{0x81, "Left"}, {0x82, "Right"}});
}

void widgetProperties(cStdElementProperties &p)
{
    addLabel(p);
    addWidgetTail(p);
    addModel(p);
}

void frameProperties(cStdElementProperties &p)
{
    addLabel(p);
    addFrameLook(p, 6);
    addWidgetTail(p);
    addModel(p);
}

void scrollAreaProperties(cStdElementProperties &p)
{
    addLabel(p);
    addBool(p, "WidgetResizable", "Layout",
            "Whether the content grows with the area instead of keeping its own size.", Static,
            true);
    const std::initializer_list<std::pair<__int64, const char *>> policies = {
        {0, "As Needed"}, {1, "Always Off"}, {2, "Always On"}};
    addInt(p, "HorizontalScrollBar", "Appearance", "When the horizontal scroll bar shows.",
           Static, 0, 1, 0, policies);
    addInt(p, "VerticalScrollBar", "Appearance", "When the vertical scroll bar shows.", Static, 0,
           1, 0, policies);
    addWidgetTail(p);
    addModel(p);
}

void splitterProperties(cStdElementProperties &p)
{
    addLabel(p);
    addOrientation(p, "Appearance");
    p.add<cDVIAsciiStringProperty>("Sizes", "Layout",
                                   "Initial sizes of the parts in pixels, such as \"200, 100\"; "
                                   "empty to share the space as the parts ask.",
                                   Static, "");
    addBool(p, "ChildrenCollapsible", "State",
            "Whether the user can drag a part down to nothing.", Static, true);
    addWidgetTail(p);
}

void stackedWidgetProperties(cStdElementProperties &p)
{
    addLabel(p);
    addInt(p, "CurrentIndex", "Data", "Index of the page shown, counted from 0.", InOut, 0, 0, 99)
        .setAllowedTypes(cStdElementProperties::shared("piInt64"));
    addWidgetTail(p);
    addModel(p);
}

} // namespace stdelements
