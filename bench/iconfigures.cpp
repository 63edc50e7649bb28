// Figures of the icon chooser's search, which runs on the GUI thread in timer ticks: the whole
// search against a plain recursive walk that loads the same pictures (the floor), and the
// longest and 95th-percentile tick, which is what the user feels while it runs. Trees: a
// generated one of small PNG files (a stable figure), the system icon folder, and a stress tree
// with one huge picture and one folder of 10,000 entries.

#include "cbenchcontext.h"
#include "cbenchfigures.h"

#include "qdialogeditorwidget/propertywidgets/icondialog/cqicondialog.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <ctime>
#include <vector>

namespace {
QByteArray pngBytes(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(QColor(40, 120, 200));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

// 4 themes x 5 sizes x 10 categories x 100 pictures.
void generateTree(const QString &root)
{
    const QByteArray png = pngBytes(16, 16);
    const char *sizes[] = {"16x16", "22x22", "24x24", "32x32", "48x48"};
    for (int theme = 0; theme < 4; ++theme)
        for (const char *size : sizes)
            for (int category = 0; category < 10; ++category) {
                const QString folder = QStringLiteral("%1/theme%2/%3/category%4")
                                           .arg(root).arg(theme).arg(size).arg(category);
                QDir().mkpath(folder);
                for (int i = 0; i < 100; ++i)
                    writeFile(QStringLiteral("%1/icon%2.png").arg(folder).arg(i), png);
            }
}

void generateStressTree(const QString &root)
{
    QDir().mkpath(root + QStringLiteral("/huge/all"));
    writeFile(root + QStringLiteral("/huge/all/huge.png"), pngBytes(6000, 6000));
    const QString crowded = root + QStringLiteral("/crowded/16x16");
    QDir().mkpath(crowded);
    const QByteArray png = pngBytes(16, 16);
    for (int i = 0; i < 10000; ++i)
        writeFile(QStringLiteral("%1/entry%2.%3").arg(crowded).arg(i).arg(i % 10 ? "txt" : "png"),
                  i % 10 ? QByteArray("x") : png);
}

// The floor: every PNG and XPM file under `root` loaded into a pixmap, nothing else.
double walkMs(const QString &root, long long *loaded = nullptr)
{
    QElapsedTimer timer;
    timer.start();
    long long count = 0;
    QDirIterator it(root, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo file = it.nextFileInfo();
        if (file.suffix() == QLatin1String("png") || file.suffix() == QLatin1String("xpm"))
            count += QPixmap(file.filePath()).isNull() ? 0 : 1;
    }
    if (loaded)
        *loaded = count;
    return double(timer.nsecsElapsed()) / 1e6;
}

// The search as the user meets it: from opening the dialog until the search has ended.
double searchMs(const QString &root, long long *rows = nullptr)
{
    QElapsedTimer timer;
    timer.start();
    cQIconDialog dialog(nullptr, qstr(root));
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!dialog.isSearching())
            loop.quit();
    });
    poll.start(5);
    loop.exec();
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    if (rows)
        *rows = dialog.findChild<QTreeWidget *>(QStringLiteral("mpPreviewTree"))
                    ->topLevelItemCount();
    return ms;
}

// Every tick of one search, run back to back, in this thread's processor time: the other load
// of a shared machine does not count.
std::vector<double> tickMs(const QString &root)
{
    cQIconDialog dialog(nullptr, qstr(root));
    std::vector<double> ticks;
    while (dialog.isSearching()) {
        const double start = threadCpuMs();
        QMetaObject::invokeMethod(&dialog, "uiSltTimer");
        ticks.push_back(threadCpuMs() - start);
    }
    std::sort(ticks.begin(), ticks.end());
    return ticks;
}

double percentile(const std::vector<double> &sorted, double p)
{
    if (sorted.empty())
        return 0;
    return sorted[std::min(sorted.size() - 1, size_t(p * double(sorted.size())))];
}

void report(cBenchContext &context, const QByteArray &key, double value, int decimals)
{
    context.report(key.constData(), value, decimals);
}

void report(cBenchContext &context, const QByteArray &key, long long value)
{
    context.report(key.constData(), value);
}

void reportTree(cBenchContext &context, const char *prefix, const QString &root, int runs)
{
    long long files = 0;
    long long rows = 0;
    walkMs(root);  // the file system cache, for both
    std::vector<double> walks, searches;
    for (int i = 0; i < runs; ++i) {
        walks.push_back(walkMs(root, &files));
        searches.push_back(searchMs(root, &rows));
    }
    std::sort(walks.begin(), walks.end());
    std::sort(searches.begin(), searches.end());
    const double walk = walks[walks.size() / 2];
    const double search = searches[searches.size() / 2];
    const std::vector<double> ticks = tickMs(root);
    auto key = [prefix](const char *name) { return QByteArray(prefix) + name; };
    report(context, key("icon_search_total_ms"), search, 1);
    report(context, key("icon_walk_floor_ms"), walk, 1);
    report(context, key("icon_search_vs_walk_ratio"), search / walk, 2);
    report(context, key("icon_tick_max_ms"), ticks.empty() ? 0 : ticks.back(), 2);
    report(context, key("icon_tick_p95_ms"), percentile(ticks, 0.95), 2);
    report(context, key("icon_ticks"), (long long)ticks.size());
    report(context, key("icon_files_loaded"), files);
    report(context, key("icon_rows"), rows);
}

void iconFigures(cBenchContext &context)
{
    const QString generated = context.scratchPath(QStringLiteral("icons"));
    generateTree(generated);
    reportTree(context, "", generated, std::max(1, std::min(context.runs(), 3)));
    if (QDir(QStringLiteral("/usr/share/icons")).exists())
        reportTree(context, "system_", QStringLiteral("/usr/share/icons"), 1);
    const QString stress = context.scratchPath(QStringLiteral("stress"));
    generateStressTree(stress);
    const std::vector<double> ticks = tickMs(stress);
    context.report("stress_icon_tick_max_ms", ticks.empty() ? 0 : ticks.back(), 2);
    context.report("stress_icon_tick_p95_ms", percentile(ticks, 0.95), 2);
}

const cBenchFigureGroup iconGroup("icons", 30, &iconFigures, &makeWidgetApplication);
} // namespace
