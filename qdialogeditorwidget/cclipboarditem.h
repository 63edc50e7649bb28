#pragma once

#include <QByteArray>

class QAction;

// One entry of the editor's clipboard: a copied subtree as element records in the binary
// format, with what decides where it may be pasted, so the bytes need not be read for that.
struct cClipboardItem
{
    int kind;
    int category;
    bool topLevel;
    QByteArray data;
    // The entry's action in the clipboard submenu (owned by the submenu), or null.
    QAction *action;
};
