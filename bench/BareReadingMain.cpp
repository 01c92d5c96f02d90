// webdef-bare-reading EXECFILE [PAGEFILE...]: the floor of bench/BareReading.h as a program of its
// own, to be timed beside webdef-cli. Prints the checksum and the bytes of the page files.

#include "BareReading.h"

#include <cinttypes>
#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fputs("usage: webdef-bare-reading EXECFILE [PAGEFILE...]\n", stderr);
        return 2;
    }
    const std::uint64_t sum = BareReading::execFile(argv[1]);
    const std::vector<std::string> pages(argv + 2, argv + argc);
    std::printf("%" PRIu64 " %" PRIu64 "\n", sum, BareReading::catFiles(pages));
    return 0;
}
