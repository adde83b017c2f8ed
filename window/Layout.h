#pragma once

#include <cstdint>

// The window's geometry in twips (1/1440 inch) from the top-left of the client area. Qt's
// logical pixels are taken at 96 per inch, so 15 twips make one pixel and the layout scales
// with the screen's device pixel ratio.
namespace corvale::layout {

inline constexpr double kTwipsPerPixel = 15.0;

struct Rect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

// Designed client area.
inline constexpr double kDesignWidth = 11880;
inline constexpr double kDesignHeight = 8310;

// The nine control arrays of a cell column.
enum class CellArray {
    MeterLabels,
    SyllableBoxes,
    MergeButtons,
    StressBoxes,
    StressUpButtons,
    StressDownButtons,
    JunctureBoxes,
    JunctureUpButtons,
    JunctureDownButtons,
};

// Element 0 of an array, as designed.
Rect DesignedElement0(CellArray array);

// Default column pitch for m columns: 13000 / m, halves to the even neighbour.
// Precondition: m > 0.
std::int32_t DefaultSpacing(std::int32_t m);

// Element i (1-based) of an array in a grid of m columns with pitch s: Left is element 0's
// designed Left + i * s - 950, computed afresh for every column so nothing drifts; syllable
// boxes are 735 * 17 / m wide, every other control keeps element 0's width.
Rect CellRect(CellArray array, std::int32_t i, double s, std::int32_t m);

// The two vertical slots of the value blocks (heading, box, "^", "v").
struct BlockTops {
    double heading;
    double box;
    double up;
    double down;
};
inline constexpr BlockTops kUpperSlot{2280, 2760, 3240, 3600};
inline constexpr BlockTops kLowerSlot{4200, 4680, 5160, 5520};

// Twips to logical pixels, rounded to the nearest pixel.
int ToPixels(double twips);

}  // namespace corvale::layout
