#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

class QWidget;

// Saves a PNG of the application's window once it is shown and its events have settled, then
// ends the event loop (0 when saved, 1 otherwise). This is how a headless machine looks at the
// program.
class cScreenshot final : public QObject
{
public:
    explicit cScreenshot(const QString &path, QObject *parent = nullptr);
    // Starts waiting; without a target the shown top-level window is taken.
    void start(QWidget *target = nullptr);

private:
    void poll();
    QWidget *findTarget() const;
    void finish(int exitCode, const QString &error = QString());

    QString mPath;
    QPointer<QWidget> mTarget;
    QElapsedTimer mClock;
    bool mSettling = false;
};
