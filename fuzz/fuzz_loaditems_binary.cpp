// Arbitrary bytes as a clipboard entry.
#include "loaditemsinput.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static cLoadItemsInput input;
    input.loadClipboard(QByteArray::fromRawData(reinterpret_cast<const char *>(data),
                                                qsizetype(size)));
    return 0;
}
