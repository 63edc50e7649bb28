#pragma once

#include "cquidataviewitemextension.h"

#include "vellmva2/cdvabstractdataviewmgr.h"

#include <QString>

#include <memory>
#include <vector>

class QLibrary;

// The application's data-view manager: the element extensions in their fixed order and the UI
// plug-ins that add more.
class cVQ4VMVDataViewMgr : public vmva::cDVAbstractDataViewMgr
{
public:
    // Name of the function a UI plug-in exports:
    // extern "C" void vellRegisterDataViewElements(cVQ4VMVDataViewMgr &mgr);
    static constexpr const char *kPlugInEntry = "vellRegisterDataViewElements";

    explicit cVQ4VMVDataViewMgr(vcs::cModuleMgr &moduleMgr);
    ~cVQ4VMVDataViewMgr() override;

    const std::vector<cQUIDataViewItemExtension *> &dataViewElementExtensions() const
    {
        return mView;
    }
    // Appends an extension behind those registered before.
    cQUIDataViewItemExtension &addExtension(std::unique_ptr<cQUIDataViewItemExtension> ext);
    // The first extension whose element name is `elementName`, or null.
    cQUIDataViewItemExtension *findExtension(const vstd::cAsciiString &elementName) const;

    // Folder the user's files are looked for in first: the working folder the program was
    // started from, taken when the manager was made.
    vucs::cString uiRootPath() const;
    // Folder the UI plug-ins are looked for in: "plugins" in the folder this library was loaded
    // from (lib/plugins of a build folder).
    vucs::cString uiPlugInPath() const;
    // Loads the UI plug-in library at `path` and lets it register its extensions. Throws
    // cRuntimeException naming the file when it does not exist, cannot be loaded, has no entry
    // function or was loaded before; a host exception of the entry function comes wrapped in one
    // naming the file. A loaded library stays loaded until the manager ends, after the
    // extensions are gone.
    void loadDataViewElement(const vucs::cString &path, vsa::cReferenceFrame &frame);

private:
    std::vector<std::unique_ptr<cQUIDataViewItemExtension>> mOwned;
    std::vector<cQUIDataViewItemExtension *> mView;
    std::vector<std::unique_ptr<QLibrary>> mPlugIns;
    QString mStartFolder;
};

extern "C" {
typedef void (*tRegisterDataViewElements)(cVQ4VMVDataViewMgr &mgr);
}
