#pragma once

#include <QPixmap>
#include <QWidget>

// Shows one picture centred, scaled down (aspect ratio kept) when it is larger than the label.
class cQPWPixmapLabel : public QWidget
{
    Q_OBJECT
public:
    explicit cQPWPixmapLabel(QWidget *parent);

    // A null pixmap empties the label.
    void setPixmap(const QPixmap &pixmap);
    const QPixmap &pixmap() const { return mPixmap; }

    QSize sizeHint() const override { return mPixmap.size(); }
    QSize minimumSizeHint() const override { return mPixmap.size(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap mPixmap;
};
