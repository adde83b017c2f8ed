#include "firstpass/MeterChoice.h"
#include "firstpass/Stress.h"
#include "meter/MeterCheck.h"

#include <gtest/gtest.h>

namespace corvale::firstpass {
namespace {

// Lines written as their stress values before the meter, "3" stressed, "1" not.
std::vector<std::vector<std::uint8_t>> Lines(const std::vector<const char*>& patterns) {
    std::vector<std::vector<std::uint8_t>> lines;
    for (const char* pattern : patterns) {
        std::vector<std::uint8_t>& line = lines.emplace_back();
        for (const char* c = pattern; *c != '\0'; ++c)
            line.push_back(static_cast<std::uint8_t>(*c - '0'));
    }
    return lines;
}

struct ChoiceCase {
    const char* name;
    std::vector<const char*> lines;
    const char* meter;
};

class ChooseMeterTest : public testing::TestWithParam<ChoiceCase> {};

TEST_P(ChooseMeterTest, FindsTheFootAndTheLength) {
    EXPECT_EQ(MeterCandidates()[ChooseMeter(Lines(GetParam().lines))].name, GetParam().meter);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChooseMeterTest,
    testing::Values(
        ChoiceCase{"Iambic", {"1313131313", "1313131313", "3113131313"}, "iambic pentameter"},
        ChoiceCase{"Trochaic", {"31313131", "31313131"}, "trochaic tetrameter"},
        ChoiceCase{"Anapestic", {"113113113", "113113113"}, "anapestic trimeter"},
        ChoiceCase{"Dactylic", {"311311", "311311", "311311"}, "dactylic dimeter"},
        ChoiceCase{"Amphibrachic", {"131131131131", "131131131131"}, "amphibrachic tetrameter"},
        ChoiceCase{"OneFoot", {"13", "13"}, "iambic monometer"},
        ChoiceCase{"EightFeet", {"1313131313131313"}, "iambic octameter"},
        // Mostly short of a last weak place: the catalectic meter.
        ChoiceCase{"Catalectic", {"3131313", "3131313"}, "catalectic trochaic tetrameter"},
        // Mostly full lines, a few headless: the full meter, the headless lines its variants.
        ChoiceCase{"HeadlessLinesInAnIambicPoem",
                   {"13131313", "3131313", "13131313"},
                   "iambic tetrameter"},
        // A stressed syllable in a weak place counts against a meter only as a stress maximum.
        ChoiceCase{"ClashesDoNotCount", {"1333131313", "1313131313"}, "iambic pentameter"},
        // A stress at a line's end stands on a beat, though the cue never counts it: not a
        // trochaic line with a stressed last weak place.
        ChoiceCase{"LinesEndOnABeat", {"3133", "3133", "3133"}, "iambic dimeter"},
        // Mostly full lines: a catalectic line is a variant of the full meter.
        ChoiceCase{
            "TieToTheCommonLength", {"31313131", "31313131", "3131313"}, "trochaic tetrameter"},
        // Full dactylic lines and lines ending on a lone stress: the full meter, not the
        // catalectic one in between.
        ChoiceCase{"DactylicLinesMayEndOnAStress",
                   {"311311311311", "3113113113", "3113113113", "311311311311", "3113113113"},
                   "dactylic tetrameter"}),
    [](const auto& info) { return std::string(info.param.name); });

// Each line counts, for each candidate, the reading that fits it best: with a shorter reading in
// every line the pentameter wins, where the spoken lines alone choose a longer meter.
TEST(ChooseMeterTest, CountsEachLinesBestReading) {
    const std::vector<std::vector<std::uint8_t>> spoken =
        Lines({"1311313131313", "1311313131313", "1311313131313"});
    const std::vector<std::uint8_t> shorter = Lines({"1313131313"})[0];
    std::vector<LineReadings> lines;
    for (const std::vector<std::uint8_t>& line : spoken)
        lines.push_back({line, shorter});
    EXPECT_NE(MeterCandidates()[ChooseMeter(spoken)].name, "iambic pentameter");
    EXPECT_EQ(MeterCandidates()[ChooseMeter(lines)].name, "iambic pentameter");
}

struct FindCase {
    const char* name;
    std::vector<const char*> lines;
    std::vector<std::string> meters;  // main first
};

class FindMetersTest : public testing::TestWithParam<FindCase> {};

TEST_P(FindMetersTest, AddsAMeterOnlyForEnoughLinesOfAnotherLengthThatFitIt) {
    std::vector<LineReadings> lines;
    for (const std::vector<std::uint8_t>& line : Lines(GetParam().lines))
        lines.push_back({line});
    std::vector<std::string> names;
    const std::vector<std::size_t> found = FindMeters(lines);
    for (const std::size_t meter : found)
        names.push_back(NameBeside(MeterCandidates()[meter], MeterCandidates()[found.front()]));
    EXPECT_EQ(names, GetParam().meters);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindMetersTest,
    testing::Values(
        FindCase{"BalladInFoursAndThrees",
                 {"13131313", "131313", "13131313", "131313"},
                 {"iambic trimeter", "iambic tetrameter"}},
        // Eleven syllables are a pentameter's variant, not a meter of their own.
        FindCase{"SonnetWithAFewLongLines",
                 {"1313131313", "1313131313", "13131313133", "1313131313", "13131313133"},
                 {"iambic pentameter"}},
        FindCase{"OneShortLineIsNoMeter",
                 {"1313131313", "1313131313", "131313", "1313131313"},
                 {"iambic pentameter"}},
        // A short refrain fits a headless iambic trimeter as well as an anapestic line that
        // lacks its first weak place: the main meter's foot wins, and names it.
        FindCase{"ARefrainTakesTheMainMetersFoot",
                 {"113113113113113", "113113113113113", "13113", "113113113113113",
                  "113113113113113", "13113"},
                 {"anapestic pentameter", "headless anapestic dimeter"}},
        // Fourteen lines in five beats are a sonnet, in its one iambic pentameter.
        FindCase{"ASonnetsFiveBeatsAreIambic",
                 std::vector<const char*>(14, "113113113113113"),
                 {"iambic pentameter"}},
        FindCase{"FourteenLinesOfFourBeatsKeepTheirFoot",
                 std::vector<const char*>(14, "113113113113"),
                 {"anapestic tetrameter"}},
        FindCase{"AtMostFour",
                 {"13", "13", "1313", "1313", "131313", "131313", "13131313", "13131313",
                  "1313131313", "1313131313"},
                 {"iambic trimeter", "iambic monometer", "iambic dimeter", "iambic tetrameter"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MeterCandidatesTest, EveryFormIsNamedOnceAndWrittenAsPlaces) {
    const std::vector<MeterCandidate>& candidates = MeterCandidates();
    for (std::size_t i = 0; i < candidates.size(); ++i)
        for (std::size_t j = i + 1; j < candidates.size(); ++j)
            EXPECT_NE(candidates[i].strong, candidates[j].strong) << candidates[j].name;
    EXPECT_EQ(MeterRow({true, false, true}), "S\tW\tS");
}

struct LineFormsCase {
    const char* name;
    std::vector<bool> meter;
    std::vector<std::vector<bool>> forms;
};

class LineFormsTest : public testing::TestWithParam<LineFormsCase> {};

TEST_P(LineFormsTest, DropsWeakPlacesOnlyAtTheEnds) {
    EXPECT_EQ(LineForms(GetParam().meter), GetParam().forms);
}

constexpr bool S = true;
constexpr bool X = false;  // a weak place

INSTANTIATE_TEST_SUITE_P(
    Feet, LineFormsTest,
    testing::Values(LineFormsCase{"AmphibrachLosesOneWeakPlaceAtEachEnd",
                                  {X, S, X},
                                  {{X, S, X}, {X, S}, {S, X}}},
                    LineFormsCase{"DactylLosesOneOrBothAtTheEnd",
                                  {S, X, X, S, X, X},
                                  {{S, X, X, S, X, X}, {S, X, X, S, X}, {S, X, X, S}}},
                    LineFormsCase{"AnapestLosesOneOrBothAtTheStart",
                                  {X, X, S, X, X, S},
                                  {{X, X, S, X, X, S}, {X, S, X, X, S}, {S, X, X, S}}},
                    LineFormsCase{"StrongEndsStayWhole", {S, X, X, S}, {{S, X, X, S}}},
                    LineFormsCase{"ALoneWeakPlaceIsKept", {X}, {{X}}}),
    [](const auto& info) { return std::string(info.param.name); });

using W = Weight;
constexpr Weight U = W::Unstressed, K = W::Weakened, T = W::Stressed;  // short for the rows

struct ValuesCase {
    const char* name;
    std::vector<Weight> line;
    const char* meter;
    std::vector<int> values;
};

class ValuesUnderMeterTest : public testing::TestWithParam<ValuesCase> {};

TEST_P(ValuesUnderMeterTest, OnlyThePositionMakesATwo) {
    const meter::Meter meter(GetParam().meter, 100);
    EXPECT_EQ(ValuesUnderMeter(GetParam().line, meter), GetParam().values);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ValuesUnderMeterTest,
    testing::Values(ValuesCase{"StressedIsThreeAnywhereUnstressedLastInAWeakPlaceOne",
                               {W::Stressed, W::Stressed, W::Unstressed},
                               "S\tW\tW",
                               {3, 3, 1}},
                    ValuesCase{"SecondaryHeardInAStrongPlace",
                               {W::Stressed, W::Unstressed, W::Secondary, W::Secondary},
                               "S\tW\tS\tW",
                               {3, 1, 2, 1}},
                    ValuesCase{"WeakenedMonosyllableHeardInAStrongPlace",
                               {W::Weakened, W::Weakened, W::Unstressed},
                               "W\tS\tW",
                               {1, 2, 1}},
                    ValuesCase{"WeakenedNotHeardBesideAStress", {U, K, T}, "W\tS\tW", {1, 1, 3}},
                    ValuesCase{"FirstFootInverted", {K, U, U, T}, "W\tS\tW\tS", {2, 1, 1, 3}},
                    ValuesCase{"EndsPromotedInDupleTime", {U, U, U}, "S\tW\tS", {2, 1, 2}},
                    ValuesCase{"StartLeftInTripleTime", {U, U, T}, "S\tW\tW", {1, 1, 3}},
                    ValuesCase{
                        "PromotedBetweenTwoUnstressed",
                        {W::Stressed, W::Unstressed, W::Unstressed, W::Weakened, W::Stressed},
                        "S\tW\tS\tW\tS",
                        {3, 1, 2, 1, 3}},
                    ValuesCase{"NotPromotedNextToAStress",
                               {W::Unstressed, W::Unstressed, W::Stressed},
                               "W\tS\tW",
                               {1, 1, 3}},
                    ValuesCase{"UnstressedLastSyllableInAStrongPlace",
                               {W::Stressed, W::Unstressed, W::Stressed, W::Unstressed},
                               "W\tS\tW\tS",
                               {3, 1, 3, 1}},
                    ValuesCase{"BeyondTheMeterIsWeak", {W::Weakened, W::Secondary}, "W", {1, 1}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvale::firstpass
