// Reading a large execution file and building the offered entries from it. The full size is
// 20,000 objects and 50,000 variables; the smaller sizes show that both grow linearly.

#include "catalogue/Catalogue.h"
#include "catalogue/OfferedEntries.h"
#include "catalogue/RvxReader.h"
#include "catalogue/RvxScrambler.h"
#include "text/Prompt.h"
#include "text/TextFile.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>

using namespace Qt::Literals::StringLiterals;

namespace {

class FailingPrompt : public Prompt
{
public:
    void error(const QString &text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    void warning(const QString &text) override { error(text); }
    Answer askYesNo(const QString &) override { return Answer::No; }
    Answer askYesNoCancel(const QString &) override { return Answer::Cancel; }
    void beep() override {}
    bool askName(const QString &, const QString &, int, QString &) override { return false; }
    bool chooseOpenFile(const QString &, const QString &, const QString &, const QString &, const QString &,
                        QString &) override
    {
        return false;
    }
    bool chooseFolder(const QString &, QString &) override { return false; }
};

// Variables per device: every device brings this many variables along with DevCode 55.
constexpr int VariablesPerDevice = 25;

const QString Rooms[] = {u"Wohnzimmer"_s, u"Küche"_s, u"Bad"_s, u"Flur"_s, u"Büro"_s, u"Gäste"_s, u"Garten"_s};

QStringList programLines(int objects)
{
    const int variables = objects * 5 / 2;
    const int devices = variables / VariablesPerDevice;
    QStringList lines{execFileHeader(27, u"Benchmark"_s)};
    lines << u"@TYPES"_s << u"Modus;0:Aus;1:Komfort;2:Eco;3:Frostschutz;MAX=004"_s;
    for (int v = 0; v < variables; ++v) {
        lines << u"@VAR=%1"_s.arg(v) << u"NA=Gerät%1.Wert%2"_s.arg(v / VariablesPerDevice).arg(v % VariablesPerDevice)
              << u"VS=3"_s << u"VT=%1"_s.arg(2 + v % 4) << u"YI=0"_s << u"OI=%1"_s.arg(v / VariablesPerDevice)
              << u"VO=%1"_s.arg(v);
    }
    for (int o = 0; o < objects; ++o) {
        const QString room = Rooms[o % 7];
        lines << u"@OBJECT=%1"_s.arg(o);
        if (o < devices) {
            QStringList positions;
            for (int k = 0; k < VariablesPerDevice; ++k)
                positions << QString::number(o * VariablesPerDevice + k);
            lines << u"NA=Gerät%1"_s.arg(o) << u"OK=G"_s << u"DC=55"_s << u"SV="_s + positions.join(u';');
        } else if (o % 3 == 0) {
            lines << u"NA=Licht_%1_%2"_s.arg(room).arg(o) << u"OD=Licht %1"_s.arg(room) << u"OK=U"_s
                  << u"IV=%1"_s.arg(o) << u"HT=1"_s << u"DC=1"_s << u"TI=Licht;0Z:Aus;1Z:Ein"_s;
        } else {
            lines << u"NA=temp_%1_%2"_s.arg(room).arg(o) << u"OD=Temperatur"_s << u"OK=N"_s << u"IV=%1"_s.arg(o)
                  << u"OF=1"_s << u"MI=-20"_s << u"MA=40"_s << u"HT=2"_s << u"DC=3"_s;
        }
        lines << u"@ENDOBJ"_s;
    }
    return lines;
}

// One generated file per size, written once.
QString programFile(int objects)
{
    static QTemporaryDir dir;
    static std::map<int, QString> files;
    auto found = files.find(objects);
    if (found != files.end())
        return found->second;
    QStringList scrambled;
    QString error;
    if (!scrambleExecFile(programLines(objects), scrambled, &error))
        qFatal("%s", qPrintable(error));
    const QString path = dir.filePath(u"Bench%1.RVX"_s.arg(objects));
    if (writeTextFile(path, scrambled) != WriteStatus::Ok)
        qFatal("cannot write %s", qPrintable(path));
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
