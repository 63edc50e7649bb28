#pragma once

#include "q4widgets/cvq4vmvelementbuilder.h"

#include "vellmva2/cdvitypedproperties.h"

// Builds the date, time and date-time editors, which show a text node's ISO date or time.
class cVQ4DateTimeBuilder final : public cVQ4VMVElementBuilder
{
public:
    explicit cVQ4DateTimeBuilder(vmva::cDVIDateTimeProperty::Part part);

protected:
    QObject *create(vmva::cDVAbstractStdDMViewProperties *properties, QObject *parent,
                    cVQ4VMVBuildContext &context) const override;

private:
    vmva::cDVIDateTimeProperty::Part mPart;
};
