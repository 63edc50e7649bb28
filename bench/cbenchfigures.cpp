#include "cbenchfigures.h"

#include <QApplication>

#include <algorithm>
#include <ctime>

namespace {
std::vector<const cBenchFigureGroup *> &registered()
{
    static std::vector<const cBenchFigureGroup *> groups;
    return groups;
}
} // namespace

cBenchFigureGroup::cBenchFigureGroup(const char *name, int order, tRun run,
                                     tMakeApplication makeApplication)
    : mName(name), mOrder(order), mRun(run), mMakeApplication(makeApplication)
{
    registered().push_back(this);
}

std::vector<const cBenchFigureGroup *> cBenchFigureGroup::groups()
{
    std::vector<const cBenchFigureGroup *> groups = registered();
    std::stable_sort(groups.begin(), groups.end(),
                     [](const auto *a, const auto *b) { return a->order() < b->order(); });
    return groups;
}

std::unique_ptr<QCoreApplication> makeWidgetApplication(int &argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QApplication>(argc, argv);
}

double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

double median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    const size_t mid = times.size() / 2;
    return times.size() % 2 ? times[mid] : (times[mid - 1] + times[mid]) / 2;
}
