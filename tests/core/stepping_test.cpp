#include "editor/EditRules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace corvale::editor {
namespace {

using Dir = StepDirection;

struct StepCase {
    const char* name;
    const char* value;
    Dir direction;
    std::int32_t bound;
    std::optional<std::string> expected;  // nullopt: the click changes nothing
};

class StepTable : public ::testing::TestWithParam<StepCase> {};

TEST_P(StepTable, GivesExpectedValue) {
    const StepCase& c = GetParam();
    EXPECT_EQ(Step(c.value, c.direction, c.bound), c.expected);
}

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

INSTANTIATE_TEST_SUITE_P(
    Stepping, StepTable,
    ::testing::Values(
        // Inside the bounds: exactly one step.
        StepCase{"UpBelowMaximum", "1", Dir::Up, 3, "2"},
        StepCase{"UpToMaximum", "2", Dir::Up, 3, "3"},
        StepCase{"DownAboveMinimum", "3", Dir::Down, 1, "2"},
        StepCase{"DownToZero", "1", Dir::Down, 0, "0"},
        StepCase{"DownIntoNegative", "0", Dir::Down, -5, "-1"},
        StepCase{"NegativeUp", "-2", Dir::Up, 4, "-1"},
        // At or beyond a bound: refused in that direction only.
        StepCase{"UpAtMaximum", "3", Dir::Up, 3, std::nullopt},
        StepCase{"UpBeyondMaximum", "5", Dir::Up, 3, std::nullopt},
        StepCase{"DownFromBeyondMaximum", "5", Dir::Down, 1, "4"},
        StepCase{"DownAtMinimum", "0", Dir::Down, 0, std::nullopt},
        StepCase{"DownBelowMinimum", "-2", Dir::Down, 0, std::nullopt},
        // Values that are not whole move by whole steps; the bound is tested first.
        StepCase{"HalfUpPastMaximum", "2.5", Dir::Up, 3, "3.5"},
        StepCase{"HalfStuckAboveMaximum", "3.5", Dir::Up, 3, std::nullopt},
        StepCase{"HalfDown", "3.5", Dir::Down, 1, "2.5"},
        StepCase{"NegativeHalfUpToPositive", "-0.5", Dir::Up, 4, "0.5"},
        StepCase{"ExponentForm", "1e0", Dir::Up, 4, "2"},
        StepCase{"WholeWithPointWrittenPlain", "2.0", Dir::Up, 4, "3"},
        StepCase{"ExplicitPlusSign", "+2", Dir::Up, 4, "3"},
        // Minimum above maximum: stuck both ways.
        StepCase{"CrossedBoundsUp", "2", Dir::Up, 1, std::nullopt},
        StepCase{"CrossedBoundsDown", "2", Dir::Down, 3, std::nullopt},
        // Spaces around the number are accepted and dropped from the result.
        StepCase{"SpacesAround", " 2 ", Dir::Up, 4, "3"},
        StepCase{"LeadingSpacesDown", "   4", Dir::Down, 1, "3"},
        // Not one number: nothing happens.
        StepCase{"TrailingLetter", "2x", Dir::Up, 4, std::nullopt},
        StepCase{"Word", "abc", Dir::Down, 0, std::nullopt},
        StepCase{"TwoNumbers", "1 2", Dir::Up, 4, std::nullopt},
        StepCase{"LeadingTab", "\t2", Dir::Up, 4, std::nullopt},
        StepCase{"TooLargeForAReal", "1e400", Dir::Down, 0, std::nullopt},
        // A missing value counts as 0, still within the bounds.
        StepCase{"EmptyUp", "", Dir::Up, 4, "1"}, StepCase{"EmptyDown", "", Dir::Down, -2, "-1"},
        StepCase{"AllSpacesUp", "   ", Dir::Up, 4, "1"},
        StepCase{"EmptyDownAtMinimumOne", "", Dir::Down, 1, std::nullopt},
        StepCase{"EmptyUpAtMaximumZero", "", Dir::Up, 0, std::nullopt},
        // The integer bound is widened to a real without loss at either end.
        StepCase{"UpToLargestBound", "2147483646", Dir::Up, kMax, "2147483647"},
        StepCase{"UpAtLargestBound", "2147483647", Dir::Up, kMax, std::nullopt},
        StepCase{"DownToSmallestBound", "-2147483647", Dir::Down, kMin, "-2147483648"}),
    [](const ::testing::TestParamInfo<StepCase>& info) { return std::string(info.param.name); });

TEST(Stepping, RepeatedClicksStopAtTheBound) {
    std::string value = "1";
    std::vector<std::string> seen;
    for (int click = 0; click < 5; ++click) {
        if (auto next = Step(value, Dir::Up, 4)) {
            value = *next;
            seen.push_back(value);
        }
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"2", "3", "4"}));
    EXPECT_EQ(value, "4");
}

}  // namespace
}  // namespace corvale::editor
