// Execution file bytes -> catalogue -> offered entries.
//
// Properties: the reader's result and its messages agree (true with no message, false with exactly
// one); the offered entries are every object of the catalogue, each found again by its name; the
// memory held stays proportional to the file.

#include "FuzzSupport.h"

#include "catalogue/Catalogue.h"
#include "catalogue/OfferedEntries.h"
#include "catalogue/RvxReader.h"

using namespace Qt::Literals::StringLiterals;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString path = Fuzz::writeScratch(u"Haus.RVX"_s, data, size);
    Fuzz::AllocationBound bound(size);

    Catalogue catalogue;
    QuietPrompt prompt;
    double date = -1.0;
    const bool read = ReadRVXFile(path, catalogue, prompt, &date);
    Fuzz::check(read ? prompt.errors == 0 : prompt.errors == 1, "a failed read shows one message, a good one none");
    Fuzz::check(read == catalogue.isComplete(), "only a complete read marks the catalogue complete");
    Fuzz::check(read ? date > 0.0 : date == -1.0, "the file date is set only by a complete read");

    OfferedEntries offered(catalogue);
    offered.rebuild();
    Fuzz::check(std::size_t(offered.count()) == catalogue.ObjList.size(),
                "every object and every variable entry made for it is offered");
    for (const OfferedEntry &entry : offered.entries()) {
        const TPSObj *found = offered.find(entry.text);
        Fuzz::check(found != nullptr && offered.entries().at(offered.indexOf(entry.text)).text.compare(
                                            entry.text, Qt::CaseInsensitive) == 0,
                    "an offered entry is found by its name");
    }

    catalogue.ClearCatalogue();
    Fuzz::check(offered.count() == 0, "clearing the catalogue empties the offered entries");
    return 0;
}
