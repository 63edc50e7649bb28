#include "cqelementicon.h"

#include "q4support/cvq4vmvabstractmvitemfactory.h"

#include <QPainter>

QIcon cQElementIcon::forKind(int kind)
{
    QIcon icon;
    for (int size : {16, 32})
        icon.addPixmap(draw(kind, size));
    return icon;
}

QPixmap cQElementIcon::draw(int kind, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);
    const QColor line(70, 70, 80), fill(250, 250, 252), accent(60, 120, 200);
    p.setPen(QPen(line, 1));
    p.setBrush(fill);
    switch (kind) {
    case vq4::KindContainer: // a window with its title bar
        p.drawRect(QRectF(1.5, 2.5, 13, 11));
        p.fillRect(QRectF(2, 3, 12, 3), accent);
        break;
    case vq4::KindLayout: // three rows one below the other
        p.setPen(QPen(accent, 1, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.setPen(Qt::NoPen);
        for (int row = 0; row < 3; ++row)
            p.fillRect(QRectF(4, 4 + row * 3, 8, 2), line);
        break;
    case vq4::KindWidget: // a button
        p.drawRoundedRect(QRectF(1.5, 4.5, 13, 7), 2, 2);
        p.fillRect(QRectF(4, 7.5, 8, 1.5), accent);
        break;
    case vq4::KindEntry: // one line of a menu with its mark
        p.drawRect(QRectF(1.5, 4.5, 13, 7));
        p.setBrush(accent);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QRectF(3.5, 6.5, 3, 3));
        p.fillRect(QRectF(8, 7.5, 5, 1.5), line);
        break;
    case vq4::KindTabPage: // a page with its tab
        p.drawRect(QRectF(1.5, 5.5, 13, 9));
        p.setBrush(accent);
        p.drawRect(QRectF(1.5, 2.5, 6, 3));
        break;
    case vq4::KindTabContainer: // tabs above a page
        p.drawRect(QRectF(1.5, 5.5, 13, 9));
        p.setBrush(accent);
        p.drawRect(QRectF(1.5, 2.5, 4, 3));
        p.setBrush(fill);
        p.drawRect(QRectF(5.5, 2.5, 4, 3));
        p.drawRect(QRectF(9.5, 2.5, 4, 3));
        break;
    case vq4::KindMenu: // a bar with a list dropping from it
    default:
        p.fillRect(QRectF(1, 1.5, 14, 3), accent);
        p.drawRect(QRectF(3.5, 4.5, 9, 10));
        p.setPen(Qt::NoPen);
        for (int row = 0; row < 3; ++row)
            p.fillRect(QRectF(5, 6.5 + row * 2.5, 6, 1.2), line);
        break;
    }
    return pixmap;
}
