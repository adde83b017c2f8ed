#include "meter/LineMeter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace corvale::meter {
namespace {

// A meter from its places, "W" weak and "S" strong: "WSWS".
Meter Places(const std::string& places) {
    std::string row;
    for (const char place : places) {
        row += (row.empty() ? "" : "\t") + std::string(1, place);
    }
    return Meter(row, static_cast<std::int32_t>(places.size()));
}

struct LineMeterCase {
    const char* name;
    std::vector<std::string> meters;  // in row order
    std::vector<std::uint8_t> line;   // stress values, every column shown
    std::int32_t number;
};

class LineMeterRule : public testing::TestWithParam<LineMeterCase> {};

TEST_P(LineMeterRule, TakesTheMeterThatFitsBestByLengthThenByTheCue) {
    std::vector<Meter> meters;
    for (const std::string& places : GetParam().meters) {
        meters.push_back(Places(places));
    }
    ShownLine line;
    line.Read(GetParam().line);
    EXPECT_EQ(LineMeter(Meters(meters), line), GetParam().number);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LineMeterRule,
    testing::Values(
        LineMeterCase{"OneMeterTakesEveryLine", {"WSWS"}, {3, 1, 3}, 1},
        LineMeterCase{"SameCount", {"WSWSWSWS", "WSWSWS"}, {1, 3, 1, 3, 1, 3}, 2},
        LineMeterCase{"OneMoreUnstressedLast", {"SWSWSWSWSW", "WSWSWS"}, {1, 3, 1, 3, 1, 3, 1}, 2},
        LineMeterCase{
            "OneMoreStressedLastFitsNone", {"SWSWSWSWSW", "WSWSWS"}, {1, 3, 1, 3, 1, 3, 3}, 1},
        LineMeterCase{"OneFewerWhereTheMeterOpensWeak", {"WSWSWSWS", "WSWSWS"}, {3, 1, 3, 1, 3}, 2},
        LineMeterCase{"OneFewerNotWhereItOpensStrong", {"WSWSWSWS", "SWSWSW"}, {3, 1, 3, 1, 3}, 1},
        LineMeterCase{"TwoFewerFitsNone", {"WSWSWSWS", "WSWSWS"}, {1, 3, 1, 3}, 1},
        // Six syllables fit both: the trochaic meter flags no column, the iambic one two.
        LineMeterCase{"FewestFlaggedWins", {"WSWSWS", "SWSWSW"}, {3, 1, 3, 1, 3, 1}, 2},
        // Stressed syllables in weak places beside a stress are no maxima: a tie.
        LineMeterCase{
            "TieToTheEarlierRow", {"WSWSWSWS", "WSWSWS", "SWSWSW"}, {3, 3, 3, 3, 3, 3}, 2},
        LineMeterCase{"NoSyllablesFitNoMeter", {"WSWS", "W"}, {}, 1}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvale::meter
