// Opening the page editor on a page of 70 object rows while the catalogue offers 50,000 entries,
// and filling the offered entries view alone. Real widgets on the offscreen platform; each opening
// runs the whole showing (page file read, views reset, window shown and its first events handled)
// and closes the window again.

#include "BenchSupport.h"
#include "catalogue/Catalogue.h"
#include "editor/OfferedEntriesModel.h"
#include "editor/OfferedSearch.h"
#include "editor/TSiteDefF.h"
#include "page/PageEditSession.h"
#include "text/FilePaths.h"
#include "text/Prompt.h"
#include "text/TextFile.h"
#include "workspace/AppState.h"
#include "workspace/Workspace.h"

#include <QApplication>
#include <QListView>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int PageRows = 70;

// A benchmark must never see a message: any message ends the run. The editor's close question
// is answered Yes.
class FailingPrompt : public BenchSupport::FailingPrompt
{
public:
    Answer askYesNo(const QString &) override { return Answer::Yes; }
};

QString entryName(int i)
{
    static const QString Rooms[] = {u"Wohnzimmer"_s, u"Küche"_s, u"Bad"_s, u"Flur"_s, u"Büro"_s, u"Garten"_s};
    return u"Licht_%1_%2"_s.arg(Rooms[i % 6]).arg(i);
}

// The catalogue, the workspace and a page file, made once for all runs.
struct Setup
{
    QTemporaryDir dir;
    AppState state;
    FailingPrompt prompt;
    std::unique_ptr<Workspace> workspace;
    int offered = 0;

    explicit Setup(int entries)
    {
        for (int i = 0; i < entries; ++i) {
            TPSObj *o = state.catalogue.AddPSObj(entryName(i), i);
            o->Source = u'O';
            o->ObjKind = u'U';
            o->HdwTyp = 1;
            o->TypInfo = u"1;Aus;Ein;"_s;
        }
        state.catalogue.setComplete(true);
        state.ProjectName = u"HAUS"_s;
        state.DataFolder = dir.path();
        workspace = std::make_unique<Workspace>(state, prompt);
        workspace->model().Sites = {u"Wohnzimmer"_s, u"Küche"_s};
        workspace->pageSession().FillPagePosLB();
        workspace->pageSession().InitAll();
        offered = int(workspace->pageSession().offered().count());

        QStringList lines{u"@V=HTM100"_s, u"#001000=Wohnzimmer"_s, u"FILEVERS=140"_s, u"#010000"_s};
        for (int r = 0; r < PageRows; ++r)
            lines << u"OBJROW=%1@Licht %2@0@O@0@U@0@Aus&Ein"_s.arg(entryName(r * 701 % entries)).arg(r);
        lines << u"#099000"_s;
        writeTextFile(ProjectFiles::pageFile(dir.path(), u"HAUS"_s, u"Wohnzimmer"_s), lines);
        handOver.page = u"Wohnzimmer"_s;
        handOver.allPages = workspace->model().Sites;
        handOver.dataFolder = dir.path();
        handOver.projectName = u"HAUS"_s;
    }

    PageHandOver handOver;
};

void BM_OpenPageEditor(benchmark::State &state)
{
    Setup setup(int(state.range(0)));
    TSiteDefF editor(setup.workspace->pageSession(), setup.prompt);
    for (auto _ : state) {
        // Closed as soon as the window's event loop runs, i.e. once it is shown and laid out.
        QTimer::singleShot(0, &editor, [&editor] { editor.close(); });
        editor.editPage(setup.handOver);
    }
    if (setup.workspace->pageSession().document().objects.size() != PageRows)
        state.SkipWithError("the page was not read");
    state.counters["offered"] = setup.offered;
    state.counters["rows"] = PageRows;
}

void BM_FillOfferedView(benchmark::State &state)
{
    Setup setup(int(state.range(0)));
    OfferedEntriesModel model(setup.workspace->pageSession());
    QListView view;
    view.setUniformItemSizes(true);
    view.setModel(&model);
    view.resize(260, 300);
    view.show();
    for (auto _ : state) {
        model.reload();
        view.doItemsLayout();
        QCoreApplication::processEvents();
    }
    state.counters["offered"] = setup.offered;
}

// One keystroke in the search field: the filter over every offered entry and the view laid out anew.
void BM_SearchKeystroke(benchmark::State &state)
{
    Setup setup(int(state.range(0)));
    OfferedEntriesModel entries(setup.workspace->pageSession());
    OfferedSearchModel search(setup.workspace->pageSession());
    search.setSourceModel(&entries);
    QListView view;
    view.setUniformItemSizes(true);
    view.setModel(&search);
    view.resize(260, 300);
    view.show();
    const QStringList typed{u"k"_s, u"ku"_s, u"kue"_s, u"kuec"_s, u"kuech"_s, u"kueche"_s, u"kueche_1"_s};
    qsizetype k = 0;
    for (auto _ : state) {
        search.setSearchText(typed.at(k++ % typed.size()));
        view.doItemsLayout();
        QCoreApplication::processEvents();
    }
    state.counters["offered"] = setup.offered;
}

} // namespace

BENCHMARK(BM_SearchKeystroke)->Arg(12500)->Arg(25000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenPageEditor)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillOfferedView)->Arg(12500)->Arg(25000)->Arg(50000)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
