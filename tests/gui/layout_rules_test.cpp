#include "window/Layout.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace corvale::layout {
namespace {

struct SpacingCase {
    std::string name;
    std::int32_t columns;
    std::int32_t spacing;
};

class DefaultSpacingTest : public ::testing::TestWithParam<SpacingCase> {};

TEST_P(DefaultSpacingTest, SpreadsThirteenThousandTwipsRoundingHalvesToEven) {
    EXPECT_EQ(DefaultSpacing(GetParam().columns), GetParam().spacing);
}

INSTANTIATE_TEST_SUITE_P(
    Columns, DefaultSpacingTest,
    ::testing::Values(SpacingCase{"One", 1, 13000}, SpacingCase{"Six", 6, 2167},
                      SpacingCase{"Ten", 10, 1300}, SpacingCase{"Twelve", 12, 1083},
                      SpacingCase{"Thirteen", 13, 1000},
                      SpacingCase{"SixteenHalfGoesDown", 16, 812},
                      SpacingCase{"Seventeen", 17, 765}, SpacingCase{"EightyHalfGoesDown", 80, 162},
                      SpacingCase{"FourHundredHalfToEven", 400, 32},
                      SpacingCase{"FiftyTwoHundredHalfToEven", 5200, 2},
                      SpacingCase{"TwoHundredEightHalfToEven", 208, 62},
                      SpacingCase{"MoreColumnsThanTwips", 30000, 0}),
    [](const auto& info) { return info.param.name; });

struct CellCase {
    std::string name;
    CellArray array;
    std::int32_t column;
    double spacing;
    std::int32_t columns;
    Rect expected;
};

class CellRectTest : public ::testing::TestWithParam<CellCase> {};

TEST_P(CellRectTest, PlacesTheColumnFromElementZero) {
    const CellCase& c = GetParam();
    const Rect rect = CellRect(c.array, c.column, c.spacing, c.columns);
    EXPECT_DOUBLE_EQ(rect.left, c.expected.left);
    EXPECT_DOUBLE_EQ(rect.top, c.expected.top);
    EXPECT_NEAR(rect.width, c.expected.width, 1e-9);
    EXPECT_DOUBLE_EQ(rect.height, c.expected.height);
}

// The worked example of ten columns at the default pitch of 1300, then the extremes.
INSTANTIATE_TEST_SUITE_P(
    Grid, CellRectTest,
    ::testing::Values(
        CellCase{
            "TenFirstSyllable", CellArray::SyllableBoxes, 1, 1300, 10, {350, 1320, 1249.5, 405}},
        CellCase{
            "TenSecondSyllable", CellArray::SyllableBoxes, 2, 1300, 10, {1650, 1320, 1249.5, 405}},
        CellCase{
            "TenLastSyllable", CellArray::SyllableBoxes, 10, 1300, 10, {12050, 1320, 1249.5, 405}},
        CellCase{"TenFirstMerge", CellArray::MergeButtons, 1, 1300, 10, {950, 1800, 495, 255}},
        CellCase{"TenLastMerge", CellArray::MergeButtons, 10, 1300, 10, {12650, 1800, 495, 255}},
        CellCase{
            "TenFirstStressUp", CellArray::StressUpButtons, 1, 1300, 10, {470, 3240, 495, 255}},
        CellCase{"TenLastJunctureDown",
                 CellArray::JunctureDownButtons,
                 10,
                 1300,
                 10,
                 {12170, 5520, 495, 255}},
        CellCase{
            "TenStressBoxKeepsWidth", CellArray::StressBoxes, 4, 1300, 10, {4250, 2760, 735, 405}},
        CellCase{
            "TenJunctureBoxIsLower", CellArray::JunctureBoxes, 1, 1300, 10, {350, 4680, 735, 375}},
        CellCase{"TenMeterLabel", CellArray::MeterLabels, 3, 1300, 10, {2950, 840, 735, 375}},
        CellCase{"OneColumnSpansTheRow",
                 CellArray::SyllableBoxes,
                 1,
                 13000,
                 1,
                 {12050, 1320, 12495, 405}},
        CellCase{"ThirteenColumns",
                 CellArray::SyllableBoxes,
                 1,
                 1000,
                 13,
                 {50, 1320, 12495.0 / 13, 405}},
        CellCase{"SeventeenColumnsStartLeftOfTheEdge",
                 CellArray::SyllableBoxes,
                 1,
                 765,
                 17,
                 {-185, 1320, 735, 405}},
        CellCase{"NegativePitchRunsLeftwards",
                 CellArray::SyllableBoxes,
                 1,
                 -500,
                 10,
                 {-1450, 1320, 1249.5, 405}},
        CellCase{"NegativePitchSecondColumn",
                 CellArray::MergeButtons,
                 2,
                 -500,
                 10,
                 {-1350, 1800, 495, 255}},
        CellCase{"ConfiguredPitchIgnoresColumnCount",
                 CellArray::StressBoxes,
                 3,
                 900,
                 4,
                 {1750, 2760, 735, 405}},
        CellCase{"ZeroPitchStacksColumns",
                 CellArray::StressDownButtons,
                 7,
                 0,
                 10,
                 {-830, 3600, 495, 255}},
        // Computed afresh per column: the last possible column is exact, not a drifted sum.
        CellCase{"LastPossibleColumnDoesNotDrift",
                 CellArray::SyllableBoxes,
                 32767,
                 765,
                 32767,
                 {32767.0 * 765 - 950, 1320, 735.0 * 17 / 32767, 405}}),
    [](const auto& info) { return info.param.name; });

TEST(CellRectTest, EveryArrayButTheSyllablesKeepsElementZerosSize) {
    const std::vector<CellArray> arrays = {
        CellArray::MeterLabels,       CellArray::MergeButtons,       CellArray::StressBoxes,
        CellArray::StressUpButtons,   CellArray::StressDownButtons,  CellArray::JunctureBoxes,
        CellArray::JunctureUpButtons, CellArray::JunctureDownButtons};
    for (const CellArray array : arrays) {
        for (const std::int32_t m : {1, 5, 40}) {
            const Rect designed = DesignedElement0(array);
            const Rect cell = CellRect(array, 2, 600, m);
            EXPECT_EQ(cell.width, designed.width) << static_cast<int>(array) << " m=" << m;
            EXPECT_EQ(cell.height, designed.height);
            EXPECT_EQ(cell.top, designed.top);
            EXPECT_EQ(cell.left, designed.left + 2 * 600 - 950);
        }
    }
}

TEST(CellRectTest, NoColumnsLeavesTheSyllableWidthAlone) {
    EXPECT_EQ(CellRect(CellArray::SyllableBoxes, 1, 900, 0).width, 735);
}

struct PixelCase {
    std::string name;
    double twips;
    int pixels;
};

class ToPixelsTest : public ::testing::TestWithParam<PixelCase> {};

TEST_P(ToPixelsTest, RoundsToTheNearestPixel) {
    EXPECT_EQ(ToPixels(GetParam().twips), GetParam().pixels);
}

INSTANTIATE_TEST_SUITE_P(Twips, ToPixelsTest,
                         ::testing::Values(PixelCase{"Zero", 0, 0}, PixelCase{"OnePixel", 15, 1},
                                           PixelCase{"BelowHalf", 7, 0},
                                           PixelCase{"AboveHalf", 8, 1},
                                           PixelCase{"Fraction", 1249.5, 83},
                                           PixelCase{"Negative", -185, -12},
                                           PixelCase{"DesignWidth", 11880, 792},
                                           PixelCase{"HugeIsClamped", 1e15, 16'000'000},
                                           PixelCase{"HugeNegativeIsClamped", -1e15, -16'000'000}),
                         [](const auto& info) { return info.param.name; });

// Columns never touch: the pitch is the spacing, widened to the widest box of a column (a
// syllable box of the width given, or the value boxes, 735 wide) and the gap.
TEST(PitchTest, ColumnsNeverTouch) {
    struct Case {
        double spacing;
        double widestSyllable;
        double pitch;
    };
    // clang-format off
    const std::vector<Case> cases = {
        {1300, 1249.5, 1300}, {1279.5, 1249.5, 1279.5},  // wide enough, or just: kept
        {900, 1249.5, 1279.5}, {-500, 1249.5, 1279.5},   // narrow or negative: widened
        {0, 100, 735 + kColumnGap},                      // the value boxes set the least
        {1083, 12495.0 / 11, 12495.0 / 11 + kColumnGap}, // a shorter line after a merge
        {2147483647, 1249.5, kWidestPitch},               // a hand-edited spacing: drawn on screen
    };
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(Pitch(c.spacing, c.widestSyllable), c.pitch) << c.spacing;
    }
    // The default spacing of up to seventeen columns already leaves the gap, so at 100% a grid
    // without a stored spacing is drawn exactly as designed.
    for (std::int32_t m = 1; m <= 17; ++m) {
        EXPECT_EQ(Pitch(DefaultSpacing(m), SyllableWidth(m)), DefaultSpacing(m)) << m;
    }
}

