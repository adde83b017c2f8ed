#pragma once

#include "scansion/Store.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace corvale {

// A verse line holds at most this many syllable positions; the reader refuses wider files.
// Real verse lines have under a hundred syllables, and the window cannot lay out thousands of
// columns.
inline constexpr std::int32_t kMostPositions = 1000;

namespace format_detail {

// "BEFORE<number>AFTER" with its NUL, made when the program is compiled, so that a message
// naming a limit can never disagree with it.
template <std::int64_t Number, std::size_t BeforeSize, std::size_t AfterSize>
consteval auto WithNumber(const char (&before)[BeforeSize], const char (&after)[AfterSize]) {
    constexpr std::size_t digits = [] {
        std::size_t count = 1;
        for (std::int64_t rest = Number; rest >= 10; rest /= 10) {
            ++count;
        }
        return count;
    }();
    static_assert(Number >= 0);
    std::array<char, BeforeSize - 1 + digits + AfterSize> text{};
    std::size_t at = 0;
    for (std::size_t i = 0; i + 1 < BeforeSize; ++i) {
        text[at++] = before[i];
    }
    std::int64_t rest = Number;
    for (std::size_t i = digits; i-- > 0;) {
        text[at + i] = static_cast<char>('0' + rest % 10);
        rest /= 10;
    }
    at += digits;
    for (std::size_t i = 0; i < AfterSize; ++i) {
        text[at++] = after[i];
    }
    return text;
}

inline constexpr auto kLineTooLong =
    WithNumber<kMostPositions>("a line cannot hold more than ", " syllables");

}  // namespace format_detail

// What the line editor says when a split would take a line past kMostPositions.
inline constexpr const char* kLineTooLongMessage = format_detail::kLineTooLong.data();

// Appends verse line j of the store as the scansion file holds it: its syllables, stress,
// juncture and comment rows, each numbered j and ending in CR LF, with the values of positions
// 1..positions. The saved file is these records for j = 1, 2, ... in order.
void AppendRecord(std::string& out, const Store& store, std::int32_t j, std::int32_t positions);

}  // namespace corvale
