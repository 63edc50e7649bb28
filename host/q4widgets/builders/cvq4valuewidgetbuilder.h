#pragma once

#include "q4widgets/cvq4vmvelementbuilder.h"

// Builds the widgets that show a number: spin boxes, double spin boxes, sliders, dials, combo
// boxes and lists (the index of the chosen entry) and progress bars.
class cVQ4ValueWidgetBuilder final : public cVQ4VMVElementBuilder
{
public:
    enum Kind { SpinBox, DoubleSpinBox, ComboBox, ListWidget, Slider, Dial, ProgressBar };
    explicit cVQ4ValueWidgetBuilder(Kind kind);

protected:
    QObject *create(vmva::cDVAbstractStdDMViewProperties *properties, QObject *parent,
                    cVQ4VMVBuildContext &context) const override;

private:
    Kind mKind;
};
