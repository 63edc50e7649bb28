#pragma once

#include "vellcore/casciistring.h"

namespace vmva {

// Where a property is bound: a dialog parameter and an element path inside the model the
// parameter names. Both empty means unbound.
class cDMDataModelDescriptor
{
public:
    cDMDataModelDescriptor() = default;
    cDMDataModelDescriptor(const vstd::cAsciiString &parameterName,
                           const vstd::cAsciiString &elementName)
        : mParameter(parameterName), mElement(elementName) {}

    const vstd::cAsciiString &parameterName() const { return mParameter; }
    const vstd::cAsciiString &elementName() const { return mElement; }
    bool isEmpty() const { return mParameter.empty() && mElement.empty(); }
    // "parameter.path", or "unset" when empty.
    vstd::cAsciiString toString() const;

    friend bool operator==(const cDMDataModelDescriptor &a, const cDMDataModelDescriptor &b)
    {
        return a.mParameter == b.mParameter && a.mElement == b.mElement;
    }
    friend bool operator!=(const cDMDataModelDescriptor &a, const cDMDataModelDescriptor &b)
    {
        return !(a == b);
    }

private:
    vstd::cAsciiString mParameter;
    vstd::cAsciiString mElement;
};

} // namespace vmva
