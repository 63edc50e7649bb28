#include "cqemptypreview.h"

#include <QPainter>

cQEmptyPreview::cQEmptyPreview(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("emptyPreview"));
    setFixedSize(320, 320);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
    setForegroundRole(QPalette::WindowText);
}

void cQEmptyPreview::setHint(const QString &hint)
{
    mHint = hint;
    update();
}

void cQEmptyPreview::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (mHint.isEmpty()) {
        painter.setPen(QColor(255, 0, 0, 255));
        painter.drawLine(0, 0, width(), height());
        painter.drawLine(width(), 0, 0, height());
        return;
    }
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect().adjusted(24, 24, -24, -24), Qt::AlignCenter | Qt::TextWordWrap,
                     mHint);
}
