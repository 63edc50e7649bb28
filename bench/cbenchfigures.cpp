#include "cbenchfigures.h"

#include <algorithm>

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
