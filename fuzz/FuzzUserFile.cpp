// User list bytes -> users grid -> user list -> users grid.
//
// Properties: an existing file always reads, fills at most 65 users and never shrinks the grid; the
// users read and saved read back the same; the memory held stays proportional to the file. The
// round trip is checked for users without a double quote (the list has no quoting, so a quote
// makes the ";" after it part of the value).

#include "FuzzSupport.h"

#include "workspace/AppState.h"
#include "workspace/ProjectModel.h"
#include "workspace/UserFile.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

// The users a save writes: rows with a user name, in grid order.
QStringList savedUsers(const ProjectModel &model)
{
    QStringList users;
    for (const UserRow &row : model.Users) {
        if (!row.User.isEmpty())
            users.append(row.User + u'|' + row.Password + u'|' + row.StartPage);
    }
    return users;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    AppState state;
    state.DataFolder = Fuzz::scratchFolder();
    Fuzz::writeScratch(u"GELESEN_WEBUSERS.USR"_s, data, size);

    ProjectModel model;
    {
        Fuzz::AllocationBound bound(size);
        QuietPrompt prompt;
        Fuzz::check(ReadUserFile(u"GELESEN"_s, state, model, prompt) && prompt.errors == 0, "an existing user list reads");
    }
    Fuzz::check(model.userGridRows() >= ProjectModel::StartGridRows, "the grid never shrinks");
    Fuzz::check(model.Users.size() <= std::max<qsizetype>(ProjectModel::StartGridRows - 1, ProjectModel::MaxReadUsers),
                "at most 65 users are read");

    QuietPrompt prompt;
    Fuzz::check(WriteUserFile(u"HAUS"_s, state, model, prompt), "the user list is written");
    const QStringList users = savedUsers(model);
    if (users.join(QString()).contains(u'"'))
        return 0;

    ProjectModel again;
    Fuzz::check(ReadUserFile(u"HAUS"_s, state, again, prompt), "a written user list reads");
    // A list without users is saved as one line holding one blank, which reads as a user of that name.
    const QStringList expected = users.isEmpty() ? QStringList{u" ||"_s} : users;
    Fuzz::check(savedUsers(again) == expected, "saved users read back the same",
                users.join(u'\n') + u"\n----\n"_s + savedUsers(again).join(u'\n'));
    return 0;
}
