#pragma once

#include <QObject>
#include <QPointer>

class QDialog;
class QMainWindow;

// The "Help" menu of the editor window: the versions of the editor and its host, and a short
// page on how a first form is built.
class cQDialogEditorHelp : public QObject
{
    Q_OBJECT
public:
    // Adds the menu behind the last menu of `window`'s menu bar.
    explicit cQDialogEditorHelp(QMainWindow &window);

    // "VELL model based dialog editor 0.1 on the VELL host framework 2.0".
    static QString versionText();

private:
    void uiShowAbout(bool checked);
    void uiShowGettingStarted(bool checked);

    QMainWindow &mWindow;
    // Opened once and shown again, beside the window, so that it can be followed while working.
    QPointer<QDialog> mpGettingStarted;
};
