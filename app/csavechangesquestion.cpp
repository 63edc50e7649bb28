#include "csavechangesquestion.h"

#include "chosterrorreporter.h"

#include "q4support/cvq4abstractcomponent.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

bool cSaveChangesQuestion::mayClose(cVQ4AbstractComponent &component, QWidget *parent)
{
    if (!component.hasUnsavedChanges())
        return true;
    QMessageBox box(QMessageBox::Question, QCoreApplication::applicationName(),
                    QCoreApplication::translate("cSaveChangesQuestion", "Save changes to %1?")
                        .arg(qstr(component.documentName())),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setObjectName(QStringLiteral("mpSaveChangesBox"));
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Save)->setObjectName(QStringLiteral("mpBtSaveChanges"));
    box.button(QMessageBox::Discard)->setObjectName(QStringLiteral("mpBtDiscardChanges"));
    box.button(QMessageBox::Cancel)->setObjectName(QStringLiteral("mpBtCancelClose"));
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        try {
            return component.saveChanges();
        } catch (const vstd::cAbstractException &e) {
            cHostErrorReporter::report(e);
            return false;
        }
    case QMessageBox::Discard:
        component.discardChanges();
        return true;
    default:
        return false;
    }
}
