#pragma once

#include "cabstractdeserializer.h"
#include "cdocumentlimits.h"

#include <QString>
#include <cstring>
#include <vector>

namespace vsa {

// A parsed document held compactly for reading: every entry in one vector in document order, a
// context followed by its contents, with names, labels and values in two shared pools, so that
// neither parsing nor reading needs an allocation per entry.
class cDocumentTree
{
public:
    using EntryKind = cAbstractDeserializer::EntryKind;

    struct tTextSet
    {
        quint32 at, size;
    };
    // 32 bytes: the parsed form of a document is a fixed cost per entry.
    struct tEntrySet
    {
        quint32 end;                // index after the entry's contents (own index + 1 for values)
        quint32 line;               // source line, or byte offset
        quint32 column;             // source column; 0 where the format has none
        quint32 label, labelSize;   // in bytes()
        EntryKind kind;
        union {
            tTextSet text;          // name, ascii, bytes in bytes() (or byteValues()); string
                                    // in strings()
            quint64 u;
            qint64 i;
            double d;
        } value;
    };

    // Deepest nesting of contexts accepted; deeper documents are refused, not parsed.
    static constexpr int maxDepth = cDocumentLimits::maxDepth;
    enum AddResult { Added, TooDeep, TooMany };

    cDocumentTree();

    // The pool of 8-bit texts; a parser appends to it or replaces it by the input it points into.
    QByteArray &bytes() { return mBytes; }
    const QByteArray &bytes() const { return mBytes; }
    QString &strings() { return mStrings; }
    const QString &strings() const { return mStrings; }
    // Strings kept as UTF-8 in bytes() instead of in strings(): half the memory for a parser
    // whose input is UTF-8.
    void setUtf8Strings(bool utf8) { mUtf8Strings = utf8; }
    // Byte values (pictures) kept each in an array of its own, entries holding their index:
    // a reader takes them without a copy, and they outlive the tree where they are kept.
    quint32 addByteValue(QByteArray value);

    void setDocumentName(const QString &name) { mDocumentName = name; }
    const QString &documentName() const { return mDocumentName; }

    // Building, in document order. Entry 0 is the document itself, open from the start.
    void reserve(qsizetype entries) { mEntries.reserve(size_t(entries)); }
    // Most entries accepted (the document itself not counted).
    void setMaxEntries(quint32 entries) { mMaxEntries = entries; }
    quint32 maxEntries() const { return mMaxEntries; }
    // Appends an entry with the given kind; a context stays open until closeContext(). Nothing
    // is appended when a context would nest deeper than maxDepth or the document would hold
    // more than maxEntries() entries.
    AddResult add(EntryKind kind, quint32 line, quint32 column = 0)
    {
        if (kind == cAbstractDeserializer::ContextEntry && int(mOpen.size()) > maxDepth)
            return TooDeep;
        // The document entry itself is not counted.
        if (mEntries.size() > mMaxEntries)
            return TooMany;
        const quint32 index = quint32(mEntries.size());
        tEntrySet &e = mEntries.emplace_back();
        e.end = index + 1;
        e.line = line;
        e.column = column;
        e.label = e.labelSize = 0;
        e.kind = kind;
        e.value.u = 0;
        if (kind == cAbstractDeserializer::ContextEntry)
            mOpen.push_back(index);
        return Added;
    }
    tEntrySet &last() { return mEntries.back(); }
    void closeContext()
    {
        mEntries[mOpen.back()].end = quint32(mEntries.size());
        mOpen.pop_back();
    }
    // Closes the document once everything is added.
    void finish() { closeContext(); }
    // Contexts open besides the document.
    int depth() const { return int(mOpen.size()) - 1; }

    quint32 size() const { return quint32(mEntries.size()); }
    const tEntrySet &at(quint32 index) const { return mEntries[index]; }
    // Index of the first entry in [from, end) among siblings whose label is `label`, else end.
    quint32 find(quint32 from, quint32 end, const char *label, int labelSize) const
    {
        // Mostly the first sibling looked at is the one: the reader asks in the writer's order.
        const char *pool = mBytes.constData();
        for (quint32 i = from; i < end; i = mEntries[i].end) {
            const tEntrySet &e = mEntries[i];
            if (int(e.labelSize) == labelSize
                && (labelSize == 0
                    || (pool[e.label] == label[0]
                        && std::memcmp(pool + e.label, label, size_t(labelSize)) == 0)))
                return i;
        }
        return end;
    }
    QByteArray labelOf(const tEntrySet &e) const;
    QByteArray bytesOf(const tEntrySet &e) const;
    // The value of a bytes entry, shared where it was added as an array of its own.
    QByteArray byteValueOf(const tEntrySet &e) const;
    // Whether byte values are kept each in an array of their own (else in bytes()).
    bool hasSeparateByteValues() const { return mSeparateByteValues; }
    QString stringOf(const tEntrySet &e) const;

    static const char *kindName(EntryKind kind);

private:
    std::vector<tEntrySet> mEntries;
    std::vector<quint32> mOpen;
    QByteArray mBytes;
    QString mStrings;
    std::vector<QByteArray> mByteValues;
    QString mDocumentName;
    quint32 mMaxEntries = cDocumentLimits::minEntryLimit;
    bool mUtf8Strings = false;
    bool mSeparateByteValues = false;
};

} // namespace vsa
