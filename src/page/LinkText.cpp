#include "page/LinkText.h"

#include "page/Messages.h"
#include "text/KeyValue.h"

#include <algorithm>

namespace LinkText {

QString join(const QString &name, const QString &target)
{
    return name + Separator + target;
}

QString joinEdited(const QString &name, const QString &target, bool external)
{
    return external ? join(name, ExternalMark + target) : join(name, target);
}

Parts split(const QString &link, qsizetype maxTarget)
{
    // Positions counted from 1 as the format was defined: without " : " the separator position is
    // 0, so the name is empty and the target starts at the third character.
    const qsizetype p = link.indexOf(Separator) + 1;
    return {link.left(std::max<qsizetype>(p - 1, 0)), link.mid(p + 2, maxTarget)};
}

Edited forEditing(const QString &link)
{
    const Parts parts = split(link, 255);
    Edited edited{trimBlanks(parts.name), trimBlanks(parts.target), false};
    edited.external = edited.target.startsWith(ExternalMark);
    if (edited.external)
        edited.target.remove(0, 1);
    return edited;
}

QString refusal(const QString &name, const QString &target)
{
    if (name.contains(Separator))
        return PageMessages::LinkNameSeparator;
    if (name.contains(u'"') || target.contains(u'"'))
        return PageMessages::LinkQuote;
    return QString();
}

QString preview(const QString &link)
{
    const qsizetype p = link.indexOf(u':');
    return p < 0 ? link : link.left(p);
}

} // namespace LinkText
