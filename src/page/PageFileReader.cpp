#include "page/PageFileReader.h"

#include "page/LayoutFields.h"
#include "page/LinkText.h"
#include "page/Messages.h"
#include "page/PageModel.h"
#include "page/PageParts.h"
#include "text/Entities.h"
#include "text/KeyValue.h"
#include "text/Numbers.h"
#include "text/OperationError.h"
#include "text/Prompt.h"
#include "text/TextFile.h"

#include <QStringList>

#include <algorithm>
#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace {

// A value is at most 1023 characters, so no file the editor writes holds more links than this.
constexpr qint32 MaxNavCount = 1024;
constexpr qint32 NewLinkFormatVersion = 131;

class PageReader
{
public:
    PageReader(PageModel &model, PageReadNotes *notes) : m_model(model), m_d(model.SiteData), m_notes(notes) {}

    void readLine(const QString &line)
    {
        if (m_notes)
            ++m_notes->line;
        if (line.startsWith(u'#'))
            readTag(line.mid(1));
        else
            readKeyLine(line);
    }

private:
    void readTag(QString tag)
    {
        QString value;
        const qsizetype eq = tag.indexOf(u'=');
        if (eq >= 0) {
            value = tag.mid(eq + 1, 16);
            tag.truncate(eq);
        }
        // The first of the six digits is not read: "009000" gives 9000.
        m_section = StrToInt(tag.mid(1, 6));
        ++m_sectionCount;
        if ((m_section == 9000 || m_section == 9001) && !value.isEmpty())
            m_navCount = std::min(StrToInt(value), MaxNavCount);
        if (m_section == 11000)
            m_model.clearMacroRows();
    }

    // The value of line when it carries key (see IsKey).
    static bool key(const QString &line, const QString &key, QString &value)
    {
        value = line;
        return IsKey(key, value);
    }

    void readKeyLine(const QString &line)
    {
        switch (m_section) {
        case 1000:
            readGeneral(line);
            break;
        case 3000:
            readLayout(line);
            break;
        case 5000:
            readOrder(line, u"PAGEPOS"_s, 6, PageParts::PagePartNames, m_model.PagePosLB);
            break;
        case 6000:
            readOrder(line, u"OBJCOLS"_s, 3, PageParts::ObjColumnNames, m_model.ObjSeqLB);
            break;
        case 7000:
            readAutoRefresh(line);
            break;
        case 8000:
            if (QString v; key(line, u"SHEAD"_s, v))
                m_d.Headline = EntitiesToUmlauts(v);
            break;
        case 9000:
        case 9001:
            readNavi(line);
            break;
        case 10000:
            if (QString v; key(line, u"OBJROW"_s, v))
                readObjRow(v);
            break;
        case 11000:
            if (QString v; key(line, u"MACRO"_s, v))
                readMacroRow(v);
            break;
        case 20000:
            if (QString v; key(line, u"HTML1"_s, v))
                m_model.HTMLCode1MB.append(v);
            break;
        case 21000:
            if (QString v; key(line, u"HTML2"_s, v))
                m_model.HTMLCode2MB.append(v);
            break;
        default:
            break;
        }
    }

    void readGeneral(const QString &line)
    {
        QString v;
        if (key(line, u"FILEVERS"_s, v)) {
            m_model.fileversion = parseWholeNumber(v).value_or(0);
        } else if (key(line, u"BW"_s, v)) {
            if (const auto n = parseWholeNumber(v))
                m_d.BrowserWidth = *n;
        } else if (key(line, u"AUTOWIDTH"_s, v)) {
            m_d.AutoWidth = true;
        } else if (key(line, u"NOAUTOSCALE"_s, v)) {
            m_d.NoAutoScale = true;
        } else if (key(line, u"BG"_s, v)) {
            m_d.BGCol = TextToColor(v);
        } else if (key(line, u"BGPIC"_s, v)) {
            m_d.BGPict = v;
        }
    }

    bool readStyle(const QString &line, const QString &suffix, QString &face, qint32 &size, qint32 &style,
                   TColor &colour, TColor &background)
    {
        QString v;
        if (key(line, u"FN"_s + suffix, v)) {
            face = v;
        } else if (key(line, u"FS"_s + suffix, v)) {
            if (const auto n = parseWholeNumber(v))
                size = *n;
        } else if (key(line, u"FST"_s + suffix, v)) {
            style = parseWholeNumber(v).value_or(0) & (fsBold | fsItalic | fsUnderline | fsStrikeOut);
        } else if (key(line, u"FC"_s + suffix, v)) {
            colour = TextToColor(v);
        } else if (key(line, u"FCB"_s + suffix, v)) {
            background = TextToColor(v);
        } else {
            return false;
        }
        return true;
    }

    void readLayout(const QString &line)
    {
        TSiteData &d = m_d;
        if (readStyle(line, u"HEAD"_s, d.HeadFontName, d.HeadFontSize, d.HeadFontStyle, d.HeadFontColor,
                      d.HeadBGColor) ||
            readStyle(line, u"OBJ"_s, d.ObjFontName, d.ObjFontSize, d.ObjFontStyle, d.ObjFontColor, d.ObjBGColor) ||
            readStyle(line, u"VAL"_s, d.ValFontName, d.ValFontSize, d.ValFontStyle, d.ValFontColor, d.ValBGColor) ||
            readStyle(line, u"NAV"_s, d.NaviFontName, d.NaviFontSize, d.NaviFontStyle, d.NaviFontColor, d.NaviBGColor))
            return;

        QString v;
        for (const LayoutNumberField &n : LayoutFields::Numbers) {
            if (key(line, n.keyText(), v)) {
                if (const auto number = parseWholeNumber(v))
                    d.*n.field = n.range.clamp(*number);
                return;
            }
        }
        if (key(line, u"PICSTR"_s, v))
            d.PictStretch = v != u"0";
    }

