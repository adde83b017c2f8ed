#pragma once

// The poem reader with its limits as arguments, so that tests can reach a limit without
// building a poem of millions of lines. The program itself calls ReadPoem and ReadPoemFile.

#include "firstpass/FirstPass.h"

#include <QString>

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace corvale::firstpass {

struct PoemLimits {
    std::int64_t largestFile = kLargestPoemFile;
    std::int64_t mostVerseLines = kMostVerseLines;
};

// With `rows`, also the file's row (from 1) of each verse line, so that a message about a verse
// line can name the row where it stands.
std::variant<Poem, Refusal> ReadPoemWithin(std::string_view bytes, const PoemLimits& limits,
                                           std::vector<std::int32_t>* rows = nullptr);
std::variant<Poem, Refusal> ReadPoemFileWithin(const QString& path, const PoemLimits& limits,
                                               std::vector<std::int32_t>* rows = nullptr);

// The poem's text: the BOM decides between UTF-8 and UTF-16 (little or big endian); without
// one, valid UTF-8 is read as UTF-8 and anything else as Windows-1252.
QString DecodePoem(std::string_view bytes);

// The refusal of a file past limits.largestFile.
Refusal TooLarge(const PoemLimits& limits);

// 10000000 as "10,000,000", for messages.
std::string WithThousands(std::int64_t number);

}  // namespace corvale::firstpass
