#include "window/Layout.h"

#include "scansion/Numbers.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace corvale::layout {

namespace {

// Every column starts this far left of its nominal place, so column 1 sits near the left edge.
constexpr double kFirstColumnShift = 950;
// The syllable boxes of all columns together span 17 designed box widths.
constexpr double kSyllableRowSpan = 17;

constexpr std::array<int, 13> kZoomSteps = {50,  67,  75,  80,  90,  100, 110,
                                            125, 150, 175, 200, 250, 300};

}  // namespace

Rect FixedRect(Fixed control) {
    switch (control) {
        case Fixed::LineText:
            return {600, 0, 9735, 375};
        case Fixed::NextLineText:
            return {600, 480, 9855, 375};
        case Fixed::CommitLineTop:
            return {7920, 0, 2775, 735};
        case Fixed::MergeHeading:
            return {0, 1800, 735, 255};
        case Fixed::StressHeading:
            return {600, kUpperSlot.heading, 975, 375};
        case Fixed::JunctureHeading:
            return {600, kLowerSlot.heading, 1335, 375};
        case Fixed::CommentHeading:
            return {0, 6000, 2295, 375};
        case Fixed::LineStatus:
            return {2400, 6000, 8295, 375};
        case Fixed::CommentBox:
            return {0, 6480, 10695, 615};
        case Fixed::CommitLine:
            return {0, 7200, 10695, 615};
        case Fixed::FileHeading:
            return {120, 8160, 375, 255};
        case Fixed::FileNameBox:
            return {480, 8040, 4455, 375};
        case Fixed::FileAreaTopLine:
            return {0, 7920, 5040, 0};
        case Fixed::FileAreaRightLine:
            return {5040, 7920, 0, 600};
        case Fixed::Progress:
            return {5160, 7920, 975, 375};
        case Fixed::GoToBox:
            return {6240, 7800, 975, 375};
        case Fixed::GoToButton:
            return {7200, 7800, 975, 375};
        case Fixed::BackOne:
            return {8160, 7800, 495, 375};
        case Fixed::AheadOne:
            return {8640, 7800, 495, 375};
        case Fixed::ReloadLine:
            return {9120, 7800, 855, 375};
        case Fixed::Exit:
            break;
    }
    return {9960, 7800, 855, 375};
}

Rect DesignedElement0(CellArray array) {
    switch (array) {
        case CellArray::MeterLabels:
            return {0, 840, 735, 375};
        case CellArray::SyllableBoxes:
            return {0, 1320, 735, 405};
        case CellArray::MergeButtons:
            return {600, 1800, 495, 255};
        case CellArray::StressBoxes:
            return {0, kUpperSlot.box, 735, 405};
        case CellArray::StressUpButtons:
            return {120, kUpperSlot.up, 495, 255};
        case CellArray::StressDownButtons:
            return {120, kUpperSlot.down, 495, 255};
        case CellArray::JunctureBoxes:
            return {0, kLowerSlot.box, 735, 375};
        case CellArray::JunctureUpButtons:
            return {120, kLowerSlot.up, 495, 255};
        case CellArray::JunctureDownButtons:
            return {120, kLowerSlot.down, 495, 255};
    }
    return {};
}

std::int32_t DefaultSpacing(std::int32_t m) {
    return static_cast<std::int32_t>(num::RoundHalfEven(kWidestPitch / static_cast<double>(m)));
}

double SyllableWidth(std::int32_t m) {
    const double designed = DesignedElement0(CellArray::SyllableBoxes).width;
    return m > 0 ? designed * kSyllableRowSpan / static_cast<double>(m) : designed;
}

// The meter labels and the value boxes share the designed box width; the buttons are narrower.
double Pitch(double spacing, double widestSyllable) {
    const double widest = std::max(widestSyllable, DesignedElement0(CellArray::StressBoxes).width);
    return std::clamp(spacing, widest + kColumnGap, kWidestPitch);
}

