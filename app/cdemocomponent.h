#pragma once

#include "q4support/cvq4abstractcomponent.h"

#include "vellmva2/cdmdatamodel.h"
#include "vellmva2/tgenericnode.h"

#include <QTimer>

#include <memory>

// The host's demo component: a "Machine" model with a node of every value type and nested
// sub-models, and a "Settings" model, so that a person can bind a form to live data at once.
// While the machine runs, a timer moves its speed towards the target speed, lets temperature,
// load and motor current follow and works off the queue of jobs. A "probe" sub-model comes and
// goes at run time (commands "attachProbe" and "detachProbe"), so that viewers of the models
// meet models that appear and vanish while they look.
class cDemoComponent final : public cVQ4AbstractComponent
{
public:
    cDemoComponent(vcs::cModuleMgr &moduleMgr, vsa::cReferenceFrame &frame);
    ~cDemoComponent() override;

    vmva::cDMDataModel &machine() { return mMachine; }
    vmva::cDMDataModel &settings() { return mSettings; }
    // One tick of the simulation; the timer calls it every 200 milliseconds.
    void step();
    // Adds the sub-model "Machine.probe" with its nodes; does nothing while it is attached.
    void attachProbe();
    // Destroys the probe's nodes, then the sub-model itself; does nothing without a probe.
    void detachProbe();
    bool hasProbe() const { return bool(mProbe); }

private:
    using tText = vmva::tGenericNode<vucs::cString, vmva::cBasicModelProperties>;
    using tInt = vmva::tGenericNode<__int64, vmva::cRangeModelProperties>;
    using tReal = vmva::tGenericNode<double, vmva::cDRangeModelProperties>;
    using tFlag = vmva::tGenericNode<bool, vmva::cBasicModelProperties>;
    using tCommand = vmva::tGenericNode<piVoid, vmva::cBasicModelProperties>;
    using tList = vmva::tGenericNode<vmva::cStringList, vmva::cBasicModelProperties>;

    piVoid sltStart();
    piVoid sltStop();
    piVoid sltRunningChanged();
    piVoid sltAttachProbe();
    piVoid sltDetachProbe();
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
    tCommand mAttachProbe{"attachProbe"};
    tCommand mDetachProbe{"detachProbe"};
    tReal mSetpoint{"setpoint", 65.0};
    tInt mMode{"mode", 1};
    // The next service as ISO text, which the date editors read and write.
    tText mServiceDate{"serviceDate", vucs::cString("2027-03-01")};
    // The jobs waiting, the one at work first: every few seconds of running it is done and the
    // next order joins the queue.
    tList mJobs{"jobs", {"1041 Flange", "1042 Bracket", "1043 Cover"}};
    tInt mMotorSpeed{"speed", 3600};
    tReal mMotorCurrent{"current", 5.3};
    tInt mTargetSpeed{"targetSpeed", 1500};
    tText mOperator{"operator", vucs::cString("Ada")};
    tFlag mMetric{"metric", true};
    tReal mMaxTemperature{"maxTemperature", 90.0};

    // The model comes first, so it registers before its nodes and goes after them.
    struct tProbe
    {
        explicit tProbe(vmva::cDMDataModel &machine) : model(machine, "probe") {}
        vmva::cDMDataModel model;
        tReal reading{"reading", 0.0};
        tText serial{"serial", vucs::cString("P-0042")};
    };
    std::unique_ptr<tProbe> mProbe;

    QTimer mTimer;
    unsigned int mTicks = 0;
    unsigned int mNextJob = 1044;
};
