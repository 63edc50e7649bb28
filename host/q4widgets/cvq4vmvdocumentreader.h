#pragma once

#include "vellcore/vsa.h"

#include <QHash>

class QObject;
class QWidget;
class cQUIDataViewItemExtension;
class cVQ4VMVBuildContext;

// Reads the element records of a form document ("ViewElement" contexts holding an "Element"
// context named after the element type, its "DebugInfo", its properties and its children) and
// builds the live object of each element through the builder of its extension.
class cVQ4VMVDocumentReader
{
public:
    explicit cVQ4VMVDocumentReader(cVQ4VMVBuildContext &context);

    // Builds the first top-level element of view category `category` with its children into
    // `parent`; the result is owned by the caller. Null when the document holds none. Throws
    // cRuntimeException, linked to the cause, for a document that cannot be read.
    QObject *buildTopLevel(vsa::cAbstractDeserializer &document, QWidget *parent, int category);

private:
    // Builds the element whose "Element" context is open, and its children.
    QObject *buildElement(vsa::cAbstractDeserializer &document,
                          const cQUIDataViewItemExtension &extension, QObject *parent,
                          bool topLevel);
    void buildChildren(vsa::cAbstractDeserializer &document, QObject *parent);
    // The extension of an element name, or null (traced) for an unknown one.
    const cQUIDataViewItemExtension *extension(const vstd::cAsciiString &elementName);

    cVQ4VMVBuildContext &mContext;
    // Elements built so far; a form holds at most cDocumentLimits::maxElements.
    int mElements = 0;
    QHash<QByteArray, const cQUIDataViewItemExtension *> mExtensions;
};
