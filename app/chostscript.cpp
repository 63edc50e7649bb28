#include "chostscript.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QKeyEvent>
#include <QTimer>
#include <QTreeWidget>

#include <cstdio>

namespace {
constexpr int kPauseMs = 300;  // after each command: deferred work and repaints settle
} // namespace

cHostScript::cHostScript(QObject *parent) : QObject(parent) {}

bool cHostScript::load(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = QStringLiteral("unable to read the script %1").arg(path);
        return false;
    }
    mLines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    return true;
}

void cHostScript::start(int delayMs)
{
    mLine = 0;
    mFinished = false;
    mError.clear();
    QTimer::singleShot(delayMs, this, [this] { next(); });
}

void cHostScript::next()
{
    while (mLine < mLines.size()) {
        const QString line = mLines[mLine++].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const int space = line.indexOf(QLatin1Char(' '));
        const QString command = space < 0 ? line : line.left(space);
        const QString argument = space < 0 ? QString() : line.mid(space + 1).trimmed();
        const int pause = run(command, argument);
        if (pause < 0)
            return;
        QTimer::singleShot(pause, this, [this] { next(); });
        return;
    }
    mFinished = true;
    emit finished(true);
}

void cHostScript::fail(const QString &message)
{
    mError = QStringLiteral("script line %1: %2").arg(mLine).arg(message);
    mFinished = true;
    emit finished(false);
}

template <class T> T *cHostScript::find(const QString &name) const
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (!window->isVisible())
            continue;
        if (auto *self = qobject_cast<T *>(window); self && window->objectName() == name)
            return self;
        if (T *found = window->findChild<T *>(name))
            return found;
    }
    return nullptr;
}

void cHostScript::answerNextFileDialog(const QString &path)
{
    auto *timer = new QTimer(this);
    timer->setInterval(20);
    connect(timer, &QTimer::timeout, this, [timer, path] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        timer->stop();
        timer->deleteLater();
        // The whole path in the name field: selectFile() names the file relative to the folder
        // the dialog is still reading in another thread, and accept() may then refuse it.
        if (auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
            name->setText(path);
        else
            dialog->selectFile(path);
        static_cast<QDialog *>(dialog)->accept();
    });
    timer->start();
}

int cHostScript::run(const QString &command, const QString &argument)
{
    const QString first = argument.section(QLatin1Char(' '), 0, 0);
    const QString rest = argument.section(QLatin1Char(' '), 1);
    if (command == QLatin1String("wait"))
        return argument.toInt();
    if (command == QLatin1String("print")) {
        std::fprintf(stdout, "%s\n", qPrintable(argument));
        std::fflush(stdout);
        return 0;
    }
    if (command == QLatin1String("quit")) {
        QCoreApplication::quit();
        return 0;
    }
    if (command == QLatin1String("file")) {
        answerNextFileDialog(argument);
        return 0;
    }
    if (command == QLatin1String("trigger")) {
        auto *action = find<QAction>(argument);
        if (!action || !action->isEnabled())
            return fail(QStringLiteral("no enabled action %1").arg(argument)), -1;
        action->trigger();
        return kPauseMs;
    }
    if (command == QLatin1String("close")) {
        // As the window's close button does; posted, so that a question the close asks runs
        // its own loop while the next commands answer it.
        auto *window = find<QWidget>(argument);
        if (!window || !window->isWindow())
            return fail(QStringLiteral("no window %1").arg(argument)), -1;
        QTimer::singleShot(0, window, [window] { window->close(); });
        return kPauseMs;
    }
    if (command == QLatin1String("click")) {
        auto *button = find<QAbstractButton>(argument);
        if (!button || !button->isEnabled())
            return fail(QStringLiteral("no enabled button %1").arg(argument)), -1;
        button->click();
        return kPauseMs;
    }
    if (command == QLatin1String("select")) {
        auto *tree = find<QTreeWidget>(first);
        const auto rows = tree ? tree->findItems(rest, Qt::MatchStartsWith | Qt::MatchRecursive)
                               : QList<QTreeWidgetItem *>();
        if (rows.isEmpty())
            return fail(QStringLiteral("no row \"%1\" in %2").arg(rest, first)), -1;
        tree->setFocus();
        tree->setCurrentItem(rows.first());
        return kPauseMs;
    }
    if (command == QLatin1String("type")) {
        auto *widget = find<QWidget>(first);
        if (!widget)
            return fail(QStringLiteral("no widget %1").arg(first)), -1;
        widget->setFocus();
        for (const QChar c : rest) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &press);
            QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &release);
        }
        return kPauseMs;
    }
    return fail(QStringLiteral("unknown command %1").arg(command)), -1;
}
