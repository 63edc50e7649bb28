#pragma once

#include <QStringList>

class cFormInfoRecord;
class cQAbstractDialogLayoutItem;
class cQDialogLayoutRootItem;

// The text "dlgtool info" prints for a form: its information, its element tree as the editor's
// layout tree shows it, the dialog parameters its bindings name and every binding.
class cFormDescription
{
public:
    // `info` is null for a form that carries none (one read from a Qt Designer file).
    static QStringList lines(const cQDialogLayoutRootItem &root, const cFormInfoRecord *info);
    // "Push Button (\"start\")": the element's row in the layout tree.
    static QString rowText(const cQAbstractDialogLayoutItem &item);
};
