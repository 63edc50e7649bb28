#include "cvq4vmvdocumentreader.h"

#include "cvq4vmvbuildcontext.h"

#include "q4support/cvq4signalblocker.h"
#include "q4support/cvq4vmvdataviewmgr.h"
#include "vellcore/cdebugstream.h"
#include "vellcore/cdocumentlimits.h"
#include "vellmva2/cdvitypedproperties.h"

#include <QWidget>

namespace {

const vstd::cAsciiString kViewElement = vstd::cAsciiString::fromStatic("ViewElement");
const vstd::cAsciiString kElement = vstd::cAsciiString::fromStatic("Element");
const vstd::cAsciiString kDebugInfo = vstd::cAsciiString::fromStatic("DebugInfo");
const vstd::cAsciiString kModel = vstd::cAsciiString::fromStatic("Model");

// Wraps a failure below one element in a message that names the element and where reading
// stopped.
[[noreturn]] void rethrowIn(const vstd::cAbstractException &cause,
                            const vstd::cAsciiString &elementName,
                            const vsa::cAbstractDeserializer &document)
{
    const vucs::cString where = document.location();
    vstd::cRuntimeException failure(
        vucs::cLIMessage("$VTR$Unable to build element %name% at %location%!")
            << elementName << where,
        __FILE__, __LINE__);
    failure.link(cause);
    throw failure;
}

} // namespace

cVQ4VMVDocumentReader::cVQ4VMVDocumentReader(cVQ4VMVBuildContext &context) : mContext(context)
{
}

cVQ4VMVDocumentReader::~cVQ4VMVDocumentReader() = default;

QObject *cVQ4VMVDocumentReader::buildTopLevel(vsa::cAbstractDeserializer &document,
                                              QWidget *parent, int category)
{
    document.setPreferNoLabels(false);
    document.setRefuseDuplicateLabels(true);
    while (!document.atEnd() && document.hasEntry(kViewElement)) {
        vsa::cContext record(document, kViewElement);
        const vstd::cAsciiString name = document.contextName(kElement);
        const cQUIDataViewItemExtension *ext = extension(name);
        if (ext && ext->factory()->viewCategory() == category
            && ext->factory()->isTopLevelElement()) {
            std::unique_ptr<QObject> owner;
            try {
                vsa::cContext element(document, kElement);
                owner.reset(buildElement(document, *ext, parent, true));
                element.release();
            } catch (const vstd::cAbstractException &e) {
                rethrowIn(e, name, document);
            }
            record.release();
            if (owner)
                return owner.release();
            continue;
        }
        if (ext)
            VELL_TRACE(QStringLiteral("+++ WARNING: Element %1 is no top-level element here, "
                                      "skipped!").arg(qstr(name)));
        record.release();
    }
    return nullptr;
}

QObject *cVQ4VMVDocumentReader::buildChild(vsa::cAbstractDeserializer &document, QObject &parent)
{
    document.setPreferNoLabels(false);
    document.setRefuseDuplicateLabels(true);
    if (document.atEnd() || !document.hasEntry(kViewElement))
        return nullptr;
    vsa::cContext record(document, kViewElement);
    const vstd::cAsciiString name = document.contextName(kElement);
    const cQUIDataViewItemExtension *ext = extension(name);
    if (!ext)
        return nullptr;
    QObject *object = nullptr;
    try {
        vsa::cContext element(document, kElement);
        // As among its siblings: adding it must not look like user input.
        cVQ4SignalBlocker blocker(parent);
        object = buildElement(document, *ext, &parent, false);
        element.release();
    } catch (const vstd::cAbstractException &e) {
        rethrowIn(e, name, document);
    }
    record.release();
    return object;
}

