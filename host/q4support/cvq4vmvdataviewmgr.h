#pragma once

#include "cquidataviewitemextension.h"

#include "vellmva2/cdvabstractdataviewmgr.h"

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

    // Folder the UI plug-ins are looked for in (the "plugins" folder beside the host libraries).
    vucs::cString uiRootPath() const;
    // Loads the UI plug-in library at `path` and lets it register its extensions. Throws
    // cRuntimeException naming the file when it cannot be loaded or has no entry function.
    void loadDataViewElement(const vucs::cString &path, vsa::cReferenceFrame &frame);

private:
    std::vector<std::unique_ptr<cQUIDataViewItemExtension>> mOwned;
    std::vector<cQUIDataViewItemExtension *> mView;
    std::vector<std::unique_ptr<QLibrary>> mPlugIns;
};

extern "C" {
typedef void (*tRegisterDataViewElements)(cVQ4VMVDataViewMgr &mgr);
}
