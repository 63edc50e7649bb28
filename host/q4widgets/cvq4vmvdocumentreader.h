#pragma once

#include "vellcore/vsa.h"

#include <QHash>

#include <memory>

class QObject;
class QWidget;
class cQUIDataViewItemExtension;
class cVQ4VMVBuildContext;
namespace vmva { class cDVAbstractStdDMViewProperties; }

// Reads the element records of a form document ("ViewElement" contexts holding an "Element"
// context named after the element type, its "DebugInfo", its properties and its children) and
// builds the live object of each element through the builder of its extension.
class cVQ4VMVDocumentReader
{
public:
    explicit cVQ4VMVDocumentReader(cVQ4VMVBuildContext &context);
    ~cVQ4VMVDocumentReader();
    cVQ4VMVDocumentReader(const cVQ4VMVDocumentReader &) = delete;
    cVQ4VMVDocumentReader &operator=(const cVQ4VMVDocumentReader &) = delete;

    // Builds the first top-level element of view category `category` with its children into
    // `parent`; the result is owned by the caller. Null when the document holds none. Throws
    // cRuntimeException, linked to the cause, for a document that cannot be read.
    QObject *buildTopLevel(vsa::cAbstractDeserializer &document, QWidget *parent, int category);
    // Builds the one element record at the document's start with its children into `parent`,
    // the live object of its parent element, as a whole form builds it there. Null when it
    // builds nothing. Throws as buildTopLevel() does.
    QObject *buildChild(vsa::cAbstractDeserializer &document, QObject &parent);

private:
    // Builds the element whose "Element" context is open, and its children.
    QObject *buildElement(vsa::cAbstractDeserializer &document,
                          const cQUIDataViewItemExtension &extension, QObject *parent,
                          bool topLevel);
    void buildChildren(vsa::cAbstractDeserializer &document, QObject *parent);
    // The extension of an element name, or null (traced) for an unknown one.
    const cQUIDataViewItemExtension *extension(const vstd::cAsciiString &elementName);

    using tPropertiesPtr = std::unique_ptr<vmva::cDVAbstractStdDMViewProperties>;
    // A properties object for an element of `extension`, initialized, one the extension kept
    // when it has one. Null for an element without properties.
    tPropertiesPtr takeProperties(const cQUIDataViewItemExtension &extension);

    cVQ4VMVBuildContext &mContext;
    // Elements built so far; a form holds at most cDocumentLimits::maxElements.
    int mElements = 0;
    QHash<QByteArray, const cQUIDataViewItemExtension *> mExtensions;
};
