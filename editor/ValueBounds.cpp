// The bounds of the values as the line editor meets them: a step they stop, and a value typed
// into a box.

#include "editor/EditRules.h"
#include "scansion/Numbers.h"

#include <cstdint>
#include <string>

namespace corvale::editor {

namespace {

const char* RowName(ValueRow row) {
    return row == ValueRow::Stresses ? "stress" : "juncture";
}

// A whole number written as digits, with spaces around and a sign allowed.
std::optional<std::int64_t> WholeDigits(std::string_view text) {
    text = num::Trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 10) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

}  // namespace

RowBounds BoundsOf(ValueRow row, const ValueBounds& bounds) {
    if (row == ValueRow::Stresses) {
        return {bounds.minimumStress, bounds.maximumStress};
    }
    return {bounds.minimumJuncture, bounds.maximumJuncture};
}

std::string BoundsProblem(const ValueBounds& bounds) {
    for (const ValueRow row : {ValueRow::Stresses, ValueRow::Junctures}) {
        const RowBounds room = BoundsOf(row, bounds);
        if (room.maximum <= room.minimum) {
            return std::string("The maximum ") + RowName(row) + " must lie above the minimum.";
        }
    }
    return {};
}

std::string StuckBoundsMessage(ValueRow row, StepDirection direction, const ValueBounds& bounds) {
    const RowBounds room = BoundsOf(row, bounds);
    if (row == ValueRow::Syllables || room.maximum > room.minimum) {
        return {};
    }
    const bool up = direction == StepDirection::Up;
    return std::string(up ? "the maximum " : "the minimum ") + RowName(row) + ", " +
           std::to_string(up ? room.maximum : room.minimum) + ", holds: it is not " +
           (up ? "above the minimum, " : "below the maximum, ") +
           std::to_string(up ? room.minimum : room.maximum) +
           "; Edit \u2192 \"Value bounds\u2026\" changes them";
}

TypedValue TakeTypedValue(ValueRow row, const QString& typed, std::string_view old,
                          Encoding encoding, const ValueBounds& bounds) {
    if (typed == Decode(old, encoding)) {
        return {TypedValue::Verdict::Unchanged, std::string(old), {}};
    }
    const RowBounds room = BoundsOf(row, bounds);
    const std::optional<std::int64_t> number = WholeDigits(typed.toStdString());
    if (number && *number >= room.minimum && *number <= room.maximum) {
        return {TypedValue::Verdict::Taken, num::DecimalText(*number), {}};
    }
    std::string why = row == ValueRow::Stresses ? "Stress" : "Juncture";
    why +=
        " is a number from " + std::to_string(room.minimum) + " to " + std::to_string(room.maximum);
    return {TypedValue::Verdict::Refused, {}, std::move(why)};
}

}  // namespace corvale::editor
