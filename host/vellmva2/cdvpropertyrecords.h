#pragma once

#include "cdviabstractproperty.h"

#include <QByteArray>
#include <vector>

namespace vmva {

// The compact form of an element's properties in documents that only this program reads back
// (previews and the clipboard): one byte value holding a record per property, in place of a
// labelled context per property with labelled entries inside. A record is the property's name,
// a tag byte (the kind of its value; 0x80 when bound), the value, and when bound the parameter
// and element names. Texts are a varint count and their bytes, strings a varint count and
// their UTF-16 units (little endian), integers zigzag varints, floating-point numbers their 8
// bytes (IEEE 754, little endian), dates and times their Julian day as an integer and the
// milliseconds of the day as a varint, flags their names as texts are, a layout its mode, a byte
// telling which limits follow, the limits and the multiplier as varints, a list of texts a
// varint count and its entries as strings are.
class cDVPropertyRecords
{
public:
    enum Kind : quint8 {
        NoValue, Bool, Int, Ascii, String, Bytes, Layout, Double, Moment, Flags, TextList,
        KindCount
    };
    static constexpr quint8 boundFlag = 0x80;

    // The kind of `property`'s value; KindCount for a property without a record form.
    static Kind kindOf(cDVIAbstractProperty &property);
    // Appends the records of `properties` to `block`; false (what was appended is of no use)
    // when one of them has no record form.
    static bool encode(const std::vector<cDVIAbstractProperty *> &properties, QByteArray &block);

    // One record as read from a block, pointing into it.
    struct tRecordSet
    {
        QByteArrayView name;
        Kind kind = NoValue;
        bool bound = false;
        bool flag = false;
        qint64 number = 0;          // Int; Layout: the mode; TextList: the count; Moment: the day
        quint32 msecs = 0;          // Moment: the time of day
        double real = 0;            // Double
        QByteArrayView text;        // Ascii, Bytes; String: its UTF-16 bytes; TextList: entries
        quint32 minimum = 0, maximum = 0, multiplier = 0;
        bool hasMinimum = false, hasMaximum = false;
        QByteArrayView parameter, element;
    };

    // Reads the records of `block`, read from `document` at `at`, one after another; a damaged
    // block is refused with the reason, never read beyond its end.
    class cReader
    {
    public:
        cReader(QByteArrayView block, const vsa::cAbstractDeserializer &document,
                vsa::cAbstractDeserializer::tMark at)
            : mBlock(block), mDocument(document), mMark(at)
        {
        }
        bool atEnd() const { return mAt >= mBlock.size(); }
        // Reads the next record into `record`; throws cRuntimeException naming the place.
        void next(tRecordSet &record);

    private:
        [[noreturn]] void damaged(const char *reason) const;
        quint64 varint();
        QByteArrayView text(qsizetype limit);

        QByteArrayView mBlock;
        const vsa::cAbstractDeserializer &mDocument;
        vsa::cAbstractDeserializer::tMark mMark;
        qsizetype mAt = 0;
    };

    // Gives `property` the value of `record`; false when the kinds differ.
    static bool assign(cDVIAbstractProperty &property, const tRecordSet &record);
    // The kind's name in messages ("int64", "string", ...).
    static const char *kindName(Kind kind);
};

} // namespace vmva
