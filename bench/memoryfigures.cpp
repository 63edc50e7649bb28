// Memory of loading: the peak resident size a large legal document costs, against its size, and
// what each loaded element keeps on the heap once the file is read. The load runs in a fresh
// dlgbench process ("--load-peak FILE"), whose peak is its own.

#include "cbenchcontext.h"
#include "cbenchfigures.h"

#include "qdialoglayoutitems/cdialogdocument.h"

#include "q4support/cvq4application.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <malloc.h>
#include <sys/resource.h>

namespace {

long long peakKilobytes()
{
    // The address space's own high-water mark: getrusage() on Linux reports the larger of it
    // and the peak the process had before exec, that is its parent's.
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (line.startsWith("VmHWM:"))
                return line.mid(6).trimmed().split(' ').value(0).toLongLong();
        }
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The generated form's element records repeated until the document holds about `entries`
// entries: as large as a legal document of ordinary elements gets.
QString largeForm(cBenchContext &context, int entries)
{
    QFile source(context.formFile());
    if (!source.open(QIODevice::ReadOnly))
        VELL_THROW(vstd::cRuntimeException, "$VTR$Cannot open the form!");
    const QByteArray form = source.readAll();
    const qsizetype first = form.indexOf("<context label=\"ViewElement\"");
    const qsizetype last = form.lastIndexOf("</document>");
    if (first < 0 || last < first)
        VELL_THROW(vstd::cRuntimeException, "$VTR$The form holds no element!");
    const QByteArray records = form.mid(first, last - first);
    const int perCopy = int(records.count('<') - records.count("</"));
    const QString path = context.scratchPath(QStringLiteral("large.dlg"));
    QFile large(path);
    if (!large.open(QIODevice::WriteOnly))
        VELL_THROW(vstd::cRuntimeException, "$VTR$Cannot write the large form!");
    large.write(form.left(first));
    for (int n = 0; n + perCopy <= entries; n += perCopy)
        large.write(records);
    large.write(form.mid(last));
    return path;
}

void memoryFigures(cBenchContext &context)
{
    const QString path = largeForm(context, 250000);
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--load-peak"), path});
    if (!child.waitForFinished(600000) || child.exitCode() != 0)
        VELL_THROW(vstd::cRuntimeException, "$VTR$The loading process failed!");
    const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
    if (figures.size() != 4)
        VELL_THROW(vstd::cRuntimeException, "$VTR$The loading process reported nothing!");
    const long long grown = (figures[1].toLongLong() - figures[0].toLongLong()) * 1024;
    const long long size = QFileInfo(path).size();
    context.report("large_file_bytes", size);
    context.report("load_peak_growth_bytes", grown);
    context.report("load_peak_vs_file_ratio", double(grown) / double(size), 2);
    context.report("loaded_elements", figures[3].toLongLong());
    context.report("loaded_heap_bytes_per_element",
                   figures[2].toLongLong() / qMax(1LL, figures[3].toLongLong()));
}

const cBenchFigureGroup memoryGroup("memory", 15, &memoryFigures);

} // namespace

int loadPeakChild(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    cBenchContext context(1, 1);
    const long long before = peakKilobytes();
    const size_t heapBefore = mallinfo2().uordblks;
    cDialogDocument loaded(&context.dataViewMgr(), context.registry(),
                           context.application().dialogArguments());
    loaded.loadDocument(qstr(QString::fromLocal8Bit(argv[2])), true);
    const long long heap = (long long)mallinfo2().uordblks - (long long)heapBefore;
    long long elements = 0;
    std::vector<const cQAbstractDialogLayoutItem *> open{&loaded.root()};
    while (!open.empty()) {
        const cQAbstractDialogLayoutItem *item = open.back();
        open.pop_back();
        elements += item->isRoot() ? 0 : 1;
        open.insert(open.end(), item->children().begin(), item->children().end());
    }
    std::printf("%lld %lld %lld %lld\n", before, peakKilobytes(), heap, elements);
    return 0;
}
