#include "window/Layout.h"

#include <gtest/gtest.h>

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

struct PitchCase {
    std::string name;
    double spacing;
    double widestSyllable;
    double pitch;
};

class PitchTest : public ::testing::TestWithParam<PitchCase> {};

TEST_P(PitchTest, ColumnsNeverTouch) {
    EXPECT_DOUBLE_EQ(Pitch(GetParam().spacing, GetParam().widestSyllable), GetParam().pitch);
}

INSTANTIATE_TEST_SUITE_P(
    Spacings, PitchTest,
    ::testing::Values(PitchCase{"WideEnoughIsKept", 1300, 1249.5, 1300},
                      PitchCase{"ExactlyTheGapIsKept", 1279.5, 1249.5, 1279.5},
                      PitchCase{"NarrowWidensToBoxAndGap", 900, 1249.5, 1249.5 + kColumnGap},
                      PitchCase{"NegativeWidens", -500, 1249.5, 1249.5 + kColumnGap},
                      // Narrow syllable boxes leave the value boxes, 735 wide, to set it.
                      PitchCase{"ValueBoxesSetTheLeast", 0, 100, 735 + kColumnGap},
                      PitchCase{"ShorterLineAfterAMerge", 1083, 12495.0 / 11, 12495.0 / 11 + 30}),
    [](const auto& info) { return info.param.name; });

// The default spacing of up to seventeen columns already leaves the gap, so at 100% a grid
// without a stored spacing is drawn exactly as designed.
TEST(PitchTest, DefaultSpacingNeedsNoWidening) {
    for (std::int32_t m = 1; m <= 17; ++m) {
        EXPECT_EQ(Pitch(DefaultSpacing(m), SyllableWidth(m)), DefaultSpacing(m)) << m;
    }
}

TEST(CueRectTest, FillsTheBandOverItsMeterLabel) {
    EXPECT_EQ(CueRect({350, 840, 735, 375}), (Rect{350, 855, 735, 465}));
}

struct ZoomCase {
    std::string name;
    int from;
    int in;
    int out;
};

class ZoomStepTest : public ::testing::TestWithParam<ZoomCase> {};

TEST_P(ZoomStepTest, StepsStayWithinTheBounds) {
    EXPECT_EQ(ZoomIn(GetParam().from), GetParam().in);
    EXPECT_EQ(ZoomOut(GetParam().from), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(Steps, ZoomStepTest,
                         ::testing::Values(ZoomCase{"ActualSize", 100, 110, 90},
                                           ZoomCase{"Smallest", 50, 67, 50},
                                           ZoomCase{"Largest", 300, 300, 250},
                                           ZoomCase{"BetweenSteps", 120, 125, 110},
                                           ZoomCase{"BelowTheSmallest", 20, 50, 50},
                                           ZoomCase{"AboveTheLargest", 400, 300, 300}),
                         [](const auto& info) { return info.param.name; });

TEST(ZoomStepTest, ValidZoomOfAFileValue) {
    const std::vector<std::pair<int, int>> cases = {{150, 150}, {0, 100},    {-20, 100},
                                                    {30, 50},   {1000, 300}, {73, 73}};
    for (const auto& [read, zoom] : cases) {
        EXPECT_EQ(ValidZoom(read), zoom) << read;
    }
}

TEST(ToPixelsTest, ZoomScalesEveryEdge) {
    EXPECT_EQ(ToPixels(1500, 150), 150);
    EXPECT_EQ(ToPixels(1500, 50), 50);
    EXPECT_EQ(ToPixels(Rect{600, 0, 9735, 375}, 100), (PixelRect{40, 0, 649, 25}));
    EXPECT_EQ(ToPixels(Rect{600, 0, 9735, 375}, 200), (PixelRect{80, 0, 1298, 50}));
    // Neighbours that touch in twips touch in pixels at any zoom.
    for (const int zoom : {50, 67, 110, 175, 300}) {
        const PixelRect left = ToPixels(Rect{7, 0, 1249.5, 10}, zoom);
        const PixelRect right = ToPixels(Rect{1256.5, 0, 100, 10}, zoom);
        EXPECT_EQ(left.left + left.width, right.left) << zoom;
    }
}

TEST(ToPixelsTest, LinesGetTheirThicknessAcrossTheirLength) {
    EXPECT_EQ(LinePixels({0, 7920, 5040, 0}, 100, 2), (PixelRect{0, 527, 336, 2}));
    EXPECT_EQ(LinePixels({5040, 7920, 0, 600}, 100, 2), (PixelRect{335, 528, 2, 40}));
    EXPECT_EQ(LinePixels({5040, 7920, 0, 600}, 200, 2), (PixelRect{671, 1056, 2, 80}));
}

struct ScrollCase {
    std::string name;
    int value;
    int start;
    int length;
    int scrolled;
};

class ScrollToShowTest : public ::testing::TestWithParam<ScrollCase> {};

// A viewport of 300 pixels, a margin of 10.
TEST_P(ScrollToShowTest, BringsTheWholeControlIntoSight) {
    const ScrollCase& c = GetParam();
    EXPECT_EQ(ScrollToShow(c.value, 300, c.start, c.length, 10), c.scrolled);
}

INSTANTIATE_TEST_SUITE_P(Places, ScrollToShowTest,
                         ::testing::Values(ScrollCase{"InSightStays", 100, 150, 50, 100},
                                           ScrollCase{"JustInSightStays", 100, 100, 300, 100},
                                           ScrollCase{"BeyondTheEnd", 0, 400, 50, 160},
                                           ScrollCase{"CutAtTheEnd", 0, 280, 50, 40},
                                           ScrollCase{"BeforeTheStart", 500, 100, 50, 90},
                                           ScrollCase{"CutAtTheStart", 120, 100, 50, 90},
                                           ScrollCase{"LongerThanTheViewportShowsItsStart", 0, 400,
                                                      600, 390},
                                           ScrollCase{"LongerAndBehind", 900, 400, 600, 390}),
                         [](const auto& info) { return info.param.name; });

TEST(ContentExtentTest, TheDesignedAreaWidenedToTheFurthestControl) {
    EXPECT_EQ(ContentExtent({}), (Rect{0, 0, kDesignWidth, kDesignHeight}));
    EXPECT_EQ(ContentExtent({{-1450, 1320, 1249.5, 405}, {100, 100, 10, 10}}),
              (Rect{0, 0, kDesignWidth, kDesignHeight}));
    EXPECT_EQ(ContentExtent({{12050, 1320, 1249.5, 405}, {0, 8000, 100, 400}}),
              (Rect{0, 0, 13299.5, 8400}));
}

}  // namespace
}  // namespace corvale::layout
