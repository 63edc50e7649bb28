#pragma once

#include "climessage.h"

#include <exception>
#include <memory>
#include <string>

namespace vstd {

// Base of all host exceptions: a translatable message, the place that raised it and an optional
// cause, so that a failure in a nested step can be wrapped without losing what caused it.
class cAbstractException : public std::exception
{
public:
    cAbstractException(const vucs::cLIMessage &message, const char *file = nullptr, int line = 0);
    cAbstractException(const cAbstractException &other);
    cAbstractException &operator=(const cAbstractException &other);
    ~cAbstractException() override;

    const vucs::cLIMessage &message() const { return mMessage; }
    const char *file() const { return mFile.empty() ? nullptr : mFile.c_str(); }
    int line() const { return mLine; }
    // The message as shown (marker stripped, placeholders filled).
    const char *what() const noexcept override;

    // Links `cause` (copied with its own causes) as the reason for this exception.
    cAbstractException &link(const cAbstractException &cause);
    const cAbstractException *cause() const { return mCause.get(); }

    virtual const char *typeName() const = 0;
    virtual std::unique_ptr<cAbstractException> clone() const = 0;
    // Throws a copy of this exception with its dynamic type.
    [[noreturn]] virtual void raise() const = 0;

private:
    vucs::cLIMessage mMessage;
    std::string mFile;
    int mLine = 0;
    std::string mWhat;
    std::unique_ptr<cAbstractException> mCause;
};

// Readable text of an exception chain, outermost first, one line per exception; each line ends
// with the source position that raised it when `withSource` (for trace output, not for users).
vucs::cString describe(const cAbstractException &e, bool withSource = true);

#define VSTD_DECLARE_EXCEPTION(Name, Base)                                                        \
    class Name : public Base                                                                    \
    {                                                                                           \
    public:                                                                                     \
        using Base::Base;                                                                       \
        const char *typeName() const override { return #Name; }                                 \
        std::unique_ptr<cAbstractException> clone() const override                              \
        {                                                                                       \
            return std::make_unique<Name>(*this);                                               \
        }                                                                                       \
        [[noreturn]] void raise() const override { throw *this; }                               \
    };

// Misuse of an interface: a bug in the caller.
VSTD_DECLARE_EXCEPTION(cBugException, cAbstractException)
// An operation that failed at run time: bad input, a missing file, a refused change.
VSTD_DECLARE_EXCEPTION(cRuntimeException, cAbstractException)
// A value of one type offered where another was needed.
VSTD_DECLARE_EXCEPTION(cTypeMissmatchException, cAbstractException)

} // namespace vstd

// Raises `Type(message)` tagged with the current source position.
#define VELL_THROW(Type, message) throw Type((message), __FILE__, __LINE__)
// Host assertion: raises a cBugException naming the failed condition.
#define VELL_ASSERT(cond)                                                                      \
    do {                                                                                        \
        if (!(cond))                                                                            \
            throw vstd::cBugException(vucs::cLIMessage("$VTR$Assertion \"%cond%\" failed!")     \
                                          << #cond, __FILE__, __LINE__);                        \
    } while (false)
