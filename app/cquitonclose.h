#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

// Ends the application when the main window is closed, whatever other windows (a top-level
// preview, a data models window) are still open.
class cQuitOnClose final : public QObject
{
public:
    explicit cQuitOnClose(QWidget &window, QObject *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> mWindow;
};
