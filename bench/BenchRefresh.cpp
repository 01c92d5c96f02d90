// Refreshing every page file of a large project against a large catalogue: 500 pages with 50 object
// rows, 10 macro rows and 10 links each, against a catalogue of 20,000 objects and 50,000
// variables (the shape of the catalogue benchmark). Reports pages per second and the ratio of the
// refresh time to simply copying the same page files; the smaller page counts show that the
// refresh grows linearly with the number of pages.

#include "BenchSupport.h"
#include "BigProject.h"
#include "catalogue/Catalogue.h"
#include "catalogue/RvxReader.h"
#include "page/PageEditSession.h"
#include "text/FilePaths.h"
#include "text/Prompt.h"
#include "text/TextFile.h"
#include "workspace/AppState.h"
#include "workspace/Refresh.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;
using namespace BenchSupport;

namespace {

constexpr int CatalogueObjects = 20000;

// The catalogue read once for all runs, with the offered entries of the page session.
struct Fixture
{
    QTemporaryDir dir;
    AppState state;
    std::unique_ptr<PageEditSession> session;
    FailingPrompt prompt;

    Fixture()
    {
        QString error;
        const QString exec = dir.filePath(u"Bench.RVX"_s);
        if (!BigProject::writeProgram(exec, CatalogueObjects, &error))
            qFatal("%s", qPrintable(error));
        if (!ReadRVXFile(exec, state.catalogue, prompt, nullptr))
            qFatal("cannot read the catalogue");
        session = std::make_unique<PageEditSession>(state.catalogue);
        session->InitAll();
        state.ProjectName = BigProject::ProjectName;
    }

    // A project folder with pages page files, written once per page count.
    QStringList preparePages(int pages, const QString &folder)
    {
        QDir().mkpath(folder);
        QStringList names;
        for (int p = 0; p < pages; ++p) {
            names << BigProject::pageName(p);
            if (writeTextFile(ProjectFiles::pageFile(folder, BigProject::ProjectName, names.last()),
                              BigProject::pageLines(p, pages, CatalogueObjects)) != WriteStatus::Ok)
                qFatal("cannot write a page file");
        }
        return names;
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

double copyPages(const QString &from, const QString &to, const QStringList &pages)
{
    const auto start = std::chrono::steady_clock::now();
    for (const QString &page : pages) {
        const QString name = ProjectFiles::pageFileName(BigProject::ProjectName, page);
        const QString target = projectFilePath(to, name);
        QFile::remove(target);
        if (!QFile::copy(projectFilePath(from, name), target))
            qFatal("copy failed");
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_RefreshAllPages(benchmark::State &state)
{
    Fixture &f = fixture();
    const int pages = int(state.range(0));
    const QString folder = f.dir.filePath(u"pages%1"_s.arg(pages));
    const QString copies = f.dir.filePath(u"copies%1"_s.arg(pages));
    QDir().mkpath(copies);
    const QStringList names = f.preparePages(pages, folder);
    f.state.DataFolder = folder;

    double refreshSeconds = 0;
    double copySeconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const RefreshResult result = RefreshAllPages(f.state, names, f.session->document(), f.session->offered(), f.prompt);
        refreshSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (result.status != RefreshResult::Status::Completed)
            qFatal("refresh did not complete");
        state.PauseTiming();
        copySeconds += copyPages(folder, copies, names);
        state.ResumeTiming();
    }
    state.counters["pages/s"] =
        benchmark::Counter(double(pages) * double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["ratio_to_copy"] = copySeconds > 0 ? refreshSeconds / copySeconds : 0;
    state.SetComplexityN(pages);
}

} // namespace

BENCHMARK(BM_RefreshAllPages)
    ->Arg(100)
    ->Arg(250)
    ->Arg(500)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Complexity(benchmark::oN);

BENCHMARK_MAIN();
