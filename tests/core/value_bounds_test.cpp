#include "editor/EditRules.h"

#include <gtest/gtest.h>

#include <string>

namespace corvale::editor {
namespace {

using Verdict = TypedValue::Verdict;

constexpr ValueBounds kSamples{4, 1, 4, 1};
constexpr ValueBounds kWidest{2147483647, -2147483647 - 1, 2147483647, -2147483647 - 1};

struct TypedCase {
    const char* name;
    ValueRow row;
    const char* typed;
    const char* old;
    ValueBounds bounds;
    Verdict verdict;
    std::string result;  // Taken: the value; Refused: why
};

class TypedValueTable : public ::testing::TestWithParam<TypedCase> {};

TEST_P(TypedValueTable, TakesAWholeNumberWithinTheBounds) {
    const TypedCase& c = GetParam();
    const TypedValue value =
        TakeTypedValue(c.row, QString::fromUtf8(c.typed), c.old, Encoding::Utf8, c.bounds);
    EXPECT_EQ(value.verdict, c.verdict);
    EXPECT_EQ(c.verdict == Verdict::Refused ? value.why : value.bytes, c.result);
}

constexpr ValueRow kStress = ValueRow::Stresses;
constexpr ValueRow kJuncture = ValueRow::Junctures;
const std::string kStressRange = "Stress is a number from 1 to 4";

// clang-format off
INSTANTIATE_TEST_SUITE_P(Values, TypedValueTable, ::testing::Values(
    TypedCase{"Digit", kStress, "3", "1", kSamples, Verdict::Taken, "3"},
    TypedCase{"SpacesSignAndZerosAsAStepWritesIt", kStress, " +03 ", "1", kSamples, Verdict::Taken, "3"},
    TypedCase{"AtTheMaximum", kStress, "4", "1", kSamples, Verdict::Taken, "4"},
    TypedCase{"AboveTheMaximum", kStress, "5", "1", kSamples, Verdict::Refused, kStressRange},
    TypedCase{"BelowTheMinimum", kStress, "0", "1", kSamples, Verdict::Refused, kStressRange},
    TypedCase{"NotWhole", kStress, "2.5", "1", kSamples, Verdict::Refused, kStressRange},
    TypedCase{"Emptied", kStress, "", "1", kSamples, Verdict::Refused, kStressRange},
    TypedCase{"PastAnyInteger", kStress, "99999999999", "1", kWidest, Verdict::Refused,
              "Stress is a number from -2147483648 to 2147483647"},
    // A value the file holds that is no whole number stays while it is shown as it was.
    TypedCase{"FilesOwnValueUntouched", kStress, "2.5", "2.5", kSamples, Verdict::Unchanged, "2.5"},
    TypedCase{"NegativeWithinTheJunctureBounds", kJuncture, "-1", "2", {4, 1, 5, -2}, Verdict::Taken, "-1"},
    TypedCase{"JunctureSaysItsOwnRange", kJuncture, "9", "2", {4, 1, 5, 0}, Verdict::Refused,
              "Juncture is a number from 0 to 5"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

struct StuckCase {
    const char* name;
    ValueRow row;
    StepDirection direction;
    ValueBounds bounds;
    std::string message;
};

class StuckBoundsTable : public ::testing::TestWithParam<StuckCase> {};

TEST_P(StuckBoundsTable, NamesTheBoundThatHolds) {
    const StuckCase& c = GetParam();
    EXPECT_EQ(StuckBoundsMessage(c.row, c.direction, c.bounds), c.message);
}

const std::string kMendThem = "; Edit \u2192 \"Value bounds\u2026\" changes them";

// clang-format off
INSTANTIATE_TEST_SUITE_P(Bounds, StuckBoundsTable, ::testing::Values(
    StuckCase{"RoomToMove", kStress, StepDirection::Up, kSamples, ""},
    StuckCase{"AllZeroUp", kStress, StepDirection::Up, {},
              "the maximum stress, 0, holds: it is not above the minimum, 0" + kMendThem},
    StuckCase{"CrossedDown", kJuncture, StepDirection::Down, {4, 1, 1, 3},
              "the minimum juncture, 3, holds: it is not below the maximum, 1" + kMendThem},
    // The other row's bounds are its own affair.
    StuckCase{"OnlyTheRowsOwnBounds", kJuncture, StepDirection::Up, {0, 0, 4, 1}, ""}),
    [](const auto& info) { return std::string(info.param.name); });

struct ProblemCase {
    const char* name;
    ValueBounds bounds;
    std::string problem;
};

class BoundsProblemTable : public ::testing::TestWithParam<ProblemCase> {};

TEST_P(BoundsProblemTable, EachMaximumLiesAboveItsMinimum) {
    EXPECT_EQ(BoundsProblem(GetParam().bounds), GetParam().problem);
}

const std::string kStressProblem = "The maximum stress must lie above the minimum.";

INSTANTIATE_TEST_SUITE_P(Bounds, BoundsProblemTable, ::testing::Values(
    ProblemCase{"Samples", kSamples, ""},
    ProblemCase{"NegativeJunctures", {3, 1, -1, -5}, ""},
    ProblemCase{"StressMaximumAtTheMinimum", {2, 2, 4, 1}, kStressProblem},
    ProblemCase{"JunctureMaximumBelow", {4, 1, 1, 3}, "The maximum juncture must lie above the minimum."}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

}  // namespace
}  // namespace corvale::editor
