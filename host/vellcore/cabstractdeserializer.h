#pragma once

#include "cabstractexception.h"
#include "vtypes.h"

#include <QByteArray>

namespace vsa {

// Reads a document entry by entry. The reader has a cursor inside the current context. A read
// with a label takes the next entry at or after the cursor with that label, skipping others (so
// that a reader tolerates entries it does not know); a read with an empty label takes the next
// entry. With preferNoLabels() (the default) labels are ignored and entries are read strictly in
// order. Reading a missing entry or one of another type throws cRuntimeException naming the
// document (its file, or "memory") and the position of the entry.
class cAbstractDeserializer
{
public:
    // What an entry holds; the kinds of values match the read functions.
    enum EntryKind {
        NoEntry,
        ContextEntry,
        AsciiEntry,
        StringEntry,
        UIntEntry,
        Int64Entry,
        BoolEntry,
        DoubleEntry,
        BytesEntry
    };

    virtual ~cAbstractDeserializer() = default;

    void setPreferNoLabels(bool preferNoLabels) { mPreferNoLabels = preferNoLabels; }
    bool preferNoLabels() const { return mPreferNoLabels; }
    // With labels preferred, a value read by a label that a later value of the same context
    // carries as well is refused: the document is ambiguous. Off by default, for documents
    // that list values under one label.
    void setRefuseDuplicateLabels(bool refuse) { mRefuseDuplicateLabels = refuse; }
    bool refusesDuplicateLabels() const { return mRefuseDuplicateLabels; }

    // The document name given to the serializer.
    virtual vucs::cString documentName() const = 0;
    // True when the current context has no further entry.
    virtual bool atEnd() const = 0;
    // True when the current context has a further entry with `label` at or after the cursor.
    virtual bool hasEntry(const vstd::cAsciiString &label) const = 0;
    // The name of the next context with `label`, without opening it.
    virtual vstd::cAsciiString contextName(const vstd::cAsciiString &label) const = 0;
    // The name of the context the cursor is in (the document name at the top).
    virtual vstd::cAsciiString currentContextName() const = 0;

    // Enters the next context with `label`.
    virtual void beginContext(const vstd::cAsciiString &label) = 0;
    // Enters the next context with `label` as beginContext() does and gives its name, or returns
    // false when the current context has none further. The name may be a view of the reader's
    // copy of the document: it is valid while the reader lives.
    virtual bool beginNextContext(const vstd::cAsciiString &label, vstd::cAsciiString &name)
    {
        if (!hasEntry(label))
            return false;
        name = contextName(label);
        beginContext(label);
        return true;
    }
    // Leaves the current context, skipping what was not read; cBugException at the top.
    virtual void endContext() = 0;

    virtual vstd::cAsciiString readAscii(const vstd::cAsciiString &label) = 0;
    virtual vucs::cString readString(const vstd::cAsciiString &label) = 0;
    virtual unsigned int readUInt(const vstd::cAsciiString &label) = 0;
    virtual __int64 readInt64(const vstd::cAsciiString &label) = 0;
    virtual bool readBool(const vstd::cAsciiString &label) = 0;
    virtual double readDouble(const vstd::cAsciiString &label) = 0;
    virtual QByteArray readBytes(const vstd::cAsciiString &label) = 0;
    // As readBytes(), but the bytes may be a view of the reader's copy of the document, valid
    // while the reader lives; `storage` holds them where the reader has no such copy.
    virtual QByteArrayView readBytesView(const vstd::cAsciiString &label, QByteArray &storage)
    {
        storage = readBytes(label);
        return storage;
    }

    // The document and the position of the cursor, for messages ("form.dlg, line 3, column 5").
    virtual vucs::cString location() const = 0;
    // A cheap mark of the cursor's place, for a message that may be needed later:
    // locationOf(mark()) is the text location() gave when the mark was taken.
    using tMark = quint64;
    virtual tMark mark() const = 0;
    virtual vucs::cString locationOf(tMark mark) const = 0;

    // For walking a document without knowing it: the kind and the label (empty without one) of
    // the entry at the cursor; NoEntry at the end of the current context. Read it with an empty
    // label. Readers that cannot tell throw cBugException.
    virtual EntryKind nextEntryKind() const
    {
        VELL_THROW(vstd::cBugException, "$VTR$This reader cannot walk a document!");
    }
    virtual vstd::cAsciiString nextEntryLabel() const
    {
        VELL_THROW(vstd::cBugException, "$VTR$This reader cannot walk a document!");
    }

private:
    bool mPreferNoLabels = true;
    bool mRefuseDuplicateLabels = false;
};

} // namespace vsa
