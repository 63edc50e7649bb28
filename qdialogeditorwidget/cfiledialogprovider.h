#pragma once

#include <QString>

class QWidget;

// Asks the user for file names; the editor's commands go through it so that another provider
// can answer instead of the modal dialogs (tests, automation).
class cFileDialogProvider
{
public:
    virtual ~cFileDialogProvider() = default;
    // The chosen file, or an empty string when the user cancelled.
    virtual QString openFileName(QWidget *parent, const QString &caption, const QString &folder,
                                 const QString &filter);
    // A name typed without suffix gets `defaultSuffix` before the dialog checks whether the
    // file exists, so that it asks before replacing the file that will be written.
    virtual QString saveFileName(QWidget *parent, const QString &caption, const QString &folder,
                                 const QString &filter, const QString &defaultSuffix);
};
