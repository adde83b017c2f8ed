#include "scansion/Store.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

namespace corvale {

namespace {

constexpr std::size_t kLineTextIndex = 0;
constexpr std::size_t kCommentIndex = 1;
constexpr std::size_t kFirstValueIndex = 2;
constexpr std::size_t kKinds = 3;
constexpr std::size_t kMostHeldValues = std::numeric_limits<std::uint16_t>::max();
constexpr std::size_t kLargestRecord = std::numeric_limits<std::uint32_t>::max();

// Number of leading values to keep: trailing empty ones read as empty anyway.
std::size_t HeldCount(std::span<const std::string_view> values, std::int32_t maximum) {
    std::size_t count =
        std::min({values.size(), static_cast<std::size_t>(maximum), kMostHeldValues});
    while (count > 0 && values[count - 1].empty()) {
        --count;
    }
    return count;
}

// End of value k (from 0) of a run, counted from the run's start.
std::size_t EndOf(const Store::SeparatedValues& run, std::size_t k) {
    return k < run.separators.size() ? run.separators[k] - run.origin : run.text.size();
}

std::size_t HeldCount(const Store::SeparatedValues& run, std::int32_t maximum) {
    std::size_t count =
        std::min({run.separators.size() + 1, static_cast<std::size_t>(maximum), kMostHeldValues});
    // Value k is empty when it ends one byte after the one before.
    while (count > 0 && EndOf(run, count - 1) == (count == 1 ? 0 : EndOf(run, count - 2) + 1)) {
        --count;
    }
    return count;
}

// Copies one record's texts, each after a separator byte.
class Writer {
public:
    explicit Writer(char* out) : out_(out) {}

