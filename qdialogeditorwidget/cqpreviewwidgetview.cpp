#include "cqpreviewwidgetview.h"

#include "cqemptypreview.h"

#include "vellcore/cabstractexception.h"

#include <QBoxLayout>
#include <QEvent>
#include <QFrame>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QStackedWidget>

cQPreviewWidgetView::cSelectionWidget::cSelectionWidget(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("selectionOverlay"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void cQPreviewWidgetView::cSelectionWidget::setSelection(int mode, const QRect &rect)
{
    mMode = mode;
    mRect = rect;
    update();
}

void cQPreviewWidgetView::cSelectionWidget::clearSelection()
{
    mRect = QRect(0, 0, 0, 0);
    update();
}

void cQPreviewWidgetView::cSelectionWidget::paintEvent(QPaintEvent *)
{
    if (mRect.width() < 1)
        return;
    const QColor colour = mMode == WidgetMode ? QColor(255, 255, 255, 255)
                                              : QColor(0, 255, 255, 255);
    QPainter painter(this);
    painter.setPen(colour);
    painter.setOpacity(0.3);
    painter.fillRect(mRect, QBrush(colour, Qt::SolidPattern));

    painter.setOpacity(0.6);
    const QBrush handle(QColor(255, 255, 0, 255), Qt::SolidPattern);
    const int x = mRect.x(), y = mRect.y(), w = mRect.width(), h = mRect.height();
    painter.fillRect(QRect(x - 5, y - 5, 5, 5), handle);
    painter.fillRect(QRect(x + w, y - 5, 5, 5), handle);
    painter.fillRect(QRect(x - 5, y + h, 5, 5), handle);
    painter.fillRect(QRect(x + w, y + h, 5, 5), handle);
    // A light line on the rectangle's edge with a dark one just outside: one of the two stands
    // out on any background.
    painter.setOpacity(1.0);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0, 0, 0, 255), 2));
    painter.drawRect(QRectF(mRect).adjusted(-1, -1, 1, 1));
    painter.setPen(QPen(colour, 1));
    painter.drawRect(mRect.adjusted(0, 0, -1, -1));
}

cQPreviewWidgetView::cQPreviewWidgetView(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("previewView"));
    setAutoFillBackground(false);

    auto *frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("previewFrame"));
    frame->setFrameStyle(QFrame::Box);
    frame->setAutoFillBackground(true);
    // Roles are inherited: under the editor's dark scroll area the preview would take the dark
    // background and, contrasting with it, light text. It must look as the dialog runs.
    frame->setBackgroundRole(QPalette::Window);
    frame->setForegroundRole(QPalette::WindowText);
    frame->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Minimum);

    auto *outer = new QVBoxLayout(this);
    outer->addStretch(1);
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(frame);
    row->addStretch(1);
    outer->addLayout(row);
    outer->addStretch(1);

    mpPages = new QStackedWidget(frame);
    mpPages->setObjectName(QStringLiteral("previewPages"));
    mpPages->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Minimum);
    mpPages->setAutoFillBackground(false);
    auto *frameLayout = new QHBoxLayout(frame);
    frameLayout->setContentsMargins(0, 0, 0, 0);
    frameLayout->setSpacing(0);
    frameLayout->addWidget(mpPages);

    // An empty frame would show as a stray dot on the black until the first preview arrives.
    frame->hide();

    mpOverlay = new cSelectionWidget(this);
    mpOverlay->setGeometry(0, 0, width(), height());
    // The centred frame moves and grows after the preview's layouts settle, which can happen
    // after the call that selected the element; the marking follows it.
    frame->installEventFilter(this);
}

QFrame *cQPreviewWidgetView::frame() const
{
    return static_cast<QFrame *>(mpPages->parentWidget());
}

QWidget *cQPreviewWidgetView::currentPreview() const
{
    return mpPages->currentWidget();
}

void cQPreviewWidgetView::setPreview(QWidget *widget)
{
    mpSelectedWidget = nullptr;
    mpSelectedLayout = nullptr;
    if (!widget)
        throw vstd::cRuntimeException(vucs::cLIMessage("$VTR$Invalid preview!"));

    mpPages->setUpdatesEnabled(false);
    mpPages->addWidget(widget);
    QWidget *previous = mpPages->currentWidget();
    mpPages->setUpdatesEnabled(true);
    mpPages->setCurrentWidget(widget);
    if (previous && previous != widget) {
        previous->removeEventFilter(this);
        mpPages->removeWidget(previous);
        previous->deleteLater();
    }
    watchGeometry(widget);
    frame()->show();
    updateSelection();
}

void cQPreviewWidgetView::watchGeometry(QWidget *widget)
{
    // The page for its geometry; it and its descendants for the presses that select.
    watchPresses(*widget);
}

