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

    void readLine(const QString &line, qsizetype length)
    {
        if (m_notes)
            ++m_notes->line;
        if (line.startsWith(u'#')) {
            readTag(line.mid(1));
            m_recognised = true;
        } else {
            if (line.startsWith(u"@V=HTM"))
                m_recognised = true;
            readKeyLine(line, length);
        }
    }

    // Whether the file showed itself as a page: its header line or a section tag.
    bool isRecognised() const { return m_recognised; }

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
            m_navCount = StrToInt(value);
        if (m_section == 11000)
            m_model.clearMacroRows();
    }

    void readKeyLine(const QString &line, qsizetype length)
    {
        if (!isReadSection(m_section))
            return;
        // A line matches at most one key of its section: split it once and compare the key.
        QStringView key;
        QStringView value;
        if (!splitKeyLine(line, key, value))
            return;
        switch (m_section) {
        case 1000:
            readGeneral(key, value);
            break;
        case 3000:
            readLayout(key, value);
            break;
        case 5000:
            readOrder(key, value, u"PAGEPOS"_s, 6, PageParts::PagePartNames, m_model.PagePosLB);
            break;
        case 6000:
            readOrder(key, value, u"OBJCOLS"_s, 3, PageParts::ObjColumnNames, m_model.ObjSeqLB);
            break;
        case 7000:
            readAutoRefresh(key, value);
            break;
        case 8000:
            if (key == u"SHEAD")
                m_d.Headline = EntitiesToUmlauts(value.toString());
            break;
        case 9000:
        case 9001:
            if (key == u"NAVI")
                readNavi(line, length, value.toString());
            break;
        case 10000:
            if (key == u"OBJROW")
                readObjRow(value.toString());
            break;
        case 11000:
            if (key == u"MACRO")
                readMacroRow(value.toString());
            break;
        case 20000:
            if (key == u"HTML1")
                m_model.HTMLCode1MB.append(value.toString());
            break;
        case 21000:
            if (key == u"HTML2")
                m_model.HTMLCode2MB.append(value.toString());
            break;
        }
    }

    static bool isReadSection(qint32 section)
    {
        switch (section) {
        case 1000:
        case 3000:
        case 5000:
        case 6000:
        case 7000:
        case 8000:
        case 9000:
        case 9001:
        case 10000:
        case 11000:
        case 20000:
        case 21000:
            return true;
        default:
            return false;
        }
    }

    void readGeneral(QStringView key, QStringView v)
    {
        if (key == u"FILEVERS") {
            m_model.fileversion = parseWholeNumber(v).value_or(0);
        } else if (key == u"BW") {
            if (const auto n = parseWholeNumber(v))
                m_d.BrowserWidth = *n;
        } else if (key == u"AUTOWIDTH") {
            m_d.AutoWidth = true;
        } else if (key == u"NOAUTOSCALE") {
            m_d.NoAutoScale = true;
        } else if (key == u"BG") {
            m_d.BGCol = TextToColor(v.toString());
        } else if (key == u"BGPIC") {
            m_d.BGPict = v.toString();
        }
    }

    // The five keys of a text style: its kind ("FN", "FS", "FST", "FC", "FCB") before the style's
    // name ("HEAD", "OBJ", "VAL", "NAV").
    bool readStyle(QStringView key, QStringView v)
    {
        struct Style
        {
            QStringView name;
            TextStyle style;
        };
        static constexpr Style Styles[] = {
            {u"HEAD", TextStyle::Head}, {u"OBJ", TextStyle::Obj}, {u"VAL", TextStyle::Val}, {u"NAV", TextStyle::Navi}};
        for (const Style &style : Styles) {
            if (!key.endsWith(style.name))
                continue;
            const QStringView kind = key.chopped(style.name.size());
            const TextStyleRef fields = m_model.textStyle(style.style);
            if (kind == u"FN") {
                fields.face = v.toString();
            } else if (kind == u"FS") {
                if (const auto n = parseWholeNumber(v))
                    fields.size = *n;
            } else if (kind == u"FST") {
                fields.style = parseWholeNumber(v).value_or(0) & (fsBold | fsItalic | fsUnderline | fsStrikeOut);
            } else if (kind == u"FC") {
                fields.colour = TextToColor(v.toString());
            } else if (kind == u"FCB") {
                fields.background = TextToColor(v.toString());
            } else {
                continue;
            }
            return true;
        }
        return false;
    }

    void readLayout(QStringView key, QStringView v)
    {
        if (readStyle(key, v))
            return;
        for (const LayoutNumberField &n : LayoutFields::Numbers) {
            if (key == QStringView(n.key)) {
                if (const auto number = parseWholeNumber(v))
                    m_d.*n.field = n.range.clamp(*number);
                return;
            }
        }
        if (key == u"PICSTR")
            m_d.PictStretch = v != u"0";
    }

    // Only the line carrying the list key rebuilds the list: any other line is skipped, so a
    // stray line cannot empty the build order (and with it every part of the page at the next save).
    void readOrder(QStringView key, QStringView value, const QString &listKey, int fields, const QStringList &names,
                   QList<CheckEntry> &list)
    {
        if (key != listKey)
            return;
        const QString v = value.toString();
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

    void readAutoRefresh(QStringView key, QStringView v)
    {
        if (key == u"AutoAkt")
            m_d.AutoAkt = StrToBool(v.toString());
        else if (key == u"AutoAktSec")
            m_d.AutoAktSec = Limits::AutoAktSec.clamp(StrToInt(v.toString()));
    }

    // Links come from the first navigation section that carries a NAVI line; the second navigation
    // line repeats the same links, so a page that stores only that one keeps its links, and no page
    // gets them twice.
    void readNavi(const QString &line, qsizetype length, const QString &v)
    {
        if (m_notes)
            m_notes->naviLength = std::max(m_notes->naviLength, length - line.indexOf(u'=') - 1);
        if (m_naviSection == 0)
            m_naviSection = m_sectionCount;
        if (m_naviSection != m_sectionCount)
            return;
        const bool newFormat = m_model.fileversion >= NewLinkFormatVersion;
        const QChar linkSep = newFormat ? QChar(11) : QChar(u'@');
        const QChar nameSep = newFormat ? QChar(3) : QChar(u':');
        // The tag's number says how many links to read. One below 1 or above what the line holds
        // is damaged: the links the line holds are read then, never more, so that opening and
        // saving a page neither drops its links nor makes up empty ones.
        // Counted before the value loses its trailing control characters: a last link of nothing
        // but a separator or two is still a link of the line.
        const qsizetype held = heldLinks(line.mid(line.indexOf(u'=') + 1, KeyValue::MaxValueLength), linkSep);
        const qsizetype count = m_navCount >= 1 && m_navCount <= held ? m_navCount : held;
        if (m_notes) {
            m_notes->naviRead = true;
            m_notes->naviCount = m_navCount;
            m_notes->naviHeld = held;
        }
        ListFields items = ListFields::withSeparator(v, linkSep);
        for (qsizetype n = 1; n <= count && m_model.NaviLB.size() < MaxNavCount; ++n) {
            const QString item = EntitiesToUmlauts(items.next().toString());
            const qsizetype p = item.indexOf(nameSep);
            const QString name = p < 0 ? QString() : item.left(p);
            const QString target = p < 0 ? item : item.mid(p + 1, 1023);
            m_model.NaviLB.append(LinkText::join(name, target));
            if (m_notes)
                m_notes->links.append({name, target});
        }
    }

    // The links a NAVI value holds: its fields, a last one after the final separator only when it
    // is not empty (every link written ends with a separator).
    static qsizetype heldLinks(QStringView v, QChar linkSep)
    {
        qsizetype held = 0;
        ListFields probe = ListFields::withSeparator(v, linkSep);
        while (!probe.atEnd()) {
            const QStringView field = probe.next();
            if (!probe.atEnd() || !field.isEmpty())
                ++held;
        }
        return held;
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
    qint64 m_navCount = 0;
    int m_sectionCount = 0;
    bool m_recognised = false;
    int m_naviSection = 0; // number (from 1) of the section whose NAVI lines are read
};

} // namespace

PageRead LoadHTMLSourcePage(PageModel &model, const QString &DatNam, Prompt &prompt, PageReadNotes *notes)
{
    if (notes)
        *notes = PageReadNotes();
    model.fileversion = 0;
    model.SiteData.AutoWidth = false;
    model.SiteData.NoAutoScale = false;

    PageReader reader(model, notes);
    const ReadStatus read = readTextFileLines(
        DatNam, [&reader](QString &line, qsizetype length) { reader.readLine(line, length); }, LineLimit::keyValue());
    if (read != ReadStatus::Ok) {
        prompt.error(readFailureMessage(read, DatNam, PageMessages::FileNotFound));
        return PageRead::NotOpened;
    }
    // Lines before the first tag are never read, so such a file has left nothing in the model.
    if (!reader.isRecognised())
        return PageRead::NotAPage;

    model.HeadPreview = model.SiteData.Headline;
    if (!model.NaviLB.isEmpty())
        model.NaviPreview = LinkText::preview(model.NaviLB.first());
    return PageRead::Read;
}
