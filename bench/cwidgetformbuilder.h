#pragma once

#include "cwidgetformdescription.h"

class QLayout;
class QLayoutItem;

// Builds a described widget tree with the widgets' own setters, as hand-written code would.
class cWidgetFormBuilder
{
public:
    QWidget *widget(const cWidgetFormDescription::tWidgetNode &node, QWidget *parent);

private:
    QWidget *create(const cWidgetFormDescription::tWidgetNode &node, QWidget *parent);
    // The widgets that hold their children in pages (tabs, stacks, splitters, scroll areas).
    QWidget *createHolder(const cWidgetFormDescription::tWidgetNode &node, QWidget *parent);
    void fill(QLayout &layout, const cWidgetFormDescription::tLayoutNode &node, QWidget *owner);
    static QLayout *newLayout(const cWidgetFormDescription::tLayoutNode &node, QWidget *owner);
};
