#pragma once

// Answers the next modal dialog, message box or popup menu that a widget under test opens while
// the test waits inside the widget's own exec().

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>

#include <functional>

// Runs `answer` with the next popup or modal window to appear; returns the timer (for a test that
// wants to know whether it ran: the timer is gone once it answered).
inline QTimer *whenModalOpens(std::function<void(QWidget *)> answer)
{
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
        QWidget *w = QApplication::activePopupWidget();
        if (!w)
            w = QApplication::activeModalWidget();
        if (!w)
            return;
        timer->stop();
        timer->deleteLater();
        answer(w);
    });
    timer->start();
    return timer;
}

// Answers a file dialog with `path`, as a user typing the name and pressing Return; false when
// `w` is not a file dialog.
inline bool answerFileDialog(QWidget *w, const QString &path)
{
    auto *files = qobject_cast<QFileDialog *>(w);
    if (!files)
        return false;
    // The whole path typed into the name field: selectFile() would name the file relative to the
    // folder the dialog's model is still reading in another thread, and accept() could refuse it.
    if (auto *name = files->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
        name->setText(path);
    else
        files->selectFile(path);
    static_cast<QDialog *>(files)->accept();
    return true;
}
