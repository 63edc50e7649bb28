#pragma once

#include "cabstractdeserializer.h"

#include <QString>
#include <vector>

namespace vsa {

// A parsed document held compactly for reading: every entry in one vector in document order, a
// context followed by its contents, with names, labels and values in two shared pools, so that
// neither parsing nor reading needs an allocation per entry.
class cDocumentTree
{
public:
    using EntryKind = cAbstractDeserializer::EntryKind;

    struct tEntrySet
    {
        quint32 end;                // index after the entry's contents (own index + 1 for values)
        quint32 line;               // source line, or entry number
        quint32 label, labelSize;   // in bytes()
        quint32 text, textSize;     // name, ascii and bytes in bytes(); string in strings()
        EntryKind kind;
        union {
            quint64 u;
            qint64 i;
            double d;
        } value;
    };

    // Deepest nesting of contexts accepted; deeper documents are refused, not parsed.
    static constexpr int maxDepth = 256;
    // Largest input accepted: keeps every pool offset within 32 bits.
    static constexpr qsizetype maxInputSize = qsizetype(512) * 1024 * 1024;

    cDocumentTree();

    // The pool of 8-bit texts; a parser appends to it or replaces it by the input it points into.
    QByteArray &bytes() { return mBytes; }
    const QByteArray &bytes() const { return mBytes; }
    QString &strings() { return mStrings; }
    const QString &strings() const { return mStrings; }

    void setDocumentName(const QString &name) { mDocumentName = name; }
    const QString &documentName() const { return mDocumentName; }

    // Building, in document order. Entry 0 is the document itself, open from the start.
    void reserve(qsizetype entries) { mEntries.reserve(size_t(entries)); }
    // Appends an entry with the given kind; a context stays open until closeContext(). False
    // (and nothing appended) when a context would nest deeper than maxDepth.
    bool add(EntryKind kind, quint32 line);
    tEntrySet &last() { return mEntries.back(); }
    void closeContext();
    // Closes the document once everything is added.
    void finish() { closeContext(); }
    // Contexts open besides the document.
    int depth() const { return int(mOpen.size()) - 1; }

    quint32 size() const { return quint32(mEntries.size()); }
    const tEntrySet &at(quint32 index) const { return mEntries[index]; }
    // Index of the first entry in [from, end) among siblings whose label is `label`, else end.
    quint32 find(quint32 from, quint32 end, const char *label, int labelSize) const;
    QByteArray labelOf(const tEntrySet &e) const;
    QByteArray bytesOf(const tEntrySet &e) const;
    QString stringOf(const tEntrySet &e) const;

    static const char *kindName(EntryKind kind);

private:
    std::vector<tEntrySet> mEntries;
    std::vector<quint32> mOpen;
    QByteArray mBytes;
    QString mStrings;
    QString mDocumentName;
};

} // namespace vsa
