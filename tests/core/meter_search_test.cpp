#include "navigation/MeterSearch.h"
#include "scansion/FileNames.h"
#include "scansion/Workspace.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvale::navigation {
namespace {

using meter::Meter;
using meter::Meters;
using meter::Strictness;
using Lines = std::vector<std::int32_t>;

constexpr Strictness kDefault = Strictness::StressMaxima;
constexpr Strictness kStrict = Strictness::EveryStress;

struct SampleCase {
    const char* poem;
    Strictness strictness;
    std::int32_t lines;
    Lines off;
};

class MeterSamples : public testing::TestWithParam<SampleCase> {};

// The overview's verdicts, a walk forwards from row 0 and one backwards from beyond the last
// line find the same lines, and none past either end. An empty meter judges and finds nothing.
TEST_P(MeterSamples, FlagTheLinesOffTheMeter) {
    const SampleCase& c = GetParam();
    const std::string poem = c.poem;
    test::ScriptedPlatform platform;
    Workspace workspace{platform};
    platform.WriteFile(poem + ".txt", test::SampleFile(poem, poem + ".txt"));
    platform.WriteFile(kMeterFileName, test::SampleFile(poem, kMeterFileName));
    workspace.Settings().SetWorkingFileName(poem + ".txt");
    workspace.LoadWorkingFile();
    workspace.ReadMeterFile();
    ASSERT_TRUE(platform.Messages().empty());
    ASSERT_EQ(workspace.Doc().NumberOfLines(), c.lines);
    const Store& store = workspace.Doc().GetStore();
    const Meters meter = Meters::OfRows(workspace.Doc().Meters());
    const std::int32_t beyond = c.lines + 5;

    Lines overview;
    const auto verdicts = JudgeEveryLine(store, meter, c.strictness);
    for (std::int32_t j = 1; j <= c.lines; ++j) {
        if (verdicts[static_cast<std::size_t>(j)].verdict.IsOff()) {
            overview.push_back(j);
        }
    }
    EXPECT_EQ(overview, c.off);
    Lines forwards;
    for (auto j = NextLineOffTheMeter(store, meter, c.strictness, 0);
         j && forwards.size() <= c.off.size();
         j = NextLineOffTheMeter(store, meter, c.strictness, *j)) {
        forwards.push_back(*j);
    }
    EXPECT_EQ(forwards, c.off);
    Lines backwards;
    for (auto j = PreviousLineOffTheMeter(store, meter, c.strictness, beyond);
         j && backwards.size() <= c.off.size();
         j = PreviousLineOffTheMeter(store, meter, c.strictness, *j)) {
        backwards.insert(backwards.begin(), *j);
    }
    EXPECT_EQ(backwards, c.off);
    EXPECT_EQ(NextLineOffTheMeter(store, meter, c.strictness, beyond), std::nullopt);

    const Meters empty({Meter("", 0), Meter("W\tS", 2)});  // a further meter judges nothing either
    EXPECT_EQ(JudgeEveryLine(store, empty, c.strictness), decltype(verdicts)(verdicts.size()));
    EXPECT_EQ(NextLineOffTheMeter(store, empty, c.strictness, 0), std::nullopt);
    EXPECT_EQ(PreviousLineOffTheMeter(store, empty, c.strictness, beyond), std::nullopt);
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
                               {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14, 15, 17, 18, 20, 23, 24}},
                    // Fours and threes, each under its own row: under the first alone every
                    // line of three beats would be off.
                    SampleCase{"mariner", kDefault, 12, {}},
                    SampleCase{"mariner", kStrict, 12, {1, 5, 7, 9, 11}}),
    [](const testing::TestParamInfo<SampleCase>& info) {
        return std::string(info.param.poem) + (info.param.strictness == kStrict ? "Strict" : "");
    });

}  // namespace
}  // namespace corvale::navigation
