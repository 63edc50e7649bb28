#include "cserializexml.h"

#include "cnumberconversion.h"
#include "cxmlescape.h"

namespace vsa {

namespace {

QString latin1Attribute(const QByteArray &text, bool escaped)
{
    const QString plain = QString::fromLatin1(text);
    return escaped ? cXmlEscape::escape(plain) : plain;
}

} // namespace

cSerializeXML::cSerializeXML(const vucs::cString &documentName) : mWriter(&mBuffer)
{
    mWriter.setAutoFormatting(true);
    mWriter.setAutoFormattingIndent(2);
    mWriter.writeStartDocument();
    mWriter.writeStartElement(QStringLiteral("document"));
    const bool escaped = cXmlEscape::needsEscape(qstr(documentName));
    mWriter.writeAttribute(QStringLiteral("name"),
                           escaped ? cXmlEscape::escape(qstr(documentName)) : qstr(documentName));
    if (escaped)
        mWriter.writeAttribute(QStringLiteral("esc"), QStringLiteral("1"));
}

void cSerializeXML::startEntry(const char *element, const vstd::cAsciiString &label,
                               bool escaped)
{
    if (mFinished)
        VELL_THROW(vstd::cBugException, "$VTR$The document is already complete!");
    mWriter.writeStartElement(QLatin1String(element));
    if (!label.empty())
        mWriter.writeAttribute(QStringLiteral("label"), latin1Attribute(label.bytes(), escaped));
}

void cSerializeXML::beginContext(const vstd::cAsciiString &name)
{
    const vstd::cAsciiString label = takeLabelIfWanted();
    const bool escaped = cXmlEscape::needsEscape(name.bytes())
                         || cXmlEscape::needsEscape(label.bytes());
    startEntry("context", label, escaped);
    mWriter.writeAttribute(QStringLiteral("name"), latin1Attribute(name.bytes(), escaped));
    if (escaped)
        mWriter.writeAttribute(QStringLiteral("esc"), QStringLiteral("1"));
    ++mDepth;
}

void cSerializeXML::endContext()
{
    if (mDepth == 0 || mFinished)
        VELL_THROW(vstd::cBugException, "$VTR$No context is open!");
    mWriter.writeEndElement();
    --mDepth;
}

void cSerializeXML::writeValue(const char *element, const QString &text)
{
    const vstd::cAsciiString label = takeLabelIfWanted();
    const bool escaped = cXmlEscape::needsEscape(text) || cXmlEscape::needsEscape(label.bytes());
    startEntry(element, label, escaped);
    if (escaped) {
        mWriter.writeAttribute(QStringLiteral("esc"), QStringLiteral("1"));
        mWriter.writeCharacters(cXmlEscape::escape(text));
    } else if (!text.isEmpty()) {
        mWriter.writeCharacters(text);
    }
    mWriter.writeEndElement();
}

void cSerializeXML::writeLatin1Value(const char *element, const QByteArray &text)
{
    writeValue(element, QString::fromLatin1(text));
}

void cSerializeXML::writeAscii(const vstd::cAsciiString &value)
{
    writeLatin1Value("ascii", value.bytes());
}

void cSerializeXML::writeString(const vucs::cString &value)
{
    writeValue("string", value.text());
}

void cSerializeXML::writeUInt(unsigned int value)
{
    writeLatin1Value("uint", vstd::cNumberConversion::toString(value).bytes());
}

void cSerializeXML::writeInt64(__int64 value)
{
    writeLatin1Value("int64", vstd::cNumberConversion::toString(value).bytes());
}

void cSerializeXML::writeBool(bool value)
{
    writeLatin1Value("bool", value ? QByteArrayLiteral("true") : QByteArrayLiteral("false"));
}

void cSerializeXML::writeDouble(double value)
{
    writeLatin1Value("double", vstd::cNumberConversion::toString(value).bytes());
}

void cSerializeXML::writeBytes(const QByteArray &value)
{
    writeLatin1Value("bytes", value.toBase64());
}

void cSerializeXML::finish()
{
    if (mDepth > 0)
        VELL_THROW(vstd::cBugException,
                   vucs::cLIMessage("$VTR$%count% contexts are still open!") << mDepth);
    if (!mFinished) {
        mWriter.writeEndDocument();
        mFinished = true;
    }
}

QByteArray cSerializeXML::data()
{
    finish();
    return mBuffer;
}

void cSerializeXML::writeToFile(const vucs::cString &path)
{
    finish();
    saveFile(path, mBuffer);
}

} // namespace vsa
