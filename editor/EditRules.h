#pragma once

#include "platform/TextCodec.h"
#include "scansion/MemorySettings.h"
#include "scansion/RecordFormat.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The edit rules of the line editor, free of widgets: stepping a value, how a syllable box
// looks, merging two syllables of the working copy, splitting one, and what a typed syllable
// may hold.
namespace corvale::editor {

enum class StepDirection { Up, Down };

// The value after one step of exactly 1, or nullopt when the step is refused: the value's
// number (the whole text, spaces around allowed) is at or beyond the bound in that direction,
// or the text is not a number. An empty or all-space value steps as if it were 0, so a
// missing value can be filled in.
std::optional<std::string> Step(std::string_view value, StepDirection direction,
                                std::int32_t bound);

// The bounds of a stress or juncture value (Stresses or Junctures) in `bounds`.
struct RowBounds {
    std::int32_t minimum = 0;
    std::int32_t maximum = 0;
};
RowBounds BoundsOf(ValueRow row, const ValueBounds& bounds);

// Whether bounds chosen for the memory file can be taken: each maximum must lie above its
// minimum. Empty when they can; otherwise what is wrong, stress first.
std::string BoundsProblem(const ValueBounds& bounds);

// When a step was refused because the row's bounds leave no room at all (the maximum at or below
// the minimum), the line status's words for it: which bound held, and where to change them.
// Empty when the bounds have room, and the refusal was the value's own.
std::string StuckBoundsMessage(ValueRow row, StepDirection direction, const ValueBounds& bounds);

// What becomes of text typed into a stress or juncture box, given the value it replaces. A whole
// number within the row's bounds (spaces around it, a sign and leading zeros allowed) is taken as
// its decimal text, as a step would leave it. The text the box showed for the value, such as
// "2.5", is the value unchanged. Anything else is refused, and `why` says what the row takes.
struct TypedValue {
    enum class Verdict { Taken, Unchanged, Refused };
    Verdict verdict = Verdict::Unchanged;
    std::string bytes;  // Taken: the new value
    std::string why;    // Refused: "Stress is a number from 1 to 4"
};
TypedValue TakeTypedValue(ValueRow row, const QString& typed, std::string_view old,
                          Encoding encoding, const ValueBounds& bounds);

enum class CellAlignment { Centred, Left, Right };

struct CellLook {
    std::string text;  // bytes to show: "%" becomes "--", a syllable bound on both sides gets "-"
    CellAlignment alignment = CellAlignment::Centred;
    bool bold = false;  // the stress's numeric value is above 1
};

// How syllable box i (1-based) shows position i of the working copy. A juncture of exactly "1"
// binds the syllables on both sides of it; the first syllable is never bound to a previous one.
// Precondition: the three vectors have more than i elements.
CellLook LookOfCell(const std::vector<std::string>& syllables,
                    const std::vector<std::string>& stresses,
                    const std::vector<std::string>& junctures, std::int32_t i);

// Which controls a merge hides, by column, in the order they are to be hidden.
struct MergeEffects {
    std::vector<std::int32_t> hiddenSyllableBoxes;
    std::vector<std::int32_t> hiddenStressColumns;    // box and both buttons
    std::vector<std::int32_t> hiddenJunctureColumns;  // box and both buttons
    std::vector<std::int32_t> hiddenMergeButtons;
};

// Merges position k + 1 into position k of a working copy with positions 1..m: syllables joined
// with one blank, the numerically higher stress text kept (ties keep the left), the right-hand
// juncture, the rest shifted left and position m emptied. A merge only ever hides controls.
// Outside 1 <= k < m, or with vectors shorter than m + 1, nothing changes.
MergeEffects Merge(std::vector<std::string>& syllables, std::vector<std::string>& stresses,
                   std::vector<std::string>& junctures, std::int32_t k, std::int32_t m);

// Where a syllable's bytes may be cut with the caret at `caret` (in UTF-16 units of the decoded
// text): the character boundary at or before it, never inside a surrogate pair, a combining mark
// (a whole grapheme stays together) or a UTF-8 sequence. nullopt when that leaves either part
// empty, or the bytes do not decode and encode back alike.
std::optional<std::size_t> CutAtCaret(std::string_view syllable, Encoding encoding,
                                      qsizetype caret);

enum class SplitOutcome {
    Split,
    SplitAndGrew,  // the line was full: the working copy has one position more
    NothingToSplit,
    LineTooLong,  // the line was full and already kMostPositions long: nothing changed
};

// Splits syllable k of a working copy with positions 1..m at byte `cut` of its text: the left
// part stays at k, the right part becomes position k + 1 with stress "1"; the juncture between
// the two is "1", so they stay one word, and k's own juncture goes with the right part. Later
// positions move one to the right with their values. A full line grows: the vectors then hold
// positions 1..m + 1. Nothing changes outside 1 <= k <= m, for a cut not strictly inside the
// text, with vectors shorter than m + 1, or on a full line of kMostPositions.
SplitOutcome Split(std::vector<std::string>& syllables, std::vector<std::string>& stresses,
                   std::vector<std::string>& junctures, std::int32_t k, std::size_t cut,
                   std::int32_t m);

// What becomes of text typed into a syllable box, given the syllable it replaces.
enum class TypedVerdict {
    Taken,         // `bytes` is the new syllable
    Unchanged,     // the text is the syllable as it was
    Blank,         // nothing but spaces: the old syllable stays
    NotEncodable,  // the file's encoding cannot hold a character: the old syllable stays
};
struct TypedSyllable {
    TypedVerdict verdict = TypedVerdict::Unchanged;
    std::string bytes;
};
// Tabs and line breaks become spaces (a field cannot hold them), then surrounding spaces go.
TypedSyllable TakeTypedSyllable(const QString& typed, std::string_view old, Encoding encoding);

// The text with every tab and line break made a space: what a syllable box may hold.
QString WithoutBreaks(QString text);
// The first character of the text that the encoding cannot hold, or an empty text.
QString FirstUnencodable(const QString& text, Encoding encoding);

// The line status's words for the refusals above.
inline constexpr char kEmptySyllableMessage[] = "a syllable cannot be empty: merge it instead";
inline constexpr char kSplitWhereMessage[] = "put the cursor inside a syllable to split it";
inline constexpr char kMergeWhereMessage[] =
    "put the focus in a column with a syllable after it to merge the two";
using corvale::kLineTooLongMessage;  // built from kMostPositions
// With the character refused in place of %1.
inline constexpr char kNotEncodableMessage[] =
    "this file is in Windows-1252, which cannot hold \"%1\"";

}  // namespace corvale::editor
