#pragma once

#include "cdviabstractproperty.h"

#include <QVarLengthArray>

#include <memory>
#include <vector>

namespace vmva {

// The properties of one data-view element, in order, with their values and connectors.
// Stored form: per property, in order, a context named after the property and labelled
// "Property", holding its value (label "Value"; none for a model location property) and, when
// bound, its model location (ASCII strings labelled "Parameter" and "Element").
// Loading walks the "Property" contexts in the order of the document and matches them by name:
// one pass, whatever order an older or newer version wrote them in. A property the document
// lacks gets its default value and is unbound, whatever it held before, so that one properties
// object may load one element after another; a context naming no property of the element is
// skipped. Nothing else in the enclosing context (an element's children) is read.
// A serializer that prefers compact records (the byte-array copies of previews and the
// clipboard) gets one byte value labelled "PropertyRecords" instead (see cDVPropertyRecords);
// loading reads either form.
class cDVAbstractStdDMViewProperties
{
public:
    cDVAbstractStdDMViewProperties() = default;
    cDVAbstractStdDMViewProperties(const cDVAbstractStdDMViewProperties &) = delete;
    cDVAbstractStdDMViewProperties &operator=(const cDVAbstractStdDMViewProperties &) = delete;
    virtual ~cDVAbstractStdDMViewProperties();

    // Creates the properties; called once after construction. Calling it again does nothing.
    void initialize();
    bool isInitialized() const { return mInitialized; }

    const std::vector<cDVIAbstractProperty *> &properties() const { return mView; }
    cDVIAbstractProperty *tryFindProperty(const vstd::cAsciiString &name) const;

    virtual void store(vsa::cAbstractSerializer &serializer) const;
    // Properties missing from the document are reset to their defaults and unbound; unknown
    // ones are ignored. A property given twice, or an integer outside the property's range,
    // fails the load.
    virtual void load(vsa::cAbstractDeserializer &deserializer);

protected:
    // Adds this element's properties (addProperty) in their order.
    virtual void createProperties() = 0;
    void reserveProperties(size_t count)
    {
        mView.reserve(count);
        mOwned.reserve(count);
    }
    template <class P> P &addProperty(std::unique_ptr<P> property)
    {
        P &ref = *property;
        mView.push_back(property.get());
        mOwned.push_back(std::move(property));
        return ref;
    }

private:
    // Reads the compact records, marking what was read in `loaded`.
    void loadRecords(vsa::cAbstractDeserializer &deserializer, QVarLengthArray<bool, 64> &loaded);
    // Throws when an integer lies outside its range; `at` marks where its value was read.
    static void checkRange(cDVIAbstractProperty &property,
                           const vsa::cAbstractDeserializer &deserializer,
                           vsa::cAbstractDeserializer::tMark at);

    std::vector<std::unique_ptr<cDVIAbstractProperty>> mOwned;
    std::vector<cDVIAbstractProperty *> mView;
    bool mInitialized = false;
};

} // namespace vmva
