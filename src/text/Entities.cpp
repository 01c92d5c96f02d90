#include "text/Entities.h"

#include "text/KeyValue.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

namespace {
// Both directions use these pairs in this order. "&szuml;" is what the web server expects.
const std::array<std::pair<char16_t, const char16_t *>, 7> EntityTable = {{
    {u'\u00FC', u"&uuml;"},
    {u'\u00E4', u"&auml;"},
    {u'\u00F6', u"&ouml;"},
    {u'\u00C4', u"&Auml;"},
    {u'\u00DC', u"&Uuml;"},
    {u'\u00D6', u"&Ouml;"},
    {u'\u00DF', u"&szuml;"},
}};
} // namespace

QString UmlautsToEntities(const QString &s)
{
    // Most texts hold none of the letters: they are handed back as they are, without a copy.
    const auto isLetter = [](QChar c) {
        return std::any_of(EntityTable.cbegin(), EntityTable.cend(), [c](const auto &e) { return e.first == c; });
    };
    if (std::none_of(s.cbegin(), s.cend(), isLetter))
        return s;
    QString result = s;
    for (const auto &[letter, entity] : EntityTable) {
        const QChar before(letter);
        result.replace(&before, 1, reinterpret_cast<const QChar *>(entity),
                       qsizetype(std::char_traits<char16_t>::length(entity)));
    }
    return result;
}

QString EntitiesToUmlauts(const QString &s)
{
    // Every entity begins with "&".
    if (!s.contains(u'&'))
        return s;
    QString result = s;
    for (const auto &[letter, entity] : EntityTable) {
        const QChar after(letter);
        result.replace(reinterpret_cast<const QChar *>(entity), qsizetype(std::char_traits<char16_t>::length(entity)),
                       &after, 1);
    }
    return result;
}

QString ColorToText(TColor colour)
{
    QString t = IntToRadix(colour, 16);
    if (t.isEmpty())
        t = QStringLiteral("FFFFFF");
    while (t.size() < 6)
        t.prepend(u'0');
    return Copy(t, 5, 2) + Copy(t, 3, 2) + Copy(t, 1, 2);
}

TColor TextToColor(const QString &s)
{
    return RadixToInt(Copy(s, 5, 2) + Copy(s, 3, 2) + Copy(s, 1, 2), 16);
}
