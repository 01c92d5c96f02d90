// Memory of the catalogue: the 20,000-object execution file read, with the offered entries the
// page editor builds from it. Reports what stays resident after the read (catalogue_MB), after the
// offered entries as well (resident_MB), and the peak of the whole process from the read on
// (peak_MB: libraries included, writing the test file not), from /proc/self/status. Runs alone in
// its own program.

#include "BenchSupport.h"
#include "BigProject.h"
#include "catalogue/Catalogue.h"
#include "catalogue/OfferedEntries.h"
#include "catalogue/RvxReader.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Qt::Literals::StringLiterals;

namespace {

using BenchSupport::resetPeak;
using BenchSupport::statusMegabytes;

void BM_CatalogueMemory(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Bench.RVX"_s);
    QString error;
    if (!BigProject::writeProgram(path, int(state.range(0)), &error))
        qFatal("%s", qPrintable(error));
    BenchSupport::FailingPrompt prompt;
    double resident = 0;
    double catalogueOnly = 0;
    for (auto _ : state) {
        resetPeak();
        const double before = statusMegabytes("VmRSS:");
        Catalogue catalogue;
        OfferedEntries offered(catalogue);
        if (!ReadRVXFile(path, catalogue, prompt, nullptr))
            qFatal("read failed");
        catalogueOnly = statusMegabytes("VmRSS:") - before;
        offered.rebuild();
        resident = statusMegabytes("VmRSS:") - before;
        benchmark::DoNotOptimize(offered.count());
    }
    state.counters["catalogue_MB"] = catalogueOnly;
    state.counters["resident_MB"] = resident;
    state.counters["peak_MB"] = statusMegabytes("VmHWM:");
}

} // namespace

BENCHMARK(BM_CatalogueMemory)->Arg(20000)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
