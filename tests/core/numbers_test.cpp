#include "scansion/Numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

using namespace corvale::num;

struct ValueCase {
    const char* name;
    std::string text;
    double expected;
};

class NumericValueTest : public testing::TestWithParam<ValueCase> {};

TEST_P(NumericValueTest, ReadsLeadingNumber) {
    EXPECT_DOUBLE_EQ(NumericValue(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NumericValueTest,
    testing::Values(ValueCase{"Integer", "12", 12}, ValueCase{"LeadingSpaces", "   7", 7},
                    ValueCase{"Negative", "-1", -1}, ValueCase{"PlusSign", "+4", 4},
                    ValueCase{"Fraction", "2.5", 2.5}, ValueCase{"PointFirst", ".5", 0.5},
                    ValueCase{"PointLast", "3.", 3}, ValueCase{"PointAlone", ".", 0},
                    ValueCase{"SignAlone", "-", 0}, ValueCase{"SignThenPoint", "-.", 0},
                    ValueCase{"Exponent", "1e3", 1000}, ValueCase{"CapitalExponent", "2E2", 200},
                    ValueCase{"NegativeExponent", "25e-1", 2.5},
                    ValueCase{"SignedExponent", "1e+2", 100},
                    ValueCase{"ExponentWithoutDigits", "7e", 7},
                    ValueCase{"ExponentSignWithoutDigits", "7e-", 7},
                    ValueCase{"ExponentThenWord", "7 e3", 7}, ValueCase{"WordAfter", "7 words", 7},
                    ValueCase{"Letter", "x", 0}, ValueCase{"Empty", "", 0},
                    ValueCase{"Spaces", "   ", 0}, ValueCase{"LeadingTabIsNotBlank", "\t5", 0},
                    ValueCase{"SpaceAfterSign", "- 5", 0},
                    ValueCase{"SecondPointStops", "1.2.3", 1.2}, ValueCase{"Hex", "0x10", 0},
                    ValueCase{"LeadingZeros", "007", 7}, ValueCase{"Underflow", "1e-400", 0},
                    ValueCase{"UnderflowByZeros",
                              "0.000000000000000000000000000000000000000000000000000"
                              "00000000000000000000000000000000000000000000000000000"
                              "00000000000000000000000000000000000000000000000000000"
                              "00000000000000000000000000000000000000000000000000000"
                              "00000000000000000000000000000000000000000000000000000"
                              "00000000000000000000000000000000000000000000000000000"
                              "00000000000000000000000000000000000000000000000000000"
                              "1",
                              0}),
    [](const auto& info) { return info.param.name; });

TEST(NumericValueTest, OverflowIsInfiniteWithItsSign) {
    EXPECT_EQ(NumericValue("1e400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(NumericValue("-1e400"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(NumericValue("1e99999999999999999999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(NumericValue(std::string(400, '9')), std::numeric_limits<double>::infinity());
    EXPECT_EQ(NumericValue("0.00001e400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(NumericValue("100000e-400"), 0.0);
}

TEST(WholeNumberTest, AcceptsOnlyOneNumber) {
    EXPECT_EQ(WholeNumber(" 12 "), 12.0);
    EXPECT_EQ(WholeNumber("-2.5"), -2.5);
    EXPECT_EQ(WholeNumber("1e2"), 100.0);
    EXPECT_EQ(WholeNumber(".5"), 0.5);
    EXPECT_EQ(WholeNumber("5."), 5.0);
    for (const char* bad :
         {"", "   ", ".", "-", "+", "1e", "7 words", "12a", "1 2", "\t3", "3\t", "e5", "--1"}) {
        EXPECT_EQ(WholeNumber(bad), std::nullopt) << '"' << bad << '"';
    }
}

TEST(TrimTest, RemovesSpacesOnly) {
    EXPECT_EQ(Trim("  a b  "), "a b");
    EXPECT_EQ(Trim("\ta\t"), "\ta\t");
    EXPECT_EQ(Trim("    "), "");
    EXPECT_EQ(Trim(""), "");
    EXPECT_TRUE(IsBlank("   "));
    EXPECT_TRUE(IsBlank(""));
    EXPECT_FALSE(IsBlank(" \t "));
}

struct RoundCase {
    double value;
    double expected;
};

TEST(RoundHalfEvenTest, HalvesGoToTheEvenNeighbour) {
    for (const RoundCase c : {RoundCase{2.5, 2},
                              {3.5, 4},
                              {0.5, 0},
                              {1.5, 2},
                              {-0.5, 0},
                              {-1.5, -2},
                              {-2.5, -2},
                              {2.4999999, 2},
                              {2.5000001, 3},
                              {-2.6, -3},
                              {812.5, 812},
                              {162.5, 162},
                              {1083.33, 1083},
                              {2166.67, 2167},
                              {0.49999999999999994, 0},
                              {4503599627370497.0, 4503599627370497.0}}) {
        EXPECT_EQ(RoundHalfEven(c.value), c.expected) << c.value;
    }
    EXPECT_TRUE(std::isinf(RoundHalfEven(std::numeric_limits<double>::infinity())));
}

TEST(RoundedInt32Test, RoundsAndChecksRange) {
    EXPECT_EQ(RoundedInt32("2.5"), 2);
    EXPECT_EQ(RoundedInt32("3.5"), 4);
    EXPECT_EQ(RoundedInt32("  -1  "), -1);
    EXPECT_EQ(RoundedInt32("x"), 0);
    EXPECT_EQ(RoundedInt32("7 words"), 7);
    EXPECT_EQ(RoundedInt32("2147483647"), 2147483647);
    EXPECT_EQ(RoundedInt32("2147483647.4"), 2147483647);
    EXPECT_EQ(RoundedInt32("2147483647.5"), std::nullopt);
    EXPECT_EQ(RoundedInt32("2147483648"), std::nullopt);
    EXPECT_EQ(RoundedInt32("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(RoundedInt32("-2147483648.5"), -2147483647 - 1);
    EXPECT_EQ(RoundedInt32("-2147483649"), std::nullopt);
    EXPECT_EQ(RoundedInt32("4000000000"), std::nullopt);
    EXPECT_EQ(RoundedInt32("1e400"), std::nullopt);
    EXPECT_EQ(RoundedInt32("-1e400"), std::nullopt);
}

TEST(DigitsToInt32Test, ConvertsWithinRange) {
    EXPECT_EQ(DigitsToInt32(""), 0);
    EXPECT_EQ(DigitsToInt32("0042"), 42);
    EXPECT_EQ(DigitsToInt32("2147483647"), 2147483647);
    EXPECT_EQ(DigitsToInt32("2147483648"), std::nullopt);
    EXPECT_EQ(DigitsToInt32("99999999999"), std::nullopt);
    EXPECT_EQ(DigitsToInt32(std::string(1000, '0') + "5"), 5);
    EXPECT_EQ(DigitsToInt32("-1"), std::nullopt);
    EXPECT_EQ(DigitsToInt32("1 "), std::nullopt);
}

struct TextCase {
    double value;
    const char* expected;
};

TEST(DecimalTextTest, ShortestPlainDecimal) {
    for (const TextCase c : {TextCase{0, "0"},
                             {-0.0, "0"},
                             {4, "4"},
                             {-1, "-1"},
                             {2.5, "2.5"},
                             {0.1, "0.1"},
                             {-0.25, "-0.25"},
                             {1e21, "1000000000000000000000"},
                             {1e-7, "0.0000001"},
                             {123456789012.0, "123456789012"},
                             {0.1 + 0.2, "0.30000000000000004"}}) {
        EXPECT_EQ(DecimalText(c.value), c.expected) << c.value;
    }
}

TEST(DecimalTextTest, ExtremesRoundTripWithoutExponent) {
    for (const double value :
         {std::numeric_limits<double>::max(), -std::numeric_limits<double>::max(),
          std::numeric_limits<double>::denorm_min(), -std::numeric_limits<double>::min()}) {
        const std::string text = DecimalText(value);
        EXPECT_EQ(text.find_first_of("eE"), std::string::npos) << text;
        EXPECT_EQ(NumericValue(text), value) << text;
    }
}

TEST(DecimalTextTest, Integers) {
    EXPECT_EQ(DecimalText(std::int64_t{37}), "37");
    EXPECT_EQ(DecimalText(std::int64_t{-1}), "-1");
    EXPECT_EQ(DecimalText(std::int64_t{0}), "0");
    EXPECT_EQ(DecimalText(std::int64_t{-2147483648}), "-2147483648");
}

}  // namespace
