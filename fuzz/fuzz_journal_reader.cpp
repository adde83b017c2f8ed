// Any bytes as a crash journal: reading never fails outward; the good part it reports reads the
// same on its own; the records it returns, written again, read back as the same records; and a
// record put into a store and journaled from there reaches a fixed point, as saving does.
//
// Mutations almost never keep a checksum good, so an input whose first byte is 1 is sealed
// first: its rows, four at a time, get a header before them and a good end row after them, and
// the reader's handling of the fields themselves is what gets explored.

#include "fuzz_platform.h"
#include "platform/Platform.h"
#include "scansion/ContentHash.h"
#include "scansion/Journal.h"

#include <array>
#include <cstdio>

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace {

using corvale::JournalContents;
using corvale::JournalRecord;
using corvale::ReadJournal;
using corvale::Store;
using corvale::fuzz::Check;

void CheckGoodPart(std::string_view bytes, const JournalContents& read) {
    Check(read.goodBytes <= bytes.size(), "the good part runs past the bytes");
    Check(read.damaged == (read.headerReadable ? read.goodBytes < bytes.size() : !bytes.empty()),
          "damage reported wrongly");
    if (!read.headerReadable) {
        Check(read.records.empty() && read.goodBytes == 0, "records without a readable header");
        return;
    }
    const JournalContents good = ReadJournal(bytes.substr(0, read.goodBytes));
    Check(!good.damaged && good.records == read.records, "the good part alone reads otherwise");
}

void CheckRewrite(const JournalContents& read) {
    std::string rewritten = corvale::JournalHeader(read.identity);
    for (const JournalRecord& record : read.records) {
        corvale::AppendJournalRecord(rewritten, record);
    }
    const JournalContents again = ReadJournal(rewritten);
    Check(again.headerReadable && again.identity == read.identity, "the header does not survive");
    Check(!again.damaged && again.goodBytes == rewritten.size(), "a rewritten journal is damaged");
    Check(again.records == read.records, "rewritten records read back otherwise");
}

// The record put into a store of its own size as verse line 1, journaled from there.
std::string Journaled(const JournalRecord& record) {
    JournalRecord first = record;
    first.line = 1;
    Store store;
    store.Redimension(1, corvale::MostPositions(std::span(&first, 1)));
    corvale::RestoreRecord(store, first);
    std::string bytes = corvale::JournalHeader({});
    corvale::AppendJournalRecord(bytes, store, 1, store.MaximumPositions(), record.lineShownAfter);
    const JournalContents read = ReadJournal(bytes);
    Check(!read.damaged && read.records.size() == 1, "a journaled store row does not read back");
    Check(corvale::RecordMatchesStore(read.records[0], store), "a store row does not match itself");
    return bytes;
}

void CheckThroughStore(const JournalRecord& record) {
    const std::string once = Journaled(record);
    const JournalContents read = ReadJournal(once);
    const std::string twice = Journaled(read.records[0]);
    const std::string thrice = Journaled(ReadJournal(twice).records[0]);
    Check(twice == thrice, "journaling a restored record is not a fixed point");
}

// The rows, four at a time, each group ended by an end row with a good checksum and numbered
// as its first row is; a header before them all.
std::string Sealed(std::string_view rows) {
    std::string sealed = corvale::JournalHeader({});
    corvale::RowCursor cursor(rows);
    std::array<std::string_view, 4> group;
    std::size_t held = 0;
    while (!cursor.AtEnd()) {
        group[held++] = cursor.Next();
        if (held < group.size()) {
            continue;
        }
        held = 0;
        const std::size_t start = sealed.size();
        for (const std::string_view row : group) {
            sealed.append(row);
            sealed += "\r\n";
        }
        sealed.append(group[0].substr(0, group[0].find('\t')));
        sealed += "\tend\t7\t";
        char checksum[17];
        std::snprintf(checksum, sizeof checksum, "%016llx",
                      static_cast<unsigned long long>(
                          corvale::ContentHash(std::string_view(sealed).substr(start))));
        sealed += checksum;
        sealed += "\r\n";
    }
    return sealed;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string sealed;
    if (!bytes.empty() && bytes.front() == '\x01') {
        sealed = Sealed(bytes.substr(1));
        bytes = sealed;
    }
    const JournalContents read = ReadJournal(bytes);
    CheckGoodPart(bytes, read);
    if (read.headerReadable) {
        CheckRewrite(read);
    }
    for (const JournalRecord& record : read.records) {
        Check(record.line >= 1 && record.lineShownAfter >= 0, "a number out of range");
        CheckThroughStore(record);
    }
    Check(corvale::CountVerseLines(read.records) <= read.records.size(), "verse lines miscounted");
    return 0;
}
