#pragma once

#include "vcs.h"

#include <map>
#include <memory>
#include <vector>

class QLibrary;

namespace vcs {

// Loads module libraries, owns the components they create and finds components by address.
// Other host layers keep per-manager state in attachments (for example the root data model).
// On destruction: the owned components (newest first), then the attachments, then the module
// libraries are unloaded.
class cModuleMgr
{
public:
    // Base of the per-manager state other layers attach; destroyed after all components.
    class cAttachment
    {
    public:
        virtual ~cAttachment() = default;
    };

    // The host's own version; a module whose vellVersion major differs is refused.
    static constexpr unsigned int kVellMajor = 2;
    static constexpr unsigned int kVellMinor = 0;

    struct tVersionPair
    {
        unsigned int major = 0;
        unsigned int minor = 0;
    };
    // What the manager learnt about a module library it loaded.
    struct tLibrarySet
    {
        vucs::cString path;
        tVersionPair moduleVersion;
        tVersionPair vellVersion;
    };

    cModuleMgr();
    ~cModuleMgr();
    cModuleMgr(const cModuleMgr &) = delete;
    cModuleMgr &operator=(const cModuleMgr &) = delete;

    // Loads the module library at `path`, checks its versions and creates its component, which
    // the manager owns. Throws cRuntimeException naming the file when the library cannot be
    // loaded, lacks an export, has an incompatible version or creates no component.
    cAbstractComponent &loadModule(const vucs::cString &path, vsa::cReferenceFrame &frame);
    // Takes ownership of a component created in this process.
    cAbstractComponent &addComponent(std::unique_ptr<cAbstractComponent> component);
    // Destroys a component the manager owns.
    void removeComponent(cAbstractComponent &component);
    // Destroys every component the manager owns, the newest first. The destructor does this too;
    // call it earlier when the components need objects that die before the manager (the
    // application object).
    void removeAllComponents();

    // The component at `address`; throws cRuntimeException when there is none.
    cAbstractComponent &findComponent(const cComponentAddr &address) const;
    // The component at `address`, or null.
    cAbstractComponent *hasComponent(const cComponentAddr &address) const;
    std::vector<cAbstractComponent *> components() const;
    // The library `component` was loaded from, or null when it was not loaded by loadModule.
    const tLibrarySet *library(const cAbstractComponent &component) const;

    vce::cCoreExtensionMgr &coreExtensions() const { return *mCoreExtensions; }

    // Per-manager state of other layers, destroyed with the manager after all components.
    cAttachment *attachment(const char *key) const;
    void setAttachment(const char *key, std::unique_ptr<cAttachment> attachment);

private:
    friend class cAbstractComponent;
    cComponentAddr registerComponent(cAbstractComponent &component, vsa::cReferenceFrame &frame);
    void unregisterComponent(cAbstractComponent &component);

    struct tModulePair
    {
        std::unique_ptr<cAbstractComponent> component;
        std::unique_ptr<QLibrary> library;
        tLibrarySet info;
    };
    // Libraries stay loaded until the manager goes, after its attachments: a library may hold the
    // only reference to a host layer whose objects sit in an attachment.
    void retire(tModulePair &pair);
    std::vector<std::unique_ptr<QLibrary>> mRetired;
    std::unique_ptr<vce::cCoreExtensionMgr> mCoreExtensions;
    std::vector<cAbstractComponent *> mLive;   // every constructed component, in order
    std::vector<tModulePair> mOwned;           // components this manager destroys
    unsigned int mNextId = 1;
    std::map<std::string, std::unique_ptr<cAttachment>> mAttachments;
};

} // namespace vcs

// Signatures of a module library's exports (plain C linkage).
extern "C" {
typedef void (*tModuleInitComponent)(vcs::cAbstractComponent **component, vcs::cModuleMgr &mgr,
                                     vsa::cReferenceFrame &frame);
typedef void (*tModuleVersion)(unsigned int *major, unsigned int *minor);
}
