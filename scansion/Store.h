#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace corvale {

enum class ValueRow { Syllables = 0, Stresses = 1, Junctures = 2 };

// All verse lines of a scansion file. Rows are 0..NumberOfLines, positions 0..Maximum; index 0
// is never a verse line or a position. Every element reads as a text, and a position beyond
// the values a row holds reads as the empty text, but only values actually held cost memory:
// each row keeps its texts in one buffer.
class Store {
public:
    // Discards everything and makes rows 0..numberOfLines with positions 0..maximumPositions,
    // all empty. Preconditions: both >= 0.
    void Redimension(std::int32_t numberOfLines, std::int32_t maximumPositions);

    std::int32_t NumberOfLines() const { return numberOfLines_; }
    std::int32_t MaximumPositions() const { return maximumPositions_; }

    // Reading any row 0..NumberOfLines and any position is allowed; outside reads as empty.
    std::string_view LineText(std::int32_t j) const;
    std::string_view Comment(std::int32_t j) const;
    std::string_view Value(ValueRow row, std::int32_t j, std::int32_t k) const;
    // Positions after this one read as empty in row j, so a walk over a row can stop there.
    std::int32_t LastHeldPosition(ValueRow row, std::int32_t j) const;

    // Replaces a whole row. values[0] is position 1; values beyond MaximumPositions are
    // dropped. Rows outside 0..NumberOfLines are ignored.
    void SetRecord(std::int32_t j, std::string_view lineText, std::string_view comment,
                   std::span<const std::string_view> syllables,
                   std::span<const std::string_view> stresses,
                   std::span<const std::string_view> junctures);
    // Replaces positions 1..n of one kind (the rest of that kind become empty) or the comment.
    void SetValues(std::int32_t j, ValueRow row, std::span<const std::string> positionsFrom1);
    void SetComment(std::int32_t j, std::string_view comment);

    // Heap bytes held, for the memory benchmark.
    std::size_t MemoryBytes() const;

private:
    // One row's texts back to back: line text, comment, then the held values of each kind.
    struct Record {
        std::string bytes;
        std::vector<std::uint32_t> ends;        // end offset in bytes of each text, in order
        std::array<std::uint16_t, 3> counts{};  // values held per kind
    };

    struct Parts;

    const Record* Row(std::int32_t j) const;
    static std::string_view TextOf(const Record& record, std::size_t index);
    static std::string_view ValueOf(const Record& record, ValueRow row, std::int32_t k);
    static Parts PartsOf(const Record& record);

    std::int32_t numberOfLines_ = 0;
    std::int32_t maximumPositions_ = 0;
    std::vector<Record> records_;
};

}  // namespace corvale
