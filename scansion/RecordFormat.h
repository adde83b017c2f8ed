#pragma once

// The scansion file's records: how a verse line is laid out in the file, its limit, and the one
// writer of records. RecordReader.h reads them back.
//
// A file holds one record per verse line, in order. A record is four rows, each
// "number TAB keyword TAB line text" and then its fields, ending in CR LF:
//
//   j TAB syllables TAB text TAB syllable 1 TAB syllable 2 ...
//   j TAB stress    TAB text TAB value 1 TAB value 2 ...
//   j TAB juncture  TAB text TAB value 1 TAB value 2 ...
//   j TAB comment   TAB text TAB the comment

#include "scansion/Store.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace corvale {

// The keywords of a record's rows, in the order the file holds them: the three rows of values
// in ValueRow's order, then the comment.
inline constexpr std::array<std::string_view, 4> kRowKeywords = {"syllables", "stress", "juncture",
                                                                 "comment"};
inline constexpr std::size_t kCommentRow = 3;

// The row whose keyword the field is, exactly; nullopt for any other text.
std::optional<std::size_t> RowOfKeyword(std::string_view field);

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

// How AppendRecord takes the texts it is given.
enum class TextRule {
    // The saved file's rule, for texts that may hold anything typed: each CR LF, lone CR, lone
    // LF or tab becomes one space, so that a row stays one row and a field one field; values
    // lose their surrounding spaces, and blank values at a row's end are left out, tabs and all.
    // A blank value before a filled one keeps its field, so later values keep their positions.
    Mend,
    // Every text exactly as given: for texts read from a file, or made to fit one.
    Keep,
};

// One verse line's texts; values[row] holds positions 1, 2, ... of that ValueRow.
struct RecordTexts {
    std::int64_t number = 0;
    std::string_view lineText;
    std::array<std::span<const std::string_view>, 3> values;
    std::string_view comment;
};

// Appends the record as the scansion file holds it: each value after a tab, the comment after
// one tab.
void AppendRecord(std::string& out, const RecordTexts& record, TextRule rule);

// Appends verse line j of the store, numbered j, with the values of positions 1..positions, by
// TextRule::Mend. The saved file is these records for j = 1, 2, ... in order.
void AppendRecord(std::string& out, const Store& store, std::int32_t j, std::int32_t positions);
// Every verse line of the store, 1..NumberOfLines(), as a whole scansion file.
std::string ScansionFileBytes(const Store& store, std::int32_t positions);

}  // namespace corvale
