#include "ctreedeserializer.h"

#include <QFile>
#include <QFileInfo>

namespace vsa {

namespace {

QString describeEntry(const char *kind, const vstd::cAsciiString &label)
{
    QString what = QString::fromLatin1(kind);
    if (!label.empty())
        what += QStringLiteral(" \"%1\"").arg(cDocumentLimits::cut(qstr(label)));
    return what;
}

QString megabytes(qsizetype bytes)
{
    return QStringLiteral("%1 MiB").arg(bytes / (1024 * 1024));
}

} // namespace

cTreeDeserializer::cTreeDeserializer(const vucs::cString &source) : mSource(source) {}

void cTreeDeserializer::startReading()
{
    mTree.finish();
    mFrames.clear();
    mFrames.reserve(cDocumentTree::maxDepth + 1);
    mFrames.push_back({0, 1});
}

vucs::cString cTreeDeserializer::documentName() const
{
    return vucs::cString(mTree.documentName());
}

bool cTreeDeserializer::atEnd() const
{
    return mFrames.back().cursor >= contextEnd();
}

bool cTreeDeserializer::hasEntry(const vstd::cAsciiString &label) const
{
    return find(label) < contextEnd();
}

quint32 cTreeDeserializer::take(const vstd::cAsciiString &label, EntryKind kind) const
{
    const quint32 index = find(label);
    const quint32 end = contextEnd();
    if (index >= end) {
        const tFrameSet &frame = mFrames.back();
        // At the end of a context, its last entry is the nearest place to name.
        quint32 near = frame.cursor;
        if (near >= end)
            near = end > frame.context + 1 ? end - 1 : frame.context;
        VELL_THROW(vstd::cRuntimeException,
                   vucs::cLIMessage("$VTR$Unable to read %what% in %file% at %position%!")
                       << describeEntry(cDocumentTree::kindName(kind), label) << mSource
                       << positionOf(mTree.at(near)));
    }
    const cDocumentTree::tEntrySet &e = mTree.at(index);
    if (e.kind != kind) {
        VELL_THROW(vstd::cRuntimeException,
                   vucs::cLIMessage("$VTR$Unable to read %what% in %file% at %position%: "
                                    "found %found%!")
                       << describeEntry(cDocumentTree::kindName(kind), label) << mSource
                       << positionOf(e)
                       << describeEntry(cDocumentTree::kindName(e.kind),
                                        vstd::cAsciiString(mTree.labelOf(e))));
    }
    if (refusesDuplicateLabels() && kind != ContextEntry && !preferNoLabels() && !label.empty()) {
        const quint32 again = mTree.find(e.end, end, label.data(), label.size());
        if (again < end)
            VELL_THROW(vstd::cRuntimeException,
                       vucs::cLIMessage("$VTR$Unable to read %file% at %position%: "
                                        "\"%label%\" given twice!")
                           << mSource << positionOf(mTree.at(again))
                           << cDocumentLimits::cut(qstr(label)));
    }
    return index;
}

const cDocumentTree::tEntrySet &cTreeDeserializer::consume(quint32 index)
{
    const cDocumentTree::tEntrySet &e = mTree.at(index);
    mFrames.back().cursor = e.end;
    return e;
}

vstd::cAsciiString cTreeDeserializer::contextName(const vstd::cAsciiString &label) const
{
    return vstd::cAsciiString(mTree.bytesOf(mTree.at(take(label, ContextEntry))));
}

vstd::cAsciiString cTreeDeserializer::currentContextName() const
{
    if (mFrames.size() == 1)
        return vucs::cString(mTree.documentName()).ascii('?');
    return vstd::cAsciiString(mTree.bytesOf(mTree.at(mFrames.back().context)));
}

void cTreeDeserializer::beginContext(const vstd::cAsciiString &label)
{
    const quint32 index = take(label, ContextEntry);
    consume(index);
    mFrames.push_back({index, index + 1});
}

bool cTreeDeserializer::beginNextContext(const vstd::cAsciiString &label,
                                         vstd::cAsciiString &name)
{
    const quint32 index = find(label);
    if (index >= contextEnd())
        return false;
    const cDocumentTree::tEntrySet &e = mTree.at(index);
    if (e.kind != ContextEntry)
        take(label, ContextEntry); // throws, naming what was found
    name = vstd::cAsciiString(QByteArray::fromRawData(mTree.bytes().constData() + e.value.text.at,
                                                      e.value.text.size));
    consume(index);
    mFrames.push_back({index, index + 1});
    return true;
}

void cTreeDeserializer::endContext()
{
    if (mFrames.size() == 1)
        VELL_THROW(vstd::cBugException,
                   vucs::cLIMessage("$VTR$No context is open in %file%!") << mSource);
    mFrames.pop_back();
}

vstd::cAsciiString cTreeDeserializer::readAscii(const vstd::cAsciiString &label)
{
    const cDocumentTree::tEntrySet &e = consume(take(label, AsciiEntry));
    const int size = int(e.value.text.size);
    if (size == 0 || size > sharedAsciiLength)
        return vstd::cAsciiString(mTree.bytesOf(e));
    const char *const text = mTree.bytes().constData() + e.value.text.at;
    quint32 hash = quint32(size);
    for (int i = 0; i < size; ++i)
        hash = hash * 31 + uchar(text[i]);
    vstd::cAsciiString &shared = mSharedAscii[hash % sharedAsciiSlots];
    if (shared.size() != size || std::memcmp(shared.data(), text, size_t(size)) != 0)
        shared = vstd::cAsciiString(text, size);
    return shared;
}

vucs::cString cTreeDeserializer::readString(const vstd::cAsciiString &label)
{
    return vucs::cString(mTree.stringOf(consume(take(label, StringEntry))));
}

unsigned int cTreeDeserializer::readUInt(const vstd::cAsciiString &label)
{
    return static_cast<unsigned int>(consume(take(label, UIntEntry)).value.u);
}

__int64 cTreeDeserializer::readInt64(const vstd::cAsciiString &label)
{
    return consume(take(label, Int64Entry)).value.i;
}

bool cTreeDeserializer::readBool(const vstd::cAsciiString &label)
{
    return consume(take(label, BoolEntry)).value.u != 0;
}

double cTreeDeserializer::readDouble(const vstd::cAsciiString &label)
{
    return consume(take(label, DoubleEntry)).value.d;
}

QByteArray cTreeDeserializer::readBytes(const vstd::cAsciiString &label)
{
    return mTree.byteValueOf(consume(take(label, BytesEntry)));
}

QByteArrayView cTreeDeserializer::readBytesView(const vstd::cAsciiString &label,
                                                QByteArray &storage)
{
    const cDocumentTree::tEntrySet &e = consume(take(label, BytesEntry));
    if (mTree.hasSeparateByteValues()) {
        storage = mTree.byteValueOf(e);
        return storage;
    }
    return QByteArrayView(mTree.bytes().constData() + e.value.text.at, e.value.text.size);
}

vucs::cString cTreeDeserializer::location() const
{
    return locationOf(mark());
}

cAbstractDeserializer::tMark cTreeDeserializer::mark() const
{
    // The entry at the cursor, or the context at its end.
    const tFrameSet &frame = mFrames.back();
    return frame.cursor < contextEnd() ? frame.cursor : frame.context;
}

vucs::cString cTreeDeserializer::locationOf(tMark mark) const
{
    const quint32 at = mark < mTree.size() ? quint32(mark) : 0;
    return vucs::cString(qstr(mSource) + QStringLiteral(", ") + positionOf(mTree.at(at)));
}

cAbstractDeserializer::EntryKind cTreeDeserializer::nextEntryKind() const
{
    return atEnd() ? NoEntry : mTree.at(mFrames.back().cursor).kind;
}

vstd::cAsciiString cTreeDeserializer::nextEntryLabel() const
{
    if (atEnd())
        return {};
    return vstd::cAsciiString(mTree.labelOf(mTree.at(mFrames.back().cursor)));
}

void cTreeDeserializer::malformed(quint32 line, quint32 column, const QString &reason) const
{
    VELL_THROW(vstd::cRuntimeException,
               vucs::cLIMessage("$VTR$Unable to read %file% at %position%: %reason%!")
                   << mSource << positionText(line, column) << reason);
}

void cTreeDeserializer::refuseEntry(cDocumentTree::AddResult result, quint32 line,
                                    quint32 column) const
{
    if (result == cDocumentTree::TooDeep)
        malformed(line, column, QStringLiteral("contexts nested more than %1 deep")
                                    .arg(cDocumentLimits::maxDepth));
    malformed(line, column, QStringLiteral("more than %1 entries").arg(mTree.maxEntries()));
}

QByteArray cTreeDeserializer::readFile(const vucs::cString &path)
{
    QFile file(qstr(path));
    // Devices and pipes could block or never end.
    const bool regular = QFileInfo(file).isFile();
    if (!regular || !file.open(QIODevice::ReadOnly))
        VELL_THROW(vstd::cRuntimeException,
                   vucs::cLIMessage("$VTR$Unable to open document %file%: %error%!")
                       << path
                       << (regular ? file.errorString() : QStringLiteral("not a file")));
    const auto tooLarge = [&path]() {
        VELL_THROW(vstd::cRuntimeException,
                   vucs::cLIMessage("$VTR$Unable to read %file%: larger than %size%, the most a "
                                    "document may take!")
                       << path << megabytes(cDocumentLimits::maxDocumentSize));
    };
    if (file.size() > cDocumentLimits::maxDocumentSize)
        tooLarge();
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        VELL_THROW(vstd::cRuntimeException,
                   vucs::cLIMessage("$VTR$Unable to open document %file%: %error%!")
                       << path << file.errorString());
    if (data.size() > cDocumentLimits::maxDocumentSize)
        tooLarge();
    return data;
}

} // namespace vsa
