#pragma once

#include <QByteArray>

namespace vsa {

// The layout shared by cSerializeBinary and cDeserializeBinary: the magic "VSB" and the
// version byte, the document name, then the entries up to the end of the data. An entry is a tag
// byte (its kind, plus labelledFlag when a label follows), the label, and its payload: a context
// its name, its entries and endTag; ascii and bytes their bytes; a string its UTF-16 units
// (little endian); uint a varint; int64 a zigzag varint; bool one byte; double its 8 bytes
// (little endian). Texts are a varint count followed by the units.
// A label is a varint reference: below the count of labels defined so far it names one of them
// by its place; equal to it, the label's text follows and, while fewer than maxLabels are
// defined, defines the next. Version 1 wrote every label as its text; it is still read.
class cBinaryFormat
{
public:
    static constexpr char magic[3] = {'V', 'S', 'B'};
    static constexpr char version = '\x02';
    // The version whose labels are all texts.
    static constexpr char textLabelsVersion = '\x01';
    static constexpr unsigned char endTag = 0;
    static constexpr unsigned char labelledFlag = 0x80;
    // Most labels a document defines for reference; the names a writer labels with are few.
    static constexpr int maxLabels = 64;
    // Longest varint of a 64-bit value.
    static constexpr int maxVarintSize = 10;

    // Writes `value` as a varint into `buffer` (maxVarintSize bytes); returns its size.
    static int encodeVarint(quint64 value, char *buffer)
    {
        int n = 0;
        while (value >= 0x80) {
            buffer[n++] = char((value & 0x7F) | 0x80);
            value >>= 7;
        }
        buffer[n++] = char(value);
        return n;
    }
    enum VarintRead { VarintRead_Ok, VarintRead_Truncated, VarintRead_TooLarge };
    // Reads the varint at `p`, which ends before `end`, into `value` and moves `p` past it.
    // When the data ends within it, `p` is left at `end`; when it exceeds 64 bits, at the byte
    // that makes it too large.
    static VarintRead decodeVarint(const uchar *&p, const uchar *end, quint64 &value)
    {
        if (p != end && *p < 0x80) {
            value = *p++;
            return VarintRead_Ok;
        }
        value = 0;
        for (int shift = 0;; shift += 7) {
            if (p == end)
                return VarintRead_Truncated;
            const uchar b = *p;
            if (shift == 63 && b > 1)
                return VarintRead_TooLarge;
            ++p;
            value |= quint64(b & 0x7F) << shift;
            if (!(b & 0x80))
                return VarintRead_Ok;
        }
    }
    static quint64 zigzag(qint64 value)
    {
        return (quint64(value) << 1) ^ quint64(value >> 63);
    }
    static qint64 unzigzag(quint64 value)
    {
        return qint64(value >> 1) ^ -qint64(value & 1);
    }
};

} // namespace vsa
