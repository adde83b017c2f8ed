#pragma once

// The poem reader with its limits as arguments, so that tests can reach a limit without
// building a poem of millions of lines. The program itself calls ReadPoem and ReadPoemFile.

#include "firstpass/FirstPass.h"

#include <QString>

#include <cstdint>
#include <optional>
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
// The bytes of the file, with the refusals of ReadPoemFile that concern the file itself.
std::variant<std::string, Refusal> ReadPoemBytes(const QString& path, const PoemLimits& limits);

// The poem's text: the BOM decides between UTF-8 and UTF-16 (little or big endian). Without
// one, valid UTF-8 is read as UTF-8, and so is UTF-8 with at least as many valid multi-byte
// sequences as bad bytes, each bad byte becoming U+FFFD, with a warning naming the row of the
// first.
// Anything else is Windows-1252.
struct DecodedPoem {
    QString text;
    std::optional<Warning> badBytes;
};
DecodedPoem DecodePoem(std::string_view bytes);

// The two halves of ReadPoemWithin, so that a reader holding the bytes can let them go once they
// are decoded: the refusals the bytes alone decide, and the poem from the decoded text of a file
// of `fileSize` bytes.
std::optional<Refusal> RefuseBytes(std::string_view bytes, const PoemLimits& limits);
std::variant<Poem, Refusal> ReadDecoded(DecodedPoem decoded, std::size_t fileSize,
                                        const PoemLimits& limits, std::vector<std::int32_t>* rows);

// A row of a poem as a verse line: byte order marks and soft hyphens dropped, tabs and other
// control characters turned into spaces, trimmed. Empty for a blank row.
QString CleanVerseLine(QString row);

// The refusals of a file past limits.largestFile, and of a poem past limits.mostVerseLines at
// the verse line on `row`.
Refusal TooLarge(const PoemLimits& limits);
Refusal TooManyVerseLines(const PoemLimits& limits, std::int64_t row);

// 10000000 as "10,000,000", for messages.
std::string WithThousands(std::int64_t number);

}  // namespace corvale::firstpass