void cQPreviewWidgetView::watchPresses(QWidget &widget)
{
    widget.installEventFilter(this);
    for (QWidget *child : widget.findChildren<QWidget *>())
        child->installEventFilter(this);
}

namespace {
// The named layouts of `layout` that hold `pos`, innermost first.
void addLayoutsAt(const QLayout *layout, const QPoint &pos, QStringList &names)
{
    if (!layout || !layout->contentsRect().contains(pos))
        return;
    for (int i = 0; i < layout->count(); ++i)
        addLayoutsAt(layout->itemAt(i)->layout(), pos, names);
    if (!layout->objectName().isEmpty())
        names << layout->objectName();
}
} // namespace

QStringList cQPreviewWidgetView::namesAt(QWidget *pressed, QPoint pos) const
{
    QStringList names;
    const QWidget *page = mpPages->currentWidget();
    for (QWidget *w = pressed; w; w = w->parentWidget()) {
        addLayoutsAt(w->layout(), pos, names);
        if (!w->objectName().isEmpty())
            names << w->objectName();
        if (w == page)
            break;
        pos = w->mapToParent(pos);
    }
    return names;
}

void cQPreviewWidgetView::showEmptyPreview()
{
    auto *empty = new cQEmptyPreview(mpPages);
    empty->setHint(mEmptyHint);
    setPreview(empty);
}

void cQPreviewWidgetView::setEmptyHint(const QString &hint)
{
    mEmptyHint = hint;
    if (auto *empty = qobject_cast<cQEmptyPreview *>(currentPreview()))
        empty->setHint(hint);
}

void cQPreviewWidgetView::selectElement(const vstd::cAsciiString &name)
{
    QWidget *widget = nullptr;
    QLayout *layout = nullptr;
    QWidget *page = mpPages->currentWidget();
    if (!name.empty() && page) {
        const QString objectName = qstr(name);
        // The dialog is the page itself. Identities are unique: one walk through a large
        // preview finds the element's widget or layout, whichever it is.
        QObject *named = page->objectName() == objectName ? page
                                                          : page->findChild<QObject *>(objectName);
        widget = qobject_cast<QWidget *>(named);
        if (!widget && (qobject_cast<QVBoxLayout *>(named) || qobject_cast<QHBoxLayout *>(named)))
            layout = static_cast<QLayout *>(named);
        if (named && !widget && !layout) {
            widget = page->findChild<QWidget *>(objectName);
            if (!widget)
                layout = page->findChild<QVBoxLayout *>(objectName);
            if (!widget && !layout)
                layout = page->findChild<QHBoxLayout *>(objectName);
        }
    }
    mpSelectedWidget = widget;
    mpSelectedLayout = layout;
    updateSelection();
}

void cQPreviewWidgetView::updateSelection()
{
    QWidget *const stop = frame();
    auto toView = [stop](QRect rect, QWidget *from) {
        for (QWidget *w = from; w; w = w->parentWidget()) {
            rect.translate(w->pos());
            if (w == stop)
                break;
        }
        return rect;
    };

    if (mpSelectedWidget) {
        if (mpSelectedWidget->isVisible())
            mpOverlay->setSelection(cSelectionWidget::WidgetMode,
                                    toView(QRect(QPoint(0, 0), mpSelectedWidget->size()),
                                           mpSelectedWidget));
        else
            mpOverlay->clearSelection();
    } else if (mpSelectedLayout) {
        mpOverlay->setSelection(cSelectionWidget::LayoutMode,
                                toView(mpSelectedLayout->contentsRect(),
                                       mpSelectedLayout->parentWidget()));
    } else {
        mpOverlay->clearSelection();
    }
}

void cQPreviewWidgetView::paintEvent(QPaintEvent *)
{
    // The window's own colours: a form lies on the darker shade, as on a desk, while the
    // placeholder of nothing to show blends in.
    const bool empty = qobject_cast<cQEmptyPreview *>(currentPreview()) != nullptr;
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(empty ? QPalette::Window : QPalette::Dark));
}

void cQPreviewWidgetView::resizeEvent(QResizeEvent *event)
{
    mpOverlay->clearSelection();
    mpOverlay->setGeometry(0, 0, event->size().width(), event->size().height());
    updateSelection();
    QWidget::resizeEvent(event);
}

bool cQPreviewWidgetView::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *press = static_cast<QMouseEvent *>(event);
        QWidget *page = mpPages->currentWidget();
        if (press->button() != Qt::LeftButton || !page)
            break;
        // Only where the press lands, not again for each parent that Qt hands it on to.
        QWidget *under = page->childAt(page->mapFromGlobal(press->globalPosition().toPoint()));
        if (watched == (under ? under : page))
            emit elementClicked(namesAt(static_cast<QWidget *>(watched),
                                        press->position().toPoint()));
        break;
    }
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::LayoutRequest:
        if (watched == frame() || watched == mpPages->currentWidget())
            updateSelection();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}
