#pragma once

#include "cvq4vmvabstractelementbuilder.h"
#include "cvq4vmvabstractmvitemfactory.h"

#include <memory>
#include <vector>

namespace vmva { class cDVAbstractStdDMViewProperties; }

// A data-view element extension: the item factory of one element type and, in a process with
// widgets, the builder of its live object.
class cQUIDataViewItemExtension
{
public:
    explicit cQUIDataViewItemExtension(std::unique_ptr<cVQ4VMVAbstractMVItemFactory> factory,
                                       std::unique_ptr<cVQ4VMVAbstractElementBuilder> builder
                                       = nullptr);
    ~cQUIDataViewItemExtension();

    cVQ4VMVAbstractMVItemFactory *factory() const { return mFactory.get(); }
    cVQ4VMVAbstractElementBuilder *builder() const { return mBuilder.get(); }
    void setBuilder(std::unique_ptr<cVQ4VMVAbstractElementBuilder> builder);

    // Properties objects of this element type done with, kept for the next elements read, in
    // this document or the next: the same properties are made for every element of a type.
    // A kept object holds the values of its last element until it is loaded again.
    using tPropertiesPtr = std::unique_ptr<vmva::cDVAbstractStdDMViewProperties>;
    tPropertiesPtr takeSpareProperties() const;
    void keepSpareProperties(tPropertiesPtr properties) const;

private:
    std::unique_ptr<cVQ4VMVAbstractMVItemFactory> mFactory;
    std::unique_ptr<cVQ4VMVAbstractElementBuilder> mBuilder;
    // As many as elements of the type were open at once: one per nesting depth.
    mutable std::vector<tPropertiesPtr> mSpareProperties;
};
