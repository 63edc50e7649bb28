#pragma once

#include "q4support/cvq4vmvabstractelementbuilder.h"

#include "q4support/elements/standardelements.h"
#include "vellmva2/cdvabstractstddmviewproperties.h"

#include <QHash>
#include <QVariant>

#include <vector>

class QLayout;
class QObject;
class QWidget;
class cVQ4VMVBuildContext;

// Builds the live Qt object of one element family, adds it to the object of its parent element
// and applies and binds the element's properties through a table of aspects.
class cVQ4VMVElementBuilder : public cVQ4VMVAbstractElementBuilder
{
public:
    // How one property reaches the live object; any part may be missing. Each function checks
    // the object's type itself, so a wrong object is left alone.
    struct tAspectSet
    {
        // Applies the stored value; `parent` is the object the element was added to.
        void (*apply)(QObject &object, QObject *parent, vmva::cDVIAbstractProperty &property)
            = nullptr;
        // Shows a value of the bound node (direction in).
        void (*show)(QObject &object, const QVariant &value) = nullptr;
        // The user's value (direction out), announced by the Qt signal `userSignal`, a text as
        // SIGNAL() gives it.
        QVariant (*read)(QObject &object) = nullptr;
        const char *userSignal = nullptr;
        // Takes over the range of a bound node that has one.
        void (*range)(QObject &object, double minimum, double maximum) = nullptr;
    };

    cVQ4VMVElementBuilder();
    ~cVQ4VMVElementBuilder() override;

    // Creates the object of an element with `properties` (null for an element without any),
    // names it `debugInfo`, adds it to `parent` (the object of the parent element, or at top
    // level the widget the factory builds into) and applies and binds every property. Children
    // are then built into the result; null when the element cannot live in `parent`.
    QObject *build(vmva::cDVAbstractStdDMViewProperties *properties,
                   const vstd::cAsciiString &debugInfo, QObject *parent,
                   cVQ4VMVBuildContext &context) const;
    // Called once every child was built into `object`.
    virtual void finish(QObject &object, vmva::cDVAbstractStdDMViewProperties *properties,
                        cVQ4VMVBuildContext &context) const;

    // The aspect of a property name, or null.
    const tAspectSet *aspect(const vstd::cAsciiString &propertyName) const;

    // Shared helpers, also for builders of plug-ins.
    // The widget that owns `parent`: the widget itself, or a layout's widget.
    static QWidget *widgetOf(QObject *parent);
    // Adds a widget to a layout (a grid or form layout at the element's cell), a tab or stacked
    // widget, a splitter, a tool bar or a container; false when `parent` takes no widgets. At
    // top level the widget only keeps the parent it was created with.
    static bool placeWidget(QWidget &widget, QObject *parent, const cVQ4VMVBuildContext &context);
    // Adds a layout to a layout (at the element's cell, or the next one without `context`), to
    // a splitter in a plain widget of its own, or to a container that has none yet.
    static bool placeLayout(QLayout &layout, QObject *parent);
    static bool placeLayout(QLayout &layout, QObject *parent, const cVQ4VMVBuildContext &context);
    // Where the children of `parent` go: the content of a scroll area, else `parent` itself.
    static QObject *contentOf(QObject *parent);
    // Shows the values of the nodes bound to `object` again: for values that only fit once the
    // children exist (the current page of a tab widget).
    static void refreshBindings(QObject &object);
    // A node value as text: numbers in their shortest form, flags as "true" or "false".
    static QString displayText(const QVariant &value);
    // Property values read as the named type, whatever typed view the property has.
    static QString textOf(vmva::cDVIAbstractProperty &property);
    static __int64 intOf(vmva::cDVIAbstractProperty &property);
    static bool boolOf(vmva::cDVIAbstractProperty &property);
    static double doubleOf(vmva::cDVIAbstractProperty &property);
    // The value of the property `name` of `properties`, or `fallback` when there is none.
    static QString textOf(vmva::cDVAbstractStdDMViewProperties *properties, const char *name,
                          const QString &fallback = QString());
    static __int64 intOf(vmva::cDVAbstractStdDMViewProperties *properties, const char *name,
                         __int64 fallback);
    static double doubleOf(vmva::cDVAbstractStdDMViewProperties *properties, const char *name,
                           double fallback);

protected:
    // Creates the object and adds it to `parent`; null (nothing left behind) when it cannot
    // live there.
    virtual QObject *create(vmva::cDVAbstractStdDMViewProperties *properties, QObject *parent,
                            cVQ4VMVBuildContext &context) const = 0;
    // Gives the object its name; an action in a tool bar also names its button.
    virtual void setName(QObject &object, QObject *parent, const QString &name) const;

    void addAspect(const char *propertyName, const tAspectSet &aspect);
    static bool placeLayout(QLayout &layout, QObject *parent, const tLayoutCellSet &cell);
    // "Enabled", "Visible", "ToolTip", "Font" and "Layout" for widgets and actions.
    void addCommonAspects();
    // "FrameShape", "FrameShadow" and "LineWidth" of a QFrame, such as a frame or a label.
    void addFrameAspects();

private:
    QHash<QByteArray, tAspectSet> mAspects;
    // The aspects of the last element's properties by their place: the elements of one family
    // have the same properties in the same order. A name is held, so that the same address is
    // the same name. Builders build on the GUI thread only.
    struct tPlacedAspectSet
    {
        vstd::cAsciiString name;
        const tAspectSet *aspect = nullptr;
    };
    mutable std::vector<tPlacedAspectSet> mPlacedAspects;
};
