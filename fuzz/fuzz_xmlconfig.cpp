// Arbitrary bytes as an "XML-Config" document.
#include "serializerfuzzcheck.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // A copy, so that reading beyond the input is caught.
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    std::unique_ptr<vsa::cDeserializeXML> reader;
    try {
        reader = std::make_unique<vsa::cDeserializeXML>(input, "fuzz.dlg");
    } catch (const vstd::cRuntimeException &) {
        return 0;
    }
    cSerializerFuzzCheck::check(*reader);
    return 0;
}
