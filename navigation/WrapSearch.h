#pragma once

#include <cstdint>
#include <functional>
#include <optional>

// Searches over the verse lines that go on past the end of the file: F3 and a bar of the profile
// go on from line 1 after the last line, Shift+F3 from the last line before the first. A search
// never lands on the line it started from, which is shown already; it says so when that line
// is the only one it would find.
namespace corvale::navigation {

// A one-way search: the first matching verse line after `from` (forwards) or before it
// (backwards), or none. A search from 0 forwards, or from NumberOfLines + 1 backwards, covers
// every line.
using LineSearch = std::function<std::optional<std::int32_t>(std::int32_t from)>;

struct Jump {
    enum class Kind {
        Ahead,     // found before reaching the end (or, backwards, the start)
        Wrapped,   // found after going on from the other end
        OnlyThis,  // none but the line searched from
        None,      // no line at all
    };
    Kind kind = Kind::None;
    std::int32_t row = 0;  // the line found, for Ahead and Wrapped
};

// From verse line `row` of a file of `lines` verse lines, forwards or backwards.
Jump NextWrapping(const LineSearch& next, std::int32_t row);
Jump PreviousWrapping(const LineSearch& previous, std::int32_t row, std::int32_t lines);

}  // namespace corvale::navigation
