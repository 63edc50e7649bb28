#pragma once

#include "vellmva2/cdvabstractstddmviewproperties.h"

#include <memory>

// Describes one data-view element type and creates its properties.
class cVQ4VMVAbstractMVItemFactory
{
public:
    virtual ~cVQ4VMVAbstractMVItemFactory() = default;
    // Structural kind 0..6: 0 container with one layout, 1 layout, 2 widget, 3 menu/tool bar
    // entry, 4 tab page, 5 tab container, 6 menu or tool bar.
    virtual int elementKind() const = 0;
    // 1 dialog, 2 menu, 3 tool bar.
    virtual int viewCategory() const = 0;
    virtual bool isTopLevelElement() const = 0;
    virtual vstd::cAsciiString displayName() const = 0;
    // The name written into documents; never changes once released.
    virtual vstd::cAsciiString elementName() const = 0;
    virtual vstd::cAsciiString groupName() const = 0;
    // A fresh, not yet initialised properties object, or null for an element without properties.
    virtual std::unique_ptr<vmva::cDVAbstractStdDMViewProperties> createProperties() const = 0;
};
