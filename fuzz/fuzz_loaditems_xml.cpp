// Arbitrary bytes as a dialog document file.
#include "loaditemsinput.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static cLoadItemsInput input;
    input.loadDocument(QByteArray::fromRawData(reinterpret_cast<const char *>(data),
                                               qsizetype(size)));
    return 0;
}
