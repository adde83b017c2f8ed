#pragma once

// Learning a reader's conventions from the lines the reader corrected: the set of conventions
// under which the first pass would have stressed the corrected syllables as the reader did
// (Agreement.h says how that is counted). The fit is a small search: from the conventions in
// force, one convention at a time is moved to the value under which the corrected syllables are
// most likely, when they are more likely by more than the prior odds against the move; a move
// must also make more lines agree throughout and win more than twice the syllables it loses, so
// that a few lines' chance agreements do not move a convention the rest of the poem holds to.

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
    // The places of the meter the line is measured against when that is not the poem's (a line
    // of a further meter); empty for the poem's.
    std::vector<bool> meter = {};
};

// A poem's corrected lines, and its meter's places (true for a strong one): the main meter, which
// a line is held up against unless it has its own. Without a meter the learner takes the one the
// corrected stresses fit best, as the first pass chooses one.
struct CorrectedPoem {
    std::vector<CorrectedLine> lines;
    std::vector<bool> meter;
};

// The verse lines first..last of a store, as a file of `encoding` holds them, that the learner
// can take: a filled stress row and no blank syllable after the first one shown (the blank
// columns before a headless line are left out). Other lines (not scored, half typed) are left
// out. `meters` are the file's meter rows, the main first (none: the learner chooses); each
// line is held up against the one it is measured against (meter::LineMeter) by its values.
CorrectedPoem CorrectedPoemOf(const Store& store, Encoding encoding, std::int32_t first,
                              std::int32_t last, const std::vector<MeterFileRow>& meters);
// Every verse line of a loaded scansion file, under its meters when it has them.
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
