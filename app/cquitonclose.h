#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;

// Ends the application when the main window is closed, whatever other windows (a top-level
// preview, a data models window, a dialog) are still open. A close that `mayClose` refuses (the
// user cancelled the question about unsaved work) leaves the window open and the program running.
class cQuitOnClose final : public QObject
{
public:
    using tMayClose = std::function<bool()>;

    explicit cQuitOnClose(QWidget &window, tMayClose mayClose = {}, QObject *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> mWindow;
    tMayClose mMayClose;
};
