#include "cdvpropertyrecords.h"

#include "cdvitypedproperties.h"

#include "vellcore/cbinaryformat.h"
#include "vellcore/cdocumentlimits.h"

#include <QtEndian>
#include <cmath>
#include <cstring>

namespace vmva {

namespace {

// Appends to a block in place: the block is written for every element of a preview.
class cBlockWriter
{
public:
    // Writes behind what `out` holds, into the room it has already.
    explicit cBlockWriter(QByteArray &out) : mOut(out), mSize(out.size())
    {
        mOut.resize(qMax(mOut.capacity(), mSize + 256));
    }
    ~cBlockWriter() { mOut.resize(mSize); }

    void byte(char value) { *room(1) = value; }
    void varint(quint64 value)
    {
        char *at = room(vsa::cBinaryFormat::maxVarintSize);
        mSize -= vsa::cBinaryFormat::maxVarintSize - vsa::cBinaryFormat::encodeVarint(value, at);
    }
    void text(const char *data, qsizetype size)
    {
        varint(quint64(size));
        if (size > 0)
            std::memcpy(room(size), data, size_t(size));
    }
    char *fixed(qsizetype size) { return room(size); }
    void string(const QString &text)
    {
        varint(quint64(text.size()));
        qToLittleEndian<quint16>(text.utf16(), text.size(), room(2 * text.size()));
    }

private:
    char *room(qsizetype size)
    {
        if (mSize + size > mOut.size())
            mOut.resize(qMax(mSize + size, 2 * mOut.size() + 256));
        char *at = mOut.data() + mSize;
        mSize += size;
        return at;
    }

