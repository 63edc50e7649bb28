#include "cnumberconversion.h"

#include <QLocale>
#include <charconv>
#include <cmath>
#include <limits>

namespace vstd {

cAsciiString cNumberConversion::toString(__int64 value)
{
    return cAsciiString(QByteArray::number(static_cast<qlonglong>(value)));
}

cAsciiString cNumberConversion::toString(unsigned long long value)
{
    return cAsciiString(QByteArray::number(static_cast<qulonglong>(value)));
}

cAsciiString cNumberConversion::toString(double value)
{
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value > 0 ? "inf" : "-inf";
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return cAsciiString(buffer, int(result.ptr - buffer));
}

bool cNumberConversion::toInt64(const cAsciiString &text, __int64 &value)
{
    bool ok = false;
    const qlonglong v = text.bytes().toLongLong(&ok);
    if (ok)
        value = v;
    return ok;
}

bool cNumberConversion::toUInt(const cAsciiString &text, unsigned int &value)
{
    if (text.startsWith("-"))
        return false;
    bool ok = false;
    const uint v = text.bytes().toUInt(&ok);
    if (ok)
        value = v;
    return ok;
}

bool cNumberConversion::toDouble(const cAsciiString &text, double &value)
{
    if (text == "nan") { value = std::numeric_limits<double>::quiet_NaN(); return true; }
    if (text == "inf") { value = std::numeric_limits<double>::infinity(); return true; }
    if (text == "-inf") { value = -std::numeric_limits<double>::infinity(); return true; }
    const char *begin = text.c_str();
    const char *end = begin + text.size();
    double v = 0;
    const auto result = std::from_chars(begin, end, v);
    if (result.ec != std::errc() || result.ptr != end || text.empty())
        return false;
    value = v;
    return true;
}

} // namespace vstd
