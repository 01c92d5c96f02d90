#include "page/PageFileWriter.h"

#include "catalogue/Catalogue.h"
#include "page/LayoutFields.h"
#include "page/LinkText.h"
#include "page/PageDocument.h"
#include "page/PageParts.h"
#include "page/PageSections.h"
#include "text/Entities.h"
#include "text/KeyValue.h"
#include "text/FilePaths.h"
#include "text/Messages.h"
#include "text/OperationError.h"
#include "text/Prompt.h"
#include "text/TextFile.h"

#include <array>
#include <charconv>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {

const QChar LinkNameEnd = QChar(3);
const QChar LinkEnd = QChar(11);
constexpr int SignificantDigits = 7;

// The value as decimal digits without leading or trailing zeros: value = 0.digits * 10^pointPos.
struct DecimalDigits
{
    bool negative = false;
    QByteArray digits;
    int pointPos = 0;
};

DecimalDigits toDecimalDigits(double value)
{
    DecimalDigits d;
    if (!std::isfinite(value) || value == 0.0)
        return d;
    d.negative = value < 0;
    // The shortest text that reads back as value, so 0.125 and 2.675 round as written.
    std::array<char, 64> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(value), std::chars_format::scientific);
    const QByteArray text(buffer.data(), result.ptr - buffer.data());
    const qsizetype e = text.indexOf('e');
    for (char c : text.left(e)) {
        if (c >= '0' && c <= '9')
            d.digits.append(c);
    }
    d.pointPos = text.mid(e + 1).toInt() + 1;
    while (d.digits.endsWith('0'))
        d.digits.chop(1);
    return d;
}

// Keeps keep digits, rounding half away from zero (the digits are the magnitude).
void roundDigits(DecimalDigits &d, int keep)
{
    if (keep >= d.digits.size())
        return;
    const bool up = keep >= 0 && d.digits[keep] >= '5';
    d.digits.truncate(std::max(keep, 0));
    if (up) {
        qsizetype i = d.digits.size() - 1;
        while (i >= 0 && d.digits[i] == '9')
            d.digits[i--] = '0';
        if (i >= 0) {
            ++d.digits[i];
        } else {
            d.digits.prepend('1');
            ++d.pointPos;
        }
    }
    while (d.digits.endsWith('0'))
        d.digits.chop(1);
}

QString groupedInteger(const QString &digits, const QLocale &locale)
{
    if (locale.numberOptions().testFlag(QLocale::OmitGroupSeparator))
        return digits;
    QString out;
    const QString sep = locale.groupSeparator();
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += sep;
        out += digits[i];
    }
    return out;
}

void styleLines(const QString &suffix, const TextStyleValue &s, QStringList &lines)
{
    lines << u"FN"_s + suffix + u'=' + s.face << u"FS"_s + suffix + u'=' + QString::number(s.size)
          << u"FST"_s + suffix + u'=' + QString::number(s.style & AllFontStyles)
          << u"FC"_s + suffix + u'=' + ColorToText(s.colour) << u"FCB"_s + suffix + u'=' + ColorToText(s.background);
}

// Builds an order list ("0x;1x;2x;") and the part index of each checked entry (-1 otherwise).
QString orderList(const QList<CheckEntry> &entries, const QStringList &names, QList<qsizetype> &checkedParts)
{
    QString value;
    for (const CheckEntry &entry : entries) {
        const qsizetype index = names.indexOf(entry.text);
        value += QString::number(index) + (entry.checked ? u"x;"_s : u";"_s);
        checkedParts.append(entry.checked ? index : -1);
    }
    return value;
}

void partLines(const PageDocument &page, const Catalogue &catalogue, qsizetype part, const QLocale &locale,
               QStringList &lines)
{
    using PageSections::tag;
    switch (part) {
    case PageParts::Navi1:
    case PageParts::Navi2:
        lines << tag(part == PageParts::Navi1 ? PageSection::Navi1 : PageSection::Navi2) + u'=' +
                     QString::number(page.links.size())
              << u"NAVI="_s + naviValue(page.links);
        break;
    case PageParts::Objects:
        lines << tag(PageSection::Objects);
        for (const PageRow &row : page.objects) {
            if (isWrittenRow(row))
                lines << objectRowLine(row, catalogue, locale);
        }
        break;
    case PageParts::Macros: {
        bool first = true;
        for (const PageRow &row : page.macros) {
            if (!isWrittenRow(row))
                continue;
            if (first)
                lines << tag(PageSection::Macros);
            first = false;
            lines << macroRowLine(row);
        }
        break;
    }
    case PageParts::Html1:
        lines << tag(PageSection::Html1);
        for (const QString &line : page.html1)
            lines << u"HTML1="_s + line;
        break;
    case PageParts::Html2:
        lines << tag(PageSection::Html2);
        for (const QString &line : page.html2)
            lines << u"HTML2="_s + line;
        break;
    default:
        break;
    }
}

QString boolText(bool on)
{
    return on ? u"1"_s : u"0"_s;
}

} // namespace

QString naviValue(const QStringList &links)
{
    QString value;
    for (const QString &link : links) {
        const LinkText::Parts parts = LinkText::split(link, KeyValue::MaxValueLength);
        value += parts.name + LinkNameEnd + parts.target + LinkEnd;
    }
    return UmlautsToEntities(value);
}

