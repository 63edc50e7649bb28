#include "cquitonclose.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

cQuitOnClose::cQuitOnClose(QWidget &window, tMayClose mayClose, QObject *parent)
    : QObject(parent), mWindow(&window), mMayClose(std::move(mayClose))
{
    window.installEventFilter(this);
}

bool cQuitOnClose::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == mWindow && event->type() == QEvent::Close) {
        if (mMayClose && !mMayClose()) {
            event->ignore();
            return true;
        }
        // Once the close went through: a window that refused it stays and so does the program.
        QTimer::singleShot(0, this, [this] {
            if (!mWindow || !mWindow->isVisible())
                QCoreApplication::quit();
        });
    }
    return QObject::eventFilter(watched, event);
}
