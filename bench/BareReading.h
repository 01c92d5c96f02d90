#pragma once

// The floor the reading paths are measured against: what the disk and the bare decoding cost. A
// plain C++ pass with no Qt, no catalogue and no checks: it reads the execution file, decodes its
// bytes from Windows-1252 to 16-bit characters, splits the lines and unscrambles every line after
// the header (the XOR step and the reversal); and it reads page files as `cat` would. Nothing is
// interpreted, so the result only keeps the compiler from dropping the work. The benchmarks run it
// in process; webdef-bare-reading runs it as a program of its own, beside webdef-cli.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace BareReading {

inline std::vector<unsigned char> fileBytes(const std::string &path)
{
    std::vector<unsigned char> bytes;
    std::FILE *file = std::fopen(path.c_str(), "rb");
    if (!file)
        return bytes;
    std::fseek(file, 0, SEEK_END);
    bytes.resize(std::size_t(std::max(0L, std::ftell(file))));
    std::fseek(file, 0, SEEK_SET);
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
    std::fclose(file);
    return bytes;
}

// Reads, decodes and unscrambles the execution file; returns a checksum of the characters.
inline std::uint64_t execFile(const std::string &path)
{
    static const char16_t High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                      0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    const std::vector<unsigned char> bytes = fileBytes(path);
    std::vector<char16_t> text(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i)
        text[i] = bytes[i] >= 0x80 && bytes[i] <= 0x9F ? High[bytes[i] - 0x80] : char16_t(bytes[i]);

    std::uint64_t sum = 0;
    std::size_t start = 0;
    unsigned key = 0;
    bool header = true;
    while (start < text.size()) {
        std::size_t end = start;
        while (end < text.size() && text[end] != u'\n')
            ++end;
        std::size_t lineEnd = end > start && end < text.size() && text[end - 1] == u'\r' ? end - 1 : end;
        char16_t *line = text.data() + start;
        const std::size_t size = lineEnd - start;
        if (header) {
            key = size >= 2 ? ((line[size - 2] & 0xFF) - 5) & 0xFF : 0;
            header = false;
        } else {
            for (std::size_t i = 0; i < size; ++i) {
                const unsigned b = line[i] & 0xFF;
                if (b >= 32 && (b ^ key) >= 32)
                    line[i] = char16_t(b ^ key);
            }
            std::reverse(line, line + size);
            sum += size ? line[0] : 0;
        }
        start = end + 1;
    }
    return sum;
}

// Reads every file as `cat` does; returns the number of bytes read.
inline std::uint64_t catFiles(const std::vector<std::string> &paths)
{
    std::uint64_t total = 0;
    for (const std::string &path : paths)
        total += fileBytes(path).size();
    return total;
}

} // namespace BareReading
