#include "navigation/MeterSearch.h"
#include "scansion/Workspace.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvale::navigation {
namespace {

using meter::Meter;
using meter::Strictness;
using meter::Verdict;
using Lines = std::vector<std::int32_t>;

constexpr Strictness kDefault = Strictness::StressMaxima;
constexpr Strictness kStrict = Strictness::EveryStress;
constexpr char kIambic4[] = "W\tS\tW\tS";

// Six verse lines under kIambic4: 1 too long, 3 off only under the strict rule (a stressed
// first syllable), 4 with a stress maximum in a weak place, 6 too short.
Store SixLines() {
    const std::vector<std::vector<std::string_view>> stresses = {
        {"1", "3", "1", "3", "1"}, {"1", "3", "1", "3"}, {"3", "3", "1", "3"},
        {"1", "1", "3", "1"},      {"1", "3", "1", "3"}, {"1", "3", "1"}};
    Store store;
    store.Redimension(6, 5);
    for (std::size_t i = 0; i < stresses.size(); ++i) {
        const std::vector<std::string_view> syllables(stresses[i].size(), "la");
        store.SetRecord(static_cast<std::int32_t>(i) + 1, "", "", syllables, stresses[i], {});
    }
    return store;
}

enum class Direction { Next, Previous };

struct SearchCase {
    const char* name;
    Direction direction;
    std::int32_t from;
    std::optional<std::int32_t> found;
    Strictness strictness = kDefault;
    const char* meterLine = kIambic4;
};

class MeterSearch : public testing::TestWithParam<SearchCase> {};

TEST_P(MeterSearch, FindsTheNearestLineOffTheMeter) {
    const SearchCase& c = GetParam();
    const Store store = SixLines();
    const Meter meter(c.meterLine, c.meterLine[0] == '\0' ? 0 : 4);
    const auto search =
        c.direction == Direction::Next ? NextLineOffTheMeter : PreviousLineOffTheMeter;
    EXPECT_EQ(search(store, meter, c.strictness, c.from), c.found);
}

constexpr Direction kNext = Direction::Next;
constexpr Direction kPrevious = Direction::Previous;
constexpr std::nullopt_t kNone = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
    Cases, MeterSearch,
    testing::Values(SearchCase{"NextFromRowZeroStartsAtLineOne", kNext, 0, 1},
                    SearchCase{"NextFromBelowRowZero", kNext, -5, 1},
                    SearchCase{"NextSkipsFittingLines", kNext, 1, 4},
                    SearchCase{"NextReachesTheLastLine", kNext, 4, 6},
                    SearchCase{"NextFromTheLastLineFindsNone", kNext, 6, kNone},
                    SearchCase{"NextFromBeyondTheStoreFindsNone", kNext, 99, kNone},
                    SearchCase{"PreviousFromTheLastLine", kPrevious, 6, 4},
                    SearchCase{"PreviousSkipsFittingLines", kPrevious, 4, 1},
                    SearchCase{"PreviousFromLineOneFindsNone", kPrevious, 1, kNone},
                    SearchCase{"PreviousFromRowZeroFindsNone", kPrevious, 0, kNone},
                    SearchCase{"PreviousFromBeyondTheStoreStartsAtTheLast", kPrevious, 99, 6},
                    SearchCase{"StrictNextFindsMore", kNext, 1, 3, kStrict},
                    SearchCase{"StrictPreviousFindsMore", kPrevious, 4, 3, kStrict},
                    SearchCase{"EmptyMeterNextFindsNone", kNext, 0, kNone, kDefault, ""},
                    SearchCase{"EmptyMeterPreviousFindsNone", kPrevious, 99, kNone, kDefault, ""}),
    [](const testing::TestParamInfo<SearchCase>& info) { return std::string(info.param.name); });

TEST(MeterOverview, JudgesEveryRow) {
    struct Case {
        const char* name;
        const char* meterLine;
        std::int32_t places;
        Strictness strictness;
        std::vector<Verdict> verdicts;  // rows 0..6
    };
    const std::vector<Case> cases = {
        {"Default",
         kIambic4,
         4,
         kDefault,
         {{},
          {true, 4, 5, 0},
          {true, 4, 4, 0},
          {true, 4, 4, 0},
          {true, 4, 4, 1},
          {true, 4, 4, 0},
          {true, 4, 3, 0}}},
        {"Strict",
         kIambic4,
         4,
         kStrict,
         {{},
          {true, 4, 5, 0},
          {true, 4, 4, 0},
          {true, 4, 4, 1},
          {true, 4, 4, 1},
          {true, 4, 4, 0},
          {true, 4, 3, 0}}},
        {"EmptyMeter", "", 0, kDefault, std::vector<Verdict>(7)},
    };
    const Store store = SixLines();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(JudgeEveryLine(store, Meter(c.meterLine, c.places), c.strictness), c.verdicts);
    }
}

