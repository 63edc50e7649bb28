#include "cdmdatamodeldescriptor.h"

namespace vmva {

vstd::cAsciiString cDMDataModelDescriptor::toString() const
{
    if (isEmpty())
        return "unset";
    return mParameter + "." + mElement;
}

} // namespace vmva
