#include "cdefaultforminfostore.h"

#include "vellcore/cplatform.h"

cDefaultFormInfoStore::cDefaultFormInfoStore()
{
    reset();
}

void cDefaultFormInfoStore::reset()
{
    mRecord = cFormInfoRecord();
    mRecord.author = vpi::cPlatform::userName();
}

void cDefaultFormInfoStore::storeFormInfo(vsa::cAbstractSerializer &serializer)
{
    mRecord.lastModified = cFormInfoRecord::lastModifiedNow();
    mRecord.store(serializer);
}

void cDefaultFormInfoStore::writeFormInfo(vsa::cAbstractSerializer &serializer) const
{
    mRecord.store(serializer);
}

void cDefaultFormInfoStore::applyFormInfo(const cFormInfoRecord &record)
{
    if (!record.present) {
        // Version numbers stay as they are for a document that does not tell them.
        mRecord.name = "unknown";
        mRecord.author = vucs::cString("unknown");
        mRecord.lastModified = "-";
        return;
    }
    const vstd::cAsciiString type = mRecord.type;
    mRecord = record;
    mRecord.type = type;
}

void cDefaultFormInfoStore::setFormType(const vstd::cAsciiString &type)
{
    mRecord.type = type.empty() ? vstd::cAsciiString("none") : type;
}
