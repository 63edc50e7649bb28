#pragma once

// Component system: addresses, module information, modules, components and the module manager.
// Declarations only; see cmodulemgr.h for the manager.
#include "vrmi.h"
#include "vsa.h"

namespace vce { class cCoreExtensionMgr; }

namespace vcs {

class cModuleMgr;

// Address of a component: the reference frame it lives in and its number there.
class cComponentAddr
{
public:
    cComponentAddr() = default;
    cComponentAddr(const vstd::cAsciiString &frame, unsigned int id) : mFrame(frame), mId(id) {}
    bool isValid() const { return mId != 0; }
    unsigned int id() const { return mId; }
    const vstd::cAsciiString &frame() const { return mFrame; }
    // "frame:id", for example "local:3"; "none" for an invalid address.
    vstd::cAsciiString toString() const;
    friend bool operator==(const cComponentAddr &a, const cComponentAddr &b)
    {
        return a.mId == b.mId && a.mFrame == b.mFrame;
    }
    friend bool operator!=(const cComponentAddr &a, const cComponentAddr &b) { return !(a == b); }

private:
    vstd::cAsciiString mFrame;
    unsigned int mId = 0;
};

// What a module tells about itself.
class cModuleInfo
{
public:
    const vstd::cAsciiString &name() const { return mName; }
    const vstd::cAsciiString &author() const { return mAuthor; }
    const vstd::cAsciiString &description() const { return mDescription; }
    // The kind of module ("Component", "PlugIn"), shown in front of its name.
    const vstd::cAsciiString &context() const { return mContext; }
    void setName(const vstd::cAsciiString &v) { mName = v; }
    void setAuthor(const vstd::cAsciiString &v) { mAuthor = v; }
    void setDescription(const vstd::cAsciiString &v) { mDescription = v; }
    void setContext(const vstd::cAsciiString &v) { mContext = v; }

private:
    vstd::cAsciiString mName, mAuthor, mDescription, mContext = "Component";
};

// Interfaces a module offers to others; none are needed yet beyond the base.
class cAbstractInterfaceProvider
{
public:
    virtual ~cAbstractInterfaceProvider() = default;
};

// A loadable unit of the host. The virtual operations have the host's default behaviour.
class cAbstractModule : public vrmi::cConnectable, public cAbstractInterfaceProvider
{
public:
    ~cAbstractModule() override = default;
    cModuleInfo &moduleInfo() { return mInfo; }
    const cModuleInfo &info() const { return mInfo; }

    virtual void storeSettings(vsa::cAbstractSerializer &) {}
    virtual void loadSettings(vsa::cAbstractDeserializer &) {}
    virtual void applySettings() {}
    virtual bool applicationCloseAdvisable() { return true; }
    virtual void languageChanged() {}
    virtual void notifyComponentRegistered() {}
    virtual void notifyShortlyRemove() {}
    virtual bool isPlugIn() const { return false; }
    virtual bool isComponent() const { return true; }
    virtual bool isLocal() const { return true; }

private:
    cModuleInfo mInfo;
};

// A module instance with an address, created in a reference frame of a module manager.
class cAbstractComponent : public cAbstractModule
{
public:
    cAbstractComponent(cModuleMgr &moduleMgr, vsa::cReferenceFrame &frame);
    ~cAbstractComponent() override;
    const cComponentAddr &address() const { return mAddress; }
    cModuleMgr &moduleMgr() const { return *mModuleMgr; }
    vsa::cReferenceFrame &referenceFrame() const { return *mFrame; }

private:
    friend class cModuleMgr;   // detaches components that outlive it
    cModuleMgr *mModuleMgr;
    vsa::cReferenceFrame *mFrame;
    cComponentAddr mAddress;
};

} // namespace vcs
