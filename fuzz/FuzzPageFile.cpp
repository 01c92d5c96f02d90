// Page file bytes -> page -> page file -> page.
//
// Properties: reading never fails other than with the reader's own error; a page read and written
// reads back as the same page, i.e. writing it again gives the same lines; the memory held stays
// proportional to the file. The round trip is checked for every page the editor can store: labels
// and links it would accept as typed, and lines the reader takes back whole (the editor warns
// before saving a longer navigation line).

#include "FuzzSupport.h"

#include "catalogue/Catalogue.h"
#include "catalogue/RvxReader.h"
#include "catalogue/RvxScrambler.h"
#include "page/LinkText.h"
#include "page/PageFileReader.h"
#include "page/PageFileWriter.h"
#include "page/PageEditSession.h"
#include "page/PageParts.h"
#include "text/KeyValue.h"
#include "text/OperationError.h"
#include "text/TextFile.h"

#include <QFile>
#include <QLocale>

#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

// The demo control program, so that the rows of the corpus pages resolve to catalogue entries.
Catalogue &demoCatalogue()
{
    static Catalogue catalogue;
    static const bool read = [] {
        QFile source(QStringLiteral(WEBDEF_DEMO_PROGRAM));
        QStringList scrambled;
        QuietPrompt prompt;
        const bool ok = source.open(QIODevice::ReadOnly) &&
                        scrambleExecFile(listingLines(QString::fromUtf8(source.readAll())), scrambled) &&
                        writeTextFile(Fuzz::scratchPath(u"Demo.RVX"_s), scrambled) == WriteStatus::Ok &&
                        ReadRVXFile(Fuzz::scratchPath(u"Demo.RVX"_s), catalogue, prompt, nullptr);
        return ok;
    }();
    Fuzz::check(read, "the demo control program reads");
    return catalogue;
}

// One page for every input, as the refresh of all pages uses one: put back to the start state of
// a page opened after program start.
PageEditSession &startSession(std::unique_ptr<PageEditSession> &session)
{
    if (!session) {
        session = std::make_unique<PageEditSession>(demoCatalogue());
        session->InitAll();
    }
    PageDocument &page = session->document();
    page = PageDocument();
    page.name = u"Seite"_s;
    return *session;
}

// Whether the editor could have stored this page as it was read: labels and links as the editor
// accepts them typed, no control character in a link, every line short enough to be read back.
bool isStorable(const PageDocument &page, const QStringList &lines)
{
    for (RowKind kind : {RowKind::Object, RowKind::Macro}) {
        for (const PageRow &row : page.rows(kind)) {
            bool refused = false;
            acceptedLabel(row.label, &refused);
            if (refused)
                return false;
        }
    }
    // The links are written whether or not a navigation part is shown.
    for (const QString &link : page.links) {
        const LinkText::Parts parts = LinkText::split(link, KeyValue::MaxValueLength);
        if (!LinkText::refusal(parts.name, parts.target).isEmpty() || link.contains(QChar(3)) ||
            link.contains(QChar(11)))
            return false;
    }
    // The reader drops the characters up to code 32 a value ends with. The links' value always
    // ends with the separator after the last link, so a last link whose target is empty or ends
    // in such a character (a blank, a control character) comes back changed.
    for (const QString &line : lines) {
        const qsizetype eq = line.indexOf(u'=');
        if (eq >= 0 && line.size() - eq - 1 > KeyValue::MaxValueLength)
            return false;
        if (line.startsWith(u"NAVI="_s) && line.size() > 6 && line.at(line.size() - 2).unicode() <= 32)
            return false;
    }
    return true;
}

QString joined(const QStringList &lines)
{
    return lines.join(u'\n');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static std::unique_ptr<PageEditSession> first;
    static std::unique_ptr<PageEditSession> second;
    static const QLocale german(QLocale::German, QLocale::Germany);
    const QString path = Fuzz::writeScratch(u"HAUS_Seite.SHT"_s, data, size);

    QStringList written;
    {
        Fuzz::AllocationBound bound(size);
        PageEditSession &session = startSession(first);
        QuietPrompt prompt;
        try {
            const PageRead read = LoadHTMLSourcePage(session.document(), session.offered(), path, prompt);
            Fuzz::check(read != PageRead::NotOpened, "an existing page file opens");
            // Bytes without the page's header line and tags: nothing was read, nothing to write back.
            if (read == PageRead::NotAPage)
                return 0;
        } catch (const OperationError &) {
            // A text where the format needs a number: the reader's own error.
            return 0;
        }
        Fuzz::check(prompt.errors == 0, "a page that reads shows no message");
        written = pageFileLines(session.document(), session.catalogue(), german);
        if (!isStorable(session.document(), written))
            return 0;
    }

    const QString again = Fuzz::scratchPath(u"HAUS_Wieder.SHT"_s);
    Fuzz::check(writeTextFile(again, written) == WriteStatus::Ok, "the page file is written");
    PageEditSession &session = startSession(second);
    QuietPrompt prompt;
    try {
        LoadHTMLSourcePage(session.document(), session.offered(), again, prompt);
    } catch (const OperationError &e) {
        Fuzz::check(false, "a written page reads back", e.message() + u"\n"_s + joined(written));
    }
    const QStringList rewritten = pageFileLines(session.document(), session.catalogue(), german);
    Fuzz::check(rewritten == written, "a page read and written reads back as the same page",
                joined(written) + u"\n----\n"_s + joined(rewritten));
    return 0;
}
