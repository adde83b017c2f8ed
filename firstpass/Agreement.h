#pragma once

// How far sets of conventions agree with a reader's corrected lines, syllable by syllable: the
// measure the learner (Learning.h) fits the conventions by.
//
// A line is taken as the reader divided it: each word the pass reads is matched to the run of
// corrected syllables that holds exactly its letters, and weighed as the pass weighs its reading
// of that many syllables. A syllable agrees when the pass under the conventions would give it a
// value above 1 (stressed, as the window reads it) exactly where the reader did, and its word has
// the count the pass would choose for it under them; the syllables of a word the pass does not
// find among the reader's disagree under every set.

#include "firstpass/Conventions.h"
#include "firstpass/Learning.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace corvale::firstpass {

class Agreement {
public:
    // Reads the lines' words once, every reading of the table among them, asking the
    // pronunciation engine; `start` weighs nothing but the words' readings.
    Agreement(const std::vector<CorrectedPoem>& poems, const Conventions& start);
    ~Agreement();
    Agreement(const Agreement&) = delete;
    Agreement& operator=(const Agreement&) = delete;

    std::int64_t Lines() const;
    std::size_t Syllables() const;
    // Whether each corrected syllable agrees under the conventions: one byte a syllable, 1 for
    // agreeing, the poems' lines in order.
    void Of(const Conventions& conventions, std::vector<std::uint8_t>& agree);
    // The lines all of whose syllables agree.
    std::int64_t LinesAgreeing(const std::vector<std::uint8_t>& agree) const;

private:
    class Scorer;
    std::unique_ptr<Scorer> scorer_;
};

}  // namespace corvale::firstpass
