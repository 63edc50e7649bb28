#pragma once

#include "cabstractdeserializer.h"
#include "cabstractserializer.h"

#include <exception>

namespace vsa {

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
        cAbstractSerializer *serializer = mSerializer;
        cAbstractDeserializer *deserializer = mDeserializer;
        mSerializer = nullptr;
        mDeserializer = nullptr;
        if (serializer)
            serializer->endContext();
        if (deserializer)
            deserializer->endContext();
    }

private:
    cAbstractSerializer *mSerializer = nullptr;
    cAbstractDeserializer *mDeserializer = nullptr;
    int mExceptions = std::uncaught_exceptions();
};

} // namespace vsa
