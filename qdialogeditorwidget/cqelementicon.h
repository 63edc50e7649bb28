#pragma once

#include <QIcon>

// The pictures that stand for element types in the menus and the "Elements" dock: one small
// drawing per structural kind (container, layout, widget, entry, page, tab container, menu).
class cQElementIcon
{
public:
    // The icon of elements of the vq4::ElementKind `kind`.
    static QIcon forKind(int kind);

private:
    static QPixmap draw(int kind, int size);
};
