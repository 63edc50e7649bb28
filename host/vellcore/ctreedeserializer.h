#pragma once

#include "cabstractdeserializer.h"
#include "cdocumenttree.h"

namespace vsa {

// A deserializer that reads from a document parsed once into a cDocumentTree; the formats
// derive from it and only parse.
class cTreeDeserializer : public cAbstractDeserializer
{
public:
    vucs::cString documentName() const override;
    bool atEnd() const override;
    bool hasEntry(const vstd::cAsciiString &label) const override;
    vstd::cAsciiString contextName(const vstd::cAsciiString &label) const override;
    vstd::cAsciiString currentContextName() const override;

    void beginContext(const vstd::cAsciiString &label) override;
    bool beginNextContext(const vstd::cAsciiString &label, vstd::cAsciiString &name) override;
    void endContext() override;

    vstd::cAsciiString readAscii(const vstd::cAsciiString &label) override;
    vucs::cString readString(const vstd::cAsciiString &label) override;
    unsigned int readUInt(const vstd::cAsciiString &label) override;
    __int64 readInt64(const vstd::cAsciiString &label) override;
    bool readBool(const vstd::cAsciiString &label) override;
    double readDouble(const vstd::cAsciiString &label) override;
    QByteArray readBytes(const vstd::cAsciiString &label) override;
    QByteArrayView readBytesView(const vstd::cAsciiString &label, QByteArray &storage) override;

    vucs::cString location() const override;
    tMark mark() const override;
    vucs::cString locationOf(tMark mark) const override;
    EntryKind nextEntryKind() const override;
    vstd::cAsciiString nextEntryLabel() const override;

    // The document as named in messages: its file, or "memory".
    const vucs::cString &source() const { return mSource; }

protected:
    explicit cTreeDeserializer(const vucs::cString &source);

    cDocumentTree &tree() { return mTree; }
    // Called by the format once every entry is added: puts the cursor on the first entry.
    void startReading();
    // How the format names the position of an entry or of a parse error ("line 12, column 3").
    virtual QString positionText(quint32 line, quint32 column) const = 0;
    QString positionOf(const cDocumentTree::tEntrySet &e) const
    {
        return positionText(e.line, e.column);
    }
    // Throws a cRuntimeException for a malformed document.
    [[noreturn]] void malformed(quint32 line, quint32 column, const QString &reason) const;
    // Appends an entry to the tree; throws when a limit refuses it.
    cDocumentTree::tEntrySet &addEntry(EntryKind kind, quint32 line, quint32 column = 0)
    {
        const cDocumentTree::AddResult result = mTree.add(kind, line, column);
        if (result != cDocumentTree::Added)
            refuseEntry(result, line, column);
        return mTree.last();
    }
    // The whole file at `path`; throws cRuntimeException naming it when it cannot be read or is
    // larger than cDocumentLimits::maxDocumentSize.
    static QByteArray readFile(const vucs::cString &path);

private:
    struct tFrameSet
    {
        quint32 context;
        quint32 cursor;
    };

    quint32 contextEnd() const { return mTree.at(mFrames.back().context).end; }
    // Index of the entry a read with `label` takes; contextEnd() when there is none.
    quint32 find(const vstd::cAsciiString &label) const
    {
        const tFrameSet &frame = mFrames.back();
        const quint32 end = contextEnd();
        if (frame.cursor >= end)
            return end;
        if (preferNoLabels() || label.empty())
            return frame.cursor;
        return mTree.find(frame.cursor, end, label.data(), label.size());
    }
    // Throws for an entry the tree refused to add.
    [[noreturn]] void refuseEntry(cDocumentTree::AddResult result, quint32 line,
                                  quint32 column) const;
    // The entry a read of `kind` with `label` takes; throws when it is missing or of another
    // kind. Does not move the cursor.
    quint32 take(const vstd::cAsciiString &label, EntryKind kind) const;
    // Moves the cursor behind the entry at `index`.
    const cDocumentTree::tEntrySet &consume(quint32 index);

    cDocumentTree mTree;
    std::vector<tFrameSet> mFrames;
    // Short ASCII values read lately (the parameter and node names of bindings recur from
    // property to property): a value read again shares the text instead of copying it.
    static constexpr int sharedAsciiSlots = 64;
    static constexpr int sharedAsciiLength = 32;
    vstd::cAsciiString mSharedAscii[sharedAsciiSlots];
    vucs::cString mSource;
};

} // namespace vsa
