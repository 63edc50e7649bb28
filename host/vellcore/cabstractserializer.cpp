#include "cabstractserializer.h"

#include "cdocumentlimits.h"

#include <QSaveFile>

namespace vsa {

void cAbstractSerializer::saveFile(const vucs::cString &path, const QByteArray &bytes)
{
    // Every reader refuses a document above the limit: writing one would leave a file that
    // cannot be opened again, so it is refused here and the file on disk stays as it was.
    if (bytes.size() > cDocumentLimits::maxDocumentSize)
        VELL_THROW(vstd::cRuntimeException,
                   vucs::cLIMessage("$VTR$Unable to write document %file%: larger than %limit% "
                                    "MiB, the most a document may take!")
                       << path << int(cDocumentLimits::maxDocumentSize / (1024 * 1024)));
    // QSaveFile writes beside the target and renames only on commit; on failure it removes its
    // temporary file and the target is untouched.
    QSaveFile file(qstr(path));
    bool ok = file.open(QIODevice::WriteOnly);
    if (ok)
        ok = file.write(bytes) == bytes.size() && file.commit();
    if (!ok)
        VELL_THROW(vstd::cRuntimeException,
                   vucs::cLIMessage("$VTR$Unable to write document %file%: %error%!")
                       << path << file.errorString());
}

} // namespace vsa
