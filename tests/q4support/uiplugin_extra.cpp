// A UI plug-in that adds one element, a dial, to the data-view manager. Its factory class lives
// in the plug-in, so the manager must destroy it before the library goes.
#include "q4support/cvq4vmvdataviewmgr.h"
#include "q4support/elements/cstdelementproperties.h"

namespace {

void dialProperties(cStdElementProperties &p)
{
    p.add<vmva::cDVIAsciiStringProperty>("Label", "General", "Name in the tree.",
                                         vmva::cDVIAbstractProperty::NotConnectable, "");
    p.add<vmva::cDVIIntProperty>("Value", "Data", "Position of the dial.",
                                 vmva::cDVIAbstractProperty::DirectionInOut, 0);
}

class cDialFactory final : public cVQ4VMVAbstractMVItemFactory
{
public:
    int elementKind() const override { return 2; }
    int viewCategory() const override { return 1; }
    bool isTopLevelElement() const override { return false; }
    vstd::cAsciiString displayName() const override { return "Test Dial"; }
    vstd::cAsciiString elementName() const override { return "TestDial"; }
    vstd::cAsciiString groupName() const override { return "Widgets"; }
    std::unique_ptr<vmva::cDVAbstractStdDMViewProperties> createProperties() const override
    {
        return std::make_unique<cStdElementProperties>(dialProperties);
    }
};

} // namespace

extern "C" Q_DECL_EXPORT void vellRegisterDataViewElements(cVQ4VMVDataViewMgr &mgr)
{
    mgr.addExtension(
        std::make_unique<cQUIDataViewItemExtension>(std::make_unique<cDialFactory>()));
}
