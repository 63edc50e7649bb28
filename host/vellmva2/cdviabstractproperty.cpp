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

} // namespace vmva
