#include "cvq4vmvdataviewmgr.h"

#include "vellcore/cdebugstream.h"

#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include <dlfcn.h>

namespace {
// Any function of this library: its address tells where the library was loaded from.
void libraryAnchor() {}
} // namespace

cVQ4VMVDataViewMgr::cVQ4VMVDataViewMgr(vcs::cModuleMgr &moduleMgr)
    : vmva::cDVAbstractDataViewMgr(moduleMgr), mStartFolder(QDir::currentPath())
{
}

cVQ4VMVDataViewMgr::~cVQ4VMVDataViewMgr()
{
    // Extensions from a plug-in run code of that plug-in when destroyed: they go before the
    // libraries are unloaded, newest first.
    mView.clear();
    while (!mOwned.empty())
        mOwned.pop_back();
    for (auto it = mPlugIns.rbegin(); it != mPlugIns.rend(); ++it)
        (*it)->unload();
    mPlugIns.clear();
}

cQUIDataViewItemExtension &cVQ4VMVDataViewMgr::addExtension(
    std::unique_ptr<cQUIDataViewItemExtension> ext)
{
    VELL_ASSERT(ext != nullptr);
    cQUIDataViewItemExtension &ref = *ext;
    mOwned.push_back(std::move(ext));
    mView.push_back(&ref);
    return ref;
}

cQUIDataViewItemExtension *cVQ4VMVDataViewMgr::findExtension(
    const vstd::cAsciiString &elementName) const
{
    for (cQUIDataViewItemExtension *ext : mView)
        if (ext->factory()->elementName() == elementName)
            return ext;
    return nullptr;
}

vucs::cString cVQ4VMVDataViewMgr::uiRootPath() const
{
    return qstr(mStartFolder);
}

vucs::cString cVQ4VMVDataViewMgr::uiPlugInPath() const
{
    Dl_info info{};
    QString libDir;
    if (dladdr(reinterpret_cast<void *>(&libraryAnchor), &info) != 0 && info.dli_fname)
        libDir = QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
    else
        libDir = QDir::currentPath();
    return qstr(QDir::cleanPath(libDir + QStringLiteral("/plugins")));
}

void cVQ4VMVDataViewMgr::loadDataViewElement(const vucs::cString &path,
                                             vsa::cReferenceFrame &frame)
{
    const QFileInfo info(qstr(path));
    if (!info.isFile())
        VELL_THROW(vstd::cRuntimeException,
                   vucs::cLIMessage("$VTR$UI plug-in %path% does not exist!") << path);
    const QString canonical = info.canonicalFilePath();
    for (const auto &lib : mPlugIns)
        if (QFileInfo(lib->fileName()).canonicalFilePath() == canonical)
            VELL_THROW(vstd::cRuntimeException,
                       vucs::cLIMessage("$VTR$UI plug-in %path% is already loaded!") << path);

    auto lib = std::make_unique<QLibrary>(canonical);
    // As for modules: Qt may keep pointers into a plug-in's code (meta types, resources) for
    // the life of the process, so its code stays mapped once loaded.
    lib->setLoadHints(QLibrary::PreventUnloadHint);
    if (!lib->load())
        VELL_THROW(vstd::cRuntimeException,
                   vucs::cLIMessage("$VTR$Unable to load UI plug-in %path%: %reason%")
                       << path << lib->errorString());
    auto entry = reinterpret_cast<tRegisterDataViewElements>(lib->resolve(kPlugInEntry));
    if (!entry) {
        lib->unload();
        VELL_THROW(vstd::cRuntimeException,
                   vucs::cLIMessage("$VTR$UI plug-in %path% has no function %entry%!")
                       << path << kPlugInEntry);
    }
    // Kept before the plug-in runs: whatever it registers, even when it fails halfway, needs
    // its code until the manager ends.
    mPlugIns.push_back(std::move(lib));
    VELL_TRACE(QStringLiteral("Loading UI plug-in %1 in frame %2")
                   .arg(canonical, qstr(frame.name())));
    try {
        entry(*this);
    } catch (const vstd::cAbstractException &e) {
        vstd::cRuntimeException failure(
            vucs::cLIMessage("$VTR$UI plug-in %path% failed to register its elements!") << path,
            __FILE__, __LINE__);
        failure.link(e);
        throw failure;
    }
}