    QByteArray &mOut;
    qsizetype mSize;
};

constexpr quint64 kMsecsPerDay = 24 * 60 * 60 * 1000;

} // namespace

cDVPropertyRecords::Kind cDVPropertyRecords::kindOf(cDVIAbstractProperty &property)
{
    if (property.boolView())
        return Bool;
    if (property.intView())
        return Int;
    if (property.asciiStringView())
        return Ascii;
    if (property.ucStringView() || property.fontView())
        return String;
    if (property.pixmapView())
        return Bytes;
    if (property.layoutView())
        return Layout;
    if (property.doubleView())
        return Double;
    if (property.dateTimeView())
        return Moment;
    if (property.flagsView())
        return Flags;
    if (property.textListView())
        return TextList;
    if (property.modelLocationView())
        return NoValue;
    return KindCount;
}

bool cDVPropertyRecords::encode(const std::vector<cDVIAbstractProperty *> &properties,
                                QByteArray &block)
{
    cBlockWriter out(block);
    for (cDVIAbstractProperty *property : properties) {
        const vstd::cAsciiString &name = property->name();
        out.text(name.data(), name.size());
        const Kind kind = kindOf(*property);
        const cDMDataModelDescriptor &location = property->modelLocation();
        out.byte(char(kind | (location.isEmpty() ? 0 : boundFlag)));
        switch (kind) {
        case Bool: out.byte(property->boolView()->value() ? '\1' : '\0'); break;
        case Int: out.varint(vsa::cBinaryFormat::zigzag(property->intView()->value())); break;
        case Ascii: {
            const vstd::cAsciiString &value = property->asciiStringView()->value();
            out.text(value.data(), value.size());
            break;
        }
        case String: {
            auto *text = property->ucStringView();
            out.string(text ? text->value().text() : property->fontView()->value().text());
            break;
        }
        case Bytes: {
            const QByteArray &value = property->pixmapView()->value();
            out.text(value.constData(), value.size());
            break;
        }
        case Layout: {
            const cDVLayoutParameter &p = property->layoutView()->value();
            out.byte(char(p.mode()));
            out.byte(char((p.hasMinimum() ? 1 : 0) | (p.hasMaximum() ? 2 : 0)));
            if (p.hasMinimum())
                out.varint(p.minimum());
            if (p.hasMaximum())
                out.varint(p.maximum());
            out.varint(p.multiplier());
            break;
        }
        case Double: {
            quint64 bits = 0;
            const double value = property->doubleView()->value();
            std::memcpy(&bits, &value, sizeof bits);
            qToLittleEndian(bits, out.fixed(8));
            break;
        }
        case Moment: {
            // The day's end (one beyond its last millisecond) stands for no value: refused.
            const QDateTime &value = property->dateTimeView()->value();
            const bool valid = value.isValid();
            out.varint(vsa::cBinaryFormat::zigzag(valid ? value.date().toJulianDay() : 0));
            out.varint(valid ? quint64(value.time().msecsSinceStartOfDay()) : kMsecsPerDay);
            break;
        }
        case Flags: {
            const QByteArray text = property->flagsView()->text().toLatin1();
            out.text(text.constData(), text.size());
            break;
        }
        case TextList: {
            const QStringList &entries = property->textListView()->value();
            out.varint(quint64(entries.size()));
            for (const QString &entry : entries)
                out.string(entry);
            break;
        }
        case NoValue: break;
        case KindCount: return false;
        }
        if (!location.isEmpty()) {
            out.text(location.parameterName().data(), location.parameterName().size());
            out.text(location.elementName().data(), location.elementName().size());
        }
    }
    return true;
}

void cDVPropertyRecords::cReader::damaged(const char *reason) const
{
    VELL_THROW(vstd::cRuntimeException,
               vucs::cLIMessage("$VTR$Unable to read %file%: the property records are damaged "
                                "at byte %offset%: %reason%!")
                   << mDocument.locationOf(mMark) << QString::number(mAt)
                   << QString::fromLatin1(reason));
}

quint64 cDVPropertyRecords::cReader::varint()
{
    const uchar *const data = reinterpret_cast<const uchar *>(mBlock.constData());
    const uchar *p = data + mAt;
    quint64 value = 0;
    const vsa::cBinaryFormat::VarintRead read =
        vsa::cBinaryFormat::decodeVarint(p, data + mBlock.size(), value);
    mAt = p - data;
    if (read == vsa::cBinaryFormat::VarintRead_Truncated)
        damaged("they end early");
    if (read == vsa::cBinaryFormat::VarintRead_TooLarge) {
        ++mAt; // the place after the byte read last, as for every other fault
        damaged("a number is too large");
    }
    return value;
}

QByteArrayView cDVPropertyRecords::cReader::text(qsizetype limit)
{
    const quint64 size = varint();
    if (size > quint64(limit))
        damaged("a text is too long");
    if (size > quint64(mBlock.size() - mAt))
        damaged("they end early");
    const QByteArrayView view(mBlock.constData() + mAt, qsizetype(size));
    mAt += qsizetype(size);
    return view;
}

void cDVPropertyRecords::cReader::next(tRecordSet &record)
{
    using vsa::cDocumentLimits;
    record = tRecordSet();
    record.name = text(cDocumentLimits::maxNameLength);
    if (mAt >= mBlock.size())
        damaged("they end early");
    const quint8 tag = quint8(mBlock.at(mAt++));
    const quint8 kind = tag & ~boundFlag;
    if (kind >= KindCount)
        damaged("a value of an unknown kind");
    record.kind = Kind(kind);
    record.bound = tag & boundFlag;
    switch (record.kind) {
    case Bool: {
        if (mAt >= mBlock.size())
            damaged("they end early");
        const quint8 b = quint8(mBlock.at(mAt++));
        if (b > 1)
            damaged("a flag is neither true nor false");
        record.flag = b;
        break;
    }
    case Int: record.number = vsa::cBinaryFormat::unzigzag(varint()); break;
    case Moment: {
        record.number = vsa::cBinaryFormat::unzigzag(varint());
        const quint64 msecs = varint();
        if (msecs > kMsecsPerDay)
            damaged("a time of day beyond the day");
        record.msecs = quint32(msecs);
        break;
    }
    case Ascii:
    case Flags: record.text = text(cDocumentLimits::maxTextLength); break;
    case Bytes: record.text = text(cDocumentLimits::maxBytesLength); break;
    case String: {
        const quint64 units = varint();
        if (units > quint64(cDocumentLimits::maxTextLength))
            damaged("a text is too long");
        if (units > quint64(mBlock.size() - mAt) / 2)
            damaged("they end early");
        record.text = QByteArrayView(mBlock.constData() + mAt, qsizetype(2 * units));
        mAt += qsizetype(2 * units);
        break;
    }
    case TextList: {
        // The entries together are held to the length of one text, as a file holds them.
        const quint64 count = varint();
        if (count > quint64(mBlock.size() - mAt))
            damaged("they end early");
        const qsizetype start = mAt;
        quint64 total = 0;
        for (quint64 i = 0; i < count; ++i) {
            const quint64 units = varint();
            total += units;
            if (units > quint64(cDocumentLimits::maxTextLength)
                || total > quint64(cDocumentLimits::maxTextLength))
                damaged("a text is too long");
            if (units > quint64(mBlock.size() - mAt) / 2)
                damaged("they end early");
            mAt += qsizetype(2 * units);
        }
        record.number = qint64(count);
        record.text = QByteArrayView(mBlock.constData() + start, mAt - start);
        break;
    }
    case Layout: {
        if (mBlock.size() - mAt < 2)
            damaged("they end early");
        record.number = quint8(mBlock.at(mAt++));
        if (record.number > cDVLayoutParameter::Fixed)
            damaged("an unknown layout mode");
        const quint8 limits = quint8(mBlock.at(mAt++));
        if (limits > 3)
            damaged("unknown layout limits");
        const auto uint32 = [&]() {
            const quint64 value = varint();
            if (value > 0xFFFFFFFFu)
                damaged("a number is too large");
            return quint32(value);
        };
        record.hasMinimum = limits & 1;
        record.hasMaximum = limits & 2;
        if (record.hasMinimum)
            record.minimum = uint32();
        if (record.hasMaximum)
            record.maximum = uint32();
        record.multiplier = uint32();
        break;
    }
    case Double: {
        if (mBlock.size() - mAt < 8)
            damaged("they end early");
        const quint64 bits = qFromLittleEndian<quint64>(mBlock.constData() + mAt);
        mAt += 8;
        std::memcpy(&record.real, &bits, sizeof bits);
        if (std::isnan(record.real))
            damaged("a number is not a number");
        break;
    }
    case NoValue:
    case KindCount: break;
    }
    if (record.bound) {
        record.parameter = text(cDocumentLimits::maxNameLength);
        record.element = text(cDocumentLimits::maxTextLength);
    }
}

bool cDVPropertyRecords::assign(cDVIAbstractProperty &property, const tRecordSet &record)
{
    // A property has exactly one typed view: the record's kind names the one to ask for.
    switch (record.kind) {
    case Bool:
        if (auto *view = property.boolView()) {
            view->setValue(record.flag);
            return true;
        }
        return false;
    case Int:
        if (auto *view = property.intView()) {
            view->setValue(record.number);
            return true;
        }
        return false;
    case Ascii:
        if (auto *view = property.asciiStringView()) {
            view->setValue(vstd::cAsciiString(record.text.data(), int(record.text.size())));
            return true;
        }
        return false;
    case String: {
        auto *text = property.ucStringView();
        auto *font = text ? nullptr : property.fontView();
        if (!text && !font)
            return false;
        QString value(record.text.size() / 2, Qt::Uninitialized);
        qFromLittleEndian<quint16>(record.text.data(), value.size(), value.data());
        (text ? static_cast<tDVIValueProperty<vucs::cString> *>(text) : font)
            ->setValue(vucs::cString(value));
        return true;
    }
    case Bytes:
        if (auto *view = property.pixmapView()) {
            QByteArray bytes = record.text.toByteArray();
            view->swapValue(bytes);
            return true;
        }
        return false;
    case Layout:
        if (auto *view = property.layoutView()) {
            cDVLayoutParameter p;
            p.setMode(cDVLayoutParameter::LayoutMode(record.number));
            if (record.hasMinimum)
                p.setMinimum(record.minimum);
            if (record.hasMaximum)
                p.setMaximum(record.maximum);
            p.setMultiplier(record.multiplier);
            view->setValue(p);
            return true;
        }
        return false;
    case Double:
        if (auto *view = property.doubleView()) {
            view->setValue(record.real);
            return true;
        }
        return false;
    case Moment:
        // Only the view's part counts, as in its text; a value the record does not name (no
        // such day, no time) is left invalid, and the reader refuses it.
        if (auto *view = property.dateTimeView()) {
            const QDate date = view->part() == cDVIDateTimeProperty::Time
                                   ? QDate(2000, 1, 1)
                                   : QDate::fromJulianDay(record.number);
            const QTime time = view->part() == cDVIDateTimeProperty::Date
                                   ? QTime(0, 0)
                                   : QTime::fromMSecsSinceStartOfDay(int(record.msecs));
            const bool valid = date.isValid() && time.isValid();
            view->setValue(valid ? cDVIDateTimeProperty::make(date, time) : QDateTime());
            return true;
        }
        return false;
    case Flags:
        // A text naming an unknown flag leaves every bit set, which no flag list names; the
        // reader refuses it.
        if (auto *view = property.flagsView()) {
            quint64 value = 0;
            if (!view->parse(QString::fromLatin1(record.text.data(), record.text.size()), value))
                value = ~quint64(0);
            view->setValue(value);
            return true;
        }
        return false;
    case TextList:
        if (auto *view = property.textListView()) {
            // The reader has checked every count and length of the entries.
            const auto *at = reinterpret_cast<const uchar *>(record.text.data());
            const uchar *const end = at + record.text.size();
            QStringList entries;
            entries.reserve(qsizetype(record.number));
            for (qint64 i = 0; i < record.number; ++i) {
                quint64 units = 0;
                vsa::cBinaryFormat::decodeVarint(at, end, units);
                QString entry(qsizetype(units), Qt::Uninitialized);
                qFromLittleEndian<quint16>(at, entry.size(), entry.data());
                at += 2 * units;
                entries << entry;
            }
            view->setValue(entries);
            return true;
        }
        return false;
    case NoValue:
        return property.modelLocationView() != nullptr;
    case KindCount: break;
    }
    return false;
}

const char *cDVPropertyRecords::kindName(Kind kind)
{
    switch (kind) {
    case NoValue: return "no";
    case Bool: return "bool";
    case Int: return "int64";
    case Ascii: return "ascii";
    case String: return "string";
    case Bytes: return "bytes";
    case Layout: return "layout";
    case Double: return "double";
    case Moment: return "date or time";
    case Flags: return "flags";
    case TextList: return "text list";
    case KindCount: break;
    }
    return "unknown";
}

} // namespace vmva
