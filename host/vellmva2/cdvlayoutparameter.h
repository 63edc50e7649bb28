#pragma once

#include "vellcore/casciistring.h"

namespace vmva {

// How an element takes space in its layout: a mode, optional minimum and maximum sizes and a
// stretch multiplier.
class cDVLayoutParameter
{
public:
    enum LayoutMode { Default = 0, Minimum = 1, MinimumExpanding = 2, Preferred = 3, Fixed = 4 };

    LayoutMode mode() const { return mMode; }
    void setMode(LayoutMode mode) { mMode = mode; }
    bool hasMinimum() const { return mHasMin; }
    bool hasMaximum() const { return mHasMax; }
    unsigned int minimum() const { return mMin; }
    unsigned int maximum() const { return mMax; }
    void setMinimum(unsigned int v) { mMin = v; mHasMin = true; }
    void setMaximum(unsigned int v) { mMax = v; mHasMax = true; }
    void clearMinimum() { mHasMin = false; mMin = 0; }
    void clearMaximum() { mHasMax = false; mMax = 0; }
    unsigned int multiplier() const { return mMultiplier; }
    void setMultiplier(unsigned int v) { mMultiplier = v; }

    // Readable form, for example "Preferred, min 20, max 200, x1".
    vstd::cAsciiString toString() const;

    friend bool operator==(const cDVLayoutParameter &a, const cDVLayoutParameter &b)
    {
        return a.mMode == b.mMode && a.mHasMin == b.mHasMin && a.mHasMax == b.mHasMax
            && a.mMin == b.mMin && a.mMax == b.mMax && a.mMultiplier == b.mMultiplier;
    }
    friend bool operator!=(const cDVLayoutParameter &a, const cDVLayoutParameter &b)
    {
        return !(a == b);
    }

private:
    LayoutMode mMode = Default;
    bool mHasMin = false;
    bool mHasMax = false;
    unsigned int mMin = 0;
    unsigned int mMax = 0;
    unsigned int mMultiplier = 1;
};

} // namespace vmva
