#include "cfiledialogprovider.h"

#include <QFileDialog>

QString cFileDialogProvider::openFileName(QWidget *parent, const QString &caption,
                                          const QString &folder, const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, caption, folder, filter);
}

QString cFileDialogProvider::saveFileName(QWidget *parent, const QString &caption,
                                          const QString &folder, const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, caption, folder, filter);
}