QObject *cVQ4VMVDocumentReader::buildElement(vsa::cAbstractDeserializer &document,
                                             const cQUIDataViewItemExtension &extension,
                                             QObject *parent, bool topLevel)
{
    if (++mElements > vsa::cDocumentLimits::maxElements)
        VELL_THROW(vstd::cRuntimeException,
                   vucs::cLIMessage("$VTR$Unable to read %file%: more than %count% elements in "
                                    "one form!")
                       << document.location() << vsa::cDocumentLimits::maxElements);
    tPropertiesPtr properties = takeProperties(extension);
    vstd::cAsciiString debugInfo;
    if (properties) {
        if (document.hasEntry(kDebugInfo))
            debugInfo = document.readAscii(kDebugInfo);
        properties->load(document);
    }
    const auto *builder = dynamic_cast<const cVQ4VMVElementBuilder *>(extension.builder());
    if (!builder) {
        VELL_TRACE(QStringLiteral("+++ WARNING: Element %1 has no builder, skipped!")
                       .arg(qstr(extension.factory()->elementName())));
        return nullptr;
    }
    mContext.setTopLevel(topLevel);
    QObject *object = builder->build(properties.get(), debugInfo, parent, mContext);
    mContext.setTopLevel(false);
    if (!object) {
        VELL_TRACE(QStringLiteral("+++ WARNING: Element %1 does not fit into its parent, "
                                  "skipped!").arg(qstr(extension.factory()->elementName())));
        return nullptr;
    }
    // A top-level object has no parent element to own it until it is handed out.
    std::unique_ptr<QObject> owner(topLevel ? object : nullptr);
    vmva::cDVIAbstractProperty *model = properties ? properties->tryFindProperty(kModel)
                                                   : nullptr;
    const bool relative = model && model->modelLocationView() && !model->modelLocation().isEmpty();
    if (relative)
        mContext.pushModelLocation(model->modelLocation());
    {
        // Adding children (the first tab page) must not look like user input either.
        cVQ4SignalBlocker blocker(*object);
        buildChildren(document, object);
        builder->finish(*object, properties.get(), mContext);
    }
    if (relative)
        mContext.popModelLocation();
    owner.release();
    if (properties)
        extension.keepSpareProperties(std::move(properties));
    return object;
}

cVQ4VMVDocumentReader::tPropertiesPtr cVQ4VMVDocumentReader::takeProperties(
    const cQUIDataViewItemExtension &extension)
{
    // What an earlier element left is replaced by load(), which resets what a record lacks.
    if (tPropertiesPtr spare = extension.takeSpareProperties())
        return spare;
    tPropertiesPtr properties = extension.factory()->createProperties();
    if (properties)
        properties->initialize();
    return properties;
}

void cVQ4VMVDocumentReader::buildChildren(vsa::cAbstractDeserializer &document, QObject *parent)
{
    // The element's name is a view of the document: looked up, not copied.
    vstd::cAsciiString name;
    while (!document.atEnd() && document.hasEntry(kViewElement)) {
        vsa::cContext record(document, kViewElement);
        if (!document.beginNextContext(kElement, name))
            document.contextName(kElement); // throws, naming what is missing
        if (const cQUIDataViewItemExtension *ext = extension(name)) {
            try {
                buildElement(document, *ext, parent, false);
            } catch (const vstd::cAbstractException &e) {
                rethrowIn(e, name, document);
            }
        }
        document.endContext();
        record.release();
    }
}

const cQUIDataViewItemExtension *cVQ4VMVDocumentReader::extension(
    const vstd::cAsciiString &elementName)
{
    const cQUIDataViewItemExtension *found = nullptr;
    const auto cached = mExtensions.constFind(elementName.bytes());
    if (cached != mExtensions.constEnd()) {
        found = cached.value();
    } else {
        found = mContext.mgr().findExtension(elementName);
        // The name may be a view of the document: the key is a copy of its own.
        mExtensions.insert(QByteArray(elementName.data(), elementName.size()), found);
    }
    if (!found)
        VELL_TRACE(QStringLiteral("+++ WARNING: Element %1 is unknown, skipped!")
                       .arg(qstr(elementName)));
    return found;
}
