#pragma once

#include "vellmva2/cdvabstractstddmviewproperties.h"
#include "vellmva2/cdvitypedproperties.h"

#include <memory>
#include <utility>

// The properties object of a standard element: which properties it has is decided by a
// function of the element's description, run once by initialize().
class cStdElementProperties final : public vmva::cDVAbstractStdDMViewProperties
{
public:
    using tCreateFunction = void (*)(cStdElementProperties &properties);

    explicit cStdElementProperties(tCreateFunction create) : mCreate(create) {}

    // Appends a property of type P made from `args` (the typed property's constructor
    // arguments); only meant for the create function.
    template <class P, class... A> P &add(A &&...args)
    {
        return addProperty(std::make_unique<P>(std::forward<A>(args)...));
    }

protected:
    void createProperties() override;

private:
    tCreateFunction mCreate;
};