TEST(ZoomTest, StepsAndFileValuesStayWithinTheBounds) {
    // clang-format off
    const std::vector<std::array<int, 3>> steps = {  // from, in, out
        {100, 110, 90}, {50, 67, 50}, {300, 300, 250}, {120, 125, 110}, {20, 50, 50}, {400, 300, 300}};
    // clang-format on
    for (const auto& [from, in, out] : steps) {
        EXPECT_EQ(ZoomIn(from), in) << from;
        EXPECT_EQ(ZoomOut(from), out) << from;
    }
    const std::vector<std::pair<int, int>> read = {{150, 150}, {0, 100},    {-20, 100},
                                                   {30, 50},   {1000, 300}, {73, 73}};
    for (const auto& [value, zoom] : read) {
        EXPECT_EQ(ValidZoom(value), zoom) << value;
    }
}

// 15 twips a pixel at 100%: 15000 by 7500 twips is 1000 by 500 pixels.
TEST(ZoomTest, ToFitTakesTheLargestStepThatFitsBothWays) {
    EXPECT_EQ(ZoomToFit(15000, 7500, 1000, 500), 100);
    EXPECT_EQ(ZoomToFit(15000, 7500, 1600, 1000), 150) << "the width holds it at 160%";
    EXPECT_EQ(ZoomToFit(15000, 7500, 1600, 700), 125) << "the height holds it at 140%";
    EXPECT_EQ(ZoomToFit(15000, 7500, 300, 100), 50) << "nothing fits: the smallest";
}

