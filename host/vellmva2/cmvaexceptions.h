#pragma once

#include "vellcore/cabstractexception.h"

namespace vmva {

// The model errors of the host: missing, unreadable, unwritable or incompatible models.
class cMVAExceptions
{
public:
    [[noreturn]] static void throwModelMissing(const vstd::cAsciiString &name);
    [[noreturn]] static void throwModelNotReadable(const vstd::cAsciiString &name);
    [[noreturn]] static void throwModelNotWriteable(const vstd::cAsciiString &name);
    // "$VTR$Value %value% of model \"%name%\" is out of range %min% to %max%!"
    [[noreturn]] static void throwValueOutOfRange(const vstd::cAsciiString &name,
                                                  const QString &value, const QString &minimum,
                                                  const QString &maximum);
    // "$VTR$Unable to assign model %name% to %name%!" linked to `cause`.
    [[noreturn]] static void throwIncompatibleModels(const vstd::cAsciiString &offered,
                                                     const vstd::cAsciiString &target,
                                                     const vstd::cAbstractException &cause);
};

} // namespace vmva
