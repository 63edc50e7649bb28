#pragma once

#include "cabstractexception.h"
#include "vtypes.h"

#include <QByteArray>

// Serialisation: documents as trees of named contexts and labelled values.
namespace vsa {

// Writes a document. Each value or context may carry a label, set with setLabel() just before
// it; the label applies to the next entry only.
class cAbstractSerializer
{
public:
    virtual ~cAbstractSerializer() = default;

    void setPreferNoLabels(bool preferNoLabels) { mPreferNoLabels = preferNoLabels; }
    bool preferNoLabels() const { return mPreferNoLabels; }
    // Labels the next entry (value or context).
    void setLabel(const vstd::cAsciiString &label) { mLabel = label; }

    virtual void beginContext(const vstd::cAsciiString &name) = 0;
    // Throws cBugException when no context is open.
    virtual void endContext() = 0;

    virtual void writeAscii(const vstd::cAsciiString &value) = 0;
    virtual void writeString(const vucs::cString &value) = 0;
    virtual void writeUInt(unsigned int value) = 0;
    virtual void writeInt64(__int64 value) = 0;
    virtual void writeBool(bool value) = 0;
    virtual void writeDouble(double value) = 0;
    virtual void writeBytes(const QByteArray &value) = 0;

    // Writes the whole document to `path`: to a temporary file beside it first, renamed over the
    // target only when complete. Throws cRuntimeException when the file cannot be written or
    // a context is still open.
    virtual void writeToFile(const vucs::cString &path) = 0;

protected:
    // The label for the entry being written; consumed (cleared) by the call.
    vstd::cAsciiString takeLabel() { vstd::cAsciiString l = mLabel; mLabel.clear(); return l; }

private:
    bool mPreferNoLabels = true;
    vstd::cAsciiString mLabel;
};

// Reads a document entry by entry. The reader has a cursor inside the current context. A read
// with a label takes the next entry at or after the cursor with that label (skipping others);
// a read with an empty label takes the next entry. Failures throw cRuntimeException naming the
// document and the line of the entry.
class cAbstractDeserializer
{
public:
    virtual ~cAbstractDeserializer() = default;

    void setPreferNoLabels(bool preferNoLabels) { mPreferNoLabels = preferNoLabels; }
    bool preferNoLabels() const { return mPreferNoLabels; }

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
    // Leaves the current context, skipping what was not read; cBugException at the top.
    virtual void endContext() = 0;

    virtual vstd::cAsciiString readAscii(const vstd::cAsciiString &label) = 0;
    virtual vucs::cString readString(const vstd::cAsciiString &label) = 0;
    virtual unsigned int readUInt(const vstd::cAsciiString &label) = 0;
    virtual __int64 readInt64(const vstd::cAsciiString &label) = 0;
    virtual bool readBool(const vstd::cAsciiString &label) = 0;
    virtual double readDouble(const vstd::cAsciiString &label) = 0;
    virtual QByteArray readBytes(const vstd::cAsciiString &label) = 0;

    // "file:line" (or "memory:entry") of the cursor, for messages.
    virtual vucs::cString location() const = 0;

private:
    bool mPreferNoLabels = true;
};

// Opens a named context on construction; closes it on release() or destruction.
class cContext
{
public:
    cContext(cAbstractSerializer &serializer, const vstd::cAsciiString &name)
        : mSerializer(&serializer)
    {
        serializer.beginContext(name);
    }
    // Enters the next context with `label` of a deserializer.
    cContext(cAbstractDeserializer &deserializer, const vstd::cAsciiString &label)
        : mDeserializer(&deserializer)
    {
        deserializer.beginContext(label);
    }
    cContext(const cContext &) = delete;
    cContext &operator=(const cContext &) = delete;
    ~cContext() noexcept(false)
    {
        // Not closed while an exception unwinds: the document is abandoned then.
        if (std::uncaught_exceptions() == mExceptions)
            release();
    }
    void release()
    {
        if (mSerializer)
            mSerializer->endContext();
        if (mDeserializer)
            mDeserializer->endContext();
        mSerializer = nullptr;
        mDeserializer = nullptr;
    }

private:
    cAbstractSerializer *mSerializer = nullptr;
    cAbstractDeserializer *mDeserializer = nullptr;
    int mExceptions = std::uncaught_exceptions();
};

// Reference frame a component is created in; the address space of its components.
class cReferenceFrame
{
public:
    explicit cReferenceFrame(const vstd::cAsciiString &name = "local") : mName(name) {}
    const vstd::cAsciiString &name() const { return mName; }

private:
    vstd::cAsciiString mName;
};

} // namespace vsa
