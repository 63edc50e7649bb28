#include "cvq4vmvabstractelementbuilder.h"

// Out of line so that the class's type information lives in this library only.
cVQ4VMVAbstractElementBuilder::~cVQ4VMVAbstractElementBuilder() = default;
