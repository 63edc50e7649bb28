#pragma once

#include "q4support/cvq4abstractcomponent.h"

#include "vellmva2/cdmdatamodel.h"
#include "vellmva2/tgenericnode.h"

#include <QTimer>

// The host's demo component: a "Machine" model with a node of every value type and nested
// sub-models, and a "Settings" model, so that a person can bind a form to live data at once.
// While the machine runs, a timer moves its speed towards the target speed and lets
// temperature, load and motor current follow.
class cDemoComponent final : public cVQ4AbstractComponent
{
public:
    cDemoComponent(vcs::cModuleMgr &moduleMgr, vsa::cReferenceFrame &frame);
    ~cDemoComponent() override;

    vmva::cDMDataModel &machine() { return mMachine; }
    vmva::cDMDataModel &settings() { return mSettings; }
    // One tick of the simulation; the timer calls it every 200 milliseconds.
    void step();

private:
    using tText = vmva::tGenericNode<vucs::cString, vmva::cBasicModelProperties>;
    using tInt = vmva::tGenericNode<__int64, vmva::cRangeModelProperties>;
    using tReal = vmva::tGenericNode<double, vmva::cDRangeModelProperties>;
    using tFlag = vmva::tGenericNode<bool, vmva::cBasicModelProperties>;
    using tCommand = vmva::tGenericNode<piVoid, vmva::cBasicModelProperties>;

    piVoid sltStart();
    piVoid sltStop();
    piVoid sltRunningChanged();
    // Writes a value only when it differs, so that bound widgets are not disturbed for nothing.
    template <class N, class T> static void update(N &node, const T &value);

    vmva::cDMDataModel mMachine;
    vmva::cDMDataModel mDrive;
    vmva::cDMDataModel mMotor;
    vmva::cDMDataModel mSettings;

    tText mName{"name", vucs::cString("Drill press 7")};
    tText mStatus{"status", vucs::cString("Running")};
    tInt mSpeed{"speed", 1200};
    tReal mTemperature{"temperature", 41.5};
    tInt mLoad{"load", 40};
    tFlag mRunning{"running", true};
    tCommand mStart{"start"};
    tCommand mStop{"stop"};
    tInt mMotorSpeed{"speed", 3600};
    tReal mMotorCurrent{"current", 5.3};
    tInt mTargetSpeed{"targetSpeed", 1500};
    tText mOperator{"operator", vucs::cString("Ada")};
    tFlag mMetric{"metric", true};
    tReal mMaxTemperature{"maxTemperature", 90.0};

    QTimer mTimer;
    unsigned int mTicks = 0;
};
