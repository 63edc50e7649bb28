#include "cdvlayoutparameter.h"

namespace vmva {

namespace {
const char *modeName(cDVLayoutParameter::LayoutMode mode)
{
    switch (mode) {
    case cDVLayoutParameter::Default: return "Default";
    case cDVLayoutParameter::Minimum: return "Minimum";
    case cDVLayoutParameter::MinimumExpanding: return "Minimum Expanding";
    case cDVLayoutParameter::Preferred: return "Preferred";
    case cDVLayoutParameter::Fixed: return "Fixed";
    }
    return "?";
}
} // namespace

vstd::cAsciiString cDVLayoutParameter::toString() const
{
    if (*this == cDVLayoutParameter())
        return "Default";
    vstd::cAsciiString text = modeName(mMode);
    if (mHasMin)
        text += ", min " + vstd::cAsciiString(QByteArray::number(mMin));
    if (mHasMax)
        text += ", max " + vstd::cAsciiString(QByteArray::number(mMax));
    text += ", x" + vstd::cAsciiString(QByteArray::number(mMultiplier));
    return text;
}

} // namespace vmva
