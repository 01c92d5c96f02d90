// Files of one endless line, as a broken copy or another program's file may be: every reader keeps
// only what the format uses of a line, so memory stays that of a small file and time grows with
// the size alone. For each reader and file size (MB: 256, 512, 1024) it reports the time, the
// throughput (MB/s) and the peak of the resident memory while reading (peak_MB, from
// /proc/self/status, over what the process held before). The files are sparse: writing them costs
// nothing, reading them every byte.

#include "BenchSupport.h"
#include "catalogue/Catalogue.h"
#include "catalogue/RvxReader.h"
#include "page/PageFileReader.h"
#include "catalogue/OfferedEntries.h"
#include "page/PageDocument.h"
#include "text/CollectingPrompt.h"
#include "workspace/AppState.h"
#include "workspace/ProjectFile.h"
#include "workspace/ProjectModel.h"
#include "workspace/UserFile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Qt::Literals::StringLiterals;

namespace {

enum Reader { Exec, Page, Project, Users };

// A file of head and then zero bytes up to megabytes: one line without an end.
void writeOneLine(const QString &path, const QByteArray &head, qint64 megabytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(head) != head.size() || !file.resize(megabytes << 20))
        qFatal("cannot write %s", qPrintable(path));
}

void BM_OneLongLine(benchmark::State &state)
{
    const auto reader = Reader(state.range(0));
    const qint64 megabytes = state.range(1);
    QTemporaryDir dir(u"/var/tmp/webdef-bench-XXXXXX"_s);
    const QString names[] = {u"HAUS.RVX"_s, u"HAUS_Seite.SHT"_s, u"HAUS.FNP"_s, u"HAUS_WEBUSERS.USR"_s};
    const QString path = dir.filePath(names[reader]);
    const QByteArray heads[] = {"@QZR482 - Bench \x20*\r\n", "@V=HTM100\r\n#020000\r\nHTML1=", "*Site=",
                                "anna;"};
    writeOneLine(path, heads[reader], megabytes);

    double peak = 0;
    for (auto _ : state) {
        BenchSupport::resetPeak();
        const double before = BenchSupport::statusMegabytes("VmRSS:");
        CollectingPrompt prompt; // a read error is no failure here
        switch (reader) {
        case Exec: {
            Catalogue catalogue;
            ReadRVXFile(path, catalogue, prompt, nullptr);
            break;
        }
        case Page: {
            Catalogue catalogue;
            const OfferedEntries offered(catalogue);
            PageDocument page;
            LoadHTMLSourcePage(page, offered, path, prompt);
            benchmark::DoNotOptimize(page.html1.size());
            break;
        }
        case Project: {
            AppState appState;
            ProjectModel model;
            ReadProjectFile(path, appState, model, prompt);
            break;
        }
        case Users: {
            AppState appState;
            appState.DataFolder = dir.path();
            ProjectModel model;
            ReadUserFile(u"HAUS"_s, appState, model, prompt);
            break;
        }
        }
        peak = BenchSupport::statusMegabytes("VmHWM:") - before;
    }
    state.counters["peak_MB"] = peak;
    state.counters["MB_per_s"] = benchmark::Counter(double(megabytes), benchmark::Counter::kIsRate);
}

void sizes(benchmark::internal::Benchmark *b)
{
    for (int reader : {Exec, Page, Project, Users})
        for (int megabytes : {256, 512, 1024})
            b->Args({reader, megabytes});
}

} // namespace

BENCHMARK(BM_OneLongLine)->Apply(sizes)->ArgNames({"reader", "MB"})->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
