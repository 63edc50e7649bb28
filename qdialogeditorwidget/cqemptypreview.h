#pragma once

#include <QWidget>

// Placeholder shown in the preview area while there is nothing to preview: a red cross.
class cQEmptyPreview : public QWidget
{
    Q_OBJECT
public:
    explicit cQEmptyPreview(QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
};
