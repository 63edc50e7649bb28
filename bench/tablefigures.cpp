// Figures of the property table, on the path of every click in the layout tree and of every
// edit: filling it against the floor any cell-widget table pays, and one committed edit against
// the preview rebuild it causes.

#include "cbenchcontext.h"
#include "cbenchfigures.h"
#include "cbenchformgenerator.h"

#include "qdialogeditorwidget/cqmodelviewdialogeditorwidget.h"
#include "qdialogeditorwidget/cqpreviewwidgetview.h"
#include "qdialogeditorwidget/cqveconnectortreewidget.h"
#include "qdialogeditorwidget/propertywidgets/cqpwstringitem.h"

#include "q4support/cquidataviewitemextension.h"
#include "q4support/cvq4application.h"
#include "q4support/cvq4vmvabstractmvitemfactory.h"
#include "q4widgets/standardbuilders.h"
#include "qdialoglayoutitems/cdialogdocument.h"
#include "qdialoglayoutitems/cqabstractdialoglayoutitem.h"
#include "vellmva2/cdvitypedproperties.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QThread>
#include <QTreeWidget>

#include <algorithm>
#include <ctime>

namespace {
using namespace vmva;

// Median processor times of works that take turns, so machine load favours none of them.
std::vector<double> medianTurnsMs(int runs, const std::vector<std::function<void(int)>> &works)
{
    std::vector<std::vector<double>> times(works.size());
    for (int i = 0; i < runs; ++i)
        for (size_t w = 0; w < works.size(); ++w) {
            const double start = threadCpuMs();
            works[w](i);
            times[w].push_back(threadCpuMs() - start);
        }
    std::vector<double> medians;
    for (const auto &t : times)
        medians.push_back(median(t));
    return medians;
}

// Replaced cell widgets go after the current event: a fill pays for deleting the last one.
void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// A synthetic element: `count` properties of every kind, spread over eight topics.
class cMixedProperties : public cDVAbstractStdDMViewProperties
{
public:
    explicit cMixedProperties(int count) : mCount(count) {}

protected:
    void createProperties() override
    {
        for (int i = 0; i < mCount; ++i) {
            const vstd::cAsciiString name(QByteArray("Property") + QByteArray::number(i));
            const vstd::cAsciiString topic(QByteArray("Topic") + QByteArray::number(i % 8));
            const unsigned int flags = (i % 5 == 0) ? 0x400u : unsigned(i % 4);
            const char *help = "A property of the synthetic element.";
            switch (i % 8) {
            case 0: addProperty(std::make_unique<cDVIBoolProperty>(name, topic, help, flags,
                                                                   true)); break;
            case 1: {
                auto p = std::make_unique<cDVIIntProperty>(name, topic, help, flags, 2);
                p->setRange(0, 100);
                p->setPredefinedValues({{1, "one"}, {2, "two"}, {3, "three"}});
                addProperty(std::move(p));
                break;
            }
            case 2: addProperty(std::make_unique<cDVIIntProperty>(name, topic, help, flags,
                                                                  i)); break;
            case 3: addProperty(std::make_unique<cDVIAsciiStringProperty>(name, topic, help,
                                                                          flags, "text")); break;
            case 4: addProperty(std::make_unique<cDVIUCStringProperty>(
                        name, topic, help, flags, vucs::cString("Unicode text"))); break;
            case 5: addProperty(std::make_unique<cDVIModelLocationProperty>(name, topic, help,
                                                                            flags)); break;
            case 6: addProperty(std::make_unique<cDVILayoutProperty>(
                        name, topic, help, flags, cDVLayoutParameter())); break;
            default: addProperty(std::make_unique<cDVIFontProperty>(
                         name, topic, help, flags, vucs::cString())); break;
            }
        }
    }

private:
    int mCount;
};

// The rows `properties` gives: one per property and one per topic.
int tableRows(const cDVAbstractStdDMViewProperties &properties)
{
    QSet<QByteArray> topics;
    for (const cDVIAbstractProperty *p : properties.properties())
        topics.insert(p->topic().bytes());
    return int(properties.properties().size()) + int(topics.size());
}

void fillFloor(QTableWidget &table, int rows)
{
    table.setRowCount(0);
    table.setColumnCount(3);
    table.setRowCount(rows);
    for (int row = 0; row < rows; ++row)
        table.setCellWidget(row, 1, new QLabel(QStringLiteral("value")));
    settle();
}

// Fill and floor for two properties objects of one element, filled in turn.
void reportFill(cBenchContext &context, const char *fillKey, const char *floorKey,
                const char *ratioKey, cDVAbstractStdDMViewProperties &a,
                cDVAbstractStdDMViewProperties &b)
{
    QWidget window;
    window.resize(900, 700);
    auto *table = new cQVEConnectorTreeWidget(&window);
    auto *floor = new QTableWidget(&window);
    table->setGeometry(0, 0, 900, 350);
    floor->setGeometry(0, 350, 900, 350);
    window.show();
    settle();
    const int rows = tableRows(a);
    const std::vector<double> ms = medianTurnsMs(
        std::max(context.runs(), 9),
        {[&](int i) { table->setProperties(i % 2 ? &a : &b); settle(); },
         [&](int) { fillFloor(*floor, rows); }});
    context.report(fillKey, ms[0]);
    context.report(floorKey, ms[1]);
    context.report(ratioKey, ms[0] / ms[1], 2);
    table->setProperties(nullptr);
}

void fillFigures(cBenchContext &context)
{
    // The standard element with the most properties.
    cVQ4VMVAbstractMVItemFactory *largest = nullptr;
    size_t most = 0;
    for (cQUIDataViewItemExtension *extension :
         context.dataViewMgr().dataViewElementExtensions()) {
        auto properties = extension->factory()->createProperties();
        if (!properties)
            continue;
        properties->initialize();
        if (properties->properties().size() > most) {
            most = properties->properties().size();
            largest = extension->factory();
        }
    }
    auto stdA = largest->createProperties(), stdB = largest->createProperties();
    stdA->initialize();
    stdB->initialize();
    context.report("table_std_properties", (long long)most);
    reportFill(context, "table_fill_std_ms", "table_floor_std_ms", "table_fill_std_vs_floor_ratio",
               *stdA, *stdB);

    cMixedProperties mixedA(200), mixedB(200);
    mixedA.initialize();
    mixedB.initialize();
    reportFill(context, "table_fill_ms", "table_floor_ms", "table_fill_vs_floor_ratio", mixedA,
               mixedB);
}

// Runs the event loop until `done` holds (at most two seconds).
bool waitFor(const std::function<bool()> &done)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 2000) {
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    return done();
}

