// Scoring a scansion against a reference one: word matching, stress readings, offered readings,
// lines left out, meters, and the report.

#include "analysis/Compare.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using corvale::analysis::CompareMeters;
using corvale::analysis::CompareScansions;
using corvale::analysis::Comparison;
using corvale::analysis::ComparisonReport;
using corvale::analysis::MeterVerdict;
using corvale::test::ScansionFile;
using corvale::test::Verse;
using Verses = std::vector<Verse>;

// A verse from its text and its space-separated syllables, stresses and junctures.
Verse V(const char* text, const char* syllables, const char* stresses, const char* junctures,
        const char* comment = "") {
    const auto split = [](const std::string& row) {
        std::vector<std::string> values;
        std::istringstream in(row);
        for (std::string value; in >> value;)
            values.push_back(value);
        return values;
    };
    return {text, split(syllables), split(stresses), split(junctures), comment};
}

// "Shall I compare", as the reference reads it.
const Verse kShall = V("Shall I compare", "Shall I com pare", "1 3 1 3", "2 2 1 4");

Verse With(Verse verse, std::vector<std::string> stresses) {
    verse.stresses = std::move(stresses);
    return verse;
}

Verse Reading(const char* readings) {
    Verse verse = kShall;
    verse.comment = std::string("other readings: ") + readings;
    return verse;
}

struct ScoreCase {
    const char* name;
    Verses reference;
    Verses other;
    std::array<std::int64_t, 6> figures;  // words, syllables and lines: agreeing, total
    std::vector<std::string> differing;
};

class Scoring : public testing::TestWithParam<ScoreCase> {};

