// A poem's words read once for the poem: each line's words, read among others that share them
// in other places (at a line's end, eliding, beside marks), have the readings the line has
// alone.

#include "firstpass/PoemWords.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvale::firstpass {
namespace {

// Each word's readings as their syllables and weights, then its juncture.
std::string Show(const ReadLine& line) {
    std::string shown;
    for (const ReadWord* word : line) {
        for (const WordReading& reading : word->readings) {
            shown += reading.syllables + '/';
            for (const Weight weight : reading.weights) {
                shown += static_cast<char>('0' + static_cast<int>(weight));
            }
            shown += ' ';
        }
        shown += std::to_string(word->juncture) + " | ";
    }
    return shown;
}

struct PoemCase {
    const char* name;
    PoemMarks marks;
    std::vector<const char*> lines;
};

class PoemWordsTest : public testing::TestWithParam<PoemCase> {};

TEST_P(PoemWordsTest, ReadsEachLineAsItReadsAlone) {
    std::vector<QString> lines;
    for (const char* line : GetParam().lines) {
        lines.push_back(QString::fromUtf8(line));
    }
    PoemWords poem(GetParam().marks);
    const std::vector<ReadLine> read = poem.Read(lines);
    ASSERT_EQ(read.size(), lines.size());
    for (std::size_t j = 0; j < lines.size(); ++j) {
        PoemWords alone(GetParam().marks);
        EXPECT_EQ(Show(read[j]), Show(alone.Read({lines[j]}).front())) << GetParam().lines[j];
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PoemWordsTest,
    testing::Values(PoemCase{"PlacesAndMarks",
                             {},
                             {"the eye, and the night", "and the night \xe2\x80\x94 is long the",
                              "\xe2\x80\x94 and the night", "\"the eye\" th' eye th'",
                              "ever-fixed mark, forget-me-not th' eye", "& so & the", "* * *"}},
                    PoemCase{"OlderPrinting",
                             {false, true, true},
                             {"vnto the ioy of the eye, to a heaven", "the ioy to the end",
                              "to a the", "the ioy \xe2\x80\x94 to a"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvale::firstpass
