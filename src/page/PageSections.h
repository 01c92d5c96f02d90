#pragma once

#include <QString>

#include <optional>

// The sections of a page definition file. Each starts with its tag line: "#" and the number in
// six digits ("#010000"). The page file reader reads these and skips every other section; the
// writer writes them.
enum class PageSection : qint32 {
    General = 1000,     // the page's name in the tag; version, browser width, background
    Layout = 3000,      // text styles and layout numbers
    BuildOrder = 5000,  // PAGEPOS
    ColumnOrder = 6000, // OBJCOLS
    AutoRefresh = 7000, // AutoAkt, AutoAktSec
    Headline = 8000,    // SHEAD
    Navi1 = 9000,       // the number of links in the tag; NAVI
    Navi2 = 9001,
    Objects = 10000,    // OBJROW
    Macros = 11000,     // MACRO
    Html1 = 20000,      // HTML1
    Html2 = 21000,      // HTML2
    End = 99000,        // written last, holds nothing
};

namespace PageSections {
// "#010000".
inline QString tag(PageSection section)
{
    return QStringLiteral("#%1").arg(qint32(section), 6, 10, QChar(u'0'));
}

// The section a tag's number stands for, among those the reader reads (End is not read).
inline std::optional<PageSection> readSection(qint32 number)
{
    switch (PageSection(number)) {
    case PageSection::General:
    case PageSection::Layout:
    case PageSection::BuildOrder:
    case PageSection::ColumnOrder:
    case PageSection::AutoRefresh:
    case PageSection::Headline:
    case PageSection::Navi1:
    case PageSection::Navi2:
    case PageSection::Objects:
    case PageSection::Macros:
    case PageSection::Html1:
    case PageSection::Html2:
        return PageSection(number);
    case PageSection::End:
        break;
    }
    return std::nullopt;
}
} // namespace PageSections
