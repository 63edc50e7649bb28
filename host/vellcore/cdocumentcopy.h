#pragma once

#include "cabstractdeserializer.h"
#include "cabstractserializer.h"

namespace vsa {

// Copies a document, or what is left of the current context, entry by entry from a reader to a
// writer without knowing its structure: for converting between formats and for checking
// documents of unknown origin.
class cDocumentCopy
{
public:
    // Copies the entries from the reader's cursor to the end of its current context, labels
    // included (when the writer wants labels), contexts recursively.
    static void copyRest(cAbstractDeserializer &from, cAbstractSerializer &to);
};

} // namespace vsa
