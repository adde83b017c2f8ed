#pragma once

#include <cstdint>
#include <string_view>

namespace corvale::navigation {

inline constexpr char kGoToMessage[] =
    "Please enter an integer to indicate the line you would like to go to.";

struct GoToDecision {
    bool accepted = false;    // false: show kGoToMessage, change nothing
    std::int32_t line = 0;    // the row to show when accepted
    bool pastTheEnd = false;  // the number lay beyond the last verse line
};

// The text typed into the go-to box (UTF-8). Only digits, with spaces around, are accepted;
// the empty text means row 0. A number beyond the last verse line (however long) goes to the
// last verse line, so the row shown always exists.
GoToDecision DecideGoTo(std::string_view typed, std::int32_t numberOfLines);

}  // namespace corvale::navigation
