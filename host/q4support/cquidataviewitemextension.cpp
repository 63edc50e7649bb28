#include "cquidataviewitemextension.h"

cQUIDataViewItemExtension::cQUIDataViewItemExtension(
    std::unique_ptr<cVQ4VMVAbstractMVItemFactory> factory,
    std::unique_ptr<cVQ4VMVAbstractElementBuilder> builder)
    : mFactory(std::move(factory)), mBuilder(std::move(builder))
{
    VELL_ASSERT(mFactory != nullptr);
}

cQUIDataViewItemExtension::~cQUIDataViewItemExtension()
{
    // The builder may refer to the factory's element description: it goes first.
    mBuilder.reset();
    mFactory.reset();
}

void cQUIDataViewItemExtension::setBuilder(std::unique_ptr<cVQ4VMVAbstractElementBuilder> builder)
{
    mBuilder = std::move(builder);
}
