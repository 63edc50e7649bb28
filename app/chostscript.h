#pragma once

#include <QObject>
#include <QStringList>

class QWidget;

// Runs a script of user actions against the application's windows, one command a line, for
// tests that drive a whole vellhost process (see the README): widgets and actions are found by
// object name, keys are sent as key events. A command that finds nothing ends the script with
// an error.
class cHostScript final : public QObject
{
    Q_OBJECT
public:
    explicit cHostScript(QObject *parent = nullptr);

    // Reads the script; false with `error` set when the file cannot be read.
    bool load(const QString &path, QString *error);
    void setLines(const QStringList &lines) { mLines = lines; }
    // Runs the commands from the event loop, starting after `delayMs`.
    void start(int delayMs = 0);
    bool isFinished() const { return mFinished; }
    const QString &error() const { return mError; }

signals:
    // The last command ran, or a command failed (`error` is then set).
    void finished(bool ok);

private:
    void next();
    // Runs one command; returns the pause before the next one, or -1 after a failure.
    int run(const QString &command, const QString &argument);
    void fail(const QString &message);
    template <class T> T *find(const QString &name) const;
    void answerNextFileDialog(const QString &path);

    QStringList mLines;
    int mLine = 0;
    bool mFinished = false;
    QString mError;
};