TEST_P(Scoring, CountsWordsSyllablesAndLines) {
    const Comparison c =
        CompareScansions(ScansionFile(GetParam().reference), ScansionFile(GetParam().other));
    const std::array<std::int64_t, 6> figures = {c.words.agreeing,     c.words.total,
                                                 c.syllables.agreeing, c.syllables.total,
                                                 c.lines.agreeing,     c.lines.total};
    EXPECT_EQ(figures, GetParam().figures);
    EXPECT_EQ(c.differingLines, GetParam().differing);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Scoring,
    testing::Values(
        ScoreCase{"AnyValueAboveOneIsStressed",
                  {kShall, kShall},
                  {With(kShall, {"1", "2", "0", "4"}), With(kShall, {"3", "3", "1", "3"})},
                  {6, 6, 7, 8, 1, 2},
                  {"2"}},
        // A count that differs makes the whole word wrong; a missing word leaves the rest matched.
        ScoreCase{"CountDiffersOrWordMissing",
                  {kShall, kShall},
                  {V("Shall I compare", "Shall I compare", "1 3 3", "2 2 4"),
                   V("Shall compare", "Shall com pare", "1 1 3", "2 1 4")},
                  {4, 6, 5, 8, 0, 2},
                  {"1", "2"}},
        ScoreCase{"ExtraWordInTheOtherIsNoFault",
                  {kShall},
                  {V("Shall I now compare", "Shall I now com pare", "1 3 3 1 3", "2 2 2 1 4")},
                  {3, 3, 4, 4, 1, 1},
                  {}},
        ScoreCase{"LettersMatchWhateverTheCaseAccentsAndPunctuation",
                  {V("Bless\xC3\xA8"
                     "d day!",
                     "Bless \xC3\xA8"
                     "d day!",
                     "3 1 3", "1 2 4")},
                  {V("blessed day", "bless ed \"Day", "3 1 3", "1 2 4")},
                  {2, 2, 3, 3, 1, 1},
                  {}},
        ScoreCase{"CompoundIsOneWordAcrossItsHyphen",
                  {V("ever-fixed", "ev er- fixed", "3 1 3", "1 1 4")},
                  {V("ever-fixed", "ev er- fixed", "3 1 3", "1 2 4")},
                  {0, 1, 0, 3, 0, 1},
                  {"1"}},
        // "+----" would agree throughout were a reading of the wrong length taken.
        ScoreCase{"BestOfTheOtherReadingsOfTheRightLength",
                  {Reading("+--+"), Reading("++++, +-++, +----")},
                  {With(kShall, {"3", "1", "1", "3"}), With(kShall, {"3", "1", "1", "1"})},
                  {6, 6, 6, 8, 1, 2},
                  {"2"}},
        // Line 1 is left out; line 3 is missing from the other file.
        ScoreCase{"EmptyStressRowLeftOutAndMissingLineWrong",
                  {With(kShall, {""}), kShall, kShall},
                  {With(kShall, {"1", "1", "1", "1"}), kShall},
                  {3, 6, 4, 8, 1, 2},
                  {"3"}},
        ScoreCase{"LetterlessWordMatchesItsLike",
                  {V("& so", "& so", "1 3", "2 4")},
                  {V("& so", "& so", "1 3", "2 4")},
                  {2, 2, 2, 2, 1, 1},
                  {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Scoring, ALineThatDiffersIsNamedByItsNumberWithoutAByteOrderMark) {
    const Comparison c = CompareScansions("\xEF\xBB\xBF" + ScansionFile({kShall}),
                                          ScansionFile({With(kShall, {"3", "3", "3", "3"})}));
    EXPECT_EQ(c.differingLines, std::vector<std::string>{"1"});
}

// Only words of two or more syllables, as many in both files, are weighed; case and punctuation
// are set aside.
TEST(DivisionScoring, WeighsLongerWordsOfAsManySyllablesByTheirLetters) {
    const Comparison c = CompareScansions(
        ScansionFile({V("Rivers, deep forests flowing", "Riv ers, deep for ests flow ing",
                        "3 1 3 3 1 3 1", "1 3 2 1 2 1 4")}),
        ScansionFile({V("rivers deep forests flowing", "\"riv ers deep fo rests flowing",
                        "3 1 3 3 1 3", "1 2 2 1 2 4")}));
    EXPECT_EQ(c.divisions.agreeing, 1);
    EXPECT_EQ(c.divisions.total, 2);
}

TEST(MeterComparison, SetsAsideSpacesCaseAndTrailingTabsButNotAFoot) {
    Comparison comparison;
    CompareMeters(comparison, "W\tS\t\t\r\n", " w \ts\n");
    EXPECT_EQ(comparison.meter, MeterVerdict::Same);
    CompareMeters(comparison, "W\tS\r\n", "W\tS\tW\tS\r\n");
    EXPECT_EQ(comparison.meter, MeterVerdict::Different);
}

struct MeterRowsCase {
    const char* name;
    std::string reference;  // meter files
    std::string other;
    std::string report;  // the report's meter lines
};

class MeterRowsComparison : public testing::TestWithParam<MeterRowsCase> {};

TEST_P(MeterRowsComparison, ComparesTheMetersRowByRow) {
    Comparison comparison;
    CompareMeters(comparison, GetParam().reference, GetParam().other);
    const std::string report = ComparisonReport(comparison);
    EXPECT_EQ(report.substr(report.find("meter")), GetParam().report);
}

INSTANTIATE_TEST_SUITE_P(
    Files, MeterRowsComparison,
    testing::Values(MeterRowsCase{"ARowLeftAloneIsNoMeter", "W\tS\r\nnote\r\n", "W\tS\r\n",
                                  "meter: the same (W S)\n"},
                    MeterRowsCase{"ARowEach", "W\tS\r\nW\tS\tW\r\n", "W\tS\r\nS\tW\r\nW\r\n",
                                  "meter 1: the same (W S)\n"
                                  "meter 2: different (reference W S W; this file S W)\n"
                                  "meter 3: only in this file (W)\n"},
                    MeterRowsCase{"OnlyInTheReference", "W\tS\r\nS\r\n", "W\tS\r\n",
                                  "meter 1: the same (W S)\n"
                                  "meter 2: only in the reference (S)\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ComparisonReportTest, GivesTheFiguresTheMeterAndWhereToLook) {
    Comparison c = CompareScansions(ScansionFile({With(kShall, {""}), kShall, kShall}),
                                    ScansionFile({kShall, With(kShall, {"3", "3", "1", "3"})}));
    CompareMeters(c, "W\tS\r\n", "S\tW\r\n");
    EXPECT_EQ(ComparisonReport(c),
              "words with the same syllable count: 3 of 6 (50.0%)\n"
              "longer words divided alike: 1 of 1 (100.0%)\n"
              "syllables with the same stress: 3 of 8 (37.5%)\n"
              "lines that agree throughout: 0 of 2 (0.0%)\n"
              "meter: different (reference W S; this file S W)\n"
              "lines that differ: 2, 3\n"
              "reference lines left out (empty stress row): 1\n"
              "note: the reference has 3 verse lines, the other file 2\n");
}

}  // namespace
