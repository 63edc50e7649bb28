#pragma once

#include "q4widgets/cvq4vmvelementbuilder.h"

// Builds the widgets that show a text: labels, push buttons, radio buttons, check boxes, line
// edits and text edits.
class cVQ4TextWidgetBuilder final : public cVQ4VMVElementBuilder
{
public:
    enum Kind { Label, PushButton, RadioButton, CheckBox, LineEdit, TextEdit };
    explicit cVQ4TextWidgetBuilder(Kind kind);

protected:
    QObject *create(vmva::cDVAbstractStdDMViewProperties *properties, QObject *parent,
                    cVQ4VMVBuildContext &context) const override;

private:
    Kind mKind;
};
