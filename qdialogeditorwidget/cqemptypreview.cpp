#include "cqemptypreview.h"

#include <QPainter>

cQEmptyPreview::cQEmptyPreview(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("emptyPreview"));
    setFixedSize(320, 320);
}

void cQEmptyPreview::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(QColor(255, 0, 0, 255));
    painter.drawLine(0, 0, width(), height());
    painter.drawLine(width(), 0, 0, height());
}
