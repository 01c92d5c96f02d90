#include "page/PageFileReader.h"

#include "catalogue/OfferedEntries.h"
#include "page/InputCaption.h"
#include "page/LayoutFields.h"
#include "page/LinkText.h"
#include "page/Messages.h"
#include "page/PageDocument.h"
#include "page/PageParts.h"
#include "page/PageSections.h"
#include "text/Entities.h"
#include "text/KeyValue.h"
#include "text/Numbers.h"
#include "text/OperationError.h"
#include "text/Prompt.h"
#include "text/TextFile.h"

#include <QStringList>

#include <algorithm>
#include <limits>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

// A value is at most MaxValueLength characters, so no file the editor writes holds more links than this.
constexpr qint32 MaxNavCount = KeyValue::MaxValueLength + 1;
constexpr qint32 NewLinkFormatVersion = 131;

class PageReader
{
public:
    PageReader(PageDocument &page, const OfferedEntries &offered, PageReadNotes *notes)
        : m_page(page), m_d(page.layout), m_offered(offered), m_notes(notes)
    {
    }

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
        m_section = PageSections::readSection(StrToInt(tag.mid(1, 6)));
        ++m_sectionCount;
        if ((m_section == PageSection::Navi1 || m_section == PageSection::Navi2) && !value.isEmpty())
            m_navCount = StrToInt(value);
        if (m_section == PageSection::Macros)
            m_page.macros.clear();
    }

    void readKeyLine(const QString &line, qsizetype length)
    {
        if (!m_section)
            return;
        // A line matches at most one key of its section: split it once and compare the key.
        QStringView key;
        QStringView value;
        if (!splitKeyLine(line, key, value))
            return;
        switch (*m_section) {
        case PageSection::General:
            readGeneral(key, value);
            break;
        case PageSection::Layout:
            readLayout(key, value);
            break;
        case PageSection::BuildOrder:
            readOrder(key, value, u"PAGEPOS"_s, 6, PageParts::PagePartNames, m_page.buildOrder);
            break;
        case PageSection::ColumnOrder:
            readOrder(key, value, u"OBJCOLS"_s, 3, PageParts::ObjColumnNames, m_page.columnOrder);
            break;
        case PageSection::AutoRefresh:
            readAutoRefresh(key, value);
            break;
        case PageSection::Headline:
            if (key == u"SHEAD")
                m_d.Headline = EntitiesToUmlauts(value.toString());
            break;
        case PageSection::Navi1:
        case PageSection::Navi2:
            if (key == u"NAVI")
                readNavi(line, length, value.toString());
            break;
        case PageSection::Objects:
            if (key == u"OBJROW")
                readObjRow(value.toString());
            break;
        case PageSection::Macros:
            if (key == u"MACRO")
                readMacroRow(value.toString());
            break;
        case PageSection::Html1:
            if (key == u"HTML1")
                m_page.html1.append(value.toString());
            break;
        case PageSection::Html2:
            if (key == u"HTML2")
                m_page.html2.append(value.toString());
            break;
        case PageSection::End:
            break;
        }
    }

    void readGeneral(QStringView key, QStringView v)
    {
        if (key == u"FILEVERS") {
            m_page.fileVersion = parseWholeNumber(v).value_or(0);
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
            const TextStyleRef fields = textStyle(m_d, style.style);
            if (kind == u"FN") {
                fields.face = v.toString();
            } else if (kind == u"FS") {
                if (const auto n = parseWholeNumber(v))
                    fields.size = *n;
            } else if (kind == u"FST") {
                fields.style = parseWholeNumber(v).value_or(0) & AllFontStyles;
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
        const bool newFormat = m_page.fileVersion >= NewLinkFormatVersion;
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
        for (qsizetype n = 1; n <= count && m_page.links.size() < MaxNavCount; ++n) {
            const QString item = EntitiesToUmlauts(items.next().toString());
            const qsizetype p = item.indexOf(nameSep);
            const QString name = p < 0 ? QString() : item.left(p);
            const QString target = p < 0 ? item : item.mid(p + 1, KeyValue::MaxValueLength);
            m_page.links.append(LinkText::join(name, target));
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
        QString flag;
        std::optional<PageRow> row = objectRowOf(v, &flag);
        if (!row)
            return;
        row->entry = m_offered.find(row->name);
        if (!row->entry) {
            row->input = InputState::Error;
            row->otherInput.clear();
            if (m_notes)
                m_notes->unresolved.append({false, m_notes->line, v});
        }
        m_page.objects.append(*row);
        if (m_notes)
            m_notes->objFlags.append(flag);
    }

    void readMacroRow(const QString &v)
    {
        PageRow row = macroRowOf(v);
        row.entry = m_offered.find(row.name);
        if (!row.entry && m_notes)
            m_notes->unresolved.append({true, m_notes->line, v});
        m_page.macros.append(row);
    }

    PageDocument &m_page;
    TSiteData &m_d;
    const OfferedEntries &m_offered;
    PageReadNotes *m_notes;
    std::optional<PageSection> m_section;
    qint64 m_navCount = 0;
    int m_sectionCount = 0;
    bool m_recognised = false;
    int m_naviSection = 0; // number (from 1) of the section whose NAVI lines are read
};

} // namespace

std::optional<PageRow> objectRowOf(const QString &v, QString *flag)
{
    const qsizetype at1 = v.indexOf(u'@');
    const QString name = trimBlanks(v.left(std::max<qsizetype>(at1, 0)));
    if (at1 < 0 || name.isEmpty())
        return std::nullopt;
    PageRow row;
    row.name = name;
    const qsizetype at2 = v.indexOf(u'@', at1 + 1);
    row.label = EntitiesToUmlauts(at2 < 0 ? v.mid(at1 + 1) : v.mid(at1 + 1, at2 - at1 - 1));
    if (flag)
        *flag = QString();
    if (at2 < 0) {
        // Without a state the row shows none: an empty text.
        setInputCaption(row, QString());
        return row;
    }
    const qsizetype at3 = v.indexOf(u'@', at2 + 1);
    if (at3 < 0) {
        // An older line ends with the state as the editor showed it.
        setInputCaption(row, v.mid(at2 + 1));
        return row;
    }
    const QString held = v.mid(at2 + 1, at3 - at2 - 1);
    row.input = held == u"1" ? InputState::Yes : (held == u"0" ? InputState::No : InputState::None);
    if (flag)
        *flag = held;
    return row;
}

PageRow macroRowOf(const QString &v)
{
    PageRow row;
    row.name = ListFieldSep(1, v, u'@');
    row.label = EntitiesToUmlauts(ListFieldSep(2, v, u'@'));
    return row;
}

PageRead LoadHTMLSourcePage(PageDocument &page, const OfferedEntries &offered, const QString &DatNam, Prompt &prompt,
                            PageReadNotes *notes)
{
    if (notes)
        *notes = PageReadNotes();
    page.fileVersion = 0;
    page.layout.AutoWidth = false;
    page.layout.NoAutoScale = false;

    PageReader reader(page, offered, notes);
    const ReadStatus read = readTextFileLines(
        DatNam, [&reader](QString &line, qsizetype length) { reader.readLine(line, length); }, LineLimit::keyValue());
    if (read != ReadStatus::Ok) {
        prompt.error(readFailureMessage(read, DatNam, PageMessages::FileNotFound));
        return PageRead::NotOpened;
    }
    // Lines before the first tag are never read, so such a file has left nothing in the page.
    return reader.isRecognised() ? PageRead::Read : PageRead::NotAPage;
}
