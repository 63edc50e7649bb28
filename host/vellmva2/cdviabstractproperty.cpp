#include "cdviabstractproperty.h"

namespace vmva {

cDVIAbstractProperty::cDVIAbstractProperty(const vstd::cAsciiString &name,
                                           const vstd::cAsciiString &topic,
                                           const vstd::cAsciiString &help, unsigned int flags)
    : mDescription(new tDescriptionSet)
{
    mDescription->name = name;
    mDescription->topic = topic;
    mDescription->help = help;
    mDescription->flags = flags;
}

cDVIAbstractProperty::cDVIAbstractProperty(const cDVIAbstractProperty &other)
    : mDescription(other.mDescription)
{
    setModelLocation(other.modelLocation());
}

cDVIAbstractProperty::~cDVIAbstractProperty() = default;

const cDMDataModelDescriptor &cDVIAbstractProperty::noLocation()
{
    static const cDMDataModelDescriptor none;
    return none;
}

void cDVIAbstractProperty::setModelLocation(const cDMDataModelDescriptor &location)
{
    // A location once made is kept for the next one.
    if (mLocation)
        *mLocation = location;
    else if (!location.isEmpty())
        mLocation = std::make_unique<cDMDataModelDescriptor>(location);
}

} // namespace vmva
