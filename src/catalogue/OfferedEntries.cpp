#include "catalogue/OfferedEntries.h"

#include "catalogue/Catalogue.h"

#include "text/Collation.h"

#include <algorithm>
#include <vector>

OfferedEntries::OfferedEntries(Catalogue &catalogue) : m_catalogue(&catalogue)
{
    m_clearConnection = QObject::connect(&catalogue, &Catalogue::aboutToClear, &catalogue, [this] { clear(); });
}

OfferedEntries::~OfferedEntries()
{
    QObject::disconnect(m_clearConnection);
}

void OfferedEntries::rebuild()
{
    clear();
    if (!m_catalogue)
        return;
    Catalogue &catalogue = *m_catalogue;
    const std::size_t count = catalogue.ObjList.size();
    m_entries.reserve(qsizetype(count));
    for (std::size_t i = 0; i < count; ++i) {
        // Copied before AddVarObj grows ObjList; the entries themselves never move.
        TPSObj *obj = catalogue.ObjList[i].entry.get();
        m_entries.append({catalogue.ObjList[i].text, obj});
        for (const qint32 position : catalogue.ObjVarPositions(*obj)) {
            if (TPSObj *varObj = catalogue.AddVarObj(position))
                m_entries.append({catalogue.VarList[std::size_t(position)].text, varObj});
        }
    }
    sortEntries(m_entries);
    m_firstByFoldedText.reserve(m_entries.size());
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        const QString folded = m_entries.at(i).text.toCaseFolded();
        if (!m_firstByFoldedText.contains(folded))
            m_firstByFoldedText.insert(folded, i);
    }
}

void OfferedEntries::clear()
{
    m_entries.clear();
    m_firstByFoldedText.clear();
}

qsizetype OfferedEntries::indexOf(const QString &name) const
{
    return m_firstByFoldedText.value(name.toCaseFolded(), -1);
}

TPSObj *OfferedEntries::find(const QString &name) const
{
    const qsizetype index = indexOf(name);
    return index < 0 ? nullptr : m_entries.at(index).entry;
}

void OfferedEntries::sortEntries(QList<OfferedEntry> &entries)
{
    const QCollator collator = germanCollator();

    // One sort key per entry instead of collating in every comparison.
    std::vector<std::pair<QCollatorSortKey, qsizetype>> keys;
    keys.reserve(std::size_t(entries.size()));
    for (qsizetype i = 0; i < entries.size(); ++i)
        keys.emplace_back(collator.sortKey(entries.at(i).text), i);
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto &a, const auto &b) { return a.first.compare(b.first) < 0; });

    QList<OfferedEntry> sorted;
    sorted.reserve(entries.size());
    for (const auto &key : keys)
        sorted.append(entries.at(key.second));
    entries = std::move(sorted);
}
