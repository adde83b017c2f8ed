#include "scansion/Numbers.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace corvale::num {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The number at the start of a text, as the span of characters it takes.
struct LeadingNumber {
    std::size_t begin = 0;   // first character of the sign or the digits
    std::size_t end = 0;     // one past the last character taken
    std::size_t digits = 0;  // digits of the integer part and the fraction
    bool negative = false;
};

std::size_t SkipDigits(std::string_view text, std::size_t at) {
    while (at < text.size() && IsDigit(text[at])) {
        ++at;
    }
    return at;
}

// An exponent is taken only when at least one digit follows "e" and its optional sign.
std::size_t SkipExponent(std::string_view text, std::size_t at) {
    if (at >= text.size() || (text[at] != 'e' && text[at] != 'E')) {
        return at;
    }
    std::size_t next = at + 1;
    if (next < text.size() && (text[next] == '+' || text[next] == '-')) {
        ++next;
    }
    const std::size_t end = SkipDigits(text, next);
    return end == next ? at : end;
}

LeadingNumber ScanLeadingNumber(std::string_view text) {
    LeadingNumber number;
    std::size_t at = text.find_first_not_of(' ');
    if (at == std::string_view::npos) {
        number.begin = number.end = text.size();
        return number;
    }
    number.begin = at;
    if (text[at] == '+' || text[at] == '-') {
        number.negative = text[at] == '-';
        ++at;
    }
    const std::size_t integerEnd = SkipDigits(text, at);
    number.digits = integerEnd - at;
    at = integerEnd;
    if (at < text.size() && text[at] == '.') {
        const std::size_t fractionEnd = SkipDigits(text, at + 1);
        number.digits += fractionEnd - (at + 1);
        at = fractionEnd;
    }
    if (number.digits == 0) {
        // A sign or a point alone is no number; it reads as 0 and takes nothing.
        number.end = number.begin;
        return number;
    }
    number.end = SkipExponent(text, at);
    return number;
}

// Decimal magnitude of the digits (position of the first significant digit relative to the
// point), used only to tell overflow from underflow when a value is out of range.
bool IsHuge(std::string_view mantissaAndExponent) {
    long long magnitude = 0;
    bool seenPoint = false;
    bool seenSignificant = false;
    std::size_t at = 0;
    for (; at < mantissaAndExponent.size(); ++at) {
        const char c = mantissaAndExponent[at];
        if (c == '.') {
            seenPoint = true;
        } else if (IsDigit(c)) {
            if (c != '0') {
                seenSignificant = true;
            }
            if (!seenPoint && seenSignificant) {
                ++magnitude;
            } else if (seenPoint && !seenSignificant) {
                --magnitude;
            }
        } else {
            break;
        }
    }
    if (!seenSignificant) {
        return false;
    }
    long long exponent = 0;
    bool negativeExponent = false;
    if (at < mantissaAndExponent.size()) {
        ++at;  // the "e"
        if (mantissaAndExponent[at] == '+' || mantissaAndExponent[at] == '-') {
            negativeExponent = mantissaAndExponent[at] == '-';
            ++at;
        }
        for (; at < mantissaAndExponent.size() && exponent < 1'000'000'000; ++at) {
            exponent = exponent * 10 + (mantissaAndExponent[at] - '0');
        }
    }
    return magnitude + (negativeExponent ? -exponent : exponent) > 0;
}

double ToDouble(std::string_view text, const LeadingNumber& number) {
    if (number.end == number.begin) {
        return 0.0;
    }
    std::size_t begin = number.begin;
    if (text[begin] == '+' || text[begin] == '-') {
        ++begin;
    }
    const std::string_view body = text.substr(begin, number.end - begin);
    double value = 0.0;
    const auto result = std::from_chars(body.data(), body.data() + body.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        value = IsHuge(body) ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return number.negative ? -value : value;
}

}  // namespace

std::string_view Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

bool IsBlank(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

double NumericValue(std::string_view text) {
    return ToDouble(text, ScanLeadingNumber(text));
}

std::optional<double> WholeNumber(std::string_view text) {
    const std::string_view trimmed = Trim(text);
    const LeadingNumber number = ScanLeadingNumber(trimmed);
    if (number.digits == 0 || number.end != trimmed.size()) {
        return std::nullopt;
    }
    return ToDouble(trimmed, number);
}

std::string DecimalText(double value) {
    if (value == 0.0) {
        return "0";  // also for -0
    }
    // Fixed notation of a double can take a little over 300 digits before the point, and
    // the shortest round trip of a tiny one a little over 300 after it.
    std::array<char, 400> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed);
    return std::string(buffer.data(), result.ptr);
}

std::string DecimalText(std::int64_t value) {
    return std::to_string(value);
}

double RoundHalfEven(double value) {
    if (!std::isfinite(value)) {
        return value;
    }
    const double floor = std::floor(value);
    const double fraction = value - floor;
    if (fraction < 0.5) {
        return floor;
    }
    if (fraction > 0.5) {
        return floor + 1.0;
    }
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

std::optional<std::int32_t> RoundedInt32(std::string_view text) {
    const double rounded = RoundHalfEven(NumericValue(text));
    if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
          rounded <= std::numeric_limits<std::int32_t>::max())) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(rounded);
}

std::optional<std::int32_t> DigitsToInt32(std::string_view digits) {
    std::int64_t value = 0;
    for (const char c : digits) {
        if (!IsDigit(c)) {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<std::int32_t>::max()) {
            return std::nullopt;
        }
    }
    return static_cast<std::int32_t>(value);
}

}  // namespace corvale::num
