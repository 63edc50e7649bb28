#include "cvq4appwidget.h"

#include <QCloseEvent>

cVQ4AppWidget::cVQ4AppWidget(QWidget *parent, Qt::WindowFlags flags) : QWidget(parent, flags)
{
}

cVQ4AppWidget::~cVQ4AppWidget() = default;

QSize cVQ4AppWidget::sizeHint() const
{
    QSize hint = QWidget::sizeHint();
    if (mInitialSize.width() > 0)
        hint.setWidth(mInitialSize.width());
    if (mInitialSize.height() > 0)
        hint.setHeight(mInitialSize.height());
    return hint;
}

void cVQ4AppWidget::closeEvent(QCloseEvent *event)
{
    // An embedded preview must survive the window manager's close request.
    if (mCloseAllowed)
        event->accept();
    else
        event->ignore();
}
