#pragma once

#include <QSet>
#include <QString>

// The object names of one exported form: each a valid C++ identifier, as uic makes a member of
// every name, and none given twice.
class cUiObjectNames
{
public:
    cUiObjectNames();
    // `wanted` made valid and unique; `fallback` (a valid identifier) when nothing of it is
    // left.
    QString take(const QString &wanted, const QString &fallback);

private:
    QSet<QString> mTaken;
};
