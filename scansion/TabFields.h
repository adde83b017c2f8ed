#pragma once

#include <cstdint>
#include <string_view>

// Tab-field helpers shared by every reader. A field is a run of characters between tabs; a text
// with T tabs has T + 1 fields, numbered from 1. Results are views into the argument, so the
// argument must outlive them.
namespace corvale::fields {

// The text without its trailing tabs and spaces (in any mix).
std::string_view StripTrailingTabsAndSpaces(std::string_view text);
// Field 1: everything before the first tab, or the whole text when there is none.
std::string_view FirstField(std::string_view text);
// Everything after the first tab, or the empty text when there is none.
std::string_view RemoveFirstField(std::string_view text);
// After trimming spaces (only spaces), every character is 0..9. The empty text passes.
bool ConsistsOfDigits(std::string_view text);
// Field n, or the empty text when the text has fewer fields or n < 1.
std::string_view NthField(std::string_view text, std::int32_t n);

}  // namespace corvale::fields
