// Reading a large execution file and building the offered entries from it. The full size is
// 20,000 objects and 50,000 variables; the smaller sizes show that both grow linearly.

#include "BenchSupport.h"
#include "BigProject.h"
#include "catalogue/Catalogue.h"
#include "catalogue/OfferedEntries.h"
#include "catalogue/RvxReader.h"
#include "text/Prompt.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>

using namespace Qt::Literals::StringLiterals;
using namespace BenchSupport;

namespace {

// One generated file per size, written once.
QString programFile(int objects)
{
    static QTemporaryDir dir;
    static std::map<int, QString> files;
    auto found = files.find(objects);
    if (found != files.end())
        return found->second;
    QString error;
    const QString path = dir.filePath(u"Bench%1.RVX"_s.arg(objects));
    if (!BigProject::writeProgram(path, objects, &error))
        qFatal("%s", qPrintable(error));
    files.emplace(objects, path);
    return path;
}

void readInto(Catalogue &catalogue, const QString &path)
{
    FailingPrompt prompt;
    if (!ReadRVXFile(path, catalogue, prompt, nullptr))
        qFatal("read failed");
}

void BM_ReadRVXFile(benchmark::State &state)
{
    const QString path = programFile(int(state.range(0)));
    std::size_t entries = 0;
    for (auto _ : state) {
        Catalogue catalogue;
        readInto(catalogue, path);
        entries = catalogue.ObjList.size() + catalogue.VarList.size();
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(path).size());
    state.SetItemsProcessed(state.iterations() * int64_t(entries));
    state.SetComplexityN(state.range(0));
}

void BM_OfferedEntries(benchmark::State &state)
{
    const QString path = programFile(int(state.range(0)));
    qsizetype offered = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Catalogue catalogue;
        readInto(catalogue, path);
        OfferedEntries entries(catalogue);
        state.ResumeTiming();
        entries.rebuild();
        offered = entries.count();
        state.PauseTiming();
        catalogue.ClearCatalogue();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * offered);
    state.SetComplexityN(state.range(0));
}

void BM_ReadAndOffer(benchmark::State &state)
{
    const QString path = programFile(int(state.range(0)));
    for (auto _ : state) {
        Catalogue catalogue;
        readInto(catalogue, path);
        OfferedEntries entries(catalogue);
        entries.rebuild();
        benchmark::DoNotOptimize(entries.count());
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(path).size());
}

} // namespace

BENCHMARK(BM_ReadRVXFile)->RangeMultiplier(2)->Range(5000, 20000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_OfferedEntries)->RangeMultiplier(2)->Range(5000, 20000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_ReadAndOffer)->Arg(20000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
