#pragma once

#include <memory>
#include <vector>

class QCoreApplication;
class cBenchContext;

// One group of dlgbench figures. Each source file of the benchmark defines one static instance,
// which registers the group; main runs the groups by their order.
class cBenchFigureGroup
{
public:
    using tRun = void (*)(cBenchContext &context);
    // Makes the Qt application object a group needs (a widget group needs a QApplication);
    // null when a QCoreApplication will do.
    using tMakeApplication = std::unique_ptr<QCoreApplication> (*)(int &argc, char **argv);

    cBenchFigureGroup(const char *name, int order, tRun run,
                      tMakeApplication makeApplication = nullptr);

    const char *name() const { return mName; }
    int order() const { return mOrder; }
    void run(cBenchContext &context) const { mRun(context); }
    tMakeApplication makeApplication() const { return mMakeApplication; }

    // Every registered group, by order.
    static std::vector<const cBenchFigureGroup *> groups();

private:
    const char *mName;
    int mOrder;
    tRun mRun;
    tMakeApplication mMakeApplication;
};

// The child side of the memory figures: dlgbench --load-peak FILE loads FILE and prints its
// peak resident size before and after, in KiB.
int loadPeakChild(int argc, char **argv);

// Helpers shared by the figure groups.
// The application object of a group that builds widgets; headless unless a platform was chosen.
std::unique_ptr<QCoreApplication> makeWidgetApplication(int &argc, char **argv);
// Processor time of the calling thread, in milliseconds: steadier than wall time on a busy
// machine.
double threadCpuMs();
double median(std::vector<double> times);
