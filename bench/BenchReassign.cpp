// Proposals for the names a project lost against a large catalogue: 500 lost names against some
// 20,000 offered entries, in the group of entries of one kind and range that is the largest, so
// that every name is compared by its pieces with thousands of entries. The names are the offered
// ones renamed as installers rename (a letter more, case changed, an umlaut spelt out), and their
// recorded places are gone, so no proposal comes from a place: every one is a search by name.
// The time includes building the finder's indexes.

#include "BenchSupport.h"
#include "BigProject.h"
#include "catalogue/Catalogue.h"
#include "catalogue/OfferedEntries.h"
#include "catalogue/RvxReader.h"
#include "page/PageFileWriter.h"
#include "workspace/Reassign.h"

#include <QLocale>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>

using namespace Qt::Literals::StringLiterals;
using namespace BenchSupport;

namespace {

constexpr int LostNames = 500;

struct Fixture
{
    QTemporaryDir dir;
    Catalogue catalogue;
    std::unique_ptr<OfferedEntries> offered;
    QList<LostName> lost;
    QList<qsizetype> renamedFrom; // the offered entry each lost name was made from
    qsizetype groupSize = 0;

    explicit Fixture(int objects)
    {
        QString error;
        const QString path = dir.filePath(u"Bench.RVX"_s);
        FailingPrompt prompt;
        if (!BigProject::writeProgram(path, objects, &error) || !ReadRVXFile(path, catalogue, prompt, nullptr))
            qFatal("cannot read the catalogue: %s", qPrintable(error));
        offered = std::make_unique<OfferedEntries>(catalogue);
        offered->rebuild();

        // The largest group of entries of one kind and range that object rows can take.
        const QLocale locale = QLocale::system();
        std::map<QString, QList<qsizetype>> groups;
        const ReplacementFinder probe(*offered, catalogue, locale);
        for (qsizetype i = 0; i < offered->count(); ++i) {
            if (!probe.fits(i, RowKind::Object))
                continue;
            const QString data = entryData(*offered->entries().at(i).entry, catalogue, locale);
            const QStringList fields = data.split(u'@');
            groups[fields.value(2) + u'@' + fields.mid(4).join(u'@')].append(i);
        }
        const QList<qsizetype> *largest = nullptr;
        for (const auto &[key, members] : groups) {
            if (!largest || members.size() > largest->size())
                largest = &members;
        }
        groupSize = largest->size();
        for (int n = 0; n < LostNames; ++n) {
            const qsizetype member = largest->at((qsizetype(n) * 7919) % largest->size());
            const TPSObj &entry = *offered->entries().at(member).entry;
            const QString data = entryData(entry, catalogue, locale);
            LostName name;
            name.kind = RowKind::Object;
            QString renamed = offered->entries().at(member).text;
            switch (n % 3) {
            case 0:
                renamed += u'x';
                break;
            case 1:
                renamed = renamed.toUpper();
                break;
            default:
                renamed.replace(u'_', u'-');
                break;
            }
            name.name = renamed;
            name.recorded.source = data.section(u'@', 0, 0);
            name.recorded.varIdx = -1 - n; // no entry has this place
            name.recorded.kind = data.section(u'@', 2, 2);
            name.recorded.code = data.section(u'@', 3, 3);
            name.recorded.range = data.section(u'@', 4);
            name.rows = 1;
            lost.append(name);
            renamedFrom.append(member);
        }
    }
};

void BM_Proposals(benchmark::State &state)
{
    static Fixture fixture(5715); // 20,002 offered entries
    int proposed = 0;
    int right = 0;
    for (auto _ : state) {
        const ReplacementFinder finder(*fixture.offered, fixture.catalogue);
        proposed = right = 0;
        for (qsizetype n = 0; n < fixture.lost.size(); ++n) {
            const Proposal p = finder.propose(fixture.lost[n]);
            proposed += p.offered >= 0 ? 1 : 0;
            right += p.offered == fixture.renamedFrom[n] ? 1 : 0;
            benchmark::DoNotOptimize(p.score);
        }
    }
    state.counters["offered"] = double(fixture.offered->count());
    state.counters["group"] = double(fixture.groupSize);
    state.counters["lost"] = LostNames;
    state.counters["proposed"] = proposed;
    state.counters["right"] = right; // proposals of the entry the name was made from
}

} // namespace

BENCHMARK(BM_Proposals)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
