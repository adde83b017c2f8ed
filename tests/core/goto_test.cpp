#include "navigation/GoTo.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace corvale::navigation {
namespace {

struct GoToCase {
    const char* name;
    const char* typed;
    std::int32_t numberOfLines;
    bool accepted;
    std::int32_t line;  // only looked at when accepted
};

class GoToTable : public ::testing::TestWithParam<GoToCase> {};

TEST_P(GoToTable, Decides) {
    const GoToCase& c = GetParam();
    const GoToDecision decision = DecideGoTo(c.typed, c.numberOfLines);
    EXPECT_EQ(decision.accepted, c.accepted);
    if (c.accepted) {
        EXPECT_EQ(decision.line, c.line);
        EXPECT_EQ(decision.pastTheEnd, std::strtoll(c.typed, nullptr, 10) != c.line);
    }
}

INSTANTIATE_TEST_SUITE_P(
    GoTo, GoToTable,
    ::testing::Values(
        GoToCase{"PlainNumber", "7", 14, true, 7}, GoToCase{"SpacesAround", "  7  ", 14, true, 7},
        GoToCase{"FirstLine", "1", 14, true, 1}, GoToCase{"LastLine", "14", 14, true, 14},
        GoToCase{"LeadingZeros", "007", 14, true, 7},
        GoToCase{"ManyLeadingZeros", "000000000000000000000007", 14, true, 7},
        // Row 0, the empty row before the first verse line.
        GoToCase{"EmptyMeansRowZero", "", 14, true, 0},
        GoToCase{"AllSpacesMeansRowZero", "   ", 14, true, 0}, GoToCase{"Zero", "0", 14, true, 0},
        GoToCase{"DoubleZero", "00", 14, true, 0},
        // Beyond the file: the last verse line, however long the number.
        GoToCase{"OneBeyond", "15", 14, true, 14},
        GoToCase{"Beyond32Bits", "2147483648", 14, true, 14},
        GoToCase{"HugeNumber", "99999999999999999999999999999999", 14, true, 14},
        GoToCase{"EmptyFileStaysOnRowZero", "5", 0, true, 0},
        // Anything but digits is refused.
        GoToCase{"TrailingLetter", "7a", 14, false, 0}, GoToCase{"MinusSign", "-7", 14, false, 0},
        GoToCase{"PlusSign", "+7", 14, false, 0}, GoToCase{"DecimalPoint", "7.5", 14, false, 0},
        GoToCase{"SpaceBetweenDigits", "1 2", 14, false, 0}, GoToCase{"Tab", "\t7", 14, false, 0},
        GoToCase{"Exponent", "1e1", 14, false, 0},
        GoToCase{"FullWidthDigit", "\xEF\xBC\x97", 14, false, 0},
        GoToCase{"ArabicIndicDigit", "\xD9\xA7", 14, false, 0}),
    [](const ::testing::TestParamInfo<GoToCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvale::navigation
