#pragma once

#include "cuielementmap.h"

#include <QString>

class QXmlStreamWriter;
class cUiXmlNode;
namespace vmva {
class cDVIAbstractProperty;
class cDVIDateTimeProperty;
}

// Property values in Qt Designer's value elements (<string>, <number>, <enum>, <font>, ...),
// read into and written from the element properties by their typed view.
class cUiValueCodec
{
public:
    // A picture named by an exported form: the file beside it and the bytes it holds.
    struct tPictureSet
    {
        QString file;
        QByteArray bytes;
    };

    // Sets `property` from the value element `value`; false with `problem` set when the value
    // does not fit (the property keeps its value). Pictures are read from files relative to
    // `folder`.
    static bool read(vmva::cDVIAbstractProperty &property, const cUiXmlNode &value,
                     const cUiElementMap::tEnumSet *enums, const QString &folder,
                     QString &problem);
    // Sets `property` from the text of a row's Qt default ("", "false", "Vertical").
    static void readDefault(vmva::cDVIAbstractProperty &property,
                            const cUiElementMap::tEnumSet *enums, const char *text);
    // Writes `<tag name="NAME">` with the value element of `property` inside; a picture is
    // named `picture.file` (empty: no picture can be written) plus its extension, and its bytes
    // are handed back in `picture`. False, with nothing written, when the value has no
    // element that gives it back exactly.
    static bool write(QXmlStreamWriter &xml, const QString &tag, const QString &name,
                      const vmva::cDVIAbstractProperty &property,
                      const cUiElementMap::tEnumSet *enums, tPictureSet &picture);

    // The value of any property as text and back, for the dynamic properties that carry what
    // no Qt property does.
    static QString text(const vmva::cDVIAbstractProperty &property);
    static bool setText(vmva::cDVIAbstractProperty &property, const QString &text);

    // QFont's description text of a <font> element and back.
    static QString fontText(const cUiXmlNode &font);
    static bool writeFont(QXmlStreamWriter &xml, const QString &description);
    // Whether a <font> element gives the description back exactly.
    static bool fontFits(const QString &description);

private:
    static void writeMoment(QXmlStreamWriter &xml, const vmva::cDVIDateTimeProperty &property);
};
