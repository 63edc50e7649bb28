#pragma once

#include "cabstractforminfostore.h"

// Form information kept in memory only, for documents handled without the editor's panel.
class cDefaultFormInfoStore final : public cAbstractFormInfoStore
{
public:
    cDefaultFormInfoStore();

    void reset() override;
    void storeFormInfo(vsa::cAbstractSerializer &serializer) override;
    void writeFormInfo(vsa::cAbstractSerializer &serializer) const override;
    void applyFormInfo(const cFormInfoRecord &record) override;
    void setFormType(const vstd::cAsciiString &type) override;

    const cFormInfoRecord &record() const { return mRecord; }

private:
    cFormInfoRecord mRecord;
};
