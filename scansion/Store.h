#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace corvale {

enum class ValueRow { Syllables = 0, Stresses = 1, Junctures = 2 };

// All verse lines of a scansion file. Rows are 0..NumberOfLines, positions 0..Maximum; index 0
// is never a verse line or a position. Every element reads as a text, and a position beyond
// the values a row holds reads as the empty text, but only values actually held cost memory.
// All texts live back to back in one arena, so loading a file makes no allocation per row.
class Store {
public:
    // Discards everything and makes rows 0..numberOfLines with positions 0..maximumPositions,
    // all empty. Preconditions: both >= 0.
    void Redimension(std::int32_t numberOfLines, std::int32_t maximumPositions);
    // Room for this many more text bytes and texts, so that filling the rows appends without
    // moving what is held. Only a hint: the store grows as needed either way.
    void Reserve(std::size_t textBytes, std::size_t texts);
    // Gives every row positions up to maximumPositions, keeping every value held; never narrows.
    void Widen(std::int32_t maximumPositions);

    std::int32_t NumberOfLines() const { return numberOfLines_; }
    std::int32_t MaximumPositions() const { return maximumPositions_; }

    // Reading any row 0..NumberOfLines and any position is allowed; outside reads as empty.
    // A view stays valid until the next change to the store.
    std::string_view LineText(std::int32_t j) const;
    std::string_view Comment(std::int32_t j) const;
    std::string_view Value(ValueRow row, std::int32_t j, std::int32_t k) const;
    // Positions after this one read as empty in row j, so a walk over a row can stop there.
    std::int32_t LastHeldPosition(ValueRow row, std::int32_t j) const;

    // The held values of one kind in one row, for a walk along the row that looks the row up
    // once rather than at every position. Valid until the next change to the store.
    class RowValues {
    public:
        std::int32_t Count() const { return count_; }
        // Position k, 1..Count(); the caller keeps k in that range.
        std::string_view operator[](std::int32_t k) const {
            const std::uint32_t begin = ends_[k - 1] + 1;  // past the separator
            return std::string_view(bytes_ + begin, ends_[k] - begin);
        }

    private:
        friend class Store;
        // The row's first byte, and where its texts end counted from there: ends_[0] is the end
        // of the text before position 1, ends_[k] that of position k.
        const char* bytes_ = nullptr;
        const std::uint32_t* ends_ = nullptr;
        std::int32_t count_ = 0;
    };
    // Count() is LastHeldPosition(row, j); a row outside the store holds nothing.
    RowValues Values(ValueRow row, std::int32_t j) const;

    // Replaces a whole row. values[0] is position 1; values beyond MaximumPositions (and beyond
    // 65535) are dropped. Rows outside 0..NumberOfLines are ignored, and so is a row whose
    // texts together reach 4 GiB. The texts may be views into this store.
    void SetRecord(std::int32_t j, std::string_view lineText, std::string_view comment,
                   std::span<const std::string_view> syllables,
                   std::span<const std::string_view> stresses,
                   std::span<const std::string_view> junctures);
    // Values standing in one text one separator byte apart, as the fields of a file row do.
    // separators[i] is the position of the byte after value i + 1, counted so that text[0]
    // stands at `origin`; the last value runs to the text's end.
    struct SeparatedValues {
        std::string_view text;
        std::span<const std::uint32_t> separators;
        std::size_t origin = 0;
    };
    // The same as the SetRecord above, for values given that way; no text may be a view into
    // this store.
    void SetRecord(std::int32_t j, std::string_view lineText, std::string_view comment,
                   const std::array<SeparatedValues, 3>& values);
    // Replaces positions 1..n of one kind (the rest of that kind become empty) or the comment.
    void SetValues(std::int32_t j, ValueRow row, std::span<const std::string> positionsFrom1);
    void SetComment(std::int32_t j, std::string_view comment);

    // Heap bytes held, for the memory benchmark.
    std::size_t MemoryBytes() const;

private:
    // Where one row's texts stand in the arena: line text, comment, then the held values of
    // each kind, from `begin` on. Each text follows one separator byte, so values that stand
    // one tab apart in a file row go in with a single copy, separators and all. A row rewritten
    // after loading is appended anew and its old texts are left unreachable; edits are a few
    // hundred bytes each.
    struct Record {
        std::uint64_t begin = 0;                // its first byte in the arena
        std::uint64_t firstEnd = 0;             // its first entry in ends_
        std::array<std::uint16_t, 3> counts{};  // values held per kind
        bool held = false;                      // false until the row is first written
    };

    struct Parts;
    using HeldValues = std::array<std::vector<std::string_view>, 3>;

    const Record* Row(std::int32_t j) const;
    std::string_view TextOf(const Record& record, std::size_t index) const;
    std::string_view ValueOf(const Record& record, ValueRow row, std::int32_t k) const;
    HeldValues ValuesOf(const Record& record) const;
    void Append(std::int32_t j, const Parts& parts);
    // Makes room for this many more bytes; gives back the old arena when it had to move.
    std::unique_ptr<char[]> MakeRoom(std::size_t bytes);

    std::int32_t numberOfLines_ = 0;
    std::int32_t maximumPositions_ = 0;
    std::vector<Record> records_;
    std::unique_ptr<char[]> bytes_;  // the arena: every text of every row
    std::size_t size_ = 0;           // bytes of the arena in use
    std::size_t capacity_ = 0;
    std::vector<std::uint32_t> ends_;  // end of each text, counted from its record's begin
};

}  // namespace corvale
