#include "catalogue/OfferedEntries.h"

#include "catalogue/Catalogue.h"

#include "text/Collation.h"

#include <QHashFunctions>

#include <algorithm>
#include <numeric>
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
    // Usually every variable belongs to one object: room for all of them saves growing twice.
    m_entries.reserve(qsizetype(count + catalogue.VarList.size()));
    catalogue.ObjList.reserve(count + catalogue.VarList.size());
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
    buildIndex();
}

void OfferedEntries::buildIndex()
{
    const auto count = std::size_t(m_entries.size());
    m_foldedStart.resize(count + 1);
    qsizetype length = 0;
    for (const OfferedEntry &e : std::as_const(m_entries))
        length += e.text.size();
    m_folded.reserve(length);
    std::size_t size = 16;
    while (size < 2 * count)
        size *= 2;
    m_slots.assign(size, Slot());
    const std::size_t mask = size - 1;
    for (std::size_t i = 0; i < count; ++i) {
        m_foldedStart[i] = m_folded.size();
        appendCaseFolded(m_entries.at(qsizetype(i)).text, m_folded);
        m_foldedStart[i + 1] = m_folded.size();
        const QStringView text = folded(qsizetype(i));
        const std::size_t hash = qHash(text);
        for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
            Slot &s = m_slots[slot];
            if (s.entry < 0) {
                s = {qint32(i), quint32(hash)};
                break;
            }
            // An earlier entry of the same text keeps its place.
            if (s.hash == quint32(hash) && folded(s.entry) == text)
                break;
        }
    }
}

QStringView OfferedEntries::folded(qsizetype i) const
{
    const qsizetype start = m_foldedStart[std::size_t(i)];
    return QStringView(m_folded).sliced(start, m_foldedStart[std::size_t(i) + 1] - start);
}

void OfferedEntries::clear()
{
    m_entries.clear();
    m_slots.clear();
    m_folded.clear();
    m_foldedStart.clear();
}

qsizetype OfferedEntries::indexOf(const QString &name) const
{
    if (m_slots.empty())
        return -1;
    QString key;
    key.reserve(name.size());
    appendCaseFolded(name, key);
    const std::size_t hash = qHash(key);
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const Slot &s = m_slots[slot];
        if (s.entry < 0)
            return -1;
        if (s.hash == quint32(hash) && folded(s.entry) == key)
            return s.entry;
    }
}

TPSObj *OfferedEntries::find(const QString &name) const
{
    const qsizetype index = indexOf(name);
    return index < 0 ? nullptr : m_entries.at(index).entry;
}

void OfferedEntries::sortEntries(QList<OfferedEntry> &entries)
{
    const QCollator collator = germanCollator();
    // Comparing texts directly is faster here than precomputing ICU sort keys: the names are Latin
    // text, which ICU compares on its fast path, while a sort key costs two allocations and a full
    // pass each (measured with bench/BenchCatalogue: about half the time). A merge sort needs half
    // the comparisons of std::sort on these lists, whose objects bring their variables in order.
    std::vector<qint32> order(std::size_t(entries.size()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](qint32 a, qint32 b) { return collator.compare(entries.at(a).text, entries.at(b).text) < 0; });

    // Into that order in place, cycle by cycle; a position done is marked -1.
    for (std::size_t start = 0; start < order.size(); ++start) {
        if (order[start] < 0)
            continue;
        OfferedEntry first = std::move(entries[qsizetype(start)]);
        std::size_t to = start;
        for (;;) {
            const auto from = std::size_t(order[to]);
            order[to] = -1;
            if (from == start) {
                entries[qsizetype(to)] = std::move(first);
                break;
            }
            entries[qsizetype(to)] = std::move(entries[qsizetype(from)]);
            to = from;
        }
    }
}
