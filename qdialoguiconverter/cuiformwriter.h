#pragma once

#include "cuiconversionreport.h"

#include "qdialoglayoutitems/cqdialoglayoutrootitem.h"
#include "vellcore/cstring.h"

#include <QByteArray>

class cDialogItemFactoryRegistry;

// Writes a dialog document as a Qt Designer form (".ui") through the mapping table, so that uic
// compiles it and QUiLoader loads it; what no Qt property holds (bindings, values without a
// Qt property) goes into dynamic string properties that cUiFormReader takes back exactly.
class cUiFormWriter
{
public:
    // The reader's counterpart; the items carry all the writer needs, so `registry` is not
    // kept.
    explicit cUiFormWriter(const cDialogItemFactoryRegistry &registry);
    // The document under `root` as a Qt Designer form; whatever has no place in ".ui" is
    // listed in `report` (line 0). Pictures are kept as dynamic properties: only a file has
    // room for them beside it.
    QByteArray write(const cQDialogLayoutRootItem &root, cUiConversionReport &report) const;
    // write() into the file at `path`, replaced as a whole or not at all (never half-written);
    // pictures go into files beside it. Throws a cRuntimeException naming the path when it
    // cannot be written.
    void writeFile(const cQDialogLayoutRootItem &root, const vucs::cString &path,
                   cUiConversionReport &report) const;
};
