#pragma once

// Scoring one scansion against another, the reference (a metrist's corrected file, or readers'
// hand scansion): how far an automatic pass got, or what a correction changed.
//
// Records are matched by position. A reference line whose stress row is empty is left out. A
// syllable counts as stressed when its value is above 1, as the window reads it. Words are runs
// of syllables bound by juncture 1, matched to the reference's words by their letters, in order;
// a reference word without a match, or whose match has another number of syllables, counts all
// its syllables wrong. A longer word (two or more syllables, as many in both) is divided alike when
// its syllables hold the same letters. A reference comment "other readings: +-+-" offers other
// stress patterns for its line, and the best reading is taken.

#include "scansion/Refusal.h"
#include "scansion/ScansionFile.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace corvale::analysis {

struct Tally {
    std::int64_t agreeing = 0;
    std::int64_t total = 0;
};

enum class MeterVerdict { NotCompared, Same, Different };

struct Comparison {
    Tally words;      // reference words whose match has as many syllables
    Tally divisions;  // longer words of as many syllables whose syllables hold the same letters
    Tally syllables;  // reference syllables read alike, stressed or not
    Tally lines;      // scored reference lines that agree throughout
    std::int64_t referenceLines = 0;
    std::int64_t otherLines = 0;
    std::int64_t linesLeftOut = 0;      // reference lines with an empty stress row
    std::int64_t linesOfOtherText = 0;  // records whose verse text differs from their partner's,
                                        // or that have none in the other file
    std::vector<std::string> differingLines;  // their numbers as the reference gives them
    // Same when the files' meters agree row by row (MeterFileRows::meters), when compared.
    MeterVerdict meter = MeterVerdict::NotCompared;
    std::vector<std::vector<std::string>> referenceMeters;  // each meter's symbols, when compared
    std::vector<std::vector<std::string>> otherMeters;
    std::string meterNote;  // why the meters were not compared
};

// Both arguments are the bytes of scansion files; bytes that do not read as one compare as a
// file of no verse lines.
Comparison CompareScansions(std::string_view reference, std::string_view other);
Comparison CompareScansions(const LoadedScansion& reference, const LoadedScansion& other);
// Sets the meter verdict from the bytes of two meter files, their meters compared row by row.
void CompareMeters(Comparison& comparison, std::string_view referenceMeterFile,
                   std::string_view otherMeterFile);

// Compares two scansion files, and their meters when each has a meter file of its own beside
// it. A file that is missing or cannot be read, or holds no scansion records, is refused; so is one
// whose records the reader (scansion/RecordReader.h) finds a fault in, with the reader's message.
// The refusal's message names the file.
std::variant<Comparison, Refusal> CompareFiles(const QString& reference, const QString& other);

// The comparison as lines of text for a person, each ending in a newline.
std::string ComparisonReport(const Comparison& comparison);

}  // namespace corvale::analysis
