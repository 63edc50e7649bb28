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
    virtual QString saveFileName(QWidget *parent, const QString &caption, const QString &folder,
                                 const QString &filter);
};
