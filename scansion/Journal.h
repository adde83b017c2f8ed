#pragma once

#include "scansion/Store.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The crash journal: committed corrections that the scansion file does not hold yet, appended
// one record per commit to a file beside it, so that a crash loses none of them. Everything here
// works on bytes; the platform reads and writes the file.
//
// The journal is text in the scansion file's own format, every row ending in CR LF:
//
//   corvale-journal TAB 1 TAB <size> TAB <hash>              header
//   j TAB syllables TAB ...                                   one record: verse line j's four
//   j TAB stress TAB ...                                      rows, exactly as the saved
//   j TAB juncture TAB ...                                    scansion file would hold them
//   j TAB comment TAB ...
//   j TAB end TAB <line shown after> TAB <checksum>           its end row
//   ... more records, each with its end row
//
// <size> and <hash> are the ContentIdentity (decimal, and 16 lower-case hex digits) of the file
// the journal applies to. <checksum> is ContentHash, as 16 lower-case hex digits, of the four
// rows and of the end row up to and including its last tab, each row with CR LF after it. A
// record counts only when its end row is whole, line end included, and its checksum holds, so
// a torn append or garbage is never taken for a record; nothing after such damage is trusted.
// Later records for the same verse line win.
namespace corvale {

// What a journal applies to: the size and ContentHash of the bytes last loaded or saved.
struct ContentIdentity {
    std::uint64_t size = 0;
    std::uint64_t hash = 0;
    bool operator==(const ContentIdentity&) const = default;
};
ContentIdentity IdentityOf(std::string_view bytes);

// The journal's name for a scansion file: in the same folder, "." + its name +
// ".corvale-journal" ("poems/ode.txt" -> "poems/.ode.txt.corvale-journal").
std::string JournalName(std::string_view scansionName);
// The visible names under which a journal is kept when it cannot be applied, in the order to
// try: NAME.unsaved-corrections.txt, then NAME.unsaved-corrections-2.txt and so on up to -count
// (NAME is the scansion file's name, folder included). Precondition: count >= 1.
std::vector<std::string> KeptNames(std::string_view scansionName, std::size_t count);
// How many kept names to offer: a folder never gathers that many unsaved journals.
inline constexpr std::size_t kKeptNameCount = 1000;

// The header row, CR LF included, for a journal of changes to the content with this identity.
std::string JournalHeader(const ContentIdentity& identity);
// Appends verse line j of the store as the saved file would hold positions 1..positions of it,
// then its end row naming the line shown after the commit. Preconditions: j >= 1,
// lineShownAfter >= 0.
void AppendJournalRecord(std::string& out, const Store& store, std::int32_t j,
                         std::int32_t positions, std::int32_t lineShownAfter);

// One record as read. The texts are views into the bytes read, which must outlive it. Values
// are positions 1..n of each kind; an empty field between two tabs is an empty value in its
// place, and kinds may hold different numbers of values.
struct JournalRecord {
    std::int32_t line = 0;
    std::string_view lineText;
    std::vector<std::string_view> syllables;
    std::vector<std::string_view> stresses;
    std::vector<std::string_view> junctures;
    std::string_view comment;
    std::int32_t lineShownAfter = 0;
    bool operator==(const JournalRecord&) const = default;
};
// Appends the record exactly as it stands, with its end row: what it was read from, when that
// was written by the append above. For rewriting a journal from records read.
void AppendJournalRecord(std::string& out, const JournalRecord& record);

struct JournalContents {
    bool headerReadable = false;
    ContentIdentity identity;            // when the header is readable
    std::vector<JournalRecord> records;  // the good records in order; none for row 0
    bool damaged = false;       // bytes follow the good part (any bytes, if the header is bad)
    std::size_t goodBytes = 0;  // the header and the good records, from the start: what a
                                // journal cut back after damage would keep
};
// Reads a journal. Rows end at CR LF or a lone LF. A row is read as the scansion reader reads
// it: trailing tabs and spaces go, field 3 is the line text (taken from the syllables row),
// fields 4 onwards are the values, and the comment is everything after the comment row's third
// tab. Reading stops at the first record whose rows are not numbered alike, lack their
// keywords, or whose end row or checksum is not good. Records for row 0 are good but not
// returned. Without a readable header nothing else is read.
JournalContents ReadJournal(std::string_view bytes);

// Puts the record back into its store row, as loading it from the file would. Values beyond the
// store's positions are dropped; a row outside the store is left alone.
void RestoreRecord(Store& store, const JournalRecord& record);
// The store row of the record's verse line reads the same as the record: the rows the file
// would hold for it read back as the record's texts. False for a row outside the store.
bool RecordMatchesStore(const JournalRecord& record, const Store& store);
// Restoring the records would change nothing: the last record of every verse line the store
// holds matches (records for rows outside 1..NumberOfLines are not restored, so do not count).
bool JournalMatchesStore(std::span<const JournalRecord> records, const Store& store);
// The number of different verse lines the records are for.
std::size_t CountVerseLines(std::span<const JournalRecord> records);
// The most positions any record holds of any kind.
std::int32_t MostPositions(std::span<const JournalRecord> records);

}  // namespace corvale
