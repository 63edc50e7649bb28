#include "cvq4latin1validator.h"

#include <QLineEdit>

#include <utility>

cVQ4Latin1Validator::cVQ4Latin1Validator(QObject *parent) : QValidator(parent)
{
}

QValidator::State cVQ4Latin1Validator::validate(QString &input, int &) const
{
    for (const QChar c : std::as_const(input))
        if (c.unicode() > 0xff)
            return Invalid;
    return Acceptable;
}

void cVQ4Latin1Validator::attachTo(QLineEdit &field)
{
    field.setValidator(new cVQ4Latin1Validator(&field));
}
