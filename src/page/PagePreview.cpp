#include "page/PagePreview.h"

#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueRecords.h"
#include "page/LinkText.h"
#include "page/PageFileWriter.h"
#include "page/PageDocument.h"
#include "page/PageParts.h"
#include "text/KeyValue.h"

#include <QLocale>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

// A narrower frame stands for a phone when the page adapts itself to mobile devices.
constexpr int MobileWidth = 360;
// Millimetres to pixels at 96 dots per inch.
constexpr double PixelsPerMillimetre = 96.0 / 25.4;

QString cssColour(TColor colour)
{
    if (colour < 0)
        return u"#ffffff"_s;
    return u"#%1%2%3"_s.arg(colour & 0xFF, 2, 16, QChar(u'0'))
        .arg((colour >> 8) & 0xFF, 2, 16, QChar(u'0'))
        .arg((colour >> 16) & 0xFF, 2, 16, QChar(u'0'));
}

QString fontCss(const TextStyleValue &s)
{
    const qint32 style = s.style;
    QStringList decoration;
    if (style & fsUnderline)
        decoration << u"underline"_s;
    if (style & fsStrikeOut)
        decoration << u"line-through"_s;
    // Typed texts are joined, never passed through arg(): a "%1" in them must stay as it is.
    return u"font-family:'"_s + s.face.toHtmlEscaped() + u"'; font-size:"_s + QString::number(s.size) +
           u"pt; font-weight:"_s + (style & fsBold ? u"bold"_s : u"normal"_s) + u"; font-style:"_s +
           (style & fsItalic ? u"italic"_s : u"normal"_s) + u"; text-decoration:"_s +
           (decoration.isEmpty() ? u"none"_s : decoration.join(u' ')) + u"; color:"_s + cssColour(s.colour) +
           u"; background-color:"_s + cssColour(s.background) + u';';
}

QString styleCss(const PageDocument &page, TextStyle which)
{
    return fontCss(textStyleValue(page.layout, which));
}

// Left margin in mm, 0 = centred.
QString alignAttributes(qint32 marginMm)
{
    if (marginMm <= 0)
        return u" align=\"center\""_s;
    return u" style=\"margin-left:%1px;\""_s.arg(qRound(marginMm * PixelsPerMillimetre));
}

QString stateName(const QString &list)
{
    QString text = list;
    text.replace(u'&', u';');
    const QStringList fields = text.split(u';', Qt::SkipEmptyParts);
    return fields.size() > 1 ? fields.at(1) : QString();
}

QString span(const QString &css, const QString &text)
{
    return u"<span style=\""_s + css + u"\">"_s + text.toHtmlEscaped() + u"</span>"_s;
}

QString cell(int width, const QString &css, const QString &text)
{
    return u"<td width=\"%1\" style=\""_s.arg(width) + css + u"\">"_s + text.toHtmlEscaped() + u"</td>"_s;
}

QString navigationBar(const PageDocument &page)
{
    QStringList links;
    for (const QString &link : page.links) {
        const QString name = LinkText::split(link, KeyValue::MaxValueLength).name.trimmed();
        links << span(styleCss(page, TextStyle::Navi), name);
    }
    if (links.isEmpty())
        return QString();
    return u"<p align=\"center\">"_s + links.join(u" &nbsp;|&nbsp; "_s) + u"</p>"_s;
}

