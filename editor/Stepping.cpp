#include "editor/EditRules.h"
#include "scansion/Numbers.h"

#include <cmath>

namespace corvale::editor {

namespace {

// The number a step starts from. A value with nothing in it (a row that held fewer values
// than syllables) counts as 0, so the user can fill it in with the buttons. Anything else that
// is not wholly one finite number is left alone: stepping it would have to guess.
std::optional<double> StartingNumber(std::string_view value) {
    if (num::IsBlank(value)) {
        return 0.0;
    }
    const std::optional<double> number = num::WholeNumber(value);
    if (!number || !std::isfinite(*number)) {
        return std::nullopt;
    }
    return number;
}

}  // namespace

std::optional<std::string> Step(std::string_view value, StepDirection direction,
                                std::int32_t bound) {
    const std::optional<double> number = StartingNumber(value);
    if (!number) {
        return std::nullopt;
    }
    // The bound is tested before the step, so a value that is not whole may end beyond it
    // (2.5 -> 3.5 under a bound of 3) and then stays there.
    const double limit = static_cast<double>(bound);
    const bool up = direction == StepDirection::Up;
    const bool inside = up ? *number < limit : *number > limit;
    if (!inside) {
        return std::nullopt;
    }
    return num::DecimalText(*number + (up ? 1.0 : -1.0));
}

}  // namespace corvale::editor
