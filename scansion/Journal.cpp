// Names, identity and writing of the crash journal, and putting its records back.

#include "scansion/Journal.h"

#include "scansion/ContentHash.h"
#include "scansion/FileNames.h"
#include "scansion/JournalFormat.h"
#include "scansion/RecordFormat.h"

#include <algorithm>
#include <unordered_set>

namespace corvale {

namespace journal {

void AppendHex16(std::string& out, std::uint64_t value) {
    constexpr char kDigits[] = "0123456789abcdef";
    for (int shift = 60; shift >= 0; shift -= 4) {
        out += kDigits[(value >> shift) & 0xF];
    }
}

std::optional<std::uint64_t> ParseHex16(std::string_view text) {
    if (text.size() != 16) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (const char c : text) {
        const int digit = (c >= '0' && c <= '9')   ? c - '0'
                          : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                                                   : -1;
        if (digit < 0) {
            return std::nullopt;
        }
        value = (value << 4) | static_cast<std::uint64_t>(digit);
    }
    return value;
}

}  // namespace journal

namespace {

// Ends the record that starts at `recordStart` in `out`: the end row, whose checksum covers
// everything from the record's first byte to the end row's last tab.
void AppendEndRow(std::string& out, std::size_t recordStart, std::string_view number,
                  std::int32_t lineShownAfter) {
    out.append(number);
    out += '\t';
    out.append(journal::kEndKeyword);
    out += '\t';
    out += std::to_string(lineShownAfter);
    out += '\t';
    const std::string_view record = std::string_view(out).substr(recordStart);
    journal::AppendHex16(out, ContentHash(record));
    out += "\r\n";
}

}  // namespace

ContentIdentity IdentityOf(std::string_view bytes) {
    return {bytes.size(), ContentHash(bytes)};
}

std::string JournalName(std::string_view scansionName) {
    const std::size_t slash = scansionName.rfind('/');
    const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    std::string name(scansionName.substr(0, nameStart));
    name += '.';
    name.append(scansionName.substr(nameStart));
    name += kJournalSuffix;
    return name;
}

std::vector<std::string> KeptNames(std::string_view scansionName, std::size_t count) {
    std::vector<std::string> names;
    names.reserve(count);
    const std::string stem = std::string(scansionName) + kKeptCorrectionsMark;
    names.push_back(stem + ".txt");
    for (std::size_t n = 2; n <= count; ++n) {
        names.push_back(stem + "-" + std::to_string(n) + ".txt");
    }
    return names;
}

std::string JournalHeader(const ContentIdentity& identity) {
    std::string header(journal::kMagic);
    header += '\t';
    header.append(journal::kVersion);
    header += '\t';
    header += std::to_string(identity.size);
    header += '\t';
    journal::AppendHex16(header, identity.hash);
    header += "\r\n";
    return header;
}

void AppendJournalRecord(std::string& out, const Store& store, std::int32_t j,
                         std::int32_t positions, std::int32_t lineShownAfter) {
    const std::size_t start = out.size();
    AppendRecord(out, store, j, positions);
    AppendEndRow(out, start, std::to_string(j), lineShownAfter);
}

void AppendJournalRecord(std::string& out, const JournalRecord& record) {
    const std::size_t start = out.size();
    const RecordTexts texts{record.line,
                            record.lineText,
                            {record.syllables, record.stresses, record.junctures},
                            record.comment};
    AppendRecord(out, texts, TextRule::Keep);
    AppendEndRow(out, start, std::to_string(record.line), record.lineShownAfter);
}

void RestoreRecord(Store& store, const JournalRecord& record) {
    store.SetRecord(record.line, record.lineText, record.comment, record.syllables, record.stresses,
                    record.junctures);
}

bool JournalMatchesStore(std::span<const JournalRecord> records, const Store& store) {
    std::unordered_set<std::int32_t> seen;
    for (auto record = records.rbegin(); record != records.rend(); ++record) {
        const bool held = record->line >= 1 && record->line <= store.NumberOfLines();
        if (held && seen.insert(record->line).second && !RecordMatchesStore(*record, store)) {
            return false;
        }
    }
    return true;
}

std::size_t CountVerseLines(std::span<const JournalRecord> records) {
    std::unordered_set<std::int32_t> lines;
    for (const JournalRecord& record : records) {
        lines.insert(record.line);
    }
    return lines.size();
}

std::int32_t MostPositions(std::span<const JournalRecord> records) {
    std::size_t most = 0;
    for (const JournalRecord& record : records) {
        most = std::max(
            {most, record.syllables.size(), record.stresses.size(), record.junctures.size()});
    }
    return static_cast<std::int32_t>(most);
}

}  // namespace corvale
