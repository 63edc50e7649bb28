#include "cqpwpixmaplabel.h"

#include <QPainter>

cQPWPixmapLabel::cQPWPixmapLabel(QWidget *parent) : QWidget(parent)
{
}

void cQPWPixmapLabel::setPixmap(const QPixmap &pixmap)
{
    if (pixmap.isNull())
        mPixmap = QPixmap();
    else if (pixmap.width() > width() || pixmap.height() > height())
        mPixmap = pixmap.scaled(size(), Qt::KeepAspectRatio, Qt::FastTransformation);
    else
        mPixmap = pixmap;
    updateGeometry();
    update();
}

void cQPWPixmapLabel::paintEvent(QPaintEvent *)
{
    if (mPixmap.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap((width() - mPixmap.width()) / 2, (height() - mPixmap.height()) / 2,
                       mPixmap);
}
