// Project file bytes -> project view -> project file -> project view.
//
// Properties: an existing file always reads; a project read and saved reads back as the same
// project; the memory held stays proportional to the file. The round trip is checked where the
// format can carry the values: exempt addresses without a double quote or ";" (the list has no
// quoting) and lines the reader takes back whole.

#include "FuzzSupport.h"

#include "text/KeyValue.h"
#include "workspace/AppState.h"
#include "workspace/ProjectFile.h"
#include "workspace/ProjectModel.h"

using namespace Qt::Literals::StringLiterals;

namespace {

QString describe(const AppState &state, const ProjectModel &model)
{
    return QStringList{u"sites: "_s + model.Sites.join(u'|'),
                       u"start page: "_s + model.StartPage,
                       u"prompt: "_s + model.AuthMsg,
                       u"ips: "_s + model.FreeIPs.join(u'|'),
                       u"width: "_s + QString::number(model.BrowserWidth),
                       u"auto width: "_s + QString::number(model.AutoHandyDetect),
                       u"no auto scale: "_s + QString::number(model.NoAutoScale),
                       u"execution file: "_s + state.ExecFileName + u" shown "_s + model.RVXFileShown}
        .join(u'\n');
}

bool isCarried(const AppState &state, const ProjectModel &model, const QByteArray &written)
{
    for (const QString &ip : model.FreeIPs) {
        if (ip.contains(u'"') || ip.contains(u';'))
            return false;
    }
    const QString lone = u";"_s;
    if (model.Sites.contains(lone) || model.StartPage == lone || model.AuthMsg == lone || state.ExecFileName == lone)
        return false;
    for (const QByteArray &line : written.split('\n')) {
        const qsizetype eq = line.indexOf('=');
        // The line ends in CR LF.
        if (eq >= 0 && line.size() - eq - 2 > KeyValue::MaxValueLength)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString path = Fuzz::writeScratch(u"Gelesen.FNP"_s, data, size);

    AppState state;
    state.DataFolder = Fuzz::scratchFolder();
    ProjectModel model;
    {
        Fuzz::AllocationBound bound(size);
        QuietPrompt prompt;
        Fuzz::check(ReadProjectFile(path, state, model, prompt) && prompt.errors == 0, "an existing project file reads");
    }

    QuietPrompt prompt;
    Fuzz::check(WriteProjectFile(u"HAUS"_s, state, model, prompt), "the project file is written");
    const QString written = Fuzz::scratchPath(u"HAUS.FNP"_s);
    if (!isCarried(state, model, Fuzz::readFile(written)))
        return 0;

    AppState stateAgain;
    ProjectModel again;
    Fuzz::check(ReadProjectFile(written, stateAgain, again, prompt), "a written project file reads");
    Fuzz::check(describe(stateAgain, again) == describe(state, model), "a saved project reads back the same",
                describe(state, model) + u"\n----\n"_s + describe(stateAgain, again));
    return 0;
}
