#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// What a conversion between a Qt Designer form and a dialog document could not carry over
// exactly: every item mapped to a near element or left out, with its line in the ".ui" text.
class cUiConversionReport
{
public:
    enum Kind { Approximated, Dropped };
    struct tEntrySet
    {
        Kind kind;
        int line;   // 0 when the item has no line (written by the exporter)
        QString text;
    };

    void add(Kind kind, int line, const QString &text) { mEntries.push_back({kind, line, text}); }
    void countElement() { ++mElements; }

    const std::vector<tEntrySet> &entries() const { return mEntries; }
    int elements() const { return mElements; }
    int count(Kind kind) const;

    // One line per entry, "FILE:LINE: approximated: ..." ("FILE: ..." without a line).
    QStringList lines(const QString &file) const;
    // "converted: N elements, A approximated, D dropped".
    QString summary() const;

private:
    std::vector<tEntrySet> mEntries;
    int mElements = 0;
};
