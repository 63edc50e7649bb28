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

namespace {
const int kHintWidth = 220;
const int kHintMargin = 16;

QRect hintRect(const QWidget &widget)
{
    const int m = kHintMargin;
    return widget.rect().adjusted(m, m, -m, -m);
}
} // namespace

void cQEmptyPreview::setHint(const QString &hint)
{
    mHint = hint;
    // The hint must fit where the preview area is small: as narrow as it reads well, as high
    // as its text.
    if (hint.isEmpty()) {
        setFixedSize(320, 320);
    } else {
        const QRect text = fontMetrics().boundingRect(
            QRect(0, 0, kHintWidth - 2 * kHintMargin, 10000), Qt::TextWordWrap, hint);
        setFixedSize(kHintWidth, text.height() + 2 * kHintMargin);
    }
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
    painter.drawText(hintRect(*this), Qt::AlignCenter | Qt::TextWordWrap, mHint);
}
