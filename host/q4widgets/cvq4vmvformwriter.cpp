#include "cvq4vmvformwriter.h"

#include "q4support/cvq4vmvdataviewmgr.h"
#include "vellmva2/cdvitypedproperties.h"

cVQ4VMVFormWriter::cVQ4VMVFormWriter(cVQ4VMVDataViewMgr &mgr,
                                     vsa::cAbstractSerializer &serializer)
    : mMgr(mgr), mSerializer(serializer)
{
    mSerializer.setPreferNoLabels(false);
}

cVQ4VMVFormWriter::~cVQ4VMVFormWriter() = default;

void cVQ4VMVFormWriter::writeFormInfo(const vstd::cAsciiString &type,
                                      const vstd::cAsciiString &name,
                                      const vucs::cString &author, unsigned int major,
                                      unsigned int minor)
{
    VELL_ASSERT(mOpen.empty());
    mSerializer.setLabel("FormInfo");
    vsa::cContext info(mSerializer, "FormInfo");
    mSerializer.setLabel("Type");
    mSerializer.writeAscii(type);
    mSerializer.setLabel("Name");
    mSerializer.writeAscii(name);
    mSerializer.setLabel("Author");
    mSerializer.writeString(author);
    mSerializer.setLabel("VH");
    mSerializer.writeUInt(major);
    mSerializer.setLabel("VL");
    mSerializer.writeUInt(minor);
    mSerializer.setLabel("LastModified");
    mSerializer.writeAscii("-");
    info.release();
}

cVQ4VMVFormWriter &cVQ4VMVFormWriter::open(const vstd::cAsciiString &elementName,
                                           const vstd::cAsciiString &debugInfo)
{
    flush();
    tOpenSet element;
    element.elementName = elementName;
    element.debugInfo = debugInfo;
    if (cQUIDataViewItemExtension *ext = mMgr.findExtension(elementName)) {
        element.properties = ext->factory()->createProperties();
        if (element.properties)
            element.properties->initialize();
    }
    mOpen.push_back(std::move(element));
    return *this;
}

vmva::cDVIAbstractProperty &cVQ4VMVFormWriter::property(const char *name)
{
    VELL_ASSERT(!mOpen.empty() && !mOpen.back().written && mOpen.back().properties);
    vmva::cDVIAbstractProperty *found = mOpen.back().properties->tryFindProperty(name);
    if (!found)
        VELL_THROW(vstd::cBugException,
                   vucs::cLIMessage("$VTR$Element %element% has no property %name%!")
                       << mOpen.back().elementName << name);
    return *found;
}

cVQ4VMVFormWriter &cVQ4VMVFormWriter::set(const char *name, const char *text)
{
    return set(name, QString::fromUtf8(text));
}

cVQ4VMVFormWriter &cVQ4VMVFormWriter::set(const char *name, const QString &text)
{
    vmva::cDVIAbstractProperty &p = property(name);
    if (auto *v = p.ucStringView())
        v->setValue(qstr(text));
    else if (auto *v = p.fontView())
        v->setValue(qstr(text));
    else if (auto *v = p.asciiStringView())
        v->setValue(qstr(text).ascii('?'));
    else if (auto *v = p.dateTimeView();
             v && vmva::cDVIDateTimeProperty::parse(v->part(), text).isValid())
        v->setValue(vmva::cDVIDateTimeProperty::parse(v->part(), text));
    else if (quint64 bits = 0; p.flagsView() && p.flagsView()->parse(text, bits))
        p.flagsView()->setValue(bits);
    else if (auto *v = p.textListView())
        v->setValue(vmva::cDVITextListProperty::parse(text));
    else
        VELL_THROW(vstd::cBugException,
                   vucs::cLIMessage("$VTR$Property %name% takes no text!") << name);
    return *this;
}

cVQ4VMVFormWriter &cVQ4VMVFormWriter::set(const char *name, __int64 value)
{
    vmva::cDVIIntProperty *v = property(name).intView();
    if (!v)
        VELL_THROW(vstd::cBugException,
                   vucs::cLIMessage("$VTR$Property %name% takes no integer!") << name);
    v->setValue(value);
    return *this;
}

cVQ4VMVFormWriter &cVQ4VMVFormWriter::set(const char *name, double value)
{
    vmva::cDVIDoubleProperty *v = property(name).doubleView();
    if (!v)
        VELL_THROW(vstd::cBugException,
                   vucs::cLIMessage("$VTR$Property %name% takes no floating-point number!")
                       << name);
    v->setValue(value);
    return *this;
}

cVQ4VMVFormWriter &cVQ4VMVFormWriter::set(const char *name, bool value)
{
    vmva::cDVIBoolProperty *v = property(name).boolView();
    if (!v)
        VELL_THROW(vstd::cBugException,
                   vucs::cLIMessage("$VTR$Property %name% takes no flag!") << name);
    v->setValue(value);
    return *this;
}

cVQ4VMVFormWriter &cVQ4VMVFormWriter::set(const char *name, const QByteArray &picture)
{
    vmva::cDVIPixmapProperty *v = property(name).pixmapView();
    if (!v)
        VELL_THROW(vstd::cBugException,
                   vucs::cLIMessage("$VTR$Property %name% takes no picture!") << name);
    v->setValue(picture);
    return *this;
}

cVQ4VMVFormWriter &cVQ4VMVFormWriter::set(const char *name,
                                          const vmva::cDVLayoutParameter &layout)
{
    vmva::cDVILayoutProperty *v = property(name).layoutView();
    if (!v)
        VELL_THROW(vstd::cBugException,
                   vucs::cLIMessage("$VTR$Property %name% takes no layout parameter!") << name);
    v->setValue(layout);
    return *this;
}

cVQ4VMVFormWriter &cVQ4VMVFormWriter::bind(const char *name,
                                           const vstd::cAsciiString &location)
{
    vstd::cAsciiString parameter, path;
    vmva::cDVAbstractDataViewMgr::splitPath(location, parameter, path);
    property(name).setModelLocation(vmva::cDMDataModelDescriptor(parameter, path));
    return *this;
}

cVQ4VMVFormWriter &cVQ4VMVFormWriter::close()
{
    VELL_ASSERT(!mOpen.empty());
    flush();
    mSerializer.endContext();
    mSerializer.endContext();
    mOpen.pop_back();
    return *this;
}

void cVQ4VMVFormWriter::flush()
{
    for (tOpenSet &element : mOpen) {
        if (element.written)
            continue;
        mSerializer.setLabel("ViewElement");
        mSerializer.beginContext("ViewElement");
        mSerializer.setLabel("Element");
        mSerializer.beginContext(element.elementName);
        if (element.properties) {
            if (!element.debugInfo.empty()) {
                mSerializer.setLabel("DebugInfo");
                mSerializer.writeAscii(element.debugInfo);
            }
            element.properties->store(mSerializer);
        }
        element.written = true;
    }
}
