#include "cquidataviewitemextension.h"

#include "vellmva2/cdvabstractstddmviewproperties.h"

cQUIDataViewItemExtension::cQUIDataViewItemExtension(
    std::unique_ptr<cVQ4VMVAbstractMVItemFactory> factory,
    std::unique_ptr<cVQ4VMVAbstractElementBuilder> builder)
    : mFactory(std::move(factory)), mBuilder(std::move(builder))
{
    VELL_ASSERT(mFactory != nullptr);
}

cQUIDataViewItemExtension::~cQUIDataViewItemExtension()
{
    // The builder and the properties may refer to the factory's element description.
    mSpareProperties.clear();
    mBuilder.reset();
    mFactory.reset();
}

void cQUIDataViewItemExtension::setBuilder(std::unique_ptr<cVQ4VMVAbstractElementBuilder> builder)
{
    mBuilder = std::move(builder);
}

cQUIDataViewItemExtension::tPropertiesPtr cQUIDataViewItemExtension::takeSpareProperties() const
{
    if (mSpareProperties.empty())
        return nullptr;
    tPropertiesPtr properties = std::move(mSpareProperties.back());
    mSpareProperties.pop_back();
    return properties;
}

void cQUIDataViewItemExtension::keepSpareProperties(tPropertiesPtr properties) const
{
    if (properties)
        mSpareProperties.push_back(std::move(properties));
}
