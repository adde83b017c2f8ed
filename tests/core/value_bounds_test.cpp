#include "editor/EditRules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvale::editor {
namespace {

using Verdict = TypedValue::Verdict;

constexpr ValueBounds kSamples{4, 1, 4, 1};
constexpr ValueBounds kWidest{2147483647, -2147483647 - 1, 2147483647, -2147483647 - 1};
constexpr ValueRow kStress = ValueRow::Stresses;
constexpr ValueRow kJuncture = ValueRow::Junctures;

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

const std::string kStressRange = "Stress is a number from 1 to 4";

// clang-format off
INSTANTIATE_TEST_SUITE_P(Values, TypedValueTable, ::testing::Values(
    TypedCase{"SpacesSignAndZerosAsAStepWritesIt", kStress, " +03 ", "1", kSamples, Verdict::Taken, "3"},
    TypedCase{"AtTheMaximum", kStress, "4", "1", kSamples, Verdict::Taken, "4"},
    TypedCase{"AboveTheMaximum", kStress, "5", "1", kSamples, Verdict::Refused, kStressRange},
    TypedCase{"BelowTheMinimum", kStress, "0", "1", kSamples, Verdict::Refused, kStressRange},
    TypedCase{"NotWhole", kStress, "2.5", "1", kSamples, Verdict::Refused, kStressRange},
    TypedCase{"PastAnyInteger", kStress, "99999999999", "1", kWidest, Verdict::Refused,
              "Stress is a number from -2147483648 to 2147483647"},
    // A value the file holds that is no whole number stays while it is shown as it was.
    TypedCase{"FilesOwnValueUntouched", kStress, "2.5", "2.5", kSamples, Verdict::Unchanged, "2.5"},
    TypedCase{"NegativeWithinTheJunctureBounds", kJuncture, "-1", "2", {4, 1, 5, -2}, Verdict::Taken, "-1"},
    TypedCase{"JunctureSaysItsOwnRange", kJuncture, "9", "2", {4, 1, 5, 0}, Verdict::Refused,
              "Juncture is a number from 0 to 5"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// Where bounds leave no room, the refused step names the bound that holds; the other row's
// bounds are its own affair.
TEST(StuckBounds, NameTheBoundThatHolds) {
    struct Case {
        ValueRow row;
        StepDirection direction;
        ValueBounds bounds;
        std::string message;
    };
    const std::string mend = "; Edit \u2192 \"Value bounds\u2026\" changes them";
    // clang-format off
    const std::vector<Case> cases = {
        {kStress, StepDirection::Up, kSamples, ""},
        {kStress, StepDirection::Up, {}, "the maximum stress, 0, holds: it is not above the minimum, 0" + mend},
        {kJuncture, StepDirection::Down, {4, 1, 1, 3}, "the minimum juncture, 3, holds: it is not below the maximum, 1" + mend},
        {kJuncture, StepDirection::Up, {0, 0, 4, 1}, ""},
    };
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(StuckBoundsMessage(c.row, c.direction, c.bounds), c.message);
    }
}

TEST(BoundsProblem, EachMaximumLiesAboveItsMinimum) {
    EXPECT_EQ(BoundsProblem({3, 1, -1, -5}), "");
    EXPECT_EQ(BoundsProblem({2, 2, 4, 1}), "The maximum stress must lie above the minimum.");
    EXPECT_EQ(BoundsProblem({4, 1, 1, 3}), "The maximum juncture must lie above the minimum.");
}

}  // namespace
}  // namespace corvale::editor