    // Only the line carrying the list key rebuilds the list: any other line is skipped, so a
    // stray line cannot empty the build order (and with it every part of the page at the next save).
    void readOrder(const QString &line, const QString &listKey, int fields, const QStringList &names,
                   QList<CheckEntry> &list)
    {
        QString v;
        if (!key(line, listKey, v))
            return;
        list.clear();
        for (int n = 1; n <= fields; ++n) {
            const QString field = ListField(n, v);
            if (field.isEmpty())
                continue;
            const QChar first = field[0];
            if (first < u'0' || first > u'9' || first.digitValue() >= names.size())
                throw OperationError::notAnInteger(field.left(1));
            // A part named twice keeps its first place: written twice, its rows would multiply
            // with every refresh.
            const QString &name = names[first.digitValue()];
            if (std::none_of(list.cbegin(), list.cend(), [&name](const CheckEntry &e) { return e.text == name; }))
                list.append({name, field.size() > 1});
            else if (m_notes)
                m_notes->repeats.append({listKey, name});
        }
    }

    void readAutoRefresh(const QString &line)
    {
        QString v;
        if (key(line, u"AutoAkt"_s, v))
            m_d.AutoAkt = StrToBool(v);
        else if (key(line, u"AutoAktSec"_s, v))
            m_d.AutoAktSec = Limits::AutoAktSec.clamp(StrToInt(v));
    }

    // Links come from the first navigation section that carries a NAVI line; the second navigation
    // line repeats the same links, so a page that stores only that one keeps its links, and no page
    // gets them twice.
    void readNavi(const QString &line)
    {
        QString v;
        if (!key(line, u"NAVI"_s, v))
            return;
        if (m_notes)
            m_notes->naviLength = std::max(m_notes->naviLength, line.size() - line.indexOf(u'=') - 1);
        if (m_naviSection == 0)
            m_naviSection = m_sectionCount;
        if (m_naviSection != m_sectionCount || m_navCount < 1)
            return;
        const bool newFormat = m_model.fileversion >= NewLinkFormatVersion;
        const QChar linkSep = newFormat ? QChar(11) : QChar(u'@');
        const QChar nameSep = newFormat ? QChar(3) : QChar(u':');
        // All NAVI lines of the section together give no more links than one line can hold, so a
        // file of many NAVI lines cannot make the page grow without bound.
        for (int n = 1; n <= m_navCount && m_model.NaviLB.size() < MaxNavCount; ++n) {
            const QString item = EntitiesToUmlauts(ListFieldSep(n, v, linkSep));
            const qsizetype p = item.indexOf(nameSep);
            const QString name = p < 0 ? QString() : item.left(p);
            const QString target = p < 0 ? item : item.mid(p + 1, 1023);
            m_model.NaviLB.append(LinkText::join(name, target));
            if (m_notes)
                m_notes->links.append({name, target});
        }
    }

    void readObjRow(const QString &v)
    {
        const qsizetype at1 = v.indexOf(u'@');
        const QString name = trimBlanks(v.left(std::max<qsizetype>(at1, 0)));
        if (at1 < 0 || name.isEmpty())
            return;
        ObjRow row;
        row.name = name;
        QString flag;
        const qsizetype at2 = v.indexOf(u'@', at1 + 1);
        row.label = EntitiesToUmlauts(at2 < 0 ? v.mid(at1 + 1) : v.mid(at1 + 1, at2 - at1 - 1));
        if (at2 >= 0) {
            const qsizetype at3 = v.indexOf(u'@', at2 + 1);
            if (at3 < 0) {
                row.input = v.mid(at2 + 1);
            } else {
                flag = v.mid(at2 + 1, at3 - at2 - 1);
                row.input = flag == u"1" ? PageMessages::InputYes
                                         : (flag == u"0" ? PageMessages::InputNo : PageMessages::InputNone);
            }
        }
        const qsizetype found = m_model.findOffered(name);
        if (found >= 0) {
            row.entry = m_model.ObjBox()[found].entry;
        } else {
            row.input = PageMessages::InputError;
        }
        m_model.appendReadObjRow(row);
        if (m_notes)
            m_notes->objFlags.append(flag);
    }

    void readMacroRow(const QString &v)
    {
        MacroRow row;
        row.name = ListFieldSep(1, v, u'@');
        row.label = EntitiesToUmlauts(ListFieldSep(2, v, u'@'));
        const qsizetype found = m_model.findOffered(row.name);
        if (found >= 0)
            row.entry = m_model.ObjBox()[found].entry;
        m_model.appendReadMacroRow(row);
    }

    PageModel &m_model;
    TSiteData &m_d;
    PageReadNotes *m_notes;
    qint32 m_section = 0;
    qint32 m_navCount = 0;
    int m_sectionCount = 0;
    int m_naviSection = 0; // number (from 1) of the section whose NAVI lines are read
};

} // namespace

bool LoadHTMLSourcePage(PageModel &model, const QString &DatNam, Prompt &prompt, PageReadNotes *notes)
{
    if (notes)
        *notes = PageReadNotes();
    model.fileversion = 0;
    model.SiteData.AutoWidth = false;
    model.SiteData.NoAutoScale = false;

    QStringList lines;
    if (!readTextFile(DatNam, lines)) {
        prompt.error(PageMessages::FileNotFound.arg(DatNam));
        return false;
    }
    PageReader reader(model, notes);
    for (const QString &line : lines)
        reader.readLine(line);

    model.HeadPreview = model.SiteData.Headline;
    if (!model.NaviLB.isEmpty())
        model.NaviPreview = LinkText::preview(model.NaviLB.first());
    return true;
}
