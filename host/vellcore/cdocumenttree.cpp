#include "cdocumenttree.h"

namespace vsa {

cDocumentTree::cDocumentTree()
{
    add(cAbstractDeserializer::ContextEntry, 1);
}

QByteArray cDocumentTree::labelOf(const tEntrySet &e) const
{
    return QByteArray(mBytes.constData() + e.label, e.labelSize);
}

QByteArray cDocumentTree::bytesOf(const tEntrySet &e) const
{
    return QByteArray(mBytes.constData() + e.value.text.at, e.value.text.size);
}

quint32 cDocumentTree::addByteValue(QByteArray value)
{
    mSeparateByteValues = true;
    mByteValues.push_back(std::move(value));
    return quint32(mByteValues.size() - 1);
}

QByteArray cDocumentTree::byteValueOf(const tEntrySet &e) const
{
    if (mSeparateByteValues)
        return mByteValues[e.value.text.at];
    return bytesOf(e);
}

QString cDocumentTree::stringOf(const tEntrySet &e) const
{
    if (mUtf8Strings) {
        const uchar *p = reinterpret_cast<const uchar *>(mBytes.constData()) + e.value.text.at;
        const uchar *const end = p + e.value.text.size;
        QString text(qsizetype(e.value.text.size), Qt::Uninitialized);
        QChar *out = text.data();
        // Written by the XML reader: well formed, lone surrogates in their three-byte form.
        while (p < end) {
            const uchar b = *p++;
            char32_t code = b;
            if (b >= 0xF0) {
                code = (char32_t(b & 0x07) << 18) | (char32_t(p[0] & 0x3F) << 12)
                       | (char32_t(p[1] & 0x3F) << 6) | (p[2] & 0x3F);
                p += 3;
            } else if (b >= 0xE0) {
                code = (char32_t(b & 0x0F) << 12) | (char32_t(p[0] & 0x3F) << 6) | (p[1] & 0x3F);
                p += 2;
            } else if (b >= 0xC0) {
                code = (char32_t(b & 0x1F) << 6) | (p[0] & 0x3F);
                p += 1;
            }
            if (code >= 0x10000) {
                *out++ = QChar::highSurrogate(code);
                *out++ = QChar::lowSurrogate(code);
            } else {
                *out++ = QChar(char16_t(code));
            }
        }
        text.truncate(out - text.constData());
        return text;
    }
    return QString(mStrings.constData() + e.value.text.at, e.value.text.size);
}

const char *cDocumentTree::kindName(EntryKind kind)
{
    switch (kind) {
    case cAbstractDeserializer::ContextEntry: return "context";
    case cAbstractDeserializer::AsciiEntry: return "ascii";
    case cAbstractDeserializer::StringEntry: return "string";
    case cAbstractDeserializer::UIntEntry: return "uint";
    case cAbstractDeserializer::Int64Entry: return "int64";
    case cAbstractDeserializer::BoolEntry: return "bool";
    case cAbstractDeserializer::DoubleEntry: return "double";
    case cAbstractDeserializer::BytesEntry: return "bytes";
    case cAbstractDeserializer::NoEntry: break;
    }
    return "nothing";
}

} // namespace vsa
