#pragma once

#include "vellmva2/cdvabstractstddmviewproperties.h"

#include <memory>

namespace vq4 {
// Structural kinds of data-view elements; the numbers are those the factories report and the
// item acceptance rules use.
enum ElementKind : int {
    KindContainer = 0,    // a container holding one layout (dialog, group box)
    KindLayout = 1,       // a layout
    KindWidget = 2,       // a widget without children
    KindEntry = 3,        // a menu or tool bar entry
    KindTabPage = 4,      // a page of a tab container
    KindTabContainer = 5, // a tab container
    KindMenu = 6          // a menu or tool bar, holding entries and submenus
};
// What a top-level element makes of a document.
enum ViewCategory : int { CategoryNone = 0, CategoryDialog = 1, CategoryMenu = 2,
                          CategoryToolBar = 3 };
} // namespace vq4

// Describes one data-view element type and creates its properties.
class cVQ4VMVAbstractMVItemFactory
{
public:
    virtual ~cVQ4VMVAbstractMVItemFactory() = default;
    // A vq4::ElementKind.
    virtual int elementKind() const = 0;
    // A vq4::ViewCategory other than none.
    virtual int viewCategory() const = 0;
    virtual bool isTopLevelElement() const = 0;
    virtual vstd::cAsciiString displayName() const = 0;
    // The name written into documents; never changes once released.
    virtual vstd::cAsciiString elementName() const = 0;
    virtual vstd::cAsciiString groupName() const = 0;
    // A fresh, not yet initialised properties object, or null for an element without properties.
    virtual std::unique_ptr<vmva::cDVAbstractStdDMViewProperties> createProperties() const = 0;
};
