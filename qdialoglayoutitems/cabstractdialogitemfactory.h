#pragma once

#include "vellcore/casciistring.h"

#include <memory>

class cQAbstractDialogLayoutItem;
class cQDialogLayoutViewItem;
class cVQ4VMVDataViewMgr;

// Creates the layout items of one element type and describes the type for menus and documents.
class cAbstractDialogItemFactory
{
public:
    virtual ~cAbstractDialogItemFactory();

    // A new item under `parent`, not yet inserted into it.
    virtual std::unique_ptr<cQDialogLayoutViewItem> createItem(
        cQAbstractDialogLayoutItem *parent, cVQ4VMVDataViewMgr *dataViewMgr) const = 0;
    virtual int elementKind() const = 0;
    virtual int viewCategory() const = 0;
    virtual bool isTopLevelElement() const = 0;
    // The text of the element's entry in the insert and append menus.
    virtual vstd::cAsciiString displayName() const = 0;
    // The element type name used in documents and on the clipboard.
    virtual vstd::cAsciiString elementName() const = 0;
    // The submenu the entry stands under.
    virtual vstd::cAsciiString groupName() const = 0;
};
