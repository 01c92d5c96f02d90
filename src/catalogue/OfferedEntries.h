#pragma once

#include <QHash>
#include <QList>
#include <QMetaObject>
#include <QPointer>
#include <QString>

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
    QPointer<Catalogue> m_catalogue;
    QMetaObject::Connection m_clearConnection;
    QList<OfferedEntry> m_entries;
    QHash<QString, qsizetype> m_firstByFoldedText;
};
