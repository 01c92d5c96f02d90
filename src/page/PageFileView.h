#pragma once

#include <QList>
#include <QLocale>
#include <QString>

class Catalogue;
struct PageDocument;

// The page file as OK would write it now, line by line, for reading: the writer's own lines, each
// split into its parts, with a note where the line would break the format when it is read back.
struct PageFileViewLine
{
    enum class Kind { Tag, KeyValue, Other };
    Kind kind = Kind::Other;
    QString text;  // the line exactly as written
    QString key;   // Tag: the tag ("#010000"); KeyValue: the key before "="
    QString value; // the text after the first "=" (also for a tag that carries one)
    QString note;  // why the line would not read back as written; empty when it does
};

QList<PageFileViewLine> pageFileView(const PageDocument &page, const Catalogue &catalogue,
                                     const QLocale &locale = QLocale::system());

// The symbols that stand for the two link separators of the navigation line: between a link's name
// and target (code 3), after each link (code 11).
inline constexpr QChar LinkNameSymbol = u'\u2192'; // →
inline constexpr QChar LinkEndSymbol = u'\u00B6';  // ¶

// text with the two link separators of the navigation line shown as visible symbols.
QString withVisibleSeparators(const QString &text);
