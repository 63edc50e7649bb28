#pragma once

#include <QString>

namespace vsa {

// The bounds every document reader enforces while it reads, before it allocates anything for
// the part at fault. No form a user builds comes near them; a hostile or damaged input meets
// one early and is refused with a message naming the place.
struct cDocumentLimits
{
    // Largest document: room for a large form with several pictures.
    static constexpr qsizetype maxDocumentSize = qsizetype(64) * 1024 * 1024;
    // Entries (contexts and values) every document may hold, however small it is.
    static constexpr quint32 minEntryLimit = 262144;
    // Input bytes each entry beyond that floor must come with. The parsed form costs 32 bytes
    // per entry, so this bounds it by the size of the input whatever the entries look like;
    // what the editor writes takes 40 to 100 bytes per entry as XML and 12 to 20 in the
    // binary form, so no form it saves, copies or previews comes near.
    static constexpr int xmlBytesPerEntry = 24;
    static constexpr int binaryBytesPerEntry = 8;
    // Most entries in a document of `size` bytes.
    static constexpr quint32 maxEntries(qsizetype size, int bytesPerEntry)
    {
        return quint32(qMax<qsizetype>(minEntryLimit, size / bytesPerEntry));
    }
    // Most elements in one form: each costs kilobytes once loaded and more once built as a
    // widget, so a form is bounded by its elements, not only by its size.
    static constexpr int maxElements = 20000;
    // Deepest nesting of contexts.
    static constexpr int maxDepth = 256;
    // Longest element name, label, context name or document name, in characters.
    static constexpr int maxNameLength = 256;
    // Longest text value, in characters.
    static constexpr qsizetype maxTextLength = qsizetype(1) * 1024 * 1024;
    // Longest byte value (a picture), in bytes.
    static constexpr qsizetype maxBytesLength = qsizetype(16) * 1024 * 1024;
    // Names and values quoted in messages are cut to this many characters.
    static constexpr int quotedLength = 40;

    // `text` cut to quotedLength characters, with an ellipsis where it was cut.
    static QString cut(QStringView text)
    {
        if (text.size() <= quotedLength)
            return text.toString();
        return text.left(quotedLength).toString() + QChar(0x2026);
    }
};

} // namespace vsa
