#pragma once

#include "vellcore/casciistring.h"

#include <QPointer>
#include <QWidget>

class QFrame;
class QLayout;
class QStackedWidget;

// Shows the embedded preview centred in a frame on the window's dark shade and marks the
// element selected in the layout tree on a transparent overlay; the preview's widgets and
// layouts are found by the elements' identity texts, which the factories use as Qt object
// names.
class cQPreviewWidgetView : public QWidget
{
    Q_OBJECT
public:
    // Transparent overlay over the whole view that draws the marking: white for a widget, cyan
    // for a layout, with yellow corner handles just outside the rectangle.
    class cSelectionWidget : public QWidget
    {
    public:
        enum { WidgetMode = 0, LayoutMode = 1 };
        explicit cSelectionWidget(QWidget *parent);
        void setSelection(int mode, const QRect &rect);
        void clearSelection();
        int mode() const { return mMode; }
        const QRect &selection() const { return mRect; }

    protected:
        void paintEvent(QPaintEvent *event) override;

    private:
        int mMode = WidgetMode;
        QRect mRect = QRect(0, 0, 0, 0);
    };

    explicit cQPreviewWidgetView(QWidget *parent);

    // Takes ownership of `widget` and shows it in place of the current preview, which is deleted
    // after the current event. Throws cRuntimeException for null.
    void setPreview(QWidget *widget);
    // The parent every embedded preview is built under.
    QStackedWidget *pagesWidget() const { return mpPages; }
    void showEmptyPreview();
    // The text the empty preview shows from now on (empty: none), the shown one included.
    void setEmptyHint(const QString &hint);
    // Marks the widget, else the vertical or horizontal layout, named `name` in the shown
    // preview; an empty or unknown name clears the marking.
    void selectElement(const vstd::cAsciiString &name);

    QWidget *currentPreview() const;
    // Lets a press on `widget` or its descendants, built into the shown preview after it was
    // set, select as a press anywhere else in it does.
    void watchPresses(QWidget &widget);
    cSelectionWidget *selectionWidget() const { return mpOverlay; }

signals:
    // A left press in the preview, with the object names of the widgets and layouts under the
    // mouse, innermost first; the preview gets the press as well, so it stays usable.
    void elementClicked(const QStringList &names);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void updateSelection();

private:
    QFrame *frame() const;
    void watchGeometry(QWidget *widget);
    // The names of `pressed` and of what holds it at `pos` (in its coordinates).
    QStringList namesAt(QWidget *pressed, QPoint pos) const;

    QStackedWidget *mpPages = nullptr;
    QPointer<QWidget> mpSelectedWidget;
    QPointer<QLayout> mpSelectedLayout;
    cSelectionWidget *mpOverlay = nullptr;
    QString mEmptyHint;
};
