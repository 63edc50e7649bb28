// Figures of the data models window, which follows the host synchronously: building it over a
// large model against a plain tree filled with the same texts, and what one node change costs
// while the window shows the node, against the change alone.

#include "cbenchcontext.h"
#include "cbenchfigures.h"

#include "qvmvtreeviewwidget/cnodetreewidgetitem.h"
#include "qvmvtreeviewwidget/cqmodelviewtreewidget.h"

#include "q4support/cvq4application.h"
#include "vellcore/cmodulemgr.h"
#include "vellmva2/tgenericnode.h"

#include <QApplication>
#include <QTreeWidget>

#include <algorithm>
#include <ctime>
#include <vector>

namespace {

constexpr int kSubModels = 100;
constexpr int kNodesPerModel = 100;
constexpr int kChanges = 200;   // changes per timed batch

using tNumber = vmva::tGenericNode<__int64, vmva::cRangeModelProperties>;
using tReal = vmva::tGenericNode<double, vmva::cDRangeModelProperties>;
using tText = vmva::tGenericNode<vucs::cString, vmva::cIndexModelProperties>;
using tFlag = vmva::tGenericNode<bool, vmva::cBasicModelProperties>;

struct cProvider : vcs::cAbstractComponent
{
    cProvider(vcs::cModuleMgr &mgr, vsa::cReferenceFrame &frame)
        : vcs::cAbstractComponent(mgr, frame)
    {
        moduleInfo().setName("Bench");
    }
};

// One top-level model with 100 sub-models of 100 nodes each, the four value types in turn.
struct cLargeModel
{
    explicit cLargeModel(vcs::cModuleMgr &mgr, vcs::cAbstractComponent &provider)
        : top(mgr, "Plant")
    {
        top.setComponent(provider);
        for (int m = 0; m < kSubModels; ++m) {
            subModels.push_back(std::make_unique<vmva::cDMDataModel>(
                top, vstd::cAsciiString(QByteArray("unit") + QByteArray::number(m))));
            for (int n = 0; n < kNodesPerModel; ++n) {
                const vstd::cAsciiString name(QByteArray("value") + QByteArray::number(n));
                std::unique_ptr<vmva::cAbstractNodeUI> node;
                switch (n % 4) {
                case 0: node = std::make_unique<tNumber>(name, n * 10); break;
                case 1: node = std::make_unique<tReal>(name, n / 8.0); break;
                case 2: node = std::make_unique<tText>(name, vucs::cString("text")); break;
                default: node = std::make_unique<tFlag>(name, n % 3 == 0); break;
                }
                subModels.back()->addNode(*node);
                nodes.push_back(std::move(node));
            }
        }
    }
    ~cLargeModel()
    {
        nodes.clear();
        subModels.clear();
    }
    vmva::cDMDataModel top;
    std::vector<std::unique_ptr<vmva::cDMDataModel>> subModels;
    std::vector<std::unique_ptr<vmva::cAbstractNodeUI>> nodes;
};

// The rows the window shows, each model's name followed by its node texts.
struct cRowTexts
{
    QString component, top;
    std::vector<QString> models;
    std::vector<QStringList> nodes;
};

cRowTexts rowTexts(const QString &label, const cLargeModel &model)
{
    cRowTexts texts{label, qstr(model.top.name()), {}, {}};
    for (const auto &sub : model.subModels) {
        texts.models.push_back(qstr(sub->name()));
        texts.nodes.emplace_back();
        for (const vmva::cAbstractNodeUI *node : sub->lstNodes())
            texts.nodes.back() << cNodeTreeWidgetItem::rowText(*node);
    }
    return texts;
}

// A plain tree filled with the texts, made beforehand: the least a tree of these rows costs.
std::unique_ptr<QTreeWidget> plainTree(const cRowTexts &texts)
{
    auto tree = std::make_unique<QTreeWidget>();
    tree->setHeaderLabels({QStringLiteral("Data Models")});
    tree->setUpdatesEnabled(false);
    auto *component = new QTreeWidgetItem(tree.get(), {texts.component});
    auto *top = new QTreeWidgetItem(component, {texts.top});
    for (size_t m = 0; m < texts.models.size(); ++m) {
        auto *row = new QTreeWidgetItem(top, {texts.models[m]});
        for (const QString &text : texts.nodes[m])
            new QTreeWidgetItem(row, {text});
    }
    tree->setUpdatesEnabled(true);
    return tree;
}

// Median time of one change of an integer node, in microseconds, over batches of changes.
double changeUs(tNumber &node, int runs)
{
    std::vector<double> batches;
    __int64 value = 0;
    for (int r = 0; r < runs * 5; ++r) {
        const double start = threadCpuMs();
        for (int i = 0; i < kChanges; ++i)
            node.setValue(++value);
        batches.push_back((threadCpuMs() - start) * 1000.0 / kChanges);
    }
    return median(batches);
}

void modelTreeFigures(cBenchContext &context)
{
    vcs::cModuleMgr &mgr = context.application().moduleMgr();
    vsa::cReferenceFrame frame;
    auto provider = std::make_unique<cProvider>(mgr, frame);
    cLargeModel model(mgr, *provider);
    vmva::cDVAbstractDataViewMgr &views = context.dataViewMgr();

    std::vector<double> build, floor;
    cRowTexts texts;
    for (int r = 0; r < context.runs(); ++r) {
        double start = threadCpuMs();
        auto window = std::make_unique<cQModelViewTreeWidget>(nullptr, &views);
        build.push_back(threadCpuMs() - start);
        texts = rowTexts(window->componentLabel(provider->address()), model);
        window.reset();
        start = threadCpuMs();
        std::unique_ptr<QTreeWidget> plain = plainTree(texts);
        floor.push_back(threadCpuMs() - start);
    }
    const double buildMs = median(build), floorMs = median(floor);

    auto &node = static_cast<tNumber &>(*model.nodes[kNodesPerModel * 50]);
    const double alone = changeUs(node, context.runs());
    double shown = 0;
    {
        cQModelViewTreeWidget window(nullptr, &views);
        window.expandAll();
        window.show();
        QApplication::processEvents();
        shown = changeUs(node, context.runs());
    }

    context.report("modeltree_nodes", (long long)model.nodes.size());
    context.report("modeltree_build_ms", buildMs);
    context.report("modeltree_floor_ms", floorMs);
    context.report("modeltree_build_vs_floor_ratio", buildMs / floorMs, 2);
    context.report("node_change_us", shown);
    context.report("node_change_without_window_us", alone);
}

const cBenchFigureGroup modelTreeGroup("modeltree", 30, &modelTreeFigures, &makeWidgetApplication);
} // namespace
