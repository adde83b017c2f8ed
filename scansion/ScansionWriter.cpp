// Writing records in the scansion file's format, and the store as a whole file.

#include "scansion/Numbers.h"
#include "scansion/RecordFormat.h"

#include <algorithm>
#include <array>

namespace corvale {

namespace {

// A field cannot hold a line break or a tab: each CR LF, lone CR, lone LF or tab becomes one
// space, so the row stays one row and the field stays one field when the file is read again.
bool NeedsMending(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return c == '\r' || c == '\n' || c == '\t'; });
}

void AppendMended(std::string& out, std::string_view text) {
    if (!NeedsMending(text)) {
        out.append(text);
        return;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
        }
        out += (c == '\r' || c == '\n' || c == '\t') ? ' ' : c;
    }
}

void AppendText(std::string& out, std::string_view text, TextRule rule) {
    if (rule == TextRule::Mend) {
        AppendMended(out, text);
    } else {
        out.append(text);
    }
}

// A value is written after its tab, by the rule; gives whether it was blank, which only the
// mending rule asks.
bool AppendValue(std::string& out, std::string_view value, TextRule rule, std::string& scratch) {
    out += '\t';
    if (rule == TextRule::Keep) {
        out.append(value);
        return false;
    }
    if (NeedsMending(value)) {
        scratch.clear();
        AppendMended(scratch, value);
        value = scratch;
    }
    const std::string_view trimmed = num::Trim(value);
    out.append(trimmed);
    return trimmed.empty();
}

void AppendHead(std::string& out, const std::string& number, std::size_t row,
                std::string_view lineText, TextRule rule) {
    out.append(number);
    out += '\t';
    out.append(kRowKeywords[row]);
    out += '\t';
    AppendText(out, lineText, rule);
}

// The values of one row, however they are held: Count() of them, position 1 at [1].
struct SpanValues {
    std::span<const std::string_view> values;
    std::int32_t Count() const { return static_cast<std::int32_t>(values.size()); }
    std::string_view operator[](std::int32_t k) const {
        return values[static_cast<std::size_t>(k - 1)];
    }
};

// The store's row values, cut at the positions written.
struct StoreValues {
    Store::RowValues values;
    std::int32_t positions = 0;
    std::int32_t Count() const { return std::min(values.Count(), positions); }
    std::string_view operator[](std::int32_t k) const { return values[k]; }
};

// The writer itself, for values held either way.
template <typename Values>
void Append(std::string& out, std::int64_t number, std::string_view lineText,
            const std::array<Values, 3>& values, std::string_view comment, TextRule rule) {
    std::string scratch;
    const std::string head = std::to_string(number);
    for (std::size_t row = 0; row < values.size(); ++row) {
        AppendHead(out, head, row, lineText, rule);
        // Blank values at the row's end are left out, tabs and all.
        std::size_t end = out.size();
        const Values& held = values[row];
        for (std::int32_t k = 1; k <= held.Count(); ++k) {
            if (!AppendValue(out, held[k], rule, scratch)) {
                end = out.size();
            }
        }
        out.resize(end);
        out += "\r\n";
    }
    AppendHead(out, head, kCommentRow, lineText, rule);
    out += '\t';
    AppendText(out, comment, rule);
    out += "\r\n";
}

}  // namespace

void AppendRecord(std::string& out, const RecordTexts& record, TextRule rule) {
    const std::array<SpanValues, 3> values = {
        SpanValues{record.values[0]}, SpanValues{record.values[1]}, SpanValues{record.values[2]}};
    Append(out, record.number, record.lineText, values, record.comment, rule);
}

void AppendRecord(std::string& out, const Store& store, std::int32_t j, std::int32_t positions) {
    const std::array<StoreValues, 3> values = {
        StoreValues{store.Values(ValueRow::Syllables, j), positions},
        StoreValues{store.Values(ValueRow::Stresses, j), positions},
        StoreValues{store.Values(ValueRow::Junctures, j), positions}};
    Append(out, j, store.LineText(j), values, store.Comment(j), TextRule::Mend);
}

std::string ScansionFileBytes(const Store& store, std::int32_t positions) {
    std::string out;
    const std::int32_t lines = store.NumberOfLines();
    // Real verse lines take a few hundred bytes; growing the buffer would copy it again.
    out.reserve(static_cast<std::size_t>(std::max<std::int32_t>(lines, 0)) * 512);
    for (std::int32_t i = 1; i <= lines; ++i) {
        AppendRecord(out, store, i, positions);
    }
    return out;
}

}  // namespace corvale