QString formatMinMax(double value, int decimals, const QLocale &locale)
{
    DecimalDigits d = toDecimalDigits(value);
    roundDigits(d, std::min(SignificantDigits, d.pointPos + decimals));
    const QString digits = QString::fromLatin1(d.digits);
    const QString sign = d.negative && !digits.isEmpty() ? locale.negativeSign() : QString();
    if (d.pointPos > SignificantDigits) {
        QString mantissa = digits.left(1);
        if (digits.size() > 1)
            mantissa += locale.decimalPoint() + digits.mid(1);
        return sign + mantissa + u'E' + QString::number(d.pointPos - 1);
    }
    QString integer;
    for (int i = 0; i < d.pointPos; ++i)
        integer += i < digits.size() ? digits[i] : u'0';
    if (integer.isEmpty())
        integer = u"0"_s;
    QString text = sign + groupedInteger(integer, locale);
    if (decimals > 0) {
        text += locale.decimalPoint();
        for (int i = 0; i < decimals; ++i) {
            const int index = d.pointPos + i;
            text += index >= 0 && index < digits.size() ? digits[index] : u'0';
        }
    }
    return text;
}

QString entryData(const TPSObj &e, const Catalogue &catalogue, const QLocale &locale)
{
    const QString head = QString(u'@') + QString::number(e.VarIdx) + u'@' + e.ObjKind + u'@';
    if (e.Source == u'O') {
        QString data = u"O"_s + head + QString::number(e.DevCode);
        if (e.ObjKind == u'U') {
            QString states = e.TypInfo;
            states.replace(u';', u'&');
            states.chop(1);
            data += u'@' + states;
        } else if (e.ObjKind == u'N') {
            data += u'@' + QString::number(e.Format) + u'@' + formatMinMax(e.minVal, e.Format, locale) + u'@' +
                    formatMinMax(e.maxVal, e.Format, locale);
        }
        return data;
    }
    // A type position outside the type list counts as no type: never read outside the list.
    if (e.VTypeIdx < 0 || std::size_t(e.VTypeIdx) >= catalogue.TypeList.size())
        return u"V"_s + head + QString::number(e.ValCode) + u'@';
    const auto &type = catalogue.TypeList[std::size_t(e.VTypeIdx)];
    return u"V"_s + head + type.text + u'@' + (type.entry ? type.entry->s : QString());
}

QString inputFlag(InputState input)
{
    switch (input) {
    case InputState::Yes:
        return u"1"_s;
    case InputState::No:
        return u"0"_s;
    case InputState::None:
    case InputState::Error:
    case InputState::Other:
        break;
    }
    return u"3"_s;
}

QString objectRowLine(const PageRow &row, const Catalogue &catalogue, const QLocale &locale)
{
    return u"OBJROW="_s + row.name + u'@' + UmlautsToEntities(row.label) + u'@' + inputFlag(row.input) + u'@' +
           entryData(*row.entry, catalogue, locale);
}

QString macroRowLine(const PageRow &row)
{
    return u"MACRO="_s + row.name + u'@' + UmlautsToEntities(row.label) + u'@' + QString::number(row.entry->ObjIdx);
}

bool isWrittenRow(const PageRow &row)
{
    return row.entry && !trimBlanks(row.name).isEmpty();
}

qsizetype naviWrittenLength(const PageDocument &page)
{
    return page.writesLinks() ? naviValue(page.links).size() : 0;
}

QStringList pageFileLines(const PageDocument &page, const Catalogue &catalogue, const QLocale &locale)
{
    using PageSections::tag;
    const TSiteData &d = page.layout;
    QStringList lines;
    lines << u"@V=HTM100"_s << tag(PageSection::General) + u'=' + page.name << u"FILEVERS=140"_s;
    if (d.AutoWidth)
        lines << u"AUTOWIDTH=1"_s;
    if (d.NoAutoScale)
        lines << u"NOAUTOSCALE=1"_s;
    lines << u"BW="_s + QString::number(d.BrowserWidth) << u"BG="_s + ColorToText(d.BGCol) << u"BGPIC="_s + d.BGPict
          << tag(PageSection::Layout);
    for (const auto &[which, suffix] : {std::pair{TextStyle::Head, u"HEAD"_s}, std::pair{TextStyle::Obj, u"OBJ"_s},
                                        std::pair{TextStyle::Val, u"VAL"_s}, std::pair{TextStyle::Navi, u"NAV"_s}})
        styleLines(suffix, textStyleValue(d, which), lines);
    for (const LayoutNumberField &number : LayoutFields::Numbers)
        lines << number.keyText() + u'=' + QString::number(d.*number.field);
    lines << u"PICSTR="_s + boolText(d.PictStretch);

    QList<qsizetype> parts;
    QList<qsizetype> columns;
    lines << tag(PageSection::BuildOrder) << u"PAGEPOS="_s + orderList(page.buildOrder, PageParts::PagePartNames, parts);
    lines << tag(PageSection::ColumnOrder)
          << u"OBJCOLS="_s + orderList(page.columnOrder, PageParts::ObjColumnNames, columns);
    lines << tag(PageSection::AutoRefresh) << u"AutoAkt="_s + boolText(d.AutoAkt)
          << u"AutoAktSec="_s + QString::number(d.AutoAktSec) << tag(PageSection::Headline)
          << u"SHEAD="_s + UmlautsToEntities(d.Headline);
    for (qsizetype part : parts)
        partLines(page, catalogue, part, locale, lines);
    lines << tag(PageSection::End);
    return lines;
}

bool CreateHTMLSourcePage(const PageDocument &page, const Catalogue &catalogue, const QString &DatNam, Prompt &prompt,
                          const QLocale &locale)
{
    // Checked on every platform: a page name can never lead outside the data folder, and every
    // file stays usable on the Windows machines that run the web server.
    if (!isValidWindowsFileName(page.name)) {
        reportWriteFailed(prompt, DatNam, FileError::InvalidName);
        return false;
    }
    return writeTextFileReported(DatNam, pageFileLines(page, catalogue, locale), prompt);
}
