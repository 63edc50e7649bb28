#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

// Loads untrusted bytes the way the editor does, with the standard elements registered: as a
// dialog document ("XML-Config", unknown elements skipped) or as a clipboard entry (the binary
// format, unknown elements refused). A host exception is the expected answer to bad input and is
// swallowed; whatever loads must also survive a store and reload unchanged, else it aborts.
class cLoadItemsInput
{
public:
    cLoadItemsInput();
    ~cLoadItemsInput();
    cLoadItemsInput(const cLoadItemsInput &) = delete;
    cLoadItemsInput &operator=(const cLoadItemsInput &) = delete;

    // Each returns true when the input loaded (and round-tripped).
    bool loadDocument(const QByteArray &xml);
    bool loadClipboard(const QByteArray &binary);
    // The message of the last refusal, as a user reads it.
    const QString &lastRefusal() const { return mRefusal; }

private:
    struct tHostSet;
    std::unique_ptr<tHostSet> mHost;
    QString mRefusal;
};
