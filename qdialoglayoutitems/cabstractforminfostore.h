#pragma once

#include "cforminforecord.h"

// Keeper of a document's form information (name, author, version, last save): what the
// document asks of it when a document is started, saved, previewed or loaded. The form
// information panel implements it; cDefaultFormInfoStore serves where there is no panel.
class cAbstractFormInfoStore
{
public:
    virtual ~cAbstractFormInfoStore();

    // A new document: the default fields.
    virtual void reset() = 0;
    // Called right before every storeFormInfo(); the panel refreshes its translation list.
    virtual void updateTranslationList() {}
    // Applies pending version changes, stamps the last modified text and writes "FormInfo".
    virtual void storeFormInfo(vsa::cAbstractSerializer &serializer) = 0;
    // Writes "FormInfo" as it stands, for a copy that is no save (a recovery file): pending
    // version changes stay pending and the last modified text is the one shown.
    virtual void writeFormInfo(vsa::cAbstractSerializer &serializer) const = 0;
    // Takes over the fields a document held; `record.present` is false for a document without
    // the section. Called only once the whole document was read.
    virtual void applyFormInfo(const cFormInfoRecord &record) = 0;
    // The type of the current document ("Dialog", "Menu", "ToolBar"; empty for none).
    virtual void setFormType(const vstd::cAsciiString &type) = 0;

    // Reads the section at the deserializer's position and applies it.
    void loadFormInfo(vsa::cAbstractDeserializer &deserializer);
};
