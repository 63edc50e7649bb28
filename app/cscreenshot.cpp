#include "cscreenshot.h"

#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cstdio>

namespace {
constexpr int kPollMs = 20;
constexpr int kSettleMs = 300;     // layouts, deferred work and repaints after the first show
constexpr int kGiveUpMs = 15000;
} // namespace

cScreenshot::cScreenshot(const QString &path, QObject *parent) : QObject(parent), mPath(path) {}

void cScreenshot::start(QWidget *target)
{
    mTarget = target;
    mClock.start();
    QTimer::singleShot(0, this, [this] { poll(); });
}

QWidget *cScreenshot::findTarget() const
{
    if (mTarget)
        return mTarget;
    if (QWidget *active = QApplication::activeWindow(); active && active->isVisible())
        return active;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        const Qt::WindowType type = w->windowType();
        if (w->isVisible() && type != Qt::Popup && type != Qt::ToolTip)
            return w;
    }
    return nullptr;
}

void cScreenshot::poll()
{
    QWidget *window = findTarget();
    const bool shown = window && window->windowHandle() && window->windowHandle()->isExposed();
    if (!shown || !mSettling) {
        if (mClock.elapsed() > kGiveUpMs)
            return finish(1, QStringLiteral("no window was shown to capture"));
        mSettling = shown;
        QTimer::singleShot(shown ? kSettleMs : kPollMs, this, [this] { poll(); });
        return;
    }
    const QPixmap picture = window->grab();
    if (picture.isNull() || !picture.save(mPath, "PNG"))
        return finish(1, QStringLiteral("unable to write the screenshot %1").arg(mPath));
    finish(0);
}

void cScreenshot::finish(int exitCode, const QString &error)
{
    if (!error.isEmpty()) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(QCoreApplication::applicationName()),
                     qPrintable(error));
        std::fflush(stderr);
    }
    QCoreApplication::exit(exitCode);
}
