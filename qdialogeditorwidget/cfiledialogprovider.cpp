#include "cfiledialogprovider.h"

#include <QFileDialog>

QString cFileDialogProvider::openFileName(QWidget *parent, const QString &caption,
                                          const QString &folder, const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, caption, folder, filter);
}

QString cFileDialogProvider::saveFileName(QWidget *parent, const QString &caption,
                                          const QString &folder, const QString &filter,
                                          const QString &defaultSuffix)
{
    QFileDialog dialog(parent, caption, folder, filter);
    dialog.setObjectName(QStringLiteral("mpSaveFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}
