#include "page/OfferedFilter.h"

#include "catalogue/CatalogueRecords.h"
#include "page/PageFileWriter.h"
#include "text/SearchFold.h"

#include <QLocale>

using namespace Qt::Literals::StringLiterals;

void OfferedFilter::rebuild(const QList<OfferedEntry> &entries)
{
    m_keys.clear();
    m_keys.reserve(entries.size());
    for (const OfferedEntry &e : entries) {
        const QString descr = e.entry ? e.entry->ObjDescr : QString();
        m_keys.append(searchKey(e.text) + u'\n' + searchKey(descr));
    }
}

QList<qsizetype> OfferedFilter::matches(const QString &text) const
{
    QList<qsizetype> result;
    const QString key = searchKey(text);
    if (key.isEmpty()) {
        result.resize(m_keys.size());
        for (qsizetype i = 0; i < m_keys.size(); ++i)
            result[i] = i;
        return result;
    }
    // A line break never occurs in a typed text, so a match never spans name and description.
    for (qsizetype i = 0; i < m_keys.size(); ++i) {
        if (m_keys.at(i).contains(key))
            result.append(i);
    }
    return result;
}

QString objectKindName(QChar kind)
{
    switch (kind.unicode()) {
    case u'U':
        return u"Zustände"_s;
    case u'N':
        return u"Zahl"_s;
    case u'S':
        return u"Text"_s;
    case u'B':
        return u"Taster"_s;
    case u'M':
        return u"Makro"_s;
    default:
        break;
    }
    return u"Objekt"_s;
}

namespace {

// State names of a state list "count;name;name;" or "count&name&name&".
QStringList stateNames(const QString &list)
{
    QString text = list;
    text.replace(u'&', u';');
    QStringList names = text.split(u';', Qt::SkipEmptyParts);
    if (!names.isEmpty())
        names.removeFirst();
    return names;
}

} // namespace

QString offeredEntryDetails(const TPSObj &entry)
{
    QStringList lines;
    if (!entry.ObjDescr.isEmpty())
        lines << entry.ObjDescr;
    QString kind = u"Art: "_s + objectKindName(entry.ObjKind);
    if (entry.Source == u'V')
        kind += u" (Variable)"_s;
    lines << kind;
    const QLocale german(QLocale::German, QLocale::Germany);
    if (entry.ObjKind == u'N') {
        lines << u"Bereich: %1 bis %2"_s.arg(formatMinMax(entry.minVal, entry.Format, german),
                                               formatMinMax(entry.maxVal, entry.Format, german));
    } else if (entry.ObjKind == u'U') {
        const QStringList states = stateNames(entry.TypInfo);
        if (!states.isEmpty())
            lines << u"Zustände: "_s + states.join(u", "_s);
    }
    return lines.join(u'\n');
}
