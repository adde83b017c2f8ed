#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The program's one set of rules for texts that hold numbers. Values stay texts everywhere and
// are converted only where they are used.
namespace corvale::num {

// Removes leading and trailing spaces (code 32 only).
std::string_view Trim(std::string_view text);
// Nothing is left after trimming.
bool IsBlank(std::string_view text);

// The number at the start of the text: spaces, optional sign, digits with optional point and
// fraction, optional exponent. 0 when the text starts with no number; never fails.
double NumericValue(std::string_view text);

// The whole text as one number, spaces allowed around it; nullopt when anything else is there
// (including the empty text).
std::optional<double> WholeNumber(std::string_view text);

// A number as decimal text: no blanks, "-" for negatives, a point only when not whole,
// never an exponent.
std::string DecimalText(double value);
std::string DecimalText(std::int64_t value);

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double RoundHalfEven(double value);
// NumericValue, rounded; nullopt when the result does not fit 32 signed bits.
std::optional<std::int32_t> RoundedInt32(std::string_view text);
// A string of digits 0..9 (possibly empty, meaning 0) as an integer; nullopt past 32 bits.
std::optional<std::int32_t> DigitsToInt32(std::string_view digits);

}  // namespace corvale::num
