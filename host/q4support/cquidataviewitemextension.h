#pragma once

#include "cvq4vmvabstractelementbuilder.h"
#include "cvq4vmvabstractmvitemfactory.h"

#include <memory>

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

private:
    std::unique_ptr<cVQ4VMVAbstractMVItemFactory> mFactory;
    std::unique_ptr<cVQ4VMVAbstractElementBuilder> mBuilder;
};