void editFigures(cBenchContext &context, int elements, const char *editKey,
                 const char *previewKey, const char *ratioKey)
{
    cVQ4Application &app = context.application();
    const QString path = context.scratchPath(QStringLiteral("edit%1.dlg").arg(elements));
    {
        cDialogDocument document(&context.dataViewMgr(), context.registry(),
                                 app.dialogArguments());
        cBenchFormGenerator(context.registry()).generate(document.root(), elements);
        document.deriveParameters();
        document.saveDocument(qstr(path));
    }
    cQModelViewDialogEditorWidget editor(context.dataViewMgr(), app.locale(),
                                         &app.dialogArguments());
    editor.resize(1000, 760);
    editor.show();
    editor.loadDocument(path, true);

    // The first label of the form, chosen in the tree as a user does.
    auto *tree = editor.findChild<QTreeWidget *>(QStringLiteral("dialogLayoutTree"));
    const QList<QTreeWidgetItem *> rows
        = tree->findItems(QStringLiteral("Label"), Qt::MatchStartsWith | Qt::MatchRecursive);
    if (rows.isEmpty())
        VELL_THROW(vstd::cRuntimeException, "$VTR$The form has no label!");
    tree->setCurrentItem(rows.first());
    cQVEConnectorTreeWidget &table = *editor.connectorTable();
    if (!waitFor([&] { return table.properties() == editor.currentLayoutItem()->properties(); }))
        VELL_THROW(vstd::cRuntimeException, "$VTR$The table did not show the label!");
    cQPWStringItem *text = nullptr;
    for (int row = 0; row < table.rowCount() && !text; ++row)
        if (auto *item = qobject_cast<cQPWStringItem *>(table.cellWidget(row, 1)))
            if (item->abstractProperty()->ucStringView())
                text = item;
    const QPoint inside(4, 4);
    QMouseEvent press(QEvent::MouseButtonPress, inside, text->mapToGlobal(inside),
                      Qt::LeftButton, Qt::LeftButton, {});
    QCoreApplication::sendEvent(text, &press);
    auto *line = text->findChild<QLineEdit *>();
    QAction *update = editor.findChild<QAction *>(QStringLiteral("mpActUpdatePreview"));

    const std::vector<double> ms = medianTurnsMs(
        context.runs(),
        {[&](int i) {
             line->setText(QStringLiteral("Text %1").arg(i));
             QKeyEvent key(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
             QCoreApplication::sendEvent(line, &key);
             settle();
         },
         [&](int) {
             update->trigger();
             settle();
         }});
    context.report(editKey, ms[0]);
    context.report(previewKey, ms[1]);
    context.report(ratioKey, ms[0] / ms[1], 2);
    editor.connectorTable()->setProperties(nullptr);
}

void tableFigures(cBenchContext &context)
{
    installStandardBuilders(context.dataViewMgr());
    fillFigures(context);
    editFigures(context, 100, "edit_to_preview_100_ms", "preview_100_ms",
                "edit_to_preview_vs_preview_100_ratio");
    editFigures(context, 1000, "edit_to_preview_ms", "preview_1000_ms",
                "edit_to_preview_vs_preview_ratio");
}

const cBenchFigureGroup tableGroup("table", 30, &tableFigures, &makeWidgetApplication);
} // namespace
