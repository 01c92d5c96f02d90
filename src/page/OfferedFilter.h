#pragma once

#include "catalogue/OfferedEntries.h"

#include <QList>
#include <QString>

// Finding offered entries by name or description: which entries contain a text, letter case and
// the German umlaut spellings ignored (see searchKey). The keys are made once per list of entries,
// so each keystroke only compares.
class OfferedFilter
{
public:
    // Takes the entries' names and descriptions; call again whenever the offered entries change.
    void rebuild(const QList<OfferedEntry> &entries);

    // Positions (in the entries given to rebuild) of the entries whose name or description contains
    // text, in list order; every position for an empty text.
    QList<qsizetype> matches(const QString &text) const;

    qsizetype size() const { return m_keys.size(); }

private:
    QList<QString> m_keys; // folded name, a line break, folded description
};

// The word for an entry's kind: "Zustände", "Zahl", "Text", "Taster", "Makro", else "Objekt".
QString objectKindName(QChar kind);

// What the tooltip of an offered entry tells: its description, its kind and its range or states.
QString offeredEntryDetails(const TPSObj &entry);
