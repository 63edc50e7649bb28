#include "cdvitypedproperties.h"

namespace vmva {

namespace {
const vstd::cAsciiString kValue = vstd::cAsciiString::fromStatic("Value");
const vstd::cAsciiString kMode = vstd::cAsciiString::fromStatic("Mode");
const vstd::cAsciiString kMinimum = vstd::cAsciiString::fromStatic("Minimum");
const vstd::cAsciiString kMaximum = vstd::cAsciiString::fromStatic("Maximum");
const vstd::cAsciiString kMultiplier = vstd::cAsciiString::fromStatic("Multiplier");
const vstd::cAsciiString kLayoutParameter = vstd::cAsciiString::fromStatic("LayoutParameter");
} // namespace

void cDVIBoolProperty::storeValue(vsa::cAbstractSerializer &serializer) const
{
    serializer.setLabel(kValue);
    serializer.writeBool(value());
}

void cDVIBoolProperty::loadValue(vsa::cAbstractDeserializer &deserializer)
{
    setValue(deserializer.readBool(kValue));
}

void cDVIAsciiStringProperty::storeValue(vsa::cAbstractSerializer &serializer) const
{
    serializer.setLabel(kValue);
    serializer.writeAscii(value());
}

void cDVIAsciiStringProperty::loadValue(vsa::cAbstractDeserializer &deserializer)
{
    setValue(deserializer.readAscii(kValue));
}

void cDVIIntProperty::storeValue(vsa::cAbstractSerializer &serializer) const
{
    serializer.setLabel(kValue);
    serializer.writeInt64(value());
}

void cDVIIntProperty::loadValue(vsa::cAbstractDeserializer &deserializer)
{
    setValue(deserializer.readInt64(kValue));
}

void cDVIDoubleProperty::storeValue(vsa::cAbstractSerializer &serializer) const
{
    serializer.setLabel(kValue);
    serializer.writeDouble(value());
}

void cDVIDoubleProperty::loadValue(vsa::cAbstractDeserializer &deserializer)
{
    setValue(deserializer.readDouble(kValue));
}

QString cDVIDateTimeProperty::format(Part part, const QDateTime &value)
{
    if (!value.isValid())
        return QString();
    switch (part) {
    case Date: return value.date().toString(Qt::ISODate);
    case Time: return value.time().toString(Qt::ISODate);
    case DateTime: break;
    }
    return value.date().toString(Qt::ISODate) + u'T' + value.time().toString(Qt::ISODate);
}

namespace {

// Qt's ISO reading takes more than its writing gives: a date followed by anything, "24:00"
// for the next midnight. Only a text that the value writes back, seconds aside, is taken.
QDate isoDate(const QString &text)
{
    const QDate date = QDate::fromString(text, Qt::ISODate);
    return date.isValid() && date.toString(Qt::ISODate) == text ? date : QDate();
}

QTime isoTime(const QString &text)
{
    const QTime time = QTime::fromString(text, Qt::ISODate);
    const QString back = time.toString(Qt::ISODate);
    return time.isValid() && (back == text || back == text + QLatin1String(":00")) ? time
                                                                                 : QTime();
}

} // namespace

QDateTime cDVIDateTimeProperty::parse(Part part, QStringView text)
{
    const QString t = text.toString();
    switch (part) {
    case Date: {
        const QDate date = isoDate(t);
        return date.isValid() ? make(date) : QDateTime();
    }
    case Time: {
        const QTime time = isoTime(t);
        return time.isValid() ? make(QDate(2000, 1, 1), time) : QDateTime();
    }
    case DateTime: break;
    }
    // A zone in the text would move the wall clock: only the plain form is taken.
    const int split = int(t.indexOf(u'T'));
    if (split < 0)
        return QDateTime();
    const QDate date = isoDate(t.left(split));
    const QTime time = isoTime(t.mid(split + 1));
    return date.isValid() && time.isValid() ? make(date, time) : QDateTime();
}

QDateTime cDVIDateTimeProperty::make(const QDate &date, const QTime &time)
{
    return QDateTime(date, time, Qt::UTC);
}

void cDVIDateTimeProperty::storeValue(vsa::cAbstractSerializer &serializer) const
{
    serializer.setLabel(kValue);
    serializer.writeAscii(vstd::cAsciiString(text().toLatin1()));
}

void cDVIDateTimeProperty::loadValue(vsa::cAbstractDeserializer &deserializer)
{
    const vstd::cAsciiString text = deserializer.readAscii(kValue);
    const QDateTime value = parse(mPart, QString::fromLatin1(text.data(), text.size()));
    if (!value.isValid())
        VELL_THROW(vstd::cRuntimeException,
                   vucs::cLIMessage("$VTR$Invalid date or time \"%text%\" at %location%!")
                       << QString::fromLatin1(text.data(), text.size())
                       << deserializer.location());
    setValue(value);
}

bool cDVIFlagsProperty::isNamed(quint64 value) const
{
    for (const tFlag &flag : names())
        value &= ~flag.second;
    return value == 0;
}

QString cDVIFlagsProperty::format(quint64 value) const
{
    QString text;
    for (const tFlag &flag : names()) {
        if (flag.second == 0 || (value & flag.second) != flag.second)
            continue;
        if (!text.isEmpty())
            text += QLatin1String(" | ");
        text += QString::fromLatin1(flag.first.data(), flag.first.size());
    }
    return text;
}

bool cDVIFlagsProperty::parse(QStringView text, quint64 &value) const
{
    value = 0;
    if (text.trimmed().isEmpty())
        return true;
    for (QStringView part : text.split(u'|')) {
        const QByteArray name = part.trimmed().toLatin1();
        bool known = false;
        for (const tFlag &flag : names()) {
            if (name.size() == qsizetype(flag.first.size())
                && qstrncmp(name.constData(), flag.first.data(), name.size()) == 0) {
                value |= flag.second;
                known = true;
                break;
            }
        }
        if (!known)
            return false;
    }
    return true;
}

void cDVIFlagsProperty::storeValue(vsa::cAbstractSerializer &serializer) const
{
    serializer.setLabel(kValue);
    serializer.writeAscii(vstd::cAsciiString(text().toLatin1()));
}

void cDVIFlagsProperty::loadValue(vsa::cAbstractDeserializer &deserializer)
{
    const vstd::cAsciiString text = deserializer.readAscii(kValue);
    const QString written = QString::fromLatin1(text.data(), text.size());
    quint64 value = 0;
    if (!parse(written, value))
        VELL_THROW(vstd::cRuntimeException,
                   vucs::cLIMessage("$VTR$Unknown flag in \"%text%\" at %location%!")
                       << written << deserializer.location());
    setValue(value);
}

QStringList cDVITextListProperty::parse(QStringView text)
{
    QStringList entries;
    if (text.isEmpty())
        return entries;
    for (QStringView entry : text.split(u'\n'))
        entries << entry.toString();
    return entries;
}

QStringList cDVITextListProperty::parseStored(QStringView text)
{
    QStringList entries;
    if (text.endsWith(u'\n')) {
        for (QStringView entry : text.chopped(1).split(u'\n'))
            entries << entry.toString();
        return entries;
    }
    // The earlier form: lines when there is a line feed, else ";" between the entries; blanks
    // around an entry and empty entries were never kept.
    const QChar separator = text.contains(u'\n') ? QLatin1Char('\n') : QLatin1Char(';');
    for (QStringView part : text.split(separator)) {
        const QStringView entry = part.trimmed();
        if (!entry.isEmpty())
            entries << entry.toString();
    }
    return entries;
}

void cDVITextListProperty::storeValue(vsa::cAbstractSerializer &serializer) const
{
    QString stored;
    for (const QString &entry : value())
        stored += entry + u'\n';
    serializer.setLabel(kValue);
    serializer.writeString(vucs::cString(stored));
}

void cDVITextListProperty::loadValue(vsa::cAbstractDeserializer &deserializer)
{
    setValue(parseStored(deserializer.readString(kValue).text()));
}

void cDVIPixmapProperty::storeValue(vsa::cAbstractSerializer &serializer) const
{
    serializer.setLabel(kValue);
    serializer.writeBytes(value());
}

void cDVIPixmapProperty::loadValue(vsa::cAbstractDeserializer &deserializer)
{
    QByteArray bytes = deserializer.readBytes(kValue);
    swapValue(bytes);
}

void cDVIUCStringProperty::storeValue(vsa::cAbstractSerializer &serializer) const
{
    serializer.setLabel(kValue);
    serializer.writeString(value());
}

void cDVIUCStringProperty::loadValue(vsa::cAbstractDeserializer &deserializer)
{
    setValue(deserializer.readString(kValue));
}

void cDVILayoutProperty::storeValue(vsa::cAbstractSerializer &serializer) const
{
    const cDVLayoutParameter &p = value();
    serializer.setLabel(kValue);
    vsa::cContext context(serializer, kLayoutParameter);
    serializer.setLabel(kMode);
    serializer.writeUInt(unsigned(p.mode()));
    if (p.hasMinimum()) {
        serializer.setLabel(kMinimum);
        serializer.writeUInt(p.minimum());
    }
    if (p.hasMaximum()) {
        serializer.setLabel(kMaximum);
        serializer.writeUInt(p.maximum());
    }
    serializer.setLabel(kMultiplier);
    serializer.writeUInt(p.multiplier());
    context.release();
}

void cDVILayoutProperty::loadValue(vsa::cAbstractDeserializer &deserializer)
{
    vsa::cContext context(deserializer, kValue);
    cDVLayoutParameter p;
    const unsigned int mode = deserializer.readUInt(kMode);
    if (mode > unsigned(cDVLayoutParameter::Fixed))
        VELL_THROW(vstd::cRuntimeException,
                   vucs::cLIMessage("$VTR$Invalid layout mode %mode% at %location%!")
                       << mode << deserializer.location());
    p.setMode(cDVLayoutParameter::LayoutMode(mode));
    if (deserializer.hasEntry(kMinimum))
        p.setMinimum(deserializer.readUInt(kMinimum));
    if (deserializer.hasEntry(kMaximum))
        p.setMaximum(deserializer.readUInt(kMaximum));
    p.setMultiplier(deserializer.readUInt(kMultiplier));
    context.release();
    setValue(p);
}

void cDVIFontProperty::storeValue(vsa::cAbstractSerializer &serializer) const
{
    serializer.setLabel(kValue);
    serializer.writeString(value());
}

void cDVIFontProperty::loadValue(vsa::cAbstractDeserializer &deserializer)
{
    setValue(deserializer.readString(kValue));
}

} // namespace vmva
