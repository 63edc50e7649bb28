// A UI plug-in for the editor's tests: adds one dialog widget element, a gauge.
#include "q4support/cvq4vmvdataviewmgr.h"
#include "q4support/elements/cstdelementproperties.h"

namespace {

void gaugeProperties(cStdElementProperties &p)
{
    p.add<vmva::cDVIAsciiStringProperty>("Label", "General", "Name in the tree.",
                                         vmva::cDVIAbstractProperty::NotConnectable, "");
    p.add<vmva::cDVIIntProperty>("Value", "Data", "Shown value.",
                                 vmva::cDVIAbstractProperty::DirectionIn, 0);
}

class cGaugeFactory final : public cVQ4VMVAbstractMVItemFactory
{
public:
    int elementKind() const override { return 2; }
    int viewCategory() const override { return 1; }
    bool isTopLevelElement() const override { return false; }
    vstd::cAsciiString displayName() const override { return "Test Gauge"; }
    vstd::cAsciiString elementName() const override { return "TestGauge"; }
    vstd::cAsciiString groupName() const override { return "Widgets"; }
    std::unique_ptr<vmva::cDVAbstractStdDMViewProperties> createProperties() const override
    {
        return std::make_unique<cStdElementProperties>(gaugeProperties);
    }
};

} // namespace

extern "C" Q_DECL_EXPORT void vellRegisterDataViewElements(cVQ4VMVDataViewMgr &mgr)
{
    mgr.addExtension(
        std::make_unique<cQUIDataViewItemExtension>(std::make_unique<cGaugeFactory>()));
}
