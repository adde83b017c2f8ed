// Learning the conventions from corrected lines: a reader the learner has not met is found from
// the lines the first pass would write for them, the reader's division is taken as it stands,
// and too few lines teach nothing.

#include "firstpass/Learning.h"
#include "firstpass/FirstPass.h"

#include "support/TestFolder.h"

#include <gtest/gtest.h>

namespace corvale::firstpass {
namespace {

using C = Convention;

const std::vector<std::string>& kPoem = test::kConventionLines;

// The poem as the first pass scans it under the conventions: what a reader of those conventions
// would have corrected it to.
CorrectedPoem AsScannedUnder(const Conventions& conventions, const std::vector<std::string>& poem) {
    Options options;
    options.conventions = conventions;
    const auto scanned = Scan(Poem{poem}, options);
    const auto& scansion = std::get<Scansion>(scanned);
    auto file = std::get<LoadedScansion>(ReadScansionBytes(scansion.scansionFile));
    return CorrectedPoemOf(file.store, file.encoding, 1, file.records,
                           ReadMeterRows(scansion.meterFile).meters);
}

TEST(CorrectedPoemOfTest, TakesAHeadlessLineWithoutItsBlankColumn) {
    const CorrectedPoem poem =
        AsScannedUnder({}, {"Could frame thy fearful symmetry?", "Tyger Tyger, burning bright,"});
    ASSERT_EQ(poem.lines.size(), 2u);
    EXPECT_EQ(poem.lines[1].syllables.front(), "Ty");
}

struct ReaderCase {
    const char* name;
    Convention convention;
    int value;
};

class UnmetReader : public testing::TestWithParam<ReaderCase> {};

// The lines differ from the defaults' scan wherever the convention governs them, and the learner
// finds the reader's conventions from them, every other convention staying at its default.
TEST_P(UnmetReader, IsFoundFromTheLinesTheConventionGoverns) {
    Conventions reader;
    reader.Set(GetParam().convention, GetParam().value);
    const CorrectedPoem corrected = AsScannedUnder(reader, kPoem);
    const CorrectedPoem byDefault = AsScannedUnder({}, kPoem);
    bool governed = false;
    for (std::size_t j = 0; j < corrected.lines.size(); ++j) {
        governed = governed || corrected.lines[j].stressed != byDefault.lines[j].stressed ||
                   corrected.lines[j].syllables != byDefault.lines[j].syllables;
    }
    const Learned learned = Learn({corrected});
    EXPECT_EQ(learned.conventions, governed ? reader : Conventions());
    EXPECT_EQ(learned.agreeingAfter, governed ? learned.syllables : learned.agreeingBefore);
    EXPECT_EQ(governed, std::string(GetParam().name) != "NotGovernedStaysAtTheDefaults");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnmetReader,
    testing::Values(ReaderCase{"ClashResolvedByTheMeter", C::Clash, 2},
                    ReaderCase{"LoneMonosyllableMadeWeak", C::WeakMonosyllable, 1},
                    ReaderCase{"NoInvertedFirstFoot", C::InvertedFirstFoot, 0},
                    ReaderCase{"InvertedFootAnywhere", C::InvertedFirstFoot, 2},
                    ReaderCase{"NoLiftBetweenUnstressed", C::LiftBetweenUnstressed, 0},
                    ReaderCase{"NegationAlwaysStressed", C::Negation, 4},
                    ReaderCase{"PronounsAlwaysStressed", C::Pronoun, 4},
                    ReaderCase{"AuxiliariesNeverStressed", C::Auxiliary, 0},
                    ReaderCase{"PrepositionsNeverLifted", C::Preposition, 0},
                    ReaderCase{"ConjunctionsAlwaysStressed", C::Conjunction, 4},
                    ReaderCase{"FireInTwoSyllables", C::FireInOne, 1},
                    ReaderCase{"NotGovernedStaysAtTheDefaults", C::Demonstrative, 4}),
    [](const auto& info) { return std::string(info.param.name); });

// A reader who says "heaven" in one syllable where the meter asks for it, in a modern poem: the
// reader's division is taken as it stands, so the word of the wrong count is wrong under the
// defaults and right once the reading is offered in any verse.
TEST(Learning, TakesTheReadersDivisionAsItStands) {
    CorrectedPoem corrected;
    for (int j = 0; j < 8; ++j) {
        corrected.lines.push_back(
            {"The heaven above us and the earth below",
             {"The", "heaven", "a", "bove", "us", "and", "the", "earth", "be", "low"},
             {false, true, false, true, false, true, false, true, false, true}});
    }
    corrected.meter = {false, true, false, true, false, true, false, true, false, true};
    const Learned learned = Learn({corrected});
    EXPECT_EQ(learned.conventions[C::HeavenInOne], kInAnyVerse);
    EXPECT_EQ(learned.agreeingAfter, learned.syllables);
    EXPECT_LT(learned.agreeingBefore, learned.agreeingAfter);
}

// A ballad stanza's lines of three beats are held up against the trimeter, their own meter.
TEST(Learning, HoldsEachLineUpAgainstItsOwnMeter) {
    Conventions reader;
    reader.Set(C::Clash, 2);
    const CorrectedPoem stanza = AsScannedUnder(
        reader, {"The sun came up upon the left,", "Out of the sea came he!",
                 "And he shone bright, and on the right", "Went down into the sea."});
    const Learned learned = Learn({stanza, stanza});
    EXPECT_EQ(learned.conventions, reader);
    EXPECT_EQ(learned.agreeingAfter, learned.syllables);
}

TEST(Learning, FewerThanEightLinesTeachNothing) {
    Conventions reader;
    reader.Set(C::Pronoun, 4);
    Conventions start;
    start.Set(C::Clash, 1);
    CorrectedPoem corrected = AsScannedUnder(reader, kPoem);
    corrected.lines.pop_back();
    const Learned learned = Learn({corrected}, start);
    EXPECT_FALSE(learned.Enough());
    EXPECT_EQ(learned.lines, 7);
    EXPECT_EQ(learned.conventions, start);
}

}  // namespace
}  // namespace corvale::firstpass