    // Gives the text's end, counted from the record's start (under 4 GiB).
    std::uint32_t Put(std::string_view text) {
        out_[at_++] = kSeparator;
        if (!text.empty()) {  // an empty view may have no bytes at all
            std::memcpy(out_ + at_, text.data(), text.size());
            at_ += text.size();
        }
        return static_cast<std::uint32_t>(at_);
    }

private:
    static constexpr char kSeparator = '\t';
    char* out_;
    std::size_t at_ = 0;
};

// Copies the first `count` values of a run with one copy, separators and all, and writes
// their ends; gives where the next end goes.
std::uint32_t* PutRun(Writer& writer, const Store::SeparatedValues& run, std::size_t count,
                      std::uint32_t* ends) {
    if (count == 0) {
        return ends;
    }
    const std::size_t runEnd = EndOf(run, count - 1);
    const std::uint32_t last = writer.Put(run.text.substr(0, runEnd));
    // The run's text starts at last - runEnd in the record, so a separator at position p ends
    // a value at p - origin from there (unsigned arithmetic wraps back to the right sum).
    const std::size_t shift = last - runEnd - run.origin;
    for (std::size_t k = 0; k + 1 < count; ++k) {
        *ends++ = static_cast<std::uint32_t>(run.separators[k] + shift);
    }
    *ends++ = last;
    return ends;
}

}  // namespace

// The texts of one row, as views.
struct Store::Parts {
    std::string_view lineText;
    std::string_view comment;
    std::array<std::span<const std::string_view>, kKinds> values;
};

void Store::Redimension(std::int32_t numberOfLines, std::int32_t maximumPositions) {
    numberOfLines_ = std::max<std::int32_t>(numberOfLines, 0);
    maximumPositions_ = std::max<std::int32_t>(maximumPositions, 0);
    std::vector<Record>(static_cast<std::size_t>(numberOfLines_) + 1).swap(records_);
    bytes_.reset();
    size_ = 0;
    capacity_ = 0;
    std::vector<std::uint32_t>().swap(ends_);
}

// Values are held as they were set, so the positions they stand at only become readable.
void Store::Widen(std::int32_t maximumPositions) {
    maximumPositions_ = std::max(maximumPositions_, maximumPositions);
}

void Store::Reserve(std::size_t textBytes, std::size_t texts) {
    // Each text takes one separator byte more.
    const std::unique_ptr<char[]> old = MakeRoom(textBytes + texts);
    ends_.reserve(ends_.size() + texts);
}

const Store::Record* Store::Row(std::int32_t j) const {
    // Before the first Redimension there is no row at all, not even row 0.
    if (j < 0 || static_cast<std::size_t>(j) >= records_.size()) {
        return nullptr;
    }
    return &records_[static_cast<std::size_t>(j)];
}

std::string_view Store::LineText(std::int32_t j) const {
    const Record* record = Row(j);
    return record ? TextOf(*record, kLineTextIndex) : std::string_view();
}

std::string_view Store::Comment(std::int32_t j) const {
    const Record* record = Row(j);
    return record ? TextOf(*record, kCommentIndex) : std::string_view();
}

std::string_view Store::Value(ValueRow row, std::int32_t j, std::int32_t k) const {
    const Record* record = Row(j);
    if (!record || k < 1 || k > maximumPositions_) {
        return {};
    }
    return ValueOf(*record, row, k);
}

std::int32_t Store::LastHeldPosition(ValueRow row, std::int32_t j) const {
    const Record* record = Row(j);
    return record ? record->counts[static_cast<std::size_t>(row)] : 0;
}

Store::RowValues Store::Values(ValueRow row, std::int32_t j) const {
    const Record* record = Row(j);
    RowValues values;
    if (!record || !record->held) {
        return values;
    }
    const auto kind = static_cast<std::size_t>(row);
    std::size_t first = kFirstValueIndex;
    for (std::size_t before = 0; before < kind; ++before) {
        first += record->counts[before];
    }
    values.bytes_ = bytes_.get() + record->begin;
    values.ends_ = ends_.data() + record->firstEnd + first - 1;
    values.count_ = record->counts[kind];
    return values;
}

void Store::SetRecord(std::int32_t j, std::string_view lineText, std::string_view comment,
                      std::span<const std::string_view> syllables,
                      std::span<const std::string_view> stresses,
                      std::span<const std::string_view> junctures) {
    if (Row(j)) {
        Append(j, Parts{lineText, comment, {syllables, stresses, junctures}});
    }
}

void Store::SetRecord(std::int32_t j, std::string_view lineText, std::string_view comment,
                      const std::array<SeparatedValues, 3>& values) {
    if (!Row(j)) {
        return;
    }
    std::array<std::size_t, kKinds> counts{};
    std::size_t texts = kFirstValueIndex;
    std::size_t size = lineText.size() + comment.size() + 2;
    for (std::size_t kind = 0; kind < kKinds; ++kind) {
        counts[kind] = HeldCount(values[kind], maximumPositions_);
        texts += counts[kind];
        size += counts[kind] == 0 ? 0 : EndOf(values[kind], counts[kind] - 1) + 1;
    }
    if (size > kLargestRecord) {
        return;  // offsets within a row are 32 bits; no file the reader takes comes near
    }
    MakeRoom(size);  // no text is a view into the old arena
    Record record{size_, ends_.size(), {}, true};
    ends_.resize(ends_.size() + texts);
    std::uint32_t* ends = ends_.data() + record.firstEnd;
    Writer writer{bytes_.get() + size_};
    *ends++ = writer.Put(lineText);
    *ends++ = writer.Put(comment);
    for (std::size_t kind = 0; kind < kKinds; ++kind) {
        ends = PutRun(writer, values[kind], counts[kind], ends);
        record.counts[kind] = static_cast<std::uint16_t>(counts[kind]);
    }
    size_ += size;
    records_[static_cast<std::size_t>(j)] = record;
}

void Store::SetValues(std::int32_t j, ValueRow row, std::span<const std::string> positionsFrom1) {
    const Record* record = Row(j);
    if (!record) {
        return;
    }
    // The other texts are views into the arena; Append copies them before it lets go of it.
    HeldValues values = ValuesOf(*record);
    values[static_cast<std::size_t>(row)].assign(positionsFrom1.begin(), positionsFrom1.end());
    Append(j, Parts{TextOf(*record, kLineTextIndex),
                    TextOf(*record, kCommentIndex),
                    {values[0], values[1], values[2]}});
}

void Store::SetComment(std::int32_t j, std::string_view comment) {
    const Record* record = Row(j);
    if (!record) {
        return;
    }
    const HeldValues values = ValuesOf(*record);
    Append(j, Parts{TextOf(*record, kLineTextIndex), comment, {values[0], values[1], values[2]}});
}

void Store::Append(std::int32_t j, const Parts& parts) {
    std::array<std::span<const std::string_view>, kKinds> values;
    std::size_t texts = kFirstValueIndex;
    std::size_t size = parts.lineText.size() + parts.comment.size() + 2;
    for (std::size_t kind = 0; kind < kKinds; ++kind) {
        values[kind] = parts.values[kind].first(HeldCount(parts.values[kind], maximumPositions_));
        texts += values[kind].size();
        for (const std::string_view value : values[kind]) {
            size += value.size() + 1;
        }
    }
    if (size > kLargestRecord) {
        return;  // offsets within a row are 32 bits; no file the reader takes comes near
    }
    // The texts may be views into the arena: if it must grow, the old one lives on until
    // they are copied.
    const std::unique_ptr<char[]> old = MakeRoom(size);
    Record record{size_, ends_.size(), {}, true};
    ends_.resize(ends_.size() + texts);
    std::uint32_t* ends = ends_.data() + record.firstEnd;
    Writer writer{bytes_.get() + size_};
    *ends++ = writer.Put(parts.lineText);
    *ends++ = writer.Put(parts.comment);
    for (std::size_t kind = 0; kind < kKinds; ++kind) {
        for (const std::string_view value : values[kind]) {
            *ends++ = writer.Put(value);
        }
        record.counts[kind] = static_cast<std::uint16_t>(values[kind].size());
    }
    size_ += size;
    records_[static_cast<std::size_t>(j)] = record;
}

std::unique_ptr<char[]> Store::MakeRoom(std::size_t bytes) {
    if (capacity_ - size_ >= bytes) {
        return nullptr;
    }
    const std::size_t capacity = std::max(size_ + bytes, 2 * capacity_);
    auto grown = std::make_unique_for_overwrite<char[]>(capacity);
    if (size_ > 0) {
        std::memcpy(grown.get(), bytes_.get(), size_);
    }
    capacity_ = capacity;
    return std::exchange(bytes_, std::move(grown));
}

std::size_t Store::MemoryBytes() const {
    return records_.capacity() * sizeof(Record) + capacity_ +
           ends_.capacity() * sizeof(std::uint32_t);
}

std::string_view Store::TextOf(const Record& record, std::size_t index) const {
    if (!record.held) {
        return {};
    }
    const std::uint32_t* ends = ends_.data() + record.firstEnd;
    const std::size_t begin = (index == 0 ? 0 : ends[index - 1]) + 1;  // past the separator
    return std::string_view(bytes_.get() + record.begin + begin, ends[index] - begin);
}

std::string_view Store::ValueOf(const Record& record, ValueRow row, std::int32_t k) const {
    const auto kind = static_cast<std::size_t>(row);
    if (k < 1 || static_cast<std::size_t>(k) > record.counts[kind]) {
        return {};
    }
    std::size_t index = kFirstValueIndex + static_cast<std::size_t>(k) - 1;
    for (std::size_t before = 0; before < kind; ++before) {
        index += record.counts[before];
    }
    return TextOf(record, index);
}

Store::HeldValues Store::ValuesOf(const Record& record) const {
    HeldValues values;
    for (std::size_t kind = 0; kind < kKinds; ++kind) {
        for (std::int32_t k = 1; k <= record.counts[kind]; ++k) {
            values[kind].push_back(ValueOf(record, static_cast<ValueRow>(kind), k));
        }
    }
    return values;
}

}  // namespace corvale