// --- The bundled samples -------------------------------------------------------------------

struct SampleCase {
    const char* poem;
    Strictness strictness;
    std::int32_t lines;
    Lines off;
};

class MeterSample : public testing::Test {
protected:
    void Load(const std::string& poem) {
        platform.WriteFile(poem + ".txt", test::SampleFile(poem, poem + ".txt"));
        platform.WriteFile(kMeterFileName, test::SampleFile(poem, kMeterFileName));
        workspace.WorkingFileName = poem + ".txt";
        workspace.LoadScansionFile();
        workspace.ReadTheMeterFile();
        ASSERT_TRUE(platform.Messages().empty());
    }
    Meter TheMeter() const { return Meter(workspace.MeterLine, workspace.NumberOfMeterSymbols); }

    test::ScriptedPlatform platform;
    Workspace workspace{platform};
};

class MeterSamples : public MeterSample, public testing::WithParamInterface<SampleCase> {};

TEST_P(MeterSamples, FlagTheLinesOffTheMeter) {
    const SampleCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(Load(c.poem));
    ASSERT_EQ(workspace.NumberOfLines, c.lines);
    const Store& store = workspace.GetStore();

    Lines overview;
    const std::vector<Verdict> verdicts = JudgeEveryLine(store, TheMeter(), c.strictness);
    for (std::int32_t j = 1; j <= c.lines; ++j) {
        if (verdicts[static_cast<std::size_t>(j)].IsOff()) {
            overview.push_back(j);
        }
    }
    EXPECT_EQ(overview, c.off);

    Lines jumps;
    for (auto j = NextLineOffTheMeter(store, TheMeter(), c.strictness, 0); j;
         j = NextLineOffTheMeter(store, TheMeter(), c.strictness, *j)) {
        jumps.push_back(*j);
    }
    EXPECT_EQ(jumps, c.off);
}

INSTANTIATE_TEST_SUITE_P(
    Samples, MeterSamples,
    testing::Values(SampleCase{"sonnet18", kDefault, 14, {2, 7, 8, 11}},
                    SampleCase{"sonnet116", kDefault, 14, {2, 5, 6, 7, 8, 12}},
                    SampleCase{"tyger", kDefault, 24, {4, 8, 10, 11, 18, 20, 24}},
                    SampleCase{"sonnet18", kStrict, 14, {2, 3, 4, 5, 7, 8, 11, 14}},
                    SampleCase{"sonnet116", kStrict, 14, {1, 2, 5, 6, 7, 8, 9, 11, 12, 14}},
                    SampleCase{"tyger",
                               kStrict,
                               24,
                               {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14, 15, 17, 18, 20, 23, 24}}),
    [](const testing::TestParamInfo<SampleCase>& info) {
        return std::string(info.param.poem) +
               (info.param.strictness == kStrict ? "Strict" : "Default");
    });

// "Admit impediments. Love is not love": "Love" stands in the 7th place, a weak one.
TEST_F(MeterSample, Sonnet116LineTwoHasLoveInAWeakPlace) {
    ASSERT_NO_FATAL_FAILURE(Load("sonnet116"));
    workspace.CurrentLine = 2;
    for (std::int32_t k = 1; k <= workspace.MaximumNumberOfSyllables; ++k) {
        workspace.CurrentSyllables[static_cast<std::size_t>(k)] = workspace.Syllables(2, k);
        workspace.CurrentStresses[static_cast<std::size_t>(k)] = workspace.Stresses(2, k);
    }
    const meter::Judgement judgement = meter::JudgeLine(TheMeter(), workspace.CurrentSyllables,
                                                        workspace.CurrentStresses, kDefault);
    EXPECT_EQ(judgement.offColumns, Lines{7});
    EXPECT_EQ(meter::StatusText(judgement.verdict), "1 place off the meter");
    // Line 5 has "ever-fixed" as one syllable: 7 for 10 places.
    EXPECT_EQ(meter::StatusText(JudgeEveryLine(workspace.GetStore(), TheMeter(), kDefault)[5]),
              "3 syllables too few");
}

}  // namespace
}  // namespace corvale::navigation
