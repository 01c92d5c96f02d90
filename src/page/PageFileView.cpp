#include "page/PageFileView.h"

#include "page/LinkText.h"
#include "page/PageFileWriter.h"
#include "page/PageDocument.h"
#include "text/KeyValue.h"

using namespace Qt::Literals::StringLiterals;

namespace {

using KeyValue::MaxValueLength;

QString labelNote(const QString &label)
{
    bool refused = false;
    acceptedLabel(label, &refused);
    return refused ? u"Die Bezeichnung „%1“ enthält @ oder \": die Zeile wird beim Lesen anders geteilt."_s.arg(label)
                   : QString();
}

// The written rows of a list, in the order the writer writes them.
QList<const PageRow *> writtenRows(const QList<PageRow> &rows)
{
    QList<const PageRow *> written;
    for (const PageRow &row : rows) {
        if (isWrittenRow(row))
            written.append(&row);
    }
    return written;
}

QString naviNote(const PageDocument &page, const QString &value)
{
    QStringList notes;
    for (const QString &link : page.links) {
        const LinkText::Parts parts = LinkText::split(link, MaxValueLength);
        const QString refusal = LinkText::refusal(parts.name, parts.target);
        if (!refusal.isEmpty())
            notes << u"Link „%1“: %2"_s.arg(link, refusal);
    }
    if (value.size() > MaxValueLength)
        notes << u"Die Navigationsleiste ist %1 Zeichen lang; gelesen werden nur %2."_s.arg(value.size())
                     .arg(MaxValueLength);
    return notes.join(u' ');
}

QString orderNote(const QString &value)
{
    QStringList seen;
    for (const QString &field : value.split(u';', Qt::SkipEmptyParts)) {
        const QString part = field.left(1);
        if (seen.contains(part))
            return u"Ein Eintrag steht zweimal in der Reihenfolge."_s;
        seen << part;
    }
    return QString();
}

} // namespace

QString withVisibleSeparators(const QString &text)
{
    QString shown = text;
    // Symbols every common desktop font has (DejaVu, Noto, Liberation, Segoe UI): the control
    // pictures U+2403 and U+240B show as empty boxes in most of them.
    shown.replace(QChar(3), LinkNameSymbol);
    shown.replace(QChar(11), LinkEndSymbol);
    return shown;
}

QList<PageFileViewLine> pageFileView(const PageDocument &page, const Catalogue &catalogue, const QLocale &locale)
{
    const QList<const PageRow *> objRows = writtenRows(page.objects);
    const QList<const PageRow *> macroRows = writtenRows(page.macros);
    qsizetype objIndex = 0;
    qsizetype macroIndex = 0;

    QList<PageFileViewLine> view;
    for (const QString &line : pageFileLines(page, catalogue, locale)) {
        PageFileViewLine v;
        v.text = line;
        const qsizetype eq = line.indexOf(u'=');
        if (line.startsWith(u'#')) {
            v.kind = PageFileViewLine::Kind::Tag;
            v.key = eq < 0 ? line : line.left(eq);
            v.value = eq < 0 ? QString() : line.mid(eq + 1);
        } else if (eq >= 0) {
            v.kind = PageFileViewLine::Kind::KeyValue;
            v.key = line.left(eq);
            v.value = line.mid(eq + 1);
        }
        if (v.key == u"OBJROW" && objIndex < objRows.size())
            v.note = labelNote(objRows.at(objIndex++)->label);
        else if (v.key == u"MACRO" && macroIndex < macroRows.size())
            v.note = labelNote(macroRows.at(macroIndex++)->label);
        else if (v.key == u"NAVI")
            v.note = naviNote(page, v.value);
        else if (v.key == u"PAGEPOS" || v.key == u"OBJCOLS")
            v.note = orderNote(v.value);
        if (v.note.isEmpty() && v.kind == PageFileViewLine::Kind::KeyValue && v.key != u"NAVI" &&
            v.value.size() > MaxValueLength)
            v.note = u"Der Wert ist länger als %1 Zeichen und wird beim Lesen gekürzt."_s.arg(MaxValueLength);
        view.append(v);
    }
    return view;
}