QString objectTable(const PageDocument &page, const Catalogue &catalogue)
{
    const TSiteData &d = page.layout;
    QString rows;
    for (const PageRow &row : page.objects) {
        if (!isWrittenRow(row))
            continue;
        QString cells;
        for (const CheckEntry &column : page.columnOrder) {
            if (!column.checked)
                continue;
            const qsizetype index = PageParts::ObjColumnNames.indexOf(column.text);
            if (index == 0) {
                cells += cell(d.ObjWidth, styleCss(page, TextStyle::Obj), row.label);
            } else if (index == 1) {
                cells += cell(d.ValueWidth, styleCss(page, TextStyle::Val), placeholderValue(row.entry, &catalogue));
            } else if (index == 2) {
                // An input field where the row offers one: a framed empty cell of the input width.
                cells += row.input == InputState::Yes
                             ? u"<td width=\"%1\"><table border=\"1\" cellspacing=\"0\" width=\"%1\"><tr>"
                               u"<td>&nbsp;</td></tr></table></td>"_s.arg(d.InputWidth)
                             : u"<td width=\"%1\"></td>"_s.arg(d.InputWidth);
            }
        }
        rows += u"<tr>"_s + cells + u"</tr>"_s;
    }
    if (rows.isEmpty())
        return QString();
    const QString width = d.RowWidth > 0 ? u" width=\"%1\""_s.arg(d.RowWidth) : QString();
    return u"<table border=\"%1\" cellspacing=\"%2\" cellpadding=\"%3\"%4%5>"_s.arg(d.FrameWidth)
               .arg(d.CellDist)
               .arg(d.TextDist)
               .arg(width, alignAttributes(d.LeftMarginObj)) +
           rows + u"</table>"_s;
}

QString macroRows(const PageDocument &page)
{
    const TSiteData &d = page.layout;
    QString rows;
    for (const PageRow &row : page.macros) {
        if (!isWrittenRow(row))
            continue;
        const QString height = d.RowHeight > 0 ? u" height=\"%1\""_s.arg(d.RowHeight) : QString();
        rows += u"<tr><td"_s + height + u" style=\""_s + styleCss(page, TextStyle::Obj) +
                u" border: 1px solid #808080;\">&nbsp;"_s + row.label.toHtmlEscaped() + u"&nbsp;</td></tr>"_s;
    }
    if (rows.isEmpty())
        return QString();
    return u"<table cellspacing=\"4\""_s + alignAttributes(d.LeftMarginMacro) + u'>' + rows + u"</table>"_s;
}

} // namespace

QString placeholderValue(const TPSObj *entry, const Catalogue *catalogue)
{
    if (!entry)
        return u"Zustand"_s;
    if (entry->ObjKind == u'N') {
        const double low = std::min(entry->minVal, entry->maxVal);
        const double high = std::max(entry->minVal, entry->maxVal);
        return formatMinMax(std::clamp(21.5, low, high), entry->Format, QLocale(QLocale::German, QLocale::Germany));
    }
    if (entry->ObjKind == u'S')
        return u"Text"_s;
    QString state = stateName(entry->TypInfo);
    if (state.isEmpty() && entry->Source == u'V' && catalogue && entry->VTypeIdx >= 0 &&
        std::size_t(entry->VTypeIdx) < catalogue->TypeList.size()) {
        // The type's states: "count&name&name&...".
        if (const TStrObj *type = catalogue->TypeList[std::size_t(entry->VTypeIdx)].entry.get())
            state = stateName(type->s);
    }
    return state.isEmpty() ? u"Zustand"_s : state;
}

QString pagePreviewHtml(const PageDocument &page, const Catalogue &catalogue)
{
    const TSiteData &d = page.layout;
    QString body;
    body += u"<p"_s + alignAttributes(d.LeftMarginHeadline) + u'>' + span(styleCss(page, TextStyle::Head), d.Headline) +
            u"</p>"_s;
    for (const CheckEntry &entry : page.buildOrder) {
        if (!entry.checked)
            continue;
        switch (PageParts::PagePartNames.indexOf(entry.text)) {
        case PageParts::Navi1:
        case PageParts::Navi2:
            body += navigationBar(page);
            break;
        case PageParts::Objects:
            body += objectTable(page, catalogue);
            break;
        case PageParts::Macros:
            body += macroRows(page);
            break;
        case PageParts::Html1:
            body += page.html1.join(u'\n');
            break;
        case PageParts::Html2:
            body += page.html2.join(u'\n');
            break;
        default:
            break;
        }
    }
    // A fixed browser width, or a phone's width, shows as a narrower frame.
    const int frame = d.AutoWidth ? MobileWidth : (d.BrowserWidth > 0 ? d.BrowserWidth : 0);
    if (frame > 0)
        body = u"<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\" width=\"%1\" align=\"center\"><tr><td>"_s.arg(frame) +
               body + u"</td></tr></table>"_s;
    return u"<html><body bgcolor=\""_s + cssColour(d.BGCol) + u"\">"_s + body + u"</body></html>"_s;
}
