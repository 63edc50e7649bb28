#pragma once

#include <QWidget>

// Placeholder shown in the preview area while there is nothing to preview, in the window's
// colours: a red cross, or for an empty form the hint how to begin.
class cQEmptyPreview : public QWidget
{
    Q_OBJECT
public:
    explicit cQEmptyPreview(QWidget *parent);

    // Shows `hint` instead of the cross (empty: the cross again).
    void setHint(const QString &hint);
    const QString &hint() const { return mHint; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString mHint;
};