TEST(ToPixelsTest, ZoomScalesEveryEdgeAndLinesKeepTheirThickness) {
    EXPECT_EQ(ToPixels(1500, 150), 150);
    EXPECT_EQ(ToPixels(1500, 50), 50);
    EXPECT_EQ(ToPixels(Rect{600, 0, 9735, 375}, 100), (PixelRect{40, 0, 649, 25}));
    EXPECT_EQ(ToPixels(Rect{600, 0, 9735, 375}, 200), (PixelRect{80, 0, 1298, 50}));
    EXPECT_EQ(LinePixels({0, 7920, 5040, 0}, 100, 2), (PixelRect{0, 527, 336, 2}));
    EXPECT_EQ(LinePixels({5040, 7920, 0, 600}, 200, 2), (PixelRect{671, 1056, 2, 80}));
}

// A viewport of 300 pixels, a margin of 10.
TEST(ScrollToShowTest, BringsTheWholeControlIntoSight) {
    // clang-format off
    const std::vector<std::array<int, 4>> cases = {  // value, start, length, scrolled
        {100, 150, 50, 100}, {100, 100, 300, 100},   // in sight already: stays
        {0, 400, 50, 160}, {0, 280, 50, 40},         // beyond or cut at the end
        {500, 100, 50, 90}, {120, 100, 50, 90},      // before or cut at the start
        {0, 400, 600, 390}, {900, 400, 600, 390},    // longer than the viewport: its start
    };
    // clang-format on
    for (const auto& [value, start, length, scrolled] : cases) {
        EXPECT_EQ(ScrollToShow(value, 300, start, length, 10), scrolled) << value << " " << start;
    }
    // Down the area, the top stays in sight while it fits with the control, and only then.
    EXPECT_EQ(ScrollDownToShow(100, 300, 150, 50, 10), 0);
    EXPECT_EQ(ScrollDownToShow(100, 300, 250, 50, 10), 100);
}

TEST(ContentExtentTest, TheDesignedAreaWidenedToTheFurthestControl) {
    EXPECT_EQ(ContentExtent({}), (Rect{0, 0, kDesignWidth, kDesignHeight}));
    EXPECT_EQ(ContentExtent({{-1450, 1320, 1249.5, 405}}),
              (Rect{0, 0, kDesignWidth, kDesignHeight}));
    EXPECT_EQ(ContentExtent({{12050, 1320, 1249.5, 405}, {0, 8000, 100, 400}}),
              (Rect{0, 0, 13299.5, 8400}));
}

}  // namespace
}  // namespace corvale::layout
