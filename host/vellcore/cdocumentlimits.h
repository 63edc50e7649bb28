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
    // Most entries (contexts and values) in one document; the parsed form of a document costs
    // a fixed amount per entry, so this bounds it whatever the entries look like.
    static constexpr quint32 maxEntries = 262144;
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
