#pragma once

#include "cabstractexception.h"
#include "vtypes.h"

#include <QByteArray>
#include <utility>

namespace vsa {

// Writes a document: a tree of named contexts and typed values. Each value or context may carry
// a label, set with setLabel() just before it; the label applies to the next entry only. With
// preferNoLabels() (the default) labels are not written, and the reader must read in order.
class cAbstractSerializer
{
public:
    virtual ~cAbstractSerializer() = default;

    void setPreferNoLabels(bool preferNoLabels) { mPreferNoLabels = preferNoLabels; }
    bool preferNoLabels() const { return mPreferNoLabels; }
    // Labels the next entry (value or context).
    void setLabel(const vstd::cAsciiString &label) { mLabel = label; }
    // Whether the document is read only by this program as it is now (a copy in memory), so
    // that what is written may take the most compact form the writer knows, instead of the
    // form files keep from version to version.
    virtual bool prefersCompactRecords() const { return false; }

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
    // target only when complete, so that a failed save leaves the previous file as it was.
    // Throws cRuntimeException naming the file when it cannot be written, cBugException when a
    // context is still open. A serializer may complete the document here; writing more entries
    // afterwards is a bug.
    virtual void writeToFile(const vucs::cString &path) = 0;

protected:
    // The label for the entry being written; consumed (cleared) by the call.
    vstd::cAsciiString takeLabel()
    {
        vstd::cAsciiString l = std::move(mLabel);
        mLabel = vstd::cAsciiString();
        return l;
    }
    // As takeLabel(), but empty when labels are not wanted.
    vstd::cAsciiString takeLabelIfWanted()
    {
        vstd::cAsciiString l = takeLabel();
        if (mPreferNoLabels)
            l.clear();
        return l;
    }
    // Replaces the file at `path` by `bytes` as writeToFile() promises.
    static void saveFile(const vucs::cString &path, const QByteArray &bytes);

private:
    bool mPreferNoLabels = true;
    vstd::cAsciiString mLabel;
};

} // namespace vsa
