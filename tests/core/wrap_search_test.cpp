#include "navigation/WrapSearch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace corvale::navigation {
namespace {

using Kind = Jump::Kind;

struct WrapCase {
    std::string name;
    std::vector<std::int32_t> matching;  // ascending, in a file of ten lines
    bool forwards;
    std::int32_t from;
    Kind kind;
    std::int32_t row;
};

class WrapSearchTest : public testing::TestWithParam<WrapCase> {};

TEST_P(WrapSearchTest, GoesOnFromTheOtherEnd) {
    const WrapCase& c = GetParam();
    constexpr std::int32_t kLines = 10;
    const LineSearch next = [&c](std::int32_t from) -> std::optional<std::int32_t> {
        const auto found = std::ranges::upper_bound(c.matching, from);
        return found == c.matching.end() ? std::nullopt : std::optional(*found);
    };
    const LineSearch previous = [&c](std::int32_t from) -> std::optional<std::int32_t> {
        const auto found = std::ranges::lower_bound(c.matching, from);
        return found == c.matching.begin() ? std::nullopt : std::optional(*std::prev(found));
    };
    const Jump jump =
        c.forwards ? NextWrapping(next, c.from) : PreviousWrapping(previous, c.from, kLines);
    EXPECT_EQ(jump.kind, c.kind);
    EXPECT_EQ(jump.row, c.row);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, WrapSearchTest,
    testing::Values(WrapCase{"NextAhead", {3, 7}, true, 3, Kind::Ahead, 7},
                    WrapCase{"NextPastTheLast", {3, 7}, true, 7, Kind::Wrapped, 3},
                    WrapCase{"NextFromTheLastLine", {3, 7}, true, 10, Kind::Wrapped, 3},
                    WrapCase{"NextFromRowZero", {3, 7}, true, 0, Kind::Ahead, 3},
                    WrapCase{"PreviousAhead", {3, 7}, false, 7, Kind::Ahead, 3},
                    WrapCase{"PreviousPastTheFirst", {3, 7}, false, 3, Kind::Wrapped, 7},
                    WrapCase{"PreviousFromLineOne", {3, 7}, false, 1, Kind::Wrapped, 7},
                    WrapCase{"PreviousFromBeyond", {3, 7}, false, 11, Kind::Ahead, 7},
                    WrapCase{"NextOnlyThisLine", {5}, true, 5, Kind::OnlyThis, 0},
                    WrapCase{"PreviousOnlyThisLine", {5}, false, 5, Kind::OnlyThis, 0},
                    WrapCase{"NextNone", {}, true, 4, Kind::None, 0},
                    WrapCase{"NextNoneFromRowZero", {}, true, 0, Kind::None, 0},
                    WrapCase{"PreviousNone", {}, false, 4, Kind::None, 0}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace corvale::navigation
