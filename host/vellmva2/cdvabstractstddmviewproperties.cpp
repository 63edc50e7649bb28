#include "cdvabstractstddmviewproperties.h"

#include "cdvitypedproperties.h"
#include "cdvpropertyrecords.h"

#include "vellcore/cdocumentlimits.h"

#include <QVarLengthArray>

#include <algorithm>
#include <cmath>

namespace vmva {

namespace {
const vstd::cAsciiString kProperty = vstd::cAsciiString::fromStatic("Property");
const vstd::cAsciiString kValue = vstd::cAsciiString::fromStatic("Value");
const vstd::cAsciiString kParameter = vstd::cAsciiString::fromStatic("Parameter");
const vstd::cAsciiString kElement = vstd::cAsciiString::fromStatic("Element");
const vstd::cAsciiString kRecords = vstd::cAsciiString::fromStatic("PropertyRecords");

// The stored form is found by its labels, so they are written and read whatever the caller
// prefers for its own entries.
template <class S> class tLabelsOnSet
{
public:
    explicit tLabelsOnSet(S &s) : mS(s), mPrevious(s.preferNoLabels())
    {
        s.setPreferNoLabels(false);
    }
    ~tLabelsOnSet() { mS.setPreferNoLabels(mPrevious); }
    tLabelsOnSet(const tLabelsOnSet &) = delete;
    tLabelsOnSet &operator=(const tLabelsOnSet &) = delete;

private:
    S &mS;
    bool mPrevious;
};
using tViewSet = std::vector<cDVIAbstractProperty *>;

// The property named `name`, looked for first where the writer's order puts it (at `next`),
// which then moves behind it; null for a name the element does not have. Marks it read in
// `loaded`: one read twice is refused, as which of the two was meant cannot be told.
cDVIAbstractProperty *claim(const tViewSet &view, tViewSet::const_iterator &next,
                            QByteArrayView name, QVarLengthArray<bool, 64> &loaded,
                            const vsa::cAbstractDeserializer &deserializer,
                            vsa::cAbstractDeserializer::tMark at)
{
    const auto named = [name](const cDVIAbstractProperty *property) {
        return property->name().bytes() == name;
    };
    const auto found = next != view.cend() && named(*next)
                           ? next
                           : std::find_if(view.cbegin(), view.cend(), named);
    if (found == view.cend())
        return nullptr;
    next = found + 1;
    bool &done = loaded[found - view.cbegin()];
    if (done)
        VELL_THROW(vstd::cRuntimeException,
                   vucs::cLIMessage("$VTR$Unable to read %file%: property \"%name%\" given "
                                    "twice!")
                       << deserializer.locationOf(at) << (*found)->name());
    done = true;
    return *found;
}

} // namespace

cDVAbstractStdDMViewProperties::~cDVAbstractStdDMViewProperties() = default;

void cDVAbstractStdDMViewProperties::initialize()
{
    if (mInitialized)
        return;
    mInitialized = true;
    createProperties();
}

cDVIAbstractProperty *cDVAbstractStdDMViewProperties::tryFindProperty(
    const vstd::cAsciiString &name) const
{
    for (cDVIAbstractProperty *property : mView)
        if (property->name() == name)
            return property;
    return nullptr;
}

void cDVAbstractStdDMViewProperties::store(vsa::cAbstractSerializer &serializer) const
{
    tLabelsOnSet<vsa::cAbstractSerializer> labels(serializer);
    if (serializer.prefersCompactRecords()) {
        // Written for each element of a preview: the block keeps its room from one to the next,
        // unless one element's records (a large picture) made it grow past what others need.
        constexpr qsizetype kKeptRoom = 64 * 1024;
        static thread_local QByteArray block;
        block.resize(0);
        // The block is one byte value: one longer than a reader takes (beside a picture near
        // that limit) is written property by property instead.
        const bool encoded = cDVPropertyRecords::encode(mView, block)
                             && block.size() <= vsa::cDocumentLimits::maxBytesLength;
        if (encoded) {
            serializer.setLabel(kRecords);
            serializer.writeBytes(block);
        }
        if (block.capacity() > kKeptRoom)
            block = QByteArray();
        if (encoded)
            return;
    }
    for (const cDVIAbstractProperty *property : mView) {
        serializer.setLabel(kProperty);
        vsa::cContext context(serializer, property->name());
        property->storeValue(serializer);
        const cDMDataModelDescriptor &location = property->modelLocation();
        if (!location.isEmpty()) {
            serializer.setLabel(kParameter);
            serializer.writeAscii(location.parameterName());
            serializer.setLabel(kElement);
            serializer.writeAscii(location.elementName());
        }
        context.release();
    }
}

void cDVAbstractStdDMViewProperties::load(vsa::cAbstractDeserializer &deserializer)
{
    tLabelsOnSet<vsa::cAbstractDeserializer> labels(deserializer);
    // Which properties were read, by their place.
    QVarLengthArray<bool, 64> loaded(qsizetype(mView.size()), false);
    if (deserializer.hasEntry(kRecords))
        loadRecords(deserializer, loaded);
    vstd::cAsciiString name;
    // Where the property written after the last one read is: looked at first.
    auto next = mView.cbegin();
    while (deserializer.beginNextContext(kProperty, name)) {
        const vsa::cAbstractDeserializer::tMark at = deserializer.mark();
        cDVIAbstractProperty *property =
            claim(mView, next, name.bytes(), loaded, deserializer, at);
        if (!property) {
            // Written by another version of the element: skipped with its context.
            deserializer.endContext();
            continue;
        }
        try {
            property->resetToDefault();
            if (deserializer.hasEntry(kValue)) {
                const vsa::cAbstractDeserializer::tMark valueAt = deserializer.mark();
                property->loadValue(deserializer);
                checkRange(*property, deserializer, valueAt);
                // A reader refusing duplicates has refused a second plain value already; not
                // one read as a context (a layout), nor one left unread.
                const bool refused = deserializer.refusesDuplicateLabels()
                                     && !property->layoutView() && !property->modelLocationView();
                if (!refused && deserializer.hasEntry(kValue))
                    VELL_THROW(vstd::cRuntimeException,
                               vucs::cLIMessage("$VTR$Unable to read %file%: \"Value\" given "
                                                "twice!")
                                   << deserializer.location());
            }
            if (deserializer.hasEntry(kParameter)) {
                const vstd::cAsciiString parameter = deserializer.readAscii(kParameter);
                property->setModelLocation(
                    cDMDataModelDescriptor(parameter, deserializer.readAscii(kElement)));
            } else if (!property->modelLocation().isEmpty()) {
                property->setModelLocation(cDMDataModelDescriptor());
            }
        } catch (const vstd::cAbstractException &e) {
            vstd::cRuntimeException failure(
                vucs::cLIMessage("$VTR$Unable to load property %name% at %location%!")
                    << name << deserializer.location(),
                __FILE__, __LINE__);
            failure.link(e);
            throw failure;
        }
        // Left only when the property was read: a failed document is abandoned.
        deserializer.endContext();
    }
    for (size_t i = 0; i < mView.size(); ++i) {
        if (loaded[qsizetype(i)])
            continue;
        cDVIAbstractProperty *property = mView[i];
        property->resetToDefault();
        if (!property->modelLocation().isEmpty())
            property->setModelLocation(cDMDataModelDescriptor());
    }
}

void cDVAbstractStdDMViewProperties::loadRecords(vsa::cAbstractDeserializer &deserializer,
                                                 QVarLengthArray<bool, 64> &loaded)
{
    const vsa::cAbstractDeserializer::tMark at = deserializer.mark();
    QByteArray storage;
    const QByteArrayView block = deserializer.readBytesView(kRecords, storage);
    cDVPropertyRecords::cReader reader(block, deserializer, at);
    cDVPropertyRecords::tRecordSet record;
    // The parameter and element names of the last binding: an element's bindings share them.
    vstd::cAsciiString parameter, element;
    const auto shared = [](vstd::cAsciiString &last, QByteArrayView text) {
        if (last.bytes() != text)
            last = vstd::cAsciiString(text.data(), int(text.size()));
        return last;
    };
    auto next = mView.cbegin();
    while (!reader.atEnd()) {
        reader.next(record);
        cDVIAbstractProperty *property =
            claim(mView, next, record.name, loaded, deserializer, at);
        if (!property)
            continue; // written by another version of the element
        // The record's value replaces the whole value: nothing to reset first.
        if (!cDVPropertyRecords::assign(*property, record))
            VELL_THROW(vstd::cRuntimeException,
                       vucs::cLIMessage("$VTR$Unable to read %file%: property \"%name%\" holds "
                                        "a %kind% value!")
                           << deserializer.locationOf(at) << property->name()
                           << cDVPropertyRecords::kindName(record.kind));
        if (record.kind == cDVPropertyRecords::Int || record.kind == cDVPropertyRecords::Double
            || record.kind == cDVPropertyRecords::Moment
            || record.kind == cDVPropertyRecords::Flags)
            checkRange(*property, deserializer, at);
        if (record.bound)
            property->setModelLocation(cDMDataModelDescriptor(
                shared(parameter, record.parameter), shared(element, record.element)));
        else if (!property->modelLocation().isEmpty())
            property->setModelLocation(cDMDataModelDescriptor());
    }
}

void cDVAbstractStdDMViewProperties::checkRange(cDVIAbstractProperty &property,
                                                const vsa::cAbstractDeserializer &deserializer,
                                                vsa::cAbstractDeserializer::tMark at)
{
    if (cDVIDateTimeProperty *moment = property.dateTimeView()) {
        if (moment->value().isValid())
            return;
        VELL_THROW(vstd::cRuntimeException,
                   vucs::cLIMessage("$VTR$Unable to read %file%: \"%name%\" holds no date or "
                                    "time!")
                       << deserializer.locationOf(at) << property.name());
    }
    if (cDVIFlagsProperty *set = property.flagsView()) {
        if (set->isNamed(set->value()))
            return;
        VELL_THROW(vstd::cRuntimeException,
                   vucs::cLIMessage("$VTR$Unable to read %file%: \"%name%\" holds an unknown "
                                    "flag!")
                       << deserializer.locationOf(at) << property.name());
    }
    if (const cDVIDoubleProperty *real = property.doubleView()) {
        const double v = real->value();
        // NaN lies in no range; without a range any number is taken.
        const bool inRange = !real->hasRange() || (v >= real->minimum() && v <= real->maximum());
        if (!std::isnan(v) && inRange)
            return;
        VELL_THROW(vstd::cRuntimeException,
                   vucs::cLIMessage("$VTR$Unable to read %file%: value %value% outside "
                                    "%minimum%..%maximum% for \"%name%\"!")
                       << deserializer.locationOf(at) << QString::number(v)
                       << QString::number(real->minimum()) << QString::number(real->maximum())
                       << property.name());
    }
    const cDVIIntProperty *integer = property.intView();
    if (!integer || !integer->hasRange() || (integer->value() >= integer->minimum()
                                             && integer->value() <= integer->maximum()))
        return;
    // A named value (such as "Automatic") may lie outside the range.
    for (const cDVIIntProperty::tPredefinedPair &named : integer->predefinedValues())
        if (named.value == integer->value())
            return;
    VELL_THROW(vstd::cRuntimeException,
               vucs::cLIMessage("$VTR$Unable to read %file%: value %value% outside "
                                "%minimum%..%maximum% for \"%name%\"!")
                   << deserializer.locationOf(at) << QString::number(integer->value())
                   << QString::number(integer->minimum()) << QString::number(integer->maximum())
                   << property.name());
}

} // namespace vmva
