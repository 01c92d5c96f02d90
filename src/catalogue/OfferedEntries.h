#pragma once

#include <QList>
#include <QMetaObject>
#include <QPointer>
#include <QString>

#include <vector>

class Catalogue;
struct TPSObj;

// One offered entry: the text it is listed under and the catalogue object it stands for (owned by
// the catalogue, never by the list).
struct OfferedEntry
{
    QString text;
    TPSObj *entry = nullptr;
};

// The catalogue entries the page editor offers for object rows and macros, sorted by text with a
// fixed German collation regardless of letter case (equal texts keep their catalogue order), plus
// a case-insensitive name look-up. Points into the catalogue without owning anything and empties
// itself when the catalogue is cleared, so it never refers to a freed entry.
class OfferedEntries
{
public:
    explicit OfferedEntries(Catalogue &catalogue);
    ~OfferedEntries();
    OfferedEntries(const OfferedEntries &) = delete;
    OfferedEntries &operator=(const OfferedEntries &) = delete;

    // Rebuilds the list: every object of ObjList (the count taken once, before the loop), each
    // followed by a "V" object made with AddVarObj for every position ObjVarPositions gives for it
    // (appended to ObjList; a position outside VarList is skipped). Then sorts once.
    void rebuild();

    // Empties the list (the catalogue is not touched).
    void clear();

    const QList<OfferedEntry> &entries() const { return m_entries; }
    qsizetype count() const { return m_entries.size(); }

    // Position in entries() of the first entry whose text equals name without regard to letter
    // case, or -1.
    qsizetype indexOf(const QString &name) const;
    // The entry at indexOf(name), or nullptr.
    TPSObj *find(const QString &name) const;

    // Sorts entries by text with the German collation, case-insensitive and stable.
    static void sortEntries(QList<OfferedEntry> &entries);

private:
    // Fills the name index from m_entries.
    void buildIndex();

    QPointer<Catalogue> m_catalogue;
    QMetaObject::Connection m_clearConnection;
    QList<OfferedEntry> m_entries;
    // The case-folded text of entry i, kept in m_folded.
    QStringView folded(qsizetype i) const;

    // The name index: an open-addressing table of positions in m_entries, a power of two in size,
    // probed one slot after the other from the hash of the case-folded text. Only the first entry
    // of each case-folded text is in it; each slot keeps the low half of its text's hash, so most
    // probes that cannot match never look at the text. The folded texts stand one after the other
    // in one string (entry i from m_foldedStart[i] to m_foldedStart[i + 1]): far fewer
    // allocations than a hash table of folded copies.
    struct Slot
    {
        qint32 entry = -1; // -1: free
        quint32 hash = 0;
    };
    std::vector<Slot> m_slots;
    QString m_folded;
    std::vector<qsizetype> m_foldedStart;
};
