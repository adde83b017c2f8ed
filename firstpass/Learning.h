#pragma once

// Learning a reader's conventions from the lines the reader corrected: the set of conventions
// under which the first pass would have stressed the corrected syllables as the reader did.
//
// A line is taken as the reader divided it: each word the pass reads is matched to the run of
// corrected syllables that holds exactly its letters, and weighed as the pass weighs its reading
// of that many syllables. A syllable agrees when the pass under the conventions would give it a
// value above 1 (stressed, as the window reads it) exactly where the reader did, and its word has
// the count the pass would choose for it under them; the syllables of a word the pass does not
// find among the reader's count as disagreeing under every set. The fit is a small search: from
// the conventions in force, one convention at a time is moved to the value that gains most,
// while a move gains, until none does. A move must win at least twice the syllables it loses,
// so that a few lines' chance agreements do not move a convention the rest of the poem holds to.

#include "firstpass/Conventions.h"
#include "scansion/MeterFile.h"
#include "scansion/ScansionFile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvale::firstpass {

// Fewer corrected verse lines than this teach nothing: the conventions stay as they were.
inline constexpr std::int64_t kLeastLinesToLearnFrom = 8;

// One verse line as the reader corrected it.
struct CorrectedLine {
    std::string text;                    // the verse line, UTF-8
    std::vector<std::string> syllables;  // UTF-8
    std::vector<bool> stressed;          // one a syllable: its value is above 1
};

// A poem's corrected lines, and its meter's places (true for a strong one). Without a meter the
// learner takes the one the corrected stresses fit best, as the first pass chooses one.
struct CorrectedPoem {
    std::vector<CorrectedLine> lines;
    std::vector<bool> meter;
};

// The strong places of a meter file's row.
std::vector<bool> StrongPlaces(const MeterFileRow& row);

// The verse lines first..last of a store, as a file of `encoding` holds them, that the learner
// can take: a filled stress row and no blank syllable. Other lines (not scored, half typed) are
// left out.
CorrectedPoem CorrectedPoemOf(const Store& store, Encoding encoding, std::int32_t first,
                              std::int32_t last, std::vector<bool> meter);
// Every verse line of a loaded scansion file, under its meter when it has one.
CorrectedPoem CorrectedPoemOf(const LoadedScansion& file);

struct Learned {
    Conventions conventions;          // as learned; those it started from when too few lines
    std::int64_t lines = 0;           // corrected verse lines taken
    std::int64_t syllables = 0;       // their syllables
    std::int64_t agreeingBefore = 0;  // syllables agreeing under the conventions it started from
    std::int64_t agreeingAfter = 0;   // and under those learned
    bool Enough() const { return lines >= kLeastLinesToLearnFrom; }
};

// Fits the conventions to the poems' corrected lines, starting from `start`. Asks the
// pronunciation engine for the lines' words.
Learned Learn(const std::vector<CorrectedPoem>& poems, const Conventions& start = {});

}  // namespace corvale::firstpass
