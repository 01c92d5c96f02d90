#include "page/PageFileWriter.h"

#include "catalogue/Catalogue.h"
#include "page/LayoutFields.h"
#include "page/LinkText.h"
#include "page/PageModel.h"
#include "page/PageParts.h"
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

void styleLines(const QString &suffix, const QString &face, qint32 size, qint32 style, TColor colour, TColor background,
                QStringList &lines)
{
    lines << u"FN"_s + suffix + u'=' + face << u"FS"_s + suffix + u'=' + QString::number(size)
          << u"FST"_s + suffix + u'=' + QString::number(style & 15) << u"FC"_s + suffix + u'=' + ColorToText(colour)
          << u"FCB"_s + suffix + u'=' + ColorToText(background);
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

QString inputFlag(const QString &input)
{
    if (input == u"ja")
        return u"1"_s;
    if (input == u"nein")
        return u"0"_s;
    return u"3"_s;
}

void partLines(const PageModel &model, qsizetype part, const QLocale &locale, QStringList &lines)
{
    switch (part) {
    case PageParts::Navi1:
    case PageParts::Navi2:
        lines << (part == PageParts::Navi1 ? u"#009000="_s : u"#009001="_s) + QString::number(model.NaviLB.size())
              << u"NAVI="_s + naviValue(model.NaviLB);
        break;
    case PageParts::Objects:
        lines << u"#010000"_s;
        for (const ObjRow &row : model.SGRows) {
            if (row.entry && !trimBlanks(row.name).isEmpty())
                lines << u"OBJROW="_s + row.name + u'@' + UmlautsToEntities(row.label) + u'@' + inputFlag(row.input) +
                             u'@' + entryData(*row.entry, model.catalogue(), locale);
        }
        break;
    case PageParts::Macros: {
        bool first = true;
        for (const MacroRow &row : model.MGRows) {
            if (!row.entry || trimBlanks(row.name).isEmpty())
                continue;
            if (first)
                lines << u"#011000"_s;
            first = false;
            lines << u"MACRO="_s + row.name + u'@' + UmlautsToEntities(row.label) + u'@' +
                         QString::number(row.entry->ObjIdx);
        }
        break;
    }
    case PageParts::Html1:
        lines << u"#020000"_s;
        for (const QString &line : model.HTMLCode1MB)
            lines << u"HTML1="_s + line;
        break;
    case PageParts::Html2:
        lines << u"#021000"_s;
        for (const QString &line : model.HTMLCode2MB)
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
        const LinkText::Parts parts = LinkText::split(link, 1023);
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

QStringList pageFileLines(const PageModel &model, const QLocale &locale)
{
    const TSiteData &d = model.SiteData;
    QStringList lines;
    lines << u"@V=HTM100"_s << u"#001000="_s + model.SiteName << u"FILEVERS=140"_s;
    if (d.AutoWidth)
        lines << u"AUTOWIDTH=1"_s;
    if (d.NoAutoScale)
        lines << u"NOAUTOSCALE=1"_s;
    lines << u"BW="_s + QString::number(d.BrowserWidth) << u"BG="_s + ColorToText(d.BGCol) << u"BGPIC="_s + d.BGPict
          << u"#003000"_s;
    styleLines(u"HEAD"_s, d.HeadFontName, d.HeadFontSize, d.HeadFontStyle, d.HeadFontColor, d.HeadBGColor, lines);
    styleLines(u"OBJ"_s, d.ObjFontName, d.ObjFontSize, d.ObjFontStyle, d.ObjFontColor, d.ObjBGColor, lines);
    styleLines(u"VAL"_s, d.ValFontName, d.ValFontSize, d.ValFontStyle, d.ValFontColor, d.ValBGColor, lines);
    styleLines(u"NAV"_s, d.NaviFontName, d.NaviFontSize, d.NaviFontStyle, d.NaviFontColor, d.NaviBGColor, lines);
    for (const LayoutNumberField &number : LayoutFields::Numbers)
        lines << number.keyText() + u'=' + QString::number(d.*number.field);
    lines << u"PICSTR="_s + boolText(d.PictStretch);

    QList<qsizetype> parts;
    QList<qsizetype> columns;
    lines << u"#005000"_s << u"PAGEPOS="_s + orderList(model.PagePosLB, PageParts::PagePartNames, parts);
    lines << u"#006000"_s << u"OBJCOLS="_s + orderList(model.ObjSeqLB, PageParts::ObjColumnNames, columns);
    lines << u"#007000"_s << u"AutoAkt="_s + boolText(d.AutoAkt) << u"AutoAktSec="_s + QString::number(d.AutoAktSec)
          << u"#008000"_s << u"SHEAD="_s + UmlautsToEntities(d.Headline);
    for (qsizetype part : parts)
        partLines(model, part, locale, lines);
    lines << u"#099000"_s;
    return lines;
}

bool CreateHTMLSourcePage(const PageModel &model, const QString &DatNam, Prompt &prompt, const QLocale &locale)
{
    // Checked on every platform: a page name can never lead outside the data folder, and every
    // file stays usable on the Windows machines that run the web server.
    if (!isValidWindowsFileName(model.SiteName)) {
        reportWriteFailed(prompt, DatNam, FileError::InvalidName);
        return false;
    }
    return writeTextFileReported(DatNam, pageFileLines(model, locale), prompt);
}