Rect CellRect(CellArray array, std::int32_t i, double p, std::int32_t m) {
    Rect rect = DesignedElement0(array);
    rect.left += static_cast<double>(i) * p - kFirstColumnShift;
    if (array == CellArray::SyllableBoxes) {
        rect.width = SyllableWidth(m);
    }
    return rect;
}

Rect CueRect(const Rect& meterLabel) {
    constexpr double kTop = 855;  // under the text of the next line, 480 + 375
    const double bottom = DesignedElement0(CellArray::SyllableBoxes).top;
    return {meterLabel.left, kTop, meterLabel.width, bottom - kTop};
}

int ZoomIn(int percent) {
    const auto next = std::upper_bound(kZoomSteps.begin(), kZoomSteps.end(), percent);
    return next == kZoomSteps.end() ? kLargestZoom : *next;
}

int ZoomOut(int percent) {
    const auto next = std::lower_bound(kZoomSteps.begin(), kZoomSteps.end(), percent);
    return next == kZoomSteps.begin() ? kSmallestZoom : *std::prev(next);
}

int ValidZoom(int percent) {
    return percent <= 0 ? kActualSize : std::clamp(percent, kSmallestZoom, kLargestZoom);
}

int ZoomToFit(double widthTwips, double heightTwips, int viewportWidth, int viewportHeight) {
    const auto fits = [&](int zoom) {
        return ToPixels(widthTwips, zoom) <= viewportWidth &&
               ToPixels(heightTwips, zoom) <= viewportHeight;
    };
    const auto largest = std::find_if(kZoomSteps.rbegin(), kZoomSteps.rend(), fits);
    return largest == kZoomSteps.rend() ? kSmallestZoom : *largest;
}

int ToPixels(double twips, int zoomPercent) {
    // A spacing from the memory file can be any 32-bit number; keep the result inside what a
    // widget can be given rather than overflowing.
    constexpr double kLimit = 16'000'000;
    const double pixels =
        std::clamp(twips * zoomPercent / (kTwipsPerPixel * kActualSize), -kLimit, kLimit);
    return static_cast<int>(std::lround(pixels));
}

PixelRect ToPixels(const Rect& twips, int zoomPercent) {
    const int left = ToPixels(twips.left, zoomPercent);
    const int top = ToPixels(twips.top, zoomPercent);
    const int right = ToPixels(twips.left + twips.width, zoomPercent);
    const int bottom = ToPixels(twips.top + twips.height, zoomPercent);
    return {left, top, right - left, bottom - top};
}

PixelRect LinePixels(const Rect& twips, int zoomPercent, int thickness) {
    PixelRect pixels = ToPixels(twips, zoomPercent);
    if (twips.height == 0) {
        pixels.top -= thickness / 2;
        pixels.height = thickness;
    } else {
        pixels.left -= thickness / 2;
        pixels.width = thickness;
    }
    return pixels;
}

double ZoomedSize(double size, int zoomPercent) {
    return size * zoomPercent / kActualSize;
}

int ScrollToShow(int value, int viewport, int start, int length, int margin) {
    const int end = start + length;
    if (start >= value && end <= value + viewport) {
        return value;
    }
    if (start < value || length + 2 * margin > viewport) {
        return start - margin;
    }
    return end + margin - viewport;
}

int ScrollDownToShow(int value, int viewport, int start, int length, int margin) {
    return start + length + margin <= viewport
               ? 0
               : ScrollToShow(value, viewport, start, length, margin);
}

Rect ContentExtent(const std::vector<Rect>& rects) {
    double right = kDesignWidth;
    double bottom = kDesignHeight;
    for (const Rect& rect : rects) {
        right = std::max(right, rect.left + rect.width);
        bottom = std::max(bottom, rect.top + rect.height);
    }
    return {0, 0, right, bottom};
}

}  // namespace corvale::layout
