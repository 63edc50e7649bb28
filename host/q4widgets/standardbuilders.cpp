#include "standardbuilders.h"

#include "builders/cvq4actionbuilder.h"
#include "builders/cvq4buttonboxbuilder.h"
#include "builders/cvq4containerbuilder.h"
#include "builders/cvq4datetimebuilder.h"
#include "builders/cvq4layoutbuilder.h"
#include "builders/cvq4menubuilder.h"
#include "builders/cvq4spacerbuilder.h"
#include "builders/cvq4splitterbuilder.h"
#include "builders/cvq4tabwidgetbuilder.h"
#include "builders/cvq4textwidgetbuilder.h"
#include "builders/cvq4toolbarbuilder.h"
#include "builders/cvq4valuewidgetbuilder.h"

#include "q4support/cvq4vmvdataviewmgr.h"

#include <cstring>
#include <memory>

namespace {

using tMake = std::unique_ptr<cVQ4VMVElementBuilder> (*)();

template <class B, auto... Args> std::unique_ptr<cVQ4VMVElementBuilder> make()
{
    return std::make_unique<B>(Args...);
}

struct tBuilderPair
{
    const char *elementName;
    tMake make;
};

const tBuilderPair kBuilders[] = {
    {"Dialog", make<cVQ4ContainerBuilder, cVQ4ContainerBuilder::Dialog>},
    {"Widget", make<cVQ4ContainerBuilder, cVQ4ContainerBuilder::Widget>},
    {"GroupBox", make<cVQ4ContainerBuilder, cVQ4ContainerBuilder::GroupBox>},
    {"Frame", make<cVQ4ContainerBuilder, cVQ4ContainerBuilder::Frame>},
    {"ScrollArea", make<cVQ4ContainerBuilder, cVQ4ContainerBuilder::ScrollArea>},
    {"Splitter", make<cVQ4SplitterBuilder>},
    {"TabWidget", make<cVQ4TabWidgetBuilder, cVQ4TabWidgetBuilder::Tabs>},
    {"StackedWidget", make<cVQ4TabWidgetBuilder, cVQ4TabWidgetBuilder::Stack>},
    {"TabPage", make<cVQ4ContainerBuilder, cVQ4ContainerBuilder::TabPage>},
    {"VBoxLayout", make<cVQ4LayoutBuilder, cVQ4LayoutBuilder::Vertical>},
    {"HBoxLayout", make<cVQ4LayoutBuilder, cVQ4LayoutBuilder::Horizontal>},
    {"GridLayout", make<cVQ4LayoutBuilder, cVQ4LayoutBuilder::Grid>},
    {"FormLayout", make<cVQ4LayoutBuilder, cVQ4LayoutBuilder::Form>},
    {"Label", make<cVQ4TextWidgetBuilder, cVQ4TextWidgetBuilder::Label>},
    {"PushButton", make<cVQ4TextWidgetBuilder, cVQ4TextWidgetBuilder::PushButton>},
    {"RadioButton", make<cVQ4TextWidgetBuilder, cVQ4TextWidgetBuilder::RadioButton>},
    {"CheckBox", make<cVQ4TextWidgetBuilder, cVQ4TextWidgetBuilder::CheckBox>},
    {"LineEdit", make<cVQ4TextWidgetBuilder, cVQ4TextWidgetBuilder::LineEdit>},
    {"TextEdit", make<cVQ4TextWidgetBuilder, cVQ4TextWidgetBuilder::TextEdit>},
    {"SpinBox", make<cVQ4ValueWidgetBuilder, cVQ4ValueWidgetBuilder::SpinBox>},
    {"ComboBox", make<cVQ4ValueWidgetBuilder, cVQ4ValueWidgetBuilder::ComboBox>},
    {"ListWidget", make<cVQ4ValueWidgetBuilder, cVQ4ValueWidgetBuilder::ListWidget>},
    {"Slider", make<cVQ4ValueWidgetBuilder, cVQ4ValueWidgetBuilder::Slider>},
    {"Dial", make<cVQ4ValueWidgetBuilder, cVQ4ValueWidgetBuilder::Dial>},
    {"ProgressBar", make<cVQ4ValueWidgetBuilder, cVQ4ValueWidgetBuilder::ProgressBar>},
    {"Line", make<cVQ4ContainerBuilder, cVQ4ContainerBuilder::Line>},
    {"DoubleSpinBox", make<cVQ4ValueWidgetBuilder, cVQ4ValueWidgetBuilder::DoubleSpinBox>},
    {"DateEdit", make<cVQ4DateTimeBuilder, vmva::cDVIDateTimeProperty::Date>},
    {"TimeEdit", make<cVQ4DateTimeBuilder, vmva::cDVIDateTimeProperty::Time>},
    {"DateTimeEdit", make<cVQ4DateTimeBuilder, vmva::cDVIDateTimeProperty::DateTime>},
    {"DialogButtonBox", make<cVQ4ButtonBoxBuilder>},
    {"Spacer", make<cVQ4SpacerBuilder>},
    {"Menu", make<cVQ4MenuBuilder>},
    {"MenuItem", make<cVQ4ActionBuilder, cVQ4ActionBuilder::MenuItem>},
    {"MenuSeparator", make<cVQ4ActionBuilder, cVQ4ActionBuilder::Separator>},
    {"ToolBar", make<cVQ4ToolBarBuilder>},
    {"ToolButton", make<cVQ4ActionBuilder, cVQ4ActionBuilder::ToolButton>},
    {"ToolSeparator", make<cVQ4ActionBuilder, cVQ4ActionBuilder::Separator>},
};

} // namespace

void installStandardBuilders(cVQ4VMVDataViewMgr &mgr)
{
    for (const tBuilderPair &entry : kBuilders) {
        cQUIDataViewItemExtension *ext = mgr.findExtension(entry.elementName);
        if (ext && !ext->builder())
            ext->setBuilder(entry.make());
    }
}
