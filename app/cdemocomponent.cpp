#include "cdemocomponent.h"

#include "vellcore/cdebugstream.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

constexpr __int64 kMaxSpeed = 3000;
constexpr int kGearRatio = 3;          // motor turns per spindle turn
constexpr double kAmbient = 20.0;
constexpr unsigned int kTicksPerJob = 25;   // five seconds

// Divides by the inverse step, so that 42.4 comes out as the double nearest to 42.4.
double roundTo(double value, double step) { return std::round(value / step) / (1.0 / step); }

} // namespace

cDemoComponent::cDemoComponent(vcs::cModuleMgr &moduleMgr, vsa::cReferenceFrame &frame)
    : cVQ4AbstractComponent(moduleMgr, frame), mMachine(moduleMgr, "Machine"),
      mDrive(mMachine, "drive"), mMotor(mDrive, "motor"), mSettings(moduleMgr, "Settings")
{
    moduleInfo().setName("Demo");
    moduleInfo().setAuthor("VELL");
    moduleInfo().setDescription("Demo data models to bind forms to");
    mMachine.setComponent(*this);
    mSettings.setComponent(*this);

    mSpeed.properties()->setRange(0, kMaxSpeed);
    mTemperature.properties()->setRange(-20.0, 150.0);
    mLoad.properties()->setRange(0, 100);
    mMotorSpeed.properties()->setRange(0, kMaxSpeed * kGearRatio);
    mMotorCurrent.properties()->setRange(0.0, 20.0);
    mTargetSpeed.properties()->setRange(0, kMaxSpeed);
    mMaxTemperature.properties()->setRange(40.0, 150.0);
    mSetpoint.properties()->setRange(0.0, 150.0);
    mMode.properties()->setRange(0, 2);

    for (vmva::cAbstractNodeUI *node : std::initializer_list<vmva::cAbstractNodeUI *>{
             &mName, &mStatus, &mSpeed, &mTemperature, &mLoad, &mRunning, &mStart, &mStop,
             &mAttachProbe, &mDetachProbe, &mSetpoint, &mMode, &mServiceDate, &mJobs})
        mMachine.addNode(*node);
    mMotor.addNode(mMotorSpeed);
    mMotor.addNode(mMotorCurrent);
    for (vmva::cAbstractNodeUI *node : std::initializer_list<vmva::cAbstractNodeUI *>{
             &mTargetSpeed, &mOperator, &mMetric, &mMaxTemperature})
        mSettings.addNode(*node);

    mStart.sigChanged.connect(
        vrmi::cDirectLocalSlotCall0<cDemoComponent>(this, &cDemoComponent::sltStart));
    mStop.sigChanged.connect(
        vrmi::cDirectLocalSlotCall0<cDemoComponent>(this, &cDemoComponent::sltStop));
    mRunning.sigChanged.connect(
        vrmi::cDirectLocalSlotCall0<cDemoComponent>(this, &cDemoComponent::sltRunningChanged));
    mAttachProbe.sigChanged.connect(
        vrmi::cDirectLocalSlotCall0<cDemoComponent>(this, &cDemoComponent::sltAttachProbe));
    mDetachProbe.sigChanged.connect(
        vrmi::cDirectLocalSlotCall0<cDemoComponent>(this, &cDemoComponent::sltDetachProbe));

    mTimer.setInterval(200);
    QObject::connect(&mTimer, &QTimer::timeout, &mTimer, [this] {
        try {
            step();
        } catch (const vstd::cAbstractException &e) {
            VELL_TRACE(QStringLiteral("+++ WARNING: Machine step failed: %1")
                           .arg(vstd::describe(e).text()));
        }
    });
    mTimer.start();
}

cDemoComponent::~cDemoComponent()
{
    mTimer.stop();
    disconnectAll();
    mProbe.reset();
}

void cDemoComponent::attachProbe()
{
    if (mProbe)
        return;
    mProbe = std::make_unique<tProbe>(mMachine);
    mProbe->reading.setValue(mTemperature.value());
    mProbe->model.addNode(mProbe->reading);
    mProbe->model.addNode(mProbe->serial);
}

void cDemoComponent::detachProbe()
{
    // Moved out first: whoever hears the nodes and the model go finds no probe any more.
    std::unique_ptr<tProbe> probe = std::move(mProbe);
}

template <class N, class T> void cDemoComponent::update(N &node, const T &value)
{
    if (node.value() != value)
        node.setValue(value);
}

void cDemoComponent::step()
{
    ++mTicks;
    const bool running = mRunning.value();
    const __int64 speed = mSpeed.value();
    const __int64 target = running ? std::clamp<__int64>(mTargetSpeed.value(), 0, kMaxSpeed) : 0;
    // A quarter of the way to the target each tick, at least one turn.
    __int64 next = speed + (target - speed) / 4;
    if (next == speed && speed != target)
        next += target > speed ? 1 : -1;
    update(mSpeed, next);
    update(mLoad, next * 100 / kMaxSpeed);
    update(mMotorSpeed, next * kGearRatio);
    // The current hums a little around what the load draws.
    const double hum = running ? 0.1 * std::sin(mTicks * 0.7) : 0.0;
    update(mMotorCurrent, roundTo(next > 0 ? 0.8 + 11.0 * next / kMaxSpeed + hum : 0.0, 0.1));
    // The temperature creeps towards what the speed heats it to.
    const double heat = kAmbient + 60.0 * next / kMaxSpeed;
    const double temperature = mTemperature.value();
    update(mTemperature, roundTo(temperature + (heat - temperature) * 0.1, 0.1));
    if (mProbe)
        update(mProbe->reading, roundTo(mTemperature.value() + 0.3 * std::cos(mTicks * 0.5), 0.1));
    if (running && mTicks % kTicksPerJob == 0) {
        static const char *const parts[] = {"Flange", "Bracket", "Cover", "Shaft"};
        vmva::cStringList jobs = mJobs.value();
        if (!jobs.empty())
            jobs.erase(jobs.begin());
        jobs.push_back(qstr(QStringLiteral("%1 %2").arg(mNextJob).arg(
            QLatin1String(parts[mNextJob % std::size(parts)]))));
        ++mNextJob;
        mJobs.setValue(jobs);
    }
    if (!running)
        update(mStatus, vucs::cString(next == 0 ? "Stopped" : "Stopping"));
    else if (mTemperature.value() > mMaxTemperature.value())
        update(mStatus, vucs::cString("Too hot"));
    else
        update(mStatus, vucs::cString(next == target ? "Running" : "Speeding up"));
}

piVoid cDemoComponent::sltStart()
{
    update(mRunning, true);
    return piVoid();
}

piVoid cDemoComponent::sltStop()
{
    update(mRunning, false);
    return piVoid();
}

piVoid cDemoComponent::sltRunningChanged()
{
    // Whoever sets the flag (a command, a check box) is told at once how the machine is doing.
    update(mStatus, vucs::cString(mRunning.value() ? "Speeding up" : "Stopping"));
    return piVoid();
}

piVoid cDemoComponent::sltAttachProbe()
{
    attachProbe();
    return piVoid();
}

piVoid cDemoComponent::sltDetachProbe()
{
    detachProbe();
    return piVoid();
}
