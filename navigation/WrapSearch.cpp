#include "navigation/WrapSearch.h"

namespace corvale::navigation {

namespace {

// What a search that found nothing on its way, and `again` from the other end, comes to: a line
// beyond `row` in the search's direction, `row` itself, or none.
Jump Again(std::optional<std::int32_t> again, std::int32_t row, bool forwards) {
    if (!again) {
        return {};
    }
    if (*again == row) {
        return {Jump::Kind::OnlyThis, 0};
    }
    const bool before = forwards ? *again < row : *again > row;
    return before ? Jump{Jump::Kind::Wrapped, *again} : Jump{};
}

}  // namespace

Jump NextWrapping(const LineSearch& next, std::int32_t row) {
    if (const std::optional<std::int32_t> ahead = next(row)) {
        return {Jump::Kind::Ahead, *ahead};
    }
    return Again(next(0), row, true);
}

Jump PreviousWrapping(const LineSearch& previous, std::int32_t row, std::int32_t lines) {
    if (const std::optional<std::int32_t> ahead = previous(row)) {
        return {Jump::Kind::Ahead, *ahead};
    }
    return Again(previous(lines + 1), row, false);
}

}  // namespace corvale::navigation
