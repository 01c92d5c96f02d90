#include "workspace/IpList.h"

#include "text/KeyValue.h"
#include "text/Messages.h"
#include "text/Prompt.h"
#include "workspace/Messages.h"
#include "workspace/ProjectModel.h"

using namespace Qt::Literals::StringLiterals;

void AddFreeIP(ProjectModel &model, Prompt &prompt)
{
    static const QString all = u"ALL"_s;
    model.IsChanged = true;
    model.NewIP = trimBlanks(model.NewIP);
    const QString &text = model.NewIP;
    // "ALL" is never mixed with addresses: either replaces the other.
    if (text == all)
        model.FreeIPs.clear();
    if (model.FreeIPs.size() == 1 && model.FreeIPs.constFirst() == all)
        model.FreeIPs.clear();

    if (text.size() < 4 && text != all) {
        prompt.error(WorkspaceMessages::InvalidIP);
        return;
    }
    if (model.FreeIPs.contains(text, Qt::CaseInsensitive)) {
        prompt.beep();
        return;
    }
    model.FreeIPs.append(text);
    model.NewIP.clear();
}

void DeleteFreeIP(ProjectModel &model, int index, Prompt &prompt)
{
    model.IsChanged = true;
    if (index < 0 || index >= model.FreeIPs.size()) {
        prompt.warning(Messages::NoEntrySelected);
        return;
    }
    model.FreeIPs.removeAt(index);
}

void ToggleTestMode(ProjectModel &model)
{
    model.testmode = !model.testmode;
}
