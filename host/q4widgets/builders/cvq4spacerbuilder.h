#pragma once

#include "q4widgets/cvq4vmvelementbuilder.h"

class QLayoutItem;
class QWidget;

// Builds spacers: empty widgets that take the free space along one direction, so that the
// preview can find and mark them like any other element.
class cVQ4SpacerBuilder final : public cVQ4VMVElementBuilder
{
public:
    cVQ4SpacerBuilder();

    // The spacer that `item` places, null for any other item: a spacer's item is no widget
    // item, so that code walking a layout reaches the spacer only through this.
    static QWidget *spacerOf(QLayoutItem &item);
    // Takes the spacer's item out of its layout now (a widget item leaves with its widget's
    // parent, a spacer's only with the spacer); nothing for any other widget.
    static void leaveLayout(QWidget &widget);

protected:
    QObject *create(vmva::cDVAbstractStdDMViewProperties *properties, QObject *parent,
                    cVQ4VMVBuildContext &context) const override;
};
