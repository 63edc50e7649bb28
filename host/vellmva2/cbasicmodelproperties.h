#pragma once

#include "vellcore/cstring.h"
#include "vellcore/vtypes.h"

#include <vector>

namespace vmva {

// Access rules of a node: readable, writable, and whether the node is a view of another.
class cBasicModelProperties
{
public:
    virtual ~cBasicModelProperties() = default;
    bool isReadable() const { return mReadable; }
    bool isWritable() const { return mWritable; }
    // A view node shows a value owned elsewhere; writing a view needs it to be writable.
    bool isView() const { return mView; }
    void setReadable(bool v) { mReadable = v; }
    void setWritable(bool v) { mWritable = v; }
    void setView(bool v) { mView = v; }

private:
    bool mReadable = true;
    bool mWritable = true;
    bool mView = false;
};

// An integer node's range; no range when maximum < minimum.
class cRangeModelProperties : public cBasicModelProperties
{
public:
    __int64 minimum() const { return mMin; }
    __int64 maximum() const { return mMax; }
    bool hasRange() const { return mMax >= mMin; }
    void setRange(__int64 min, __int64 max) { mMin = min; mMax = max; }

private:
    __int64 mMin = 1;
    __int64 mMax = 0;
};

// A floating point node's range; no range when maximum < minimum.
class cDRangeModelProperties : public cBasicModelProperties
{
public:
    double minimum() const { return mMin; }
    double maximum() const { return mMax; }
    bool hasRange() const { return mMax >= mMin; }
    void setRange(double min, double max) { mMin = min; mMax = max; }

private:
    double mMin = 1;
    double mMax = 0;
};

// A text node that may offer a list of entries to choose from.
class cIndexModelProperties : public cBasicModelProperties
{
public:
    const std::vector<vucs::cString> &entries() const { return mEntries; }
    void setEntries(const std::vector<vucs::cString> &entries) { mEntries = entries; }

private:
    std::vector<vucs::cString> mEntries;
};

} // namespace vmva
