#include "navigation/WrapSearch.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <set>
#include <vector>

namespace corvale::navigation {
namespace {

using Kind = Jump::Kind;

// Lines 3 and 7 of a file of ten match, or line 5 alone, or none.
TEST(WrapSearchTest, GoesOnFromTheOtherEndButNeverToTheLineItStartedFrom) {
    struct Case {
        std::set<std::int32_t> matching;
        bool forwards;
        std::int32_t from;
        Kind kind;
        std::int32_t row;
    };
    // clang-format off
    const std::vector<Case> cases = {
        {{3, 7}, true, 3, Kind::Ahead, 7},     {{3, 7}, true, 7, Kind::Wrapped, 3},
        {{3, 7}, true, 0, Kind::Ahead, 3},     {{3, 7}, false, 7, Kind::Ahead, 3},
        {{3, 7}, false, 1, Kind::Wrapped, 7},  {{3, 7}, false, 11, Kind::Ahead, 7},
        {{5}, true, 5, Kind::OnlyThis, 0},     {{5}, false, 5, Kind::OnlyThis, 0},
        {{}, true, 4, Kind::None, 0},          {{}, false, 0, Kind::None, 0},
    };
    // clang-format on
    for (const Case& c : cases) {
        const LineSearch search = [&c](std::int32_t from) -> std::optional<std::int32_t> {
            const auto found =
                c.forwards ? c.matching.upper_bound(from) : c.matching.lower_bound(from);
            if (c.forwards) {
                return found == c.matching.end() ? std::nullopt : std::optional(*found);
            }
            return found == c.matching.begin() ? std::nullopt : std::optional(*std::prev(found));
        };
        const Jump jump =
            c.forwards ? NextWrapping(search, c.from) : PreviousWrapping(search, c.from, 10);
        EXPECT_EQ(jump.kind, c.kind) << c.forwards << " from " << c.from;
        EXPECT_EQ(jump.row, c.row) << c.forwards << " from " << c.from;
    }
}

}  // namespace
}  // namespace corvale::navigation
