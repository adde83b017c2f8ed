#include "scansion/TabFields.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct TextCase {
    const char* name;
    std::string text;
    std::string expected;
};

class StripTrailingTabsAndSpacesTest : public testing::TestWithParam<TextCase> {};

TEST_P(StripTrailingTabsAndSpacesTest, Strips) {
    EXPECT_EQ(corvale::fields::StripTrailingTabsAndSpaces(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, StripTrailingTabsAndSpacesTest,
                         testing::Values(TextCase{"MixedTail", "x\t \t  ", "x"},
                                         TextCase{"LeadingKept", "\t x", "\t x"},
                                         TextCase{"Empty", "", ""},
                                         TextCase{"OnlyTabsAndSpaces", " \t\t ", ""},
                                         TextCase{"InnerKept", "a \tb", "a \tb"},
                                         TextCase{"CarriageReturnKept", "a\r", "a\r"},
                                         TextCase{"CarriageReturnStopsStrip", "a \r\t ", "a \r"},
                                         TextCase{"OtherBlanksKept", "a\v\f", "a\v\f"}),
                         [](const auto& info) { return info.param.name; });

class FirstFieldTest : public testing::TestWithParam<TextCase> {};

TEST_P(FirstFieldTest, TakesFieldOne) {
    EXPECT_EQ(corvale::fields::FirstField(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, FirstFieldTest,
                         testing::Values(TextCase{"LeadingTab", "\tb", ""},
                                         TextCase{"NoTab", "abc", "abc"}, TextCase{"Empty", "", ""},
                                         TextCase{"SpacesKept", " a \tb", " a "},
                                         TextCase{"StopsAtFirstTab", "a\tb\tc", "a"}),
                         [](const auto& info) { return info.param.name; });

class RemoveFirstFieldTest : public testing::TestWithParam<TextCase> {};

TEST_P(RemoveFirstFieldTest, DropsFieldOne) {
    EXPECT_EQ(corvale::fields::RemoveFirstField(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RemoveFirstFieldTest,
    testing::Values(TextCase{"ThreeFields", "a\tb\tc", "b\tc"}, TextCase{"NoTab", "abc", ""},
                    TextCase{"TrailingTab", "a\t", ""}, TextCase{"LeadingTab", "\tb", "b"},
                    TextCase{"TwoTabs", "\t\t", "\t"}, TextCase{"Empty", "", ""}),
    [](const auto& info) { return info.param.name; });

struct DigitsCase {
    const char* name;
    std::string text;
    bool expected;
};

class ConsistsOfDigitsTest : public testing::TestWithParam<DigitsCase> {};

TEST_P(ConsistsOfDigitsTest, Decides) {
    EXPECT_EQ(corvale::fields::ConsistsOfDigits(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConsistsOfDigitsTest,
    testing::Values(DigitsCase{"SpacesAround", "  42 ", true}, DigitsCase{"Empty", "", true},
                    DigitsCase{"OnlySpaces", "   ", true}, DigitsCase{"SpaceBetween", "4 2", false},
                    DigitsCase{"MinusSign", "-3", false}, DigitsCase{"PlusSign", "+4", false},
                    DigitsCase{"DecimalPoint", "3.0", false},
                    DigitsCase{"TrailingTabNotTrimmed", "7\t", false},
                    DigitsCase{"LeadingTabNotTrimmed", "\t7", false},
                    DigitsCase{"ElevenNines", "99999999999", true},
                    DigitsCase{"Letter", "12a", false},
                    DigitsCase{"NonAsciiDigitByte", "1\xd9\xa3", false},
                    DigitsCase{"CarriageReturn", "12\r", false}),
    [](const auto& info) { return info.param.name; });

struct NthCase {
    const char* name;
    std::string text;
    std::int32_t n;
    std::string expected;
};

class NthFieldTest : public testing::TestWithParam<NthCase> {};

TEST_P(NthFieldTest, TakesFieldN) {
    EXPECT_EQ(corvale::fields::NthField(GetParam().text, GetParam().n), GetParam().expected);
}

const std::string kRow = "1\tsyllables\tThe line\tthe";

INSTANTIATE_TEST_SUITE_P(
    Cases, NthFieldTest,
    testing::Values(NthCase{"First", kRow, 1, "1"}, NthCase{"Third", kRow, 3, "The line"},
                    NthCase{"Last", kRow, 4, "the"}, NthCase{"PastTheEnd", kRow, 5, ""},
                    NthCase{"FarPastTheEnd", kRow, 2147483647, ""}, NthCase{"Zero", kRow, 0, ""},
                    NthCase{"Negative", kRow, -3, ""},
                    NthCase{"Smallest", kRow, -2147483647 - 1, ""},
                    NthCase{"EmptyBetweenTabs", "a\t\tb", 2, ""},
                    NthCase{"AfterEmptyField", "a\t\tb", 3, "b"},
                    NthCase{"AfterTrailingTab", "a\t", 2, ""},
                    NthCase{"PastTrailingTab", "a\t", 3, ""}, NthCase{"EmptyText", "", 1, ""}),
    [](const auto& info) { return info.param.name; });

TEST(NthFieldTest, AgreesWithRepeatedRemoveFirstField) {
    const std::string text = "\ta\t\t b \t\tc\t";
    std::string_view rest = text;
    for (std::int32_t n = 1; n <= 9; ++n) {
        EXPECT_EQ(corvale::fields::NthField(text, n), corvale::fields::FirstField(rest))
            << "n = " << n;
        rest = corvale::fields::RemoveFirstField(rest);
    }
}

}  // namespace
