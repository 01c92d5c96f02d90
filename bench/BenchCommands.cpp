// The headless tool's commands against a large project, each beside the floor of bare reading
// (bench/BareReading.h) measured in the same run:
//   - `webdef-cli catalogue` (the whole catalogue as JSON) against the bare pass over the
//     execution file, for 5,000, 10,000 and 20,000 objects (2.5 variables each);
//   - `webdef-cli check` against the bare pass plus reading every page file, for 125, 250 and 500
//     pages (50 object rows, 10 macros, 10 links each) and 5,000 to 20,000 objects.
// In process (BM_CatalogueCommand, BM_CheckCommand) the commands run through the command runner,
// their output going nowhere, and "ratio" is command time over floor time. As programs
// (BM_CatalogueProgram, BM_CheckProgram) webdef-cli and webdef-bare-reading are started one after
// the other, start-up, exit and fresh memory included, and "ratio" compares their wall times. The
// data is what `webdef-bigproject FOLDER OBJECTS PAGES` writes.

#include "BareReading.h"
#include "BigProject.h"
#include "cli/CliRunner.h"
#include "text/FilePaths.h"

#include <QIODevice>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <map>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

// Standard output and standard error of the commands: everything is dropped.
class NullDevice : public QIODevice
{
public:
    NullDevice() { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 size) override { return size; }
};

struct Project
{
    QString projectFile;
    QString execFile;
    std::string execPath; // for the floor
    std::vector<std::string> pagePaths;
};

// One generated project per size, written once into a folder that lives as long as the run.
const Project &project(int objects, int pages)
{
    static QTemporaryDir dir;
    static std::map<std::pair<int, int>, Project> projects;
    const auto key = std::make_pair(objects, pages);
    if (auto found = projects.find(key); found != projects.end())
        return found->second;
    const QString folder = dir.filePath(u"%1-%2"_s.arg(objects).arg(pages));
    QString error;
    if (!BigProject::writeProject(folder, objects, pages, &error))
        qFatal("%s", qPrintable(error));
    Project p;
    p.projectFile = ProjectFiles::projectFile(folder, BigProject::ProjectName);
    p.execFile = projectFilePath(folder, BigProject::ProjectName + u".RVX"_s);
    p.execPath = p.execFile.toStdString();
    for (int page = 0; page < pages; ++page)
        p.pagePaths.push_back(
            ProjectFiles::pageFile(folder, BigProject::ProjectName, BigProject::pageName(page)).toStdString());
    return projects.emplace(key, p).first->second;
}

double seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Runs the command once per iteration, and the floor beside it with the timing paused.
template <typename Floor>
void runBeside(benchmark::State &state, const QStringList &arguments, int expectedStatus, Floor floor)
{
    NullDevice out;
    NullDevice err;
    double commandSeconds = 0;
    double floorSeconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const int status = CliRunner(out, err).run(arguments);
        commandSeconds += seconds(start);
        if (status != expectedStatus)
            qFatal("exit status %d", status);
        state.PauseTiming();
        const auto floorStart = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(floor());
        floorSeconds += seconds(floorStart);
        state.ResumeTiming();
    }
    const double n = double(state.iterations());
    state.counters["floor_ms"] = floorSeconds / n * 1000;
    state.counters["ratio"] = commandSeconds / floorSeconds;
}

void BM_CatalogueCommand(benchmark::State &state)
{
    const Project &p = project(int(state.range(0)), 1);
    runBeside(state, {u"catalogue"_s, p.execFile}, 0, [&] { return BareReading::execFile(p.execPath); });
    state.SetComplexityN(state.range(0));
}

void BM_CheckCommand(benchmark::State &state)
{
    const Project &p = project(int(state.range(0)), int(state.range(1)));
    runBeside(state, {u"check"_s, p.projectFile}, 0,
              [&] { return BareReading::execFile(p.execPath) + BareReading::catFiles(p.pagePaths); });
}

// Starts program with arguments, its output going nowhere; returns its wall time in seconds.
double runProgram(const QString &program, const QStringList &arguments, int expectedStatus)
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    const auto start = std::chrono::steady_clock::now();
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != expectedStatus)
        qFatal("%s failed", qPrintable(program));
    return seconds(start);
}

void runProgramsBeside(benchmark::State &state, const QStringList &cliArguments, const QStringList &floorArguments)
{
    double cliSeconds = 0;
    double floorSeconds = 0;
    for (auto _ : state) {
        cliSeconds += runProgram(QStringLiteral(WEBDEF_CLI), cliArguments, 0);
        floorSeconds += runProgram(QStringLiteral(WEBDEF_BARE_READING), floorArguments, 0);
    }
    const double n = double(state.iterations());
    state.counters["cli_ms"] = cliSeconds / n * 1000;
    state.counters["floor_ms"] = floorSeconds / n * 1000;
    state.counters["ratio"] = cliSeconds / floorSeconds;
}

QStringList pageArguments(const Project &p)
{
    QStringList arguments{p.execFile};
    for (const std::string &page : p.pagePaths)
        arguments << QString::fromStdString(page);
    return arguments;
}

void BM_CatalogueProgram(benchmark::State &state)
{
    const Project &p = project(int(state.range(0)), 1);
    runProgramsBeside(state, {u"catalogue"_s, p.execFile}, {p.execFile});
}

void BM_CheckProgram(benchmark::State &state)
{
    const Project &p = project(int(state.range(0)), int(state.range(1)));
    runProgramsBeside(state, {u"check"_s, p.projectFile}, pageArguments(p));
}

} // namespace

BENCHMARK(BM_CatalogueProgram)->Arg(20000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_CheckProgram)
    ->ArgNames({"objects", "pages"})
    ->Args({20000, 500})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);

BENCHMARK(BM_CatalogueCommand)
    ->Arg(5000)
    ->Arg(10000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Complexity(benchmark::oN);
BENCHMARK(BM_CheckCommand)
    ->ArgNames({"objects", "pages"})
    ->Args({20000, 125})
    ->Args({20000, 250})
    ->Args({20000, 500})
    ->Args({5000, 500})
    ->Args({10000, 500})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

BENCHMARK_MAIN();
