#pragma once

// Builds the live object of one element type; the widget layer defines what it builds with.
class cVQ4VMVAbstractElementBuilder
{
public:
    virtual ~cVQ4VMVAbstractElementBuilder();
};
