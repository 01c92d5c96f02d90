#include "page/PageDocument.h"

#include "page/PageParts.h"

#include <algorithm>

TextStyleRef textStyle(TSiteData &d, TextStyle which)
{
    switch (which) {
    case TextStyle::Head:
        return {d.HeadFontName, d.HeadFontSize, d.HeadFontStyle, d.HeadFontColor, d.HeadBGColor};
    case TextStyle::Obj:
        return {d.ObjFontName, d.ObjFontSize, d.ObjFontStyle, d.ObjFontColor, d.ObjBGColor};
    case TextStyle::Val:
        return {d.ValFontName, d.ValFontSize, d.ValFontStyle, d.ValFontColor, d.ValBGColor};
    case TextStyle::Navi:
        break;
    }
    return {d.NaviFontName, d.NaviFontSize, d.NaviFontStyle, d.NaviFontColor, d.NaviBGColor};
}

TextStyleValue textStyleValue(const TSiteData &d, TextStyle which)
{
    // Only read: the references go no further than this copy.
    const TextStyleRef s = textStyle(const_cast<TSiteData &>(d), which);
    return {s.face, s.size, s.style, s.colour, s.background};
}

PageDocument::PageDocument()
{
    resetOrders();
}

void PageDocument::resetOrders()
{
    buildOrder.clear();
    for (qsizetype i = 0; i < PageParts::PagePartNames.size(); ++i)
        buildOrder.append({PageParts::PagePartNames[i], i <= PageParts::Navi2});
    columnOrder.clear();
    for (const QString &column : PageParts::ObjColumnNames)
        columnOrder.append({column, true});
}

void PageDocument::clearContent()
{
    links.clear();
    html1.clear();
    html2.clear();
    layout.Headline.clear();
    layout.BGPict.clear();
    objects.clear();
    macros.clear();
}

bool PageDocument::hasInputFields() const
{
    return std::any_of(objects.cbegin(), objects.cend(), [](const PageRow &r) { return r.input == InputState::Yes; });
}

int PageDocument::unresolvedRowCount() const
{
    const auto unresolved = [](const PageRow &r) { return !r.entry; };
    return int(std::count_if(objects.cbegin(), objects.cend(), unresolved) +
               std::count_if(macros.cbegin(), macros.cend(), unresolved));
}

bool PageDocument::writesLinks() const
{
    return std::any_of(buildOrder.cbegin(), buildOrder.cend(), [](const CheckEntry &e) {
        return e.checked && (e.text == PageParts::PagePartNames[PageParts::Navi1] ||
                             e.text == PageParts::PagePartNames[PageParts::Navi2]);
    });
}

QString acceptedLabel(const QString &typed, bool *refused)
{
    QString label = typed;
    label.remove(u'@');
    label.remove(u'"');
    if (refused)
        *refused = label.size() != typed.size();
    return label;
}
