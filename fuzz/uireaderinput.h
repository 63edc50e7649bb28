#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

// Reads untrusted bytes as a Qt Designer form the way an import does, with the standard
// elements registered. A host exception is the expected answer to bad input and is swallowed;
// every form that reads must also be written back as ".ui" and read to the same document, else
// it aborts.
class cUiReaderInput
{
public:
    cUiReaderInput();
    ~cUiReaderInput();
    cUiReaderInput(const cUiReaderInput &) = delete;
    cUiReaderInput &operator=(const cUiReaderInput &) = delete;

    // True when the input read (and round-tripped).
    bool read(const QByteArray &ui);
    // The message of the last refusal, as a user reads it.
    const QString &lastRefusal() const { return mRefusal; }

private:
    struct tHostSet;
    std::unique_ptr<tHostSet> mHost;
    QString mRefusal;
};
