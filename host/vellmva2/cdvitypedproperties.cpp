#include "cdvitypedproperties.h"

namespace vmva {

namespace {
const char *const kValue = "Value";
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
    vsa::cContext context(serializer, "LayoutParameter");
    serializer.setLabel("Mode");
    serializer.writeUInt(unsigned(p.mode()));
    if (p.hasMinimum()) {
        serializer.setLabel("Minimum");
        serializer.writeUInt(p.minimum());
    }
    if (p.hasMaximum()) {
        serializer.setLabel("Maximum");
        serializer.writeUInt(p.maximum());
    }
    serializer.setLabel("Multiplier");
    serializer.writeUInt(p.multiplier());
    context.release();
}

void cDVILayoutProperty::loadValue(vsa::cAbstractDeserializer &deserializer)
{
    vsa::cContext context(deserializer, kValue);
    cDVLayoutParameter p;
    const unsigned int mode = deserializer.readUInt("Mode");
    if (mode > unsigned(cDVLayoutParameter::Fixed))
        VELL_THROW(vstd::cRuntimeException,
                   vucs::cLIMessage("$VTR$Invalid layout mode %mode% at %location%!")
                       << mode << deserializer.location());
    p.setMode(cDVLayoutParameter::LayoutMode(mode));
    if (deserializer.hasEntry("Minimum"))
        p.setMinimum(deserializer.readUInt("Minimum"));
    if (deserializer.hasEntry("Maximum"))
        p.setMaximum(deserializer.readUInt("Maximum"));
    p.setMultiplier(deserializer.readUInt("Multiplier"));
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
