#include "navigation/GoTo.h"

#include "scansion/Numbers.h"
#include "scansion/TabFields.h"

#include <algorithm>
#include <cstdint>

namespace corvale::navigation {

namespace {

// The digits as a number, saturating just above `ceiling` so that no length of digit string
// can overflow. The empty text is 0.
std::int64_t DigitsUpTo(std::string_view digits, std::int64_t ceiling) {
    std::int64_t value = 0;
    for (const char c : digits) {
        value = std::min(value * 10 + (c - '0'), ceiling + 1);
    }
    return value;
}

}  // namespace

GoToDecision DecideGoTo(std::string_view typed, std::int32_t numberOfLines) {
    const std::string_view trimmed = num::Trim(typed);
    if (!fields::ConsistsOfDigits(trimmed)) {
        return {};
    }
    const std::int32_t last = std::max<std::int32_t>(numberOfLines, 0);
    const std::int64_t wanted = DigitsUpTo(trimmed, last);
    return {true, static_cast<std::int32_t>(std::min<std::int64_t>(wanted, last)), wanted > last};
}

}  // namespace corvale::navigation
