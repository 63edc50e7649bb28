#include "cabstractserializer.h"

#include <QSaveFile>

namespace vsa {

void cAbstractSerializer::saveFile(const vucs::cString &path, const QByteArray &bytes)
{
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
