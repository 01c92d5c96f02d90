#include "text/SearchFold.h"

namespace {

// Appends the folded form of c to out; returns how many characters it appended.
int appendFolded(QChar c, QString &out)
{
    switch (c.unicode()) {
    case u'ä':
    case u'Ä':
        out += u"ae";
        return 2;
    case u'ö':
    case u'Ö':
        out += u"oe";
        return 2;
    case u'ü':
    case u'Ü':
        out += u"ue";
        return 2;
    case u'ß':
    case u'ẞ':
        out += u"ss";
        return 2;
    default:
        break;
    }
    out += c.toCaseFolded();
    return 1;
}

} // namespace

QString searchKey(const QString &text)
{
    QString out;
    out.reserve(text.size() + 4);
    for (const QChar c : text)
        appendFolded(c, out);
    return out;
}

QList<std::pair<qsizetype, qsizetype>> searchSpans(const QString &text, const QString &needle)
{
    QList<std::pair<qsizetype, qsizetype>> spans;
    const QString key = searchKey(needle);
    if (key.isEmpty())
        return spans;
    // The folded text with, for each of its characters, the original character it came from.
    QString folded;
    QList<qsizetype> origin;
    folded.reserve(text.size() + 4);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int added = appendFolded(text.at(i), folded);
        for (int k = 0; k < added; ++k)
            origin.append(i);
    }
    qsizetype from = 0;
    while ((from = folded.indexOf(key, from)) >= 0) {
        const qsizetype start = origin.at(from);
        const qsizetype end = origin.at(from + key.size() - 1) + 1;
        spans.append({start, end - start});
        from += key.size();
    }
    return spans;
}
