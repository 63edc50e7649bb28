#include "cserializexml.h"

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
    // One tab per level: deep forms are mostly indentation, and a tab is a single byte.
    mWriter.setAutoFormattingIndent(-1);
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

void cSerializeXML::writeValue(const vstd::cAsciiString &label, const tValueSet &value)
{
    const QString text = value.kind == cAbstractDeserializer::BytesEntry
                             ? QString::fromLatin1(value.bytes->toBase64())
                             : value.plainText();
    const bool escaped = cXmlEscape::needsEscape(text) || cXmlEscape::needsEscape(label.bytes());
    startEntry(value.kindName(), label, escaped);
    if (escaped) {
        mWriter.writeAttribute(QStringLiteral("esc"), QStringLiteral("1"));
        mWriter.writeCharacters(cXmlEscape::escape(text));
    } else if (!text.isEmpty()) {
        mWriter.writeCharacters(text);
    }
    mWriter.writeEndElement();
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
