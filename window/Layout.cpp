#include "window/Layout.h"

#include "scansion/Numbers.h"

#include <algorithm>
#include <cmath>

namespace corvale::layout {

namespace {

// Every column starts this far left of its nominal place, so column 1 sits near the left edge.
constexpr double kFirstColumnShift = 950;
// The syllable boxes of all columns together span 17 designed box widths.
constexpr double kSyllableRowSpan = 17;
// 13000 twips spread over the columns puts the last column near the right edge.
constexpr double kSpacingSpan = 13000;

}  // namespace

Rect DesignedElement0(CellArray array) {
    switch (array) {
        case CellArray::MeterLabels:
            return {0, 840, 735, 375};
        case CellArray::SyllableBoxes:
            return {0, 1320, 735, 405};
        case CellArray::MergeButtons:
            return {600, 1800, 495, 255};
        case CellArray::StressBoxes:
            return {0, 2760, 735, 405};
        case CellArray::StressUpButtons:
            return {120, 3240, 495, 255};
        case CellArray::StressDownButtons:
            return {120, 3600, 495, 255};
        case CellArray::JunctureBoxes:
            return {0, 4680, 735, 375};
        case CellArray::JunctureUpButtons:
            return {120, 5160, 495, 255};
        case CellArray::JunctureDownButtons:
            return {120, 5520, 495, 255};
    }
    return {};
}

std::int32_t DefaultSpacing(std::int32_t m) {
    return static_cast<std::int32_t>(num::RoundHalfEven(kSpacingSpan / static_cast<double>(m)));
}

Rect CellRect(CellArray array, std::int32_t i, double s, std::int32_t m) {
    Rect rect = DesignedElement0(array);
    rect.left += static_cast<double>(i) * s - kFirstColumnShift;
    if (array == CellArray::SyllableBoxes && m > 0) {
        rect.width = rect.width * kSyllableRowSpan / static_cast<double>(m);
    }
    return rect;
}

int ToPixels(double twips) {
    // A spacing from the memory file can be any 32-bit number; keep the result inside what a
    // widget can be given rather than overflowing.
    constexpr double kLimit = 16'000'000;
    const double pixels = std::clamp(twips / kTwipsPerPixel, -kLimit, kLimit);
    return static_cast<int>(std::lround(pixels));
}

}  // namespace corvale::layout
