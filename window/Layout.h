#pragma once

#include <cstdint>
#include <vector>

// The window's geometry, free of widgets: every rectangle of the client area in twips (1/1440
// inch) from its top-left, and how a zoom turns twips into logical pixels. Qt's logical pixels
// are taken at 96 per inch, so at 100% 15 twips make one pixel and the layout scales with the
// screen's device pixel ratio; a zoom scales the whole client area, fonts included, on top.
namespace corvale::layout {

inline constexpr double kTwipsPerPixel = 15.0;

struct Rect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    bool operator==(const Rect&) const = default;
};

// Designed client area.
inline constexpr double kDesignWidth = 11880;
inline constexpr double kDesignHeight = 8310;

// The controls of the client area that are not cell columns.
enum class Fixed {
    LineText,
    NextLineText,
    CommitLineTop,  // lies over the right ends of the two texts
    MergeHeading,
    StressHeading,
    JunctureHeading,
    CommentHeading,
    LineStatus,  // in the free band right of the comment's heading
    CommentBox,
    CommitLine,
    FileHeading,
    FileNameBox,
    FileAreaTopLine,    // a line: its height is 0
    FileAreaRightLine,  // a line: its width is 0
    Progress,
    GoToBox,
    GoToButton,
    BackOne,
    AheadOne,
    ReloadLine,
    Exit,
};
Rect FixedRect(Fixed control);

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

// The room left between two columns' boxes of a row, so that a word's end shows: the default
// pitch of up to seventeen columns leaves at least this much.
inline constexpr double kColumnGap = 30;

// The row the default spacing shares out among the columns, which puts the last column near the
// right edge; also the widest pitch drawn, a one-column grid's. A spacing from a hand-edited
// memory file (2147483647) put every column past the edge of any screen.
inline constexpr double kWidestPitch = 13000;

// The syllable box's width in a grid of m columns: 735 * 17 / m, the designed row shared out.
double SyllableWidth(std::int32_t m);

// The pitch the columns are drawn at: the spacing (stored, or the default), unless the widest
// box of a column, a syllable box of `widestSyllable` twips or the value boxes, needs more to
// keep its gap, and never past kWidestPitch. Only the pitch drawn changes; the spacing kept in
// the memory file stays.
double Pitch(double spacing, double widestSyllable);

// Element i (1-based) of an array at pitch p, its syllable box built for a grid of m columns:
// Left is element 0's designed Left + i * p - 950, computed afresh for every column so nothing
// drifts; syllable boxes are SyllableWidth(m) wide, every other control keeps element 0's
// width.
Rect CellRect(CellArray array, std::int32_t i, double p, std::int32_t m);

// A column's cue off the meter: over its meter label, from just under the text of the next line
// down to the top of the syllable boxes, all the room the layout leaves there at any pitch.
Rect CueRect(const Rect& meterLabel);

// The two vertical slots of the value blocks (heading, box, "^", "v").
struct BlockTops {
    double heading;
    double box;
    double up;
    double down;
};
inline constexpr BlockTops kUpperSlot{2280, 2760, 3240, 3600};
inline constexpr BlockTops kLowerSlot{4200, 4680, 5160, 5520};

// The zoom, in percent of the designed size: View > Zoom In and Zoom Out go from step to step,
// Actual Size back to 100.
inline constexpr int kActualSize = 100;
inline constexpr int kSmallestZoom = 50;
inline constexpr int kLargestZoom = 300;
// The next step above or below `percent`, kept within the smallest and the largest.
int ZoomIn(int percent);
int ZoomOut(int percent);
// A zoom read from a file: within the bounds, 100 for anything that is no zoom at all.
int ValidZoom(int percent);
// The largest step at which `twips` wide and high fits a viewport of so many logical pixels,
// for View > Zoom to Fit; the smallest zoom when even that does not fit.
int ZoomToFit(double widthTwips, double heightTwips, int viewportWidth, int viewportHeight);

// Twips at a zoom to logical pixels, rounded to the nearest pixel.
int ToPixels(double twips, int zoomPercent = kActualSize);

struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const PixelRect&) const = default;
};
// Edges are rounded separately, so neighbours that touch in twips touch on the screen.
PixelRect ToPixels(const Rect& twips, int zoomPercent);
// A line of `twips` (one of its sides 0), drawn `thickness` pixels thick across its length and
// centred on it.
PixelRect LinePixels(const Rect& twips, int zoomPercent, int thickness);
// A font's size at a zoom.
double ZoomedSize(double size, int zoomPercent);

// Where a scroll bar at `value`, over a viewport `viewport` pixels long, goes so that a control
// from `start`, `length` long, is in sight with `margin` around it: where it is when the control
// is whole in sight already, otherwise just far enough, or to the control's start with its
// margin when it is longer than the viewport. The scroll bar keeps the result within its range.
int ScrollToShow(int value, int viewport, int start, int length, int margin);
// The same down the client area, whose top holds the line's text: while the viewport holds the
// control and the top together, the scroll bar goes to the top, so the line being corrected stays
// in sight above its boxes.
int ScrollDownToShow(int value, int viewport, int start, int length, int margin);

// The client area's extent in twips: the designed area, widened to the right edge of the
// furthest of `rects`.
Rect ContentExtent(const std::vector<Rect>& rects);

}  // namespace corvale::layout
