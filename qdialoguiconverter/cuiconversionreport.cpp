#include "cuiconversionreport.h"

int cUiConversionReport::count(Kind kind) const
{
    int n = 0;
    for (const tEntrySet &e : mEntries)
        n += e.kind == kind ? 1 : 0;
    return n;
}

QStringList cUiConversionReport::lines(const QString &file) const
{
    QStringList result;
    for (const tEntrySet &e : mEntries) {
        const QString what = (e.kind == Approximated ? QStringLiteral("approximated: ")
                                                     : QStringLiteral("dropped: "))
            + e.text;
        result << (e.line > 0 ? QStringLiteral("%1:%2: %3").arg(file).arg(e.line).arg(what)
                              : QStringLiteral("%1: %2").arg(file, what));
    }
    return result;
}

QString cUiConversionReport::summary() const
{
    return QStringLiteral("converted: %1 elements, %2 approximated, %3 dropped")
        .arg(mElements)
        .arg(count(Approximated))
        .arg(count(Dropped));
}
