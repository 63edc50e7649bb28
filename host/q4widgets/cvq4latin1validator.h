#pragma once

#include <QValidator>

class QLineEdit;

// Refuses text with characters that have no 8-bit form, for fields whose text the host keeps
// as an 8-bit string: the user sees a character refused instead of finding "?" later.
class cVQ4Latin1Validator : public QValidator
{
    Q_OBJECT
public:
    explicit cVQ4Latin1Validator(QObject *parent);

    State validate(QString &input, int &pos) const override;

    // Gives `field` a validator of this kind (owned by the field).
    static void attachTo(QLineEdit &field);
};
