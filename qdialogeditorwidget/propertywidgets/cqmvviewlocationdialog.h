#pragma once

#include "vellcore/vrmi.h"
#include "vellmva2/cdmdatamodeldescriptor.h"

#include <QWidget>

#include <functional>
#include <memory>

class QLabel;
namespace Ui { class uiViewLocationDlgSetup; }
class cVQ4VMVDataViewMgr;
namespace vmva { class cDVDataViewArgList; }

// The "Datamodel Location" panel: shows the model location of the property chosen in the
// connector table as "parameter.path" and reports a typed or picked location through
// sigLocationAssigned; it never writes a property itself.
class cQMVViewLocationDialog : public QWidget, public vrmi::cConnectable
{
    Q_OBJECT
public:
    cQMVViewLocationDialog(QWidget *parent, cVQ4VMVDataViewMgr &dataViewMgr,
                           vmva::cDVDataViewArgList *arguments);
    ~cQMVViewLocationDialog() override;

    // A new location for the named property: (property name, location).
    vrmi::localSignal2<const vstd::cAsciiString &, const vmva::cDMDataModelDescriptor &>
        sigLocationAssigned;

    // A node picked for `name` (host slot for the model assignment menu): stored, shown and
    // reported.
    piVoid sltAssignModelElement(const vstd::cAsciiString &name,
                                 const vstd::cAsciiString &parameter,
                                 const vstd::cAsciiString &element);
    // Shows the location of property `name` without reporting it.
    void setLocation(const vstd::cAsciiString &name, const vmva::cDMDataModelDescriptor &location);
    vmva::cDVDataViewArgList *argumentList() const { return mpArguments; }
    cVQ4VMVDataViewMgr &dataViewMgr() const { return mDataViewMgr; }
    const vstd::cAsciiString &propertyName() const { return mPropertyName; }
    const vmva::cDMDataModelDescriptor &location() const { return mLocation; }

    // Tells what is wrong with a location typed for the named property (empty: nothing); the
    // panel says it beside the field while the location is typed.
    using tLocationCheck = std::function<QString(const vstd::cAsciiString &,
                                                 const vmva::cDMDataModelDescriptor &)>;
    void setLocationCheck(tLocationCheck check) { mLocationCheck = std::move(check); }

private slots:
    void uiApplyCustomSettings();
    void uiCheckLocation();

private:
    std::unique_ptr<Ui::uiViewLocationDlgSetup> mpUi;
    cVQ4VMVDataViewMgr &mDataViewMgr;
    vmva::cDVDataViewArgList *mpArguments;
    vmva::cDMDataModelDescriptor mLocation;
    int mUpdateDepth = 0;
    vstd::cAsciiString mPropertyName;
    tLocationCheck mLocationCheck;
    QLabel *mpLblProblem;
};
