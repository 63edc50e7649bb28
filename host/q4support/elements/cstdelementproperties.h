#pragma once

#include "vellmva2/cdvabstractstddmviewproperties.h"
#include "vellmva2/cdvitypedproperties.h"

#include <memory>
#include <utility>

// The properties object of a standard element: which properties it has is decided by a
// function of the element's description, run once by initialize(), or copied from a prototype
// made by that function (the copies share the descriptions of the properties).
class cStdElementProperties final : public vmva::cDVAbstractStdDMViewProperties
{
public:
    using tCreateFunction = void (*)(cStdElementProperties &properties);

    explicit cStdElementProperties(tCreateFunction create) : mCreate(create) {}
    // initialize() copies the properties of `prototype`, an initialized object.
    explicit cStdElementProperties(std::shared_ptr<const cStdElementProperties> prototype)
        : mCreate(nullptr), mPrototype(std::move(prototype)) {}

    // Appends a property of type P made from `args` (the typed property's constructor
    // arguments); only meant for the create function, whose texts are literals: every element
    // of a type shares them instead of copying them.
    template <class P, class... A> P &add(A &&...args)
    {
        return addProperty(std::make_unique<P>(shared(std::forward<A>(args))...));
    }
    static vstd::cAsciiString shared(const char *literal)
    {
        return vstd::cAsciiString(QByteArray::fromRawData(literal, qstrlen(literal)));
    }

private:
    template <class T> static T &&shared(T &&value) { return std::forward<T>(value); }

protected:
    void createProperties() override;

private:
    tCreateFunction mCreate;
    std::shared_ptr<const cStdElementProperties> mPrototype;
};
