#include "cforminforecord.h"

#include "vellcore/vsa.h"

#include <QDateTime>

void cFormInfoRecord::store(vsa::cAbstractSerializer &serializer) const
{
    serializer.setLabel("FormInfo");
    vsa::cContext section(serializer, "FormInfo");
    serializer.setLabel("Type");
    serializer.writeAscii(type);
    serializer.setLabel("Name");
    serializer.writeAscii(name);
    serializer.setLabel("Author");
    serializer.writeString(author);
    serializer.setLabel("VH");
    serializer.writeUInt(versionMajor);
    serializer.setLabel("VL");
    serializer.writeUInt(versionMinor);
    serializer.setLabel("LastModified");
    serializer.writeAscii(lastModified);
    section.release();
}

bool cFormInfoRecord::load(vsa::cAbstractDeserializer &deserializer)
{
    deserializer.setRefuseDuplicateLabels(true);
    present = !deserializer.atEnd() && deserializer.hasEntry("FormInfo");
    if (!present)
        return false;
    vsa::cContext section(deserializer, "FormInfo");
    // Read in the order written: a label is looked for from the cursor onwards.
    if (deserializer.hasEntry("Name"))
        name = deserializer.readAscii("Name");
    if (deserializer.hasEntry("Author"))
        author = deserializer.readString("Author");
    if (deserializer.hasEntry("VH"))
        versionMajor = deserializer.readUInt("VH");
    if (deserializer.hasEntry("VL"))
        versionMinor = deserializer.readUInt("VL");
    if (deserializer.hasEntry("LastModified"))
        lastModified = deserializer.readAscii("LastModified");
    section.release();
    if (deserializer.hasEntry("FormInfo")) {
        vsa::cContext again(deserializer, "FormInfo");
        VELL_THROW(vstd::cRuntimeException,
                   vucs::cLIMessage("$VTR$Unable to read %file%: \"FormInfo\" given twice!")
                       << deserializer.location());
    }
    return true;
}

vstd::cAsciiString cFormInfoRecord::lastModifiedNow()
{
    // Stamped from the GUI thread only.
    static qint64 second = -1;
    static vstd::cAsciiString text;
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    if (now != second) {
        text = lastModifiedText(QDateTime::fromSecsSinceEpoch(now));
        second = now;
    }
    return text;
}

vstd::cAsciiString cFormInfoRecord::lastModifiedText(const QDateTime &time)
{
    const QDate d = time.date();
    const QTime t = time.time();
    return vstd::cAsciiString(QStringLiteral("%1/%2/%3-%4:%5.%6")
                                  .arg(d.day())
                                  .arg(d.month())
                                  .arg(d.year())
                                  .arg(t.hour())
                                  .arg(t.minute())
                                  .arg(t.second())
                                  .toLatin1());
}
