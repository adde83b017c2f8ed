#include "scansion/Store.h"

#include <algorithm>

namespace corvale {

namespace {

constexpr std::size_t kLineTextIndex = 0;
constexpr std::size_t kCommentIndex = 1;
constexpr std::size_t kFirstValueIndex = 2;
constexpr std::size_t kKinds = 3;

// Number of leading values to keep: trailing empty ones read as empty anyway.
template <typename Text>
std::size_t HeldCount(std::span<const Text> values, std::int32_t maximum) {
    std::size_t count = std::min(values.size(), static_cast<std::size_t>(maximum));
    while (count > 0 && values[count - 1].empty()) {
        --count;
    }
    return count;
}

}  // namespace

// The texts of one record, as views; Rebuild copies them into the record's new buffer.
struct Store::Parts {
    std::string_view lineText;
    std::string_view comment;
    std::array<std::vector<std::string_view>, kKinds> values;
};

void Store::Redimension(std::int32_t numberOfLines, std::int32_t maximumPositions) {
    numberOfLines_ = std::max<std::int32_t>(numberOfLines, 0);
    maximumPositions_ = std::max<std::int32_t>(maximumPositions, 0);
    std::vector<Record>().swap(records_);
    records_.resize(static_cast<std::size_t>(numberOfLines_) + 1);
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

void Store::SetRecord(std::int32_t j, std::string_view lineText, std::string_view comment,
                      std::span<const std::string_view> syllables,
                      std::span<const std::string_view> stresses,
                      std::span<const std::string_view> junctures) {
    if (!Row(j)) {
        return;
    }
    Record& record = records_[static_cast<std::size_t>(j)];
    const std::array<std::span<const std::string_view>, kKinds> values{syllables, stresses,
                                                                       junctures};
    std::array<std::size_t, kKinds> counts{};
    std::size_t size = lineText.size() + comment.size();
    for (std::size_t kind = 0; kind < kKinds; ++kind) {
        counts[kind] = HeldCount(values[kind], maximumPositions_);
        for (std::size_t k = 0; k < counts[kind]; ++k) {
            size += values[kind][k].size();
        }
    }
    std::string bytes;
    bytes.reserve(size);
    std::vector<std::uint32_t> ends;
    ends.reserve(kFirstValueIndex + counts[0] + counts[1] + counts[2]);
    const auto append = [&](std::string_view text) {
        bytes.append(text);
        ends.push_back(static_cast<std::uint32_t>(bytes.size()));
    };
    append(lineText);
    append(comment);
    for (std::size_t kind = 0; kind < kKinds; ++kind) {
        for (std::size_t k = 0; k < counts[kind]; ++k) {
            append(values[kind][k]);
        }
        record.counts[kind] = static_cast<std::uint16_t>(counts[kind]);
    }
    record.bytes = std::move(bytes);
    record.ends = std::move(ends);
}

void Store::SetValues(std::int32_t j, ValueRow row, std::span<const std::string> positionsFrom1) {
    if (!Row(j)) {
        return;
    }
    // Views into a copy of the old record survive the rebuild of the record itself.
    const Record old = records_[static_cast<std::size_t>(j)];
    Parts parts = PartsOf(old);
    auto& values = parts.values[static_cast<std::size_t>(row)];
    values.assign(positionsFrom1.begin(), positionsFrom1.end());
    SetRecord(j, parts.lineText, parts.comment, parts.values[0], parts.values[1], parts.values[2]);
}

void Store::SetComment(std::int32_t j, std::string_view comment) {
    if (!Row(j)) {
        return;
    }
    const Record old = records_[static_cast<std::size_t>(j)];
    const Parts parts = PartsOf(old);
    SetRecord(j, parts.lineText, comment, parts.values[0], parts.values[1], parts.values[2]);
}

std::size_t Store::MemoryBytes() const {
    const std::size_t inlineCapacity = std::string().capacity();
    std::size_t bytes = records_.capacity() * sizeof(Record);
    for (const Record& record : records_) {
        if (record.bytes.capacity() > inlineCapacity) {
            bytes += record.bytes.capacity() + 1;
        }
        bytes += record.ends.capacity() * sizeof(std::uint32_t);
    }
    return bytes;
}

std::string_view Store::TextOf(const Record& record, std::size_t index) {
    if (index >= record.ends.size()) {
        return {};
    }
    const std::size_t begin = index == 0 ? 0 : record.ends[index - 1];
    return std::string_view(record.bytes).substr(begin, record.ends[index] - begin);
}

std::string_view Store::ValueOf(const Record& record, ValueRow row, std::int32_t k) {
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

Store::Parts Store::PartsOf(const Record& record) {
    Parts parts{TextOf(record, kLineTextIndex), TextOf(record, kCommentIndex), {}};
    for (std::size_t kind = 0; kind < kKinds; ++kind) {
        for (std::int32_t k = 1; k <= record.counts[kind]; ++k) {
            parts.values[kind].push_back(ValueOf(record, static_cast<ValueRow>(kind), k));
        }
    }
    return parts;
}

}  // namespace corvale
