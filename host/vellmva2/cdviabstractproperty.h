#pragma once

#include "cdmdatamodeldescriptor.h"

#include "vellcore/vsa.h"

#include <QSharedData>

#include <memory>

namespace vmva {

class cDVIModelLocationProperty;
class cDVIBoolProperty;
class cDVIAsciiStringProperty;
class cDVIIntProperty;
class cDVIPixmapProperty;
class cDVIUCStringProperty;
class cDVILayoutProperty;
class cDVIFontProperty;
class cDVIDoubleProperty;
class cDVIDateTimeProperty;
class cDVIFlagsProperty;
class cDVITextListProperty;

// One property of a data-view element: a named, documented value with a direction and a model
// location (the connector). Each concrete property offers exactly one typed view; the others
// return null. What describes the property (name, texts, flags, allowed types) is shared by its
// copies until one of them changes it: every element of a type holds the same descriptions.
class cDVIAbstractProperty
{
public:
    enum Flags {
        DirectionIn = 0x1,
        DirectionOut = 0x2,
        DirectionInOut = 0x3,
        DirectionMask = 0x3,
        NotConnectable = 0x400
    };

    cDVIAbstractProperty(const vstd::cAsciiString &name, const vstd::cAsciiString &topic,
                         const vstd::cAsciiString &help, unsigned int flags);
    virtual ~cDVIAbstractProperty();

    const vstd::cAsciiString &name() const { return mDescription->name; }
    const vstd::cAsciiString &help() const { return mDescription->help; }
    const vstd::cAsciiString &topic() const { return mDescription->topic; }
    unsigned int flags() const { return mDescription->flags; }

    const cDMDataModelDescriptor &modelLocation() const
    {
        return mLocation ? *mLocation : noLocation();
    }
    void setModelLocation(const cDMDataModelDescriptor &location);
    // The model value types a connector may name, separated by spaces or commas
    // ("piInt64 piDouble"); empty for any.
    const vstd::cAsciiString &allowedTypes() const { return mDescription->allowedTypes; }
    void setAllowedTypes(const vstd::cAsciiString &types) { mDescription->allowedTypes = types; }

    // A copy of the property with its value and connector; the description is shared.
    virtual std::unique_ptr<cDVIAbstractProperty> clone() const = 0;

    virtual cDVIModelLocationProperty *modelLocationView() { return nullptr; }
    virtual cDVIBoolProperty *boolView() { return nullptr; }
    virtual cDVIAsciiStringProperty *asciiStringView() { return nullptr; }
    virtual cDVIIntProperty *intView() { return nullptr; }
    virtual cDVIPixmapProperty *pixmapView() { return nullptr; }
    virtual cDVIUCStringProperty *ucStringView() { return nullptr; }
    virtual cDVILayoutProperty *layoutView() { return nullptr; }
    virtual cDVIFontProperty *fontView() { return nullptr; }
    virtual cDVIDoubleProperty *doubleView() { return nullptr; }
    virtual cDVIDateTimeProperty *dateTimeView() { return nullptr; }
    virtual cDVIFlagsProperty *flagsView() { return nullptr; }
    virtual cDVITextListProperty *textListView() { return nullptr; }

    virtual bool isDefault() const = 0;
    virtual void resetToDefault() = 0;
    // Writes (reads) the value only, under the label "Value"; the properties object writes the
    // surrounding context and the model location.
    virtual void storeValue(vsa::cAbstractSerializer &serializer) const = 0;
    virtual void loadValue(vsa::cAbstractDeserializer &deserializer) = 0;

protected:
    cDVIAbstractProperty(const cDVIAbstractProperty &other);
    cDVIAbstractProperty &operator=(const cDVIAbstractProperty &) = delete;

private:
    static const cDMDataModelDescriptor &noLocation();

    struct tDescriptionSet : QSharedData
    {
        vstd::cAsciiString name, topic, help, allowedTypes;
        unsigned int flags = 0;
    };
    QSharedDataPointer<tDescriptionSet> mDescription;
    // Null until the property is first bound: most properties never are.
    std::unique_ptr<cDMDataModelDescriptor> mLocation;
};

} // namespace vmva
