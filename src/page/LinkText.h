#pragma once

#include <QString>

// The text of one navigation link as the editor lists it: name + " : " + target, an external
// target starting with ">". The page file stores name and target with their own separators; this
// is the one place that joins and splits the listed text.
namespace LinkText {
inline const QString Separator = QStringLiteral(" : ");
inline constexpr QChar ExternalMark = u'>';

struct Parts
{
    QString name;
    QString target; // with the ">" of an external link
};

// name + " : " + target.
QString join(const QString &name, const QString &target);
// The text the link edit panel stores: an external target gets its ">".
QString joinEdited(const QString &name, const QString &target, bool external);
// Splits at the first " : " as the page file writer does: without one the name is empty and the
// target starts at the third character; the target is cut to maxTarget characters.
Parts split(const QString &link, qsizetype maxTarget);

// Name and target for the edit panel: both trimmed, the target cut to 255 characters, an external
// target without its ">" (then at most 254 characters).
struct Edited
{
    QString name;
    QString target;
    bool external = false;
};
Edited forEditing(const QString &link);

// Why name and target cannot be stored as a link (empty when they can): a name holding " : " is
// split there when the page is read back, a double quote hides the separators of the link list.
QString refusal(const QString &name, const QString &target);

// The name part shown by the navigation preview: the text up to its first ":".
QString preview(const QString &link);
} // namespace LinkText
