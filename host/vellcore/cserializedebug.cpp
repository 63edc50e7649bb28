#include "cserializedebug.h"

#include "cdebugstream.h"

namespace vsa {

namespace {

// A text in double quotes with C escapes, so that every character is visible.
QString quoted(QStringView text)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
            out += QLatin1Char('\\') + c;
        else if (c == QLatin1Char('\n'))
            out += QLatin1String("\\n");
        else if (c == QLatin1Char('\t'))
            out += QLatin1String("\\t");
        else if (c == QLatin1Char('\r'))
            out += QLatin1String("\\r");
        else if (u < 0x20 || u == 0x7F)
            out += QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
        else if (c.isSurrogate() || !c.isPrint())
            out += QStringLiteral("\\u%1").arg(u, 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out + QLatin1Char('"');
}

QString quoted(const vstd::cAsciiString &text)
{
    return quoted(QString::fromLatin1(text.bytes()));
}

} // namespace

cSerializeDebug::cSerializeDebug(const vucs::cString &documentName)
{
    writeLine(0, QStringLiteral("document %1 {").arg(quoted(documentName.text())));
}

void cSerializeDebug::writeLine(int indent, const QString &line)
{
    if (mFinished)
        VELL_THROW(vstd::cBugException, "$VTR$The document is already complete!");
    const QString text = QString(2 * indent, QLatin1Char(' ')) + line + QLatin1Char('\n');
    mText += text;
    vpi::system() << text;
}

void cSerializeDebug::writeEntry(const vstd::cAsciiString &label, const char *kind,
                                 const QString &value)
{
    QString line;
    if (!label.empty())
        line = quoted(label) + QLatin1String(": ");
    writeLine(mDepth + 1, line + QLatin1String(kind) + QLatin1Char(' ') + value);
}

void cSerializeDebug::beginContext(const vstd::cAsciiString &name)
{
    writeEntry(takeLabelIfWanted(), "context", quoted(name) + QLatin1String(" {"));
    ++mDepth;
}

void cSerializeDebug::endContext()
{
    if (mDepth == 0)
        VELL_THROW(vstd::cBugException, "$VTR$No context is open!");
    --mDepth;
    writeLine(mDepth + 1, QStringLiteral("}"));
}

void cSerializeDebug::writeValue(const vstd::cAsciiString &label, const tValueSet &value)
{
    QString text;
    switch (value.kind) {
    case cAbstractDeserializer::AsciiEntry:
    case cAbstractDeserializer::StringEntry:
        text = quoted(value.plainText());
        break;
    case cAbstractDeserializer::BytesEntry: {
        // Long byte arrays are cut: the dump is for reading.
        constexpr int shown = 32;
        const QByteArray &bytes = *value.bytes;
        text = QString::fromLatin1(bytes.left(shown).toHex(' '));
        if (bytes.size() > shown)
            text += QLatin1String(" ...");
        text = QStringLiteral("[%1] %2").arg(bytes.size()).arg(text).trimmed();
        break;
    }
    default:
        text = value.plainText();
        break;
    }
    writeEntry(label, value.kindName(), text);
}

void cSerializeDebug::writeToFile(const vucs::cString &path)
{
    if (mDepth > 0)
        VELL_THROW(vstd::cBugException,
                   vucs::cLIMessage("$VTR$%count% contexts are still open!") << mDepth);
    if (!mFinished) {
        writeLine(0, QStringLiteral("}"));
        mFinished = true;
    }
    saveFile(path, mText.toUtf8());
}

} // namespace vsa
