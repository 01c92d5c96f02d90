#pragma once

#include <QList>
#include <QString>

// Texts as a search compares them: letter case ignored, and ä, ö, ü, ß the same as ae, oe, ue, ss,
// so "kueche" finds "Küche" and "Küche" finds "Kueche".

// The folded text.
QString searchKey(const QString &text);

// Where folded needle occurs in text, as (start, length) in text's own characters; one span per
// non-overlapping occurrence, empty when needle (folded) is empty or not found.
QList<std::pair<qsizetype, qsizetype>> searchSpans(const QString &text, const QString &needle);
