#include "cdviabstractproperty.h"

namespace vmva {

cDVIAbstractProperty::cDVIAbstractProperty(const vstd::cAsciiString &name,
                                           const vstd::cAsciiString &topic,
                                           const vstd::cAsciiString &help, unsigned int flags)
    : mName(name), mTopic(topic), mHelp(help), mFlags(flags)
{
}

} // namespace vmva
