#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace corvale {

// Where every tab and every row of file bytes stands, found in one scan of 64 bytes at a
// time. Scansion rows are dense with tabs, so both passes over a file walk this index rather
// than search the bytes once per row and again per field. Rows are split as RowCursor splits
// them. Precondition: the bytes are shorter than 4 GiB.
class TabIndex {
public:
    struct Row {
        std::string_view text;                // without its line end
        std::size_t start = 0;                // of text, in the bytes
        std::span<const std::uint32_t> tabs;  // positions in the bytes, in order

        std::size_t Tab(std::size_t i) const { return tabs[i] - start; }
    };

    // Holds positions only, so it stays good for the same bytes wherever they move.
    explicit TabIndex(std::string_view bytes);

    std::size_t RowCount() const { return rowTabEnds_.size(); }
    // Row r of the bytes the index was built from.
    Row RowAt(std::string_view bytes, std::size_t r) const {
        const std::size_t start = r == 0 ? 0 : rowEnds_[r - 1] + 1;
        const std::size_t firstTab = r == 0 ? 0 : rowTabEnds_[r - 1];
        std::string_view text = bytes.substr(start, rowEnds_[r] - start);
        // A CR right before a line feed belongs to the line end; a last row has no line end.
        const bool endedByLineFeed = r + 1 < rowEnds_.size() || endsWithLineFeed_;
        if (endedByLineFeed && !text.empty() && text.back() == '\r') {
            text.remove_suffix(1);
        }
        return Row{
            text, start,
            std::span<const std::uint32_t>(tabs_.get() + firstTab, rowTabEnds_[r] - firstTab)};
    }
    // No byte has its high bit set.
    bool AllAscii() const { return allAscii_; }

private:
    void GrowTabs();

    std::unique_ptr<std::uint32_t[]> tabs_;  // room for tabCapacity_, the first tabCount_ used
    std::size_t tabCapacity_ = 0;
    std::vector<std::uint32_t> rowEnds_;     // where each row's line feed (or the bytes) ends it
    std::vector<std::uint32_t> rowTabEnds_;  // how many tabs stand before that end
    std::size_t tabCount_ = 0;
    bool allAscii_ = true;
    bool endsWithLineFeed_ = false;
};

// Walks the rows of indexed bytes in order, as RowCursor walks bytes.
class TabbedRows {
public:
    TabbedRows(std::string_view bytes, const TabIndex& index) : bytes_(bytes), index_(index) {}
    bool AtEnd() const { return next_ >= index_.RowCount(); }
    // Precondition: !AtEnd().
    TabIndex::Row Next() { return index_.RowAt(bytes_, next_++); }
    // The rows Next has given, so also the number (from 1) of the last one.
    std::size_t Taken() const { return next_; }

private:
    std::string_view bytes_;
    const TabIndex& index_;
    std::size_t next_ = 0;
};

}  // namespace corvale
