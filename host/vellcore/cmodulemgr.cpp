#include "cmodulemgr.h"

#include "ccoreextensionmgr.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>
#include <QLibrary>

namespace vcs {

namespace {

[[noreturn]] void refuse(const vucs::cLIMessage &message, int line)
{
    throw vstd::cRuntimeException(message, __FILE__, line);
}

template <class F>
F resolve(QLibrary &library, const char *name, const vucs::cString &path)
{
    auto f = reinterpret_cast<F>(library.resolve(name));
    if (!f)
        refuse(vucs::cLIMessage("$VTR$Module \"%file%\" lacks the export %name%!") << path << name,
               __LINE__);
    return f;
}

} // namespace

cModuleMgr::cModuleMgr() : mCoreExtensions(std::make_unique<vce::cCoreExtensionMgr>()) {}

cModuleMgr::~cModuleMgr()
{
    removeAllComponents();
    // Components this manager does not own must not reach back into it when they go.
    for (cAbstractComponent *c : mLive)
        c->mModuleMgr = nullptr;
    mLive.clear();
    mAttachments.clear();
    // Objects of a module that asked to be deleted later still need its code.
    if (!mRetired.empty() && QCoreApplication::instance())
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    while (!mRetired.empty()) {
        mRetired.back()->unload();
        mRetired.pop_back();
    }
}

cAbstractComponent &cModuleMgr::loadModule(const vucs::cString &path, vsa::cReferenceFrame &frame)
{
    auto library = std::make_unique<QLibrary>(qstr(path));
    // Qt keeps pointers into loaded code (meta-type registrations, resources) for the life of the
    // process, so a module's code stays mapped even after it is unloaded.
    library->setLoadHints(QLibrary::PreventUnloadHint);
    if (!QFileInfo(qstr(path)).isFile())
        refuse(vucs::cLIMessage("$VTR$Module \"%file%\" does not exist!") << path, __LINE__);
    if (!library->load())
        refuse(vucs::cLIMessage("$VTR$Unable to load module \"%file%\": %reason%")
                   << path << library->errorString(),
               __LINE__);

    tModulePair pair;
    pair.info.path = path;
    try {
        auto init = resolve<tModuleInitComponent>(*library, "moduleInitComponent", path);
        auto moduleVersion = resolve<tModuleVersion>(*library, "moduleVersion", path);
        auto vellVersion = resolve<tModuleVersion>(*library, "vellVersion", path);
        moduleVersion(&pair.info.moduleVersion.major, &pair.info.moduleVersion.minor);
        vellVersion(&pair.info.vellVersion.major, &pair.info.vellVersion.minor);
        if (pair.info.vellVersion.major != kVellMajor)
            refuse(vucs::cLIMessage("$VTR$Module \"%file%\" was built for host version "
                                    "%major%.%minor%, this host is %major%.%minor%!")
                       << path << pair.info.vellVersion.major << pair.info.vellVersion.minor
                       << kVellMajor << kVellMinor,
                   __LINE__);

        cAbstractComponent *component = nullptr;
        try {
            init(&component, *this, frame);
        } catch (const vstd::cAbstractException &e) {
            vstd::cRuntimeException wrapped(
                vucs::cLIMessage("$VTR$Unable to create the component of module \"%file%\"!")
                    << path,
                __FILE__, __LINE__);
            wrapped.link(e);
            throw wrapped;
        } catch (const std::exception &e) {
            refuse(vucs::cLIMessage("$VTR$Unable to create the component of module \"%file%\": "
                                    "%reason%")
                       << path << e.what(),
                   __LINE__);
        }
        if (!component)
            refuse(vucs::cLIMessage("$VTR$Module \"%file%\" created no component!") << path,
                   __LINE__);
        pair.component.reset(component);
    } catch (...) {
        mRetired.push_back(std::move(library));
        throw;
    }
    pair.library = std::move(library);
    mOwned.push_back(std::move(pair));
    return *mOwned.back().component;
}

cAbstractComponent &cModuleMgr::addComponent(std::unique_ptr<cAbstractComponent> component)
{
    VELL_ASSERT(component != nullptr);
    VELL_ASSERT(component->mModuleMgr == this);
    tModulePair pair;
    pair.component = std::move(component);
    mOwned.push_back(std::move(pair));
    return *mOwned.back().component;
}

void cModuleMgr::removeComponent(cAbstractComponent &component)
{
    for (auto it = mOwned.begin(); it != mOwned.end(); ++it) {
        if (it->component.get() == &component) {
            tModulePair pair = std::move(*it);
            mOwned.erase(it);
            retire(pair);
            return;
        }
    }
    VELL_THROW(vstd::cBugException,
               vucs::cLIMessage("$VTR$Component %address% is not owned by the module manager!")
                   << component.address().toString());
}

void cModuleMgr::removeAllComponents()
{
    while (!mOwned.empty()) {
        tModulePair pair = std::move(mOwned.back());
        mOwned.pop_back();
        retire(pair);
    }
}

void cModuleMgr::retire(tModulePair &pair)
{
    pair.component.reset();
    if (pair.library)
        mRetired.push_back(std::move(pair.library));
}

cAbstractComponent &cModuleMgr::findComponent(const cComponentAddr &address) const
{
    if (cAbstractComponent *c = hasComponent(address))
        return *c;
    VELL_THROW(vstd::cRuntimeException,
               vucs::cLIMessage("$VTR$There is no component at address %address%!")
                   << address.toString());
}

cAbstractComponent *cModuleMgr::hasComponent(const cComponentAddr &address) const
{
    if (!address.isValid())
        return nullptr;
    for (cAbstractComponent *c : mLive) {
        if (c->address() == address)
            return c;
    }
    return nullptr;
}

std::vector<cAbstractComponent *> cModuleMgr::components() const
{
    return mLive;
}

const cModuleMgr::tLibrarySet *cModuleMgr::library(const cAbstractComponent &component) const
{
    for (const tModulePair &pair : mOwned) {
        if (pair.component.get() == &component)
            return pair.library ? &pair.info : nullptr;
    }
    return nullptr;
}

cModuleMgr::cAttachment *cModuleMgr::attachment(const char *key) const
{
    const auto it = mAttachments.find(key);
    return it == mAttachments.end() ? nullptr : it->second.get();
}

void cModuleMgr::setAttachment(const char *key, std::unique_ptr<cAttachment> attachment)
{
    mAttachments[key] = std::move(attachment);
}

cComponentAddr cModuleMgr::registerComponent(cAbstractComponent &component,
                                             vsa::cReferenceFrame &frame)
{
    mLive.push_back(&component);
    return cComponentAddr(frame.name(), mNextId++);
}

void cModuleMgr::unregisterComponent(cAbstractComponent &component)
{
    mLive.erase(std::remove(mLive.begin(), mLive.end(), &component), mLive.end());
}

} // namespace vcs
