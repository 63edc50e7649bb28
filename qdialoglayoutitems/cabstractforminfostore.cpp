#include "cabstractforminfostore.h"

cAbstractFormInfoStore::~cAbstractFormInfoStore() = default;

void cAbstractFormInfoStore::loadFormInfo(vsa::cAbstractDeserializer &deserializer)
{
    cFormInfoRecord record;
    record.load(deserializer);
    applyFormInfo(record);
}
