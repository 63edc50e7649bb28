// dlgbench: measures the dialog document operations on generated forms and prints one
// "key: value" line per figure (medians over repeated runs).
//   dlgbench [--elements N] [--runs R] [--only GROUP]

#include "cbenchcontext.h"
#include "cbenchfigures.h"

#include "vellcore/cabstractexception.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
int usage()
{
    std::fprintf(stderr, "usage: dlgbench [--elements N] [--runs R] [--only GROUP]\n");
    return 2;
}
} // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && !std::strcmp(argv[1], "--load-peak")) {
        try {
            return loadPeakChild(argc, argv);
        } catch (const vstd::cAbstractException &e) {
            std::fprintf(stderr, "%s\n", qPrintable(describe(e).text()));
            return 1;
        }
    }
    int elements = 1000;
    int runs = 7;
    const char *only = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--only") && i + 1 < argc) {
            only = argv[++i];
            continue;
        }
        int *target = nullptr;
        if (!std::strcmp(argv[i], "--elements"))
            target = &elements;
        else if (!std::strcmp(argv[i], "--runs"))
            target = &runs;
        if (!target || i + 1 >= argc)
            return usage();
        *target = std::atoi(argv[++i]);
        if (*target < 1)
            return usage();
    }

    std::vector<const cBenchFigureGroup *> groups = cBenchFigureGroup::groups();
    if (only)
        groups.erase(std::remove_if(groups.begin(), groups.end(),
                                    [only](auto *g) { return std::strcmp(g->name(), only) != 0; }),
                     groups.end());
    std::unique_ptr<QCoreApplication> app;
    for (const cBenchFigureGroup *group : groups)
        if (!app && group->makeApplication())
            app = group->makeApplication()(argc, argv);
    if (!app)
        app = std::make_unique<QCoreApplication>(argc, argv);

    try {
        cBenchContext context(elements, runs);
        for (const cBenchFigureGroup *group : groups)
            group->run(context);
    } catch (const vstd::cAbstractException &e) {
        std::fprintf(stderr, "%s\n", qPrintable(describe(e).text()));
        return 1;
    }
    return 0;
}
