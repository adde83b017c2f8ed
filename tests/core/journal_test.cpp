#include "scansion/Journal.h"
#include "scansion/ContentHash.h"
#include "scansion/RecordFormat.h"
#include "scansion/Workspace.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using corvale::AppendJournalRecord;
using corvale::ContentIdentity;
using corvale::JournalContents;
using corvale::JournalRecord;
using corvale::ReadJournal;
using corvale::Store;
using corvale::test::Verse;
using Strings = std::vector<std::string>;

constexpr ContentIdentity kIdentity{1234, 0x0123456789abcdefULL};

std::vector<std::string_view> Views(const Strings& texts) {
    return {texts.begin(), texts.end()};
}

void Put(Store& store, std::int32_t j, const Verse& verse) {
    const auto syllables = Views(verse.syllables);
    const auto stresses = Views(verse.stresses);
    const auto junctures = Views(verse.junctures);
    store.SetRecord(j, verse.text, verse.comment, syllables, stresses, junctures);
}

// A store of the verses, numbered from 1, with room for `positions` positions.
Store StoreOf(const std::vector<Verse>& verses, std::int32_t positions) {
    Store store;
    store.Redimension(static_cast<std::int32_t>(verses.size()), positions);
    for (std::size_t i = 0; i < verses.size(); ++i) {
        Put(store, static_cast<std::int32_t>(i + 1), verses[i]);
    }
    return store;
}

// What a record holds, as owned texts, for comparisons.
struct Held {
    std::int32_t line = 0;
    std::string lineText;
    Strings syllables;
    Strings stresses;
    Strings junctures;
    std::string comment;
    std::int32_t lineShownAfter = 0;
    bool operator==(const Held&) const = default;
};

Held HeldOf(const JournalRecord& record) {
    const auto strings = [](const std::vector<std::string_view>& views) {
        return Strings(views.begin(), views.end());
    };
    return {record.line,
            std::string(record.lineText),
            strings(record.syllables),
            strings(record.stresses),
            strings(record.junctures),
            std::string(record.comment),
            record.lineShownAfter};
}

std::vector<Held> HeldOf(const std::vector<JournalRecord>& records) {
    std::vector<Held> held;
    for (const JournalRecord& record : records) {
        held.push_back(HeldOf(record));
    }
    return held;
}

void PrintTo(const Held& held, std::ostream* out) {
    *out << held.line << " [" << held.lineText << "] " << testing::PrintToString(held.syllables)
         << testing::PrintToString(held.stresses) << testing::PrintToString(held.junctures) << " ["
         << held.comment << "] -> " << held.lineShownAfter;
}

// One commit: verse line j as the store holds it, and the line shown afterwards.
struct Commit {
    std::int32_t line;
    std::int32_t shownAfter;
};

std::string JournalOf(const Store& store, const std::vector<Commit>& commits,
                      std::int32_t positions) {
    std::string bytes = corvale::JournalHeader(kIdentity);
    for (const Commit& commit : commits) {
        AppendJournalRecord(bytes, store, commit.line, positions, commit.shownAfter);
    }
    return bytes;
}

// Rows with CR LF, then an end row that starts as given and carries the right checksum: a
// record that passes the checksum whatever it holds, so that only the other checks can refuse it.
std::string SealedWith(const Strings& rows, const std::string& endRowStart) {
    std::string record = corvale::test::Rows(rows) + endRowStart;
    const std::uint64_t checksum = corvale::ContentHash(record);
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(checksum));
    return record + hex + "\r\n";
}

std::string Sealed(const Strings& rows, const std::string& number, const std::string& shown) {
    return SealedWith(rows, number + "\tend\t" + shown + "\t");
}

// A record's rows with field 1 replaced.
Strings Renumbered(Strings rows, const std::string& number) {
    for (std::string& row : rows) {
        row.replace(0, row.find('\t'), number);
    }
    return rows;
}

std::string SealedVerse(int number, const Verse& verse, int shown) {
    return Sealed(corvale::test::RecordRows(number, verse), std::to_string(number),
                  std::to_string(shown));
}

const Verse kFirst{"Shall I compare thee",
                   {"Shall", "I", "com", "pare", "thee"},
                   {"1", "3", "1", "4", "2"},
                   {"2", "1", "1", "3", "4"},
                   "first line"};
const Verse kSecond{"Thou art more lovely", {"Thou", "art"}, {"2", "4"}, {"1", "1"}, ""};

// ---------------------------------------------------------------------------------------------
// Encoding, then reading: what comes back is what the saved file would give for the line.

struct RoundTripCase {
    const char* name;
    std::vector<Verse> verses;
    std::int32_t positions;
    std::vector<Commit> commits;
    std::vector<Held> expected;
};

class JournalRoundTripTest : public testing::TestWithParam<RoundTripCase> {};

TEST_P(JournalRoundTripTest, ReadsBackWhatTheFileWouldHold) {
    const RoundTripCase& c = GetParam();
    const Store store = StoreOf(c.verses, c.positions);
    const std::string bytes = JournalOf(store, c.commits, c.positions);
    const JournalContents read = ReadJournal(bytes);
    ASSERT_TRUE(read.headerReadable);
    EXPECT_EQ(read.identity, kIdentity);
    EXPECT_FALSE(read.damaged);
    EXPECT_EQ(read.goodBytes, bytes.size());
    EXPECT_EQ(HeldOf(read.records), c.expected);
}

TEST_P(JournalRoundTripTest, RecordRowsAreTheSavedFileRows) {
    const RoundTripCase& c = GetParam();
    const Store store = StoreOf(c.verses, c.positions);
    for (const Commit& commit : c.commits) {
        std::string saved;
        corvale::AppendRecord(saved, store, commit.line, c.positions);
        std::string journaled;
        AppendJournalRecord(journaled, store, commit.line, c.positions, commit.shownAfter);
        EXPECT_EQ(journaled.substr(0, saved.size()), saved) << "verse line " << commit.line;
    }
}

// Records read, written again as they stand, read back the same.
TEST_P(JournalRoundTripTest, RewritingRecordsReadReadsTheSame) {
    const RoundTripCase& c = GetParam();
    const std::string bytes = JournalOf(StoreOf(c.verses, c.positions), c.commits, c.positions);
    const JournalContents read = ReadJournal(bytes);
    std::string rewritten = corvale::JournalHeader(read.identity);
    for (const JournalRecord& record : read.records) {
        AppendJournalRecord(rewritten, record);
    }
    const JournalContents again = ReadJournal(rewritten);
    EXPECT_EQ(HeldOf(again.records), HeldOf(read.records));
    EXPECT_FALSE(again.damaged);
}

// Putting the records back and saving gives the rows the journal holds.
TEST_P(JournalRoundTripTest, RestoringGivesTheJournaledRows) {
    const RoundTripCase& c = GetParam();
    const std::string bytes = JournalOf(StoreOf(c.verses, c.positions), c.commits, c.positions);
    const JournalContents read = ReadJournal(bytes);
    Store restored;
    restored.Redimension(static_cast<std::int32_t>(c.verses.size()), c.positions);
    for (const JournalRecord& record : read.records) {
        corvale::RestoreRecord(restored, record);
        EXPECT_TRUE(corvale::RecordMatchesStore(record, restored));
        std::string again;
        AppendJournalRecord(again, restored, record.line, c.positions, record.lineShownAfter);
        std::string asRead;
        AppendJournalRecord(asRead, record);
        EXPECT_EQ(again, asRead);
    }
}

const std::string kNonAscii = "caf\xc3\xa9 \x93quoted\x94";

INSTANTIATE_TEST_SUITE_P(
    Cases, JournalRoundTripTest,
    testing::Values(
        RoundTripCase{"OneRecord",
                      {kFirst, kSecond},
                      5,
                      {{1, 2}},
                      {{1,
                        "Shall I compare thee",
                        {"Shall", "I", "com", "pare", "thee"},
                        {"1", "3", "1", "4", "2"},
                        {"2", "1", "1", "3", "4"},
                        "first line",
                        2}}},
        RoundTripCase{"LinesWithDifferentPositionCounts",
                      {kFirst, kSecond},
                      5,
                      {{2, 3}, {1, 2}},
                      {{2, "Thou art more lovely", {"Thou", "art"}, {"2", "4"}, {"1", "1"}, "", 3},
                       {1,
                        "Shall I compare thee",
                        {"Shall", "I", "com", "pare", "thee"},
                        {"1", "3", "1", "4", "2"},
                        {"2", "1", "1", "3", "4"},
                        "first line",
                        2}}},
        RoundTripCase{"BlankValuesAreLeftOutAsTheFileLeavesThem",
                      {{"a b c", {"a", "", "c"}, {" 2 ", " ", "4"}, {"", "", "1"}, "x"}},
                      3,
                      {{1, 1}},
                      {{1, "a b c", {"a", "c"}, {"2", "4"}, {"1"}, "x", 1}}},
        RoundTripCase{"CommentLineBreaksAndTabsBecomeSpaces",
                      {{"t", {"a"}, {"1"}, {"1"}, "one\r\ntwo\nthree\rfour\tfive"}},
                      1,
                      {{1, 1}},
                      {{1, "t", {"a"}, {"1"}, {"1"}, "one two three four five", 1}}},
        RoundTripCase{"EmptyCommentAndNoValues",
                      {{"", {}, {}, {}, ""}},
                      4,
                      {{1, 1}},
                      {{1, "", {}, {}, {}, "", 1}}},
        RoundTripCase{
            "NonAsciiBytesKept",
            {{kNonAscii, {"caf\xc3\xa9", "\xe9"}, {"1", "2"}, {"3", "4"}, kNonAscii}},
            2,
            {{1, 1}},
            {{1, kNonAscii, {"caf\xc3\xa9", "\xe9"}, {"1", "2"}, {"3", "4"}, kNonAscii, 1}}},
        RoundTripCase{"LeadingSpacesKeptTrailingOnesGoAsOnLoading",
                      {{"  spaced line  ", {"a"}, {"1"}, {"1"}, "  spaced comment  "}},
                      1,
                      {{1, 1}},
                      {{1, "  spaced line  ", {"a"}, {"1"}, {"1"}, "  spaced comment", 1}}}),
    [](const auto& info) { return info.param.name; });

// ---------------------------------------------------------------------------------------------
// Records written by hand: what the reader makes of each field.

struct FieldsCase {
    const char* name;
    std::string record;  // the rows of one record, sealed
    Held expected;
};

class JournalFieldsTest : public testing::TestWithParam<FieldsCase> {};

TEST_P(JournalFieldsTest, ReadsFieldsAsTheScansionReaderDoes) {
    const std::string bytes = corvale::JournalHeader(kIdentity) + GetParam().record;
    const JournalContents read = ReadJournal(bytes);
    ASSERT_EQ(read.records.size(), 1u);
    EXPECT_FALSE(read.damaged);
    EXPECT_EQ(HeldOf(read.records[0]), GetParam().expected);
}

TEST_P(JournalFieldsTest, RewritesToBytesThatReadTheSame) {
    const std::string bytes = corvale::JournalHeader(kIdentity) + GetParam().record;
    const JournalContents read = ReadJournal(bytes);
    ASSERT_EQ(read.records.size(), 1u);
    std::string rewritten = corvale::JournalHeader(kIdentity);
    AppendJournalRecord(rewritten, read.records[0]);
    const JournalContents again = ReadJournal(rewritten);
    EXPECT_EQ(HeldOf(again.records), HeldOf(read.records));
    EXPECT_FALSE(again.damaged);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JournalFieldsTest,
    testing::Values(
        FieldsCase{"EmptyFieldsInsideKeepTheirPositions",
                   Sealed({"4\tsyllables\tL\ta\t\tc", "4\tstress\tL\t\t2", "4\tjuncture\tL\t\t\t3",
                           "4\tcomment\tL\tnote"},
                          "4", "5"),
                   {4, "L", {"a", "", "c"}, {"", "2"}, {"", "", "3"}, "note", 5}},
        FieldsCase{"TrailingTabsAndSpacesGo",
                   Sealed({"4\tsyllables\tL\ta \t \t", "4\tstress\tL \t", "4\tjuncture\tL",
                           "4\tcomment\tL\t"},
                          "4", "4"),
                   {4, "L", {"a"}, {}, {}, "", 4}},
        FieldsCase{"CommentKeepsItsTabs",
                   Sealed({"2\tsyllables\tL", "2\tstress\tL", "2\tjuncture\tL",
                           "2\tcomment\tL\tone\ttwo\t\tthree"},
                          "2", "3"),
                   {2, "L", {}, {}, {}, "one\ttwo\t\tthree", 3}},
        FieldsCase{"LineTextComesFromTheSyllablesRow",
                   Sealed({"3\tsyllables\tfirst\ta", "3\tstress\tsecond", "3\tjuncture\tthird",
                           "3\tcomment\tfourth\tc"},
                          "3", "1"),
                   {3, "first", {"a"}, {}, {}, "c", 1}},
        FieldsCase{"RowsWithoutLineTextField",
                   Sealed({"3\tsyllables", "3\tstress", "3\tjuncture", "3\tcomment"}, "3", "0"),
                   {3, "", {}, {}, {}, "", 0}},
        FieldsCase{"LoneLineFeedsEndRows",
                   [] {
                       std::string record = SealedVerse(1, kSecond, 2);
                       std::string lone;
                       for (const char c : record) {
                           if (c != '\r') {
                               lone += c;
                           }
                       }
                       return lone;
                   }(),
                   {1, "Thou art more lovely", {"Thou", "art"}, {"2", "4"}, {"1", "1"}, "", 2}},
        FieldsCase{"CarriageReturnInsideARowIsKept",
                   Sealed({"1\tsyllables\tL\ra\tb\r", "1\tstress\tL\ra", "1\tjuncture\tL\ra",
                           "1\tcomment\tL\ra\tc\r"},
                          "1", "2"),
                   {1, "L\ra", {"b\r"}, {}, {}, "c\r", 2}},
        FieldsCase{"LargestLineNumber",
                   SealedVerse(2147483647, kSecond, 2147483647),
                   {2147483647,
                    "Thou art more lovely",
                    {"Thou", "art"},
                    {"2", "4"},
                    {"1", "1"},
                    "",
                    2147483647}}),
    [](const auto& info) { return info.param.name; });

// ---------------------------------------------------------------------------------------------
// Damage: nothing after it is trusted, and nothing wrong is ever returned.

std::string TwoRecordJournal() {
    const Store store = StoreOf({kFirst, kSecond}, 5);
    return JournalOf(store, {{1, 2}, {2, 3}}, 5);
}

// Where each part of the two-record journal ends.
std::vector<std::size_t> PartEnds(const std::string& bytes) {
    const std::size_t header = bytes.find('\n') + 1;
    const Store store = StoreOf({kFirst, kSecond}, 5);
    std::string first;
    AppendJournalRecord(first, store, 1, 5, 2);
    return {header, header + first.size(), bytes.size()};
}

TEST(JournalDamageTest, TruncatedAtEveryByteKeepsOnlyWholeRecords) {
    const std::string bytes = TwoRecordJournal();
    const std::vector<Held> all = HeldOf(ReadJournal(bytes).records);
    ASSERT_EQ(all.size(), 2u);
    const std::vector<std::size_t> ends = PartEnds(bytes);
    for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
        const JournalContents read = ReadJournal(std::string_view(bytes).substr(0, cut));
        const std::size_t whole = cut >= ends[2] ? 2 : cut >= ends[1] ? 1 : 0;
        const std::size_t good = whole == 2 ? ends[2] : whole == 1 ? ends[1] : ends[0];
        EXPECT_EQ(read.headerReadable, cut >= ends[0]) << "cut at " << cut;
        EXPECT_EQ(HeldOf(read.records), std::vector<Held>(all.begin(), all.begin() + whole))
            << "cut at " << cut;
        EXPECT_EQ(read.damaged, cut != 0 && cut != good) << "cut at " << cut;
        EXPECT_EQ(read.goodBytes, cut >= ends[0] ? good : 0) << "cut at " << cut;
    }
}

TEST(JournalDamageTest, ChangedByteAnywhereNeverGivesAWrongRecord) {
    const std::string bytes = TwoRecordJournal();
    const std::vector<Held> all = HeldOf(ReadJournal(bytes).records);
    const std::vector<std::size_t> ends = PartEnds(bytes);
    for (std::size_t at = ends[0]; at < bytes.size(); ++at) {
        for (const char flip : {'\x01', '\x20', '\x0c'}) {
            std::string changed = bytes;
            changed[at] = static_cast<char>(changed[at] ^ flip);
            const std::vector<Held> read = HeldOf(ReadJournal(changed).records);
            const std::size_t kept = at < ends[1] ? 0 : 1;
            EXPECT_EQ(read, std::vector<Held>(all.begin(), all.begin() + kept))
                << "byte " << at << " changed by " << int{flip};
        }
    }
}

struct DamageCase {
    const char* name;
    std::function<std::string()> bytes;
    bool headerReadable;
    std::size_t records;
    bool damaged;
};

class JournalDamageCaseTest : public testing::TestWithParam<DamageCase> {};

TEST_P(JournalDamageCaseTest, StopsAtTheDamage) {
    const std::string bytes = GetParam().bytes();
    const JournalContents read = ReadJournal(bytes);
    EXPECT_EQ(read.headerReadable, GetParam().headerReadable);
    EXPECT_EQ(read.records.size(), GetParam().records);
    EXPECT_EQ(read.damaged, GetParam().damaged);
    if (!read.headerReadable) {
        EXPECT_EQ(read.goodBytes, 0u);
    }
}

std::string Header() {
    return corvale::JournalHeader(kIdentity);
}

std::string WithEndRow(const std::string& endRowStart) {
    return Header() + SealedWith(corvale::test::RecordRows(1, kSecond), endRowStart);
}

std::string Numbered(const std::string& number) {
    return Header() +
           Sealed(Renumbered(corvale::test::RecordRows(1, kSecond), number), number, "2");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JournalDamageCaseTest,
    testing::Values(
        DamageCase{"Empty", [] { return std::string(); }, false, 0, false},
        DamageCase{"HeaderOnly", [] { return Header(); }, true, 0, false},
        DamageCase{"HeaderWithoutLineEnd", [] { return Header().substr(0, Header().size() - 2); },
                   false, 0, true},
        DamageCase{"OtherMagicWord", [] { return "corvale-journey\t1\t0\t0000000000000000\r\n"; },
                   false, 0, true},
        DamageCase{"LaterVersion", [] { return "corvale-journal\t2\t0\t0000000000000000\r\n"; },
                   false, 0, true},
        DamageCase{"HeaderHashTooShort",
                   [] { return "corvale-journal\t1\t0\t000000000000000\r\n"; }, false, 0, true},
        DamageCase{"HeaderHashInCapitals",
                   [] { return "corvale-journal\t1\t0\t000000000000000A\r\n"; }, false, 0, true},
        DamageCase{"HeaderSizeSigned",
                   [] { return "corvale-journal\t1\t+5\t0000000000000000\r\n"; }, false, 0, true},
        DamageCase{"HeaderSizeTooLarge",
                   [] { return "corvale-journal\t1\t18446744073709551616\t0000000000000000\r\n"; },
                   false, 0, true},
        DamageCase{"HeaderWithExtraField",
                   [] { return "corvale-journal\t1\t0\t0000000000000000\t\r\n"; }, false, 0, true},
        DamageCase{"RecordsAfterAnUnreadableHeaderAreNotRead",
                   [] { return "scansion\r\n" + SealedVerse(1, kSecond, 2); }, false, 0, true},
        DamageCase{"GarbageAppended", [] { return TwoRecordJournal() + "garbage\r\n"; }, true, 2,
                   true},
        DamageCase{"GarbageWithoutLineEnd", [] { return TwoRecordJournal() + "g"; }, true, 2, true},
        DamageCase{"BlankRowAppended", [] { return TwoRecordJournal() + "\r\n"; }, true, 2, true},
        DamageCase{"GoodRecordAfterDamageIsNotTrusted",
                   [] { return Header() + "torn\r\n" + SealedVerse(1, kSecond, 2); }, true, 0,
                   true},
        DamageCase{"SecondRecordDamagedFirstKept",
                   [] {
                       std::string bytes = TwoRecordJournal();
                       bytes[bytes.size() - 30] = '#';
                       return bytes;
                   },
                   true, 1, true},
        DamageCase{"WrongChecksum",
                   [] {
                       std::string bytes = Header() + SealedVerse(1, kSecond, 2);
                       char& digit = bytes[bytes.size() - 3];
                       digit = digit == '0' ? '1' : '0';
                       return bytes;
                   },
                   true, 0, true},
        DamageCase{"ChecksumInCapitals",
                   [] {
                       std::string bytes = Header() + SealedVerse(1, kSecond, 2);
                       for (std::size_t at = bytes.size() - 18; at < bytes.size(); ++at) {
                           bytes[at] = static_cast<char>(std::toupper(bytes[at]));
                       }
                       return bytes;
                   },
                   true, 0, true},
        DamageCase{"EndRowWithoutLineEnd",
                   [] {
                       const std::string bytes = Header() + SealedVerse(1, kSecond, 2);
                       return bytes.substr(0, bytes.size() - 2);
                   },
                   true, 0, true},
        DamageCase{"RowsNumberedUnalike",
                   [] {
                       return Header() + Sealed({"1\tsyllables\tL", "1\tstress\tL",
                                                 "2\tjuncture\tL", "1\tcomment\tL\t"},
                                                "1", "2");
                   },
                   true, 0, true},
        DamageCase{
            "EndRowNumberedUnalike",
            [] { return Header() + Sealed(corvale::test::RecordRows(1, kSecond), "2", "2"); }, true,
            0, true},
        DamageCase{"RowsOutOfOrder",
                   [] {
                       return Header() + Sealed({"1\tstress\tL", "1\tsyllables\tL",
                                                 "1\tjuncture\tL", "1\tcomment\tL\t"},
                                                "1", "2");
                   },
                   true, 0, true},
        DamageCase{"KeywordMisspelt",
                   [] {
                       return Header() + Sealed({"1\tsyllables\tL", "1\tstres\tL", "1\tjuncture\tL",
                                                 "1\tcomment\tL\t"},
                                                "1", "2");
                   },
                   true, 0, true},
        DamageCase{"KeywordInCapitals",
                   [] {
                       return Header() + Sealed({"1\tSyllables\tL", "1\tstress\tL",
                                                 "1\tjuncture\tL", "1\tcomment\tL\t"},
                                                "1", "2");
                   },
                   true, 0, true},
        DamageCase{"RecordMissingARow",
                   [] {
                       return Header() +
                              Sealed({"1\tsyllables\tL", "1\tstress\tL", "1\tcomment\tL\t"}, "1",
                                     "2") +
                              SealedVerse(2, kSecond, 3);
                   },
                   true, 0, true},
        DamageCase{"NumberWithLeadingZero", [] { return Numbered("01"); }, true, 0, true},
        DamageCase{"NumberPastThirtyTwoBits", [] { return Numbered("2147483648"); }, true, 0, true},
        DamageCase{"NegativeNumber", [] { return Numbered("-1"); }, true, 0, true},
        DamageCase{"NumberWithSpace", [] { return Numbered(" 1"); }, true, 0, true},
        DamageCase{"LineShownNotANumber", [] { return WithEndRow("1\tend\tx\t"); }, true, 0, true},
        DamageCase{"LineShownWithLeadingZero", [] { return WithEndRow("1\tend\t02\t"); }, true, 0,
                   true},
        DamageCase{"EndKeywordMisspelt", [] { return WithEndRow("1\tEnd\t2\t"); }, true, 0, true},
        DamageCase{"EndRowWithExtraField", [] { return WithEndRow("1\tend\t2\t\t"); }, true, 0,
                   true},
        DamageCase{"EndRowWithTooFewFields", [] { return WithEndRow("1\tend\t"); }, true, 0, true},
        DamageCase{
            "RowZeroIsSkippedNotDamage",
            [] { return Header() + SealedVerse(0, kSecond, 1) + SealedVerse(1, kSecond, 2); }, true,
            1, false}),
    [](const auto& info) { return info.param.name; });

// ---------------------------------------------------------------------------------------------
// The content identity.

TEST(JournalIdentityTest, EqualBytesEqualIdentityAndAnyChangeShows) {
    const std::string bytes = corvale::test::ScansionFile({kFirst, kSecond});
    EXPECT_EQ(corvale::IdentityOf(bytes), corvale::IdentityOf(std::string(bytes)));
    EXPECT_EQ(corvale::IdentityOf(bytes).size, bytes.size());
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        std::string changed = bytes;
        changed[at] = static_cast<char>(changed[at] ^ 0x01);
        EXPECT_NE(corvale::IdentityOf(changed).hash, corvale::IdentityOf(bytes).hash) << at;
    }
    EXPECT_NE(corvale::IdentityOf(bytes + '\0'), corvale::IdentityOf(bytes));
}

// The hash is XXH64 with seed 0; journals written by any build must be recognised by any
// other, so these values may never change. Lengths reach every path: bytes, half words, words
// and 32-byte stripes.
TEST(JournalIdentityTest, HashIsFixed) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte) {
        all += static_cast<char>(byte);
    }
    const struct {
        std::string bytes;
        std::uint64_t hash;
    } cases[] = {
        {"", 0xef46db3751d8e999ULL},
        {"a", 0xd24ec4f1a98c6e5bULL},
        {"abcd", 0xde0327b0d25d92ccULL},
        {"abcdefgh", 0x3ad351775b4634b7ULL},
        {std::string(31, 'x'), 0x60dd0d01083b99f0ULL},
        {std::string(32, 'x'), 0xe2df261fc2ec30ebULL},
        {std::string(33, 'x'), 0xb3fa465f554208a6ULL},
        {std::string(1000, 'x'), 0x4cb9a3b69cb700e1ULL},
        {all, 0x1facbe8406cd904bULL},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(corvale::ContentHash(c.bytes), c.hash) << c.bytes.size() << " bytes";
    }
    EXPECT_EQ(corvale::IdentityOf(""), (ContentIdentity{0, 0xef46db3751d8e999ULL}));
}

TEST(JournalIdentityTest, HeaderCarriesTheIdentity) {
    for (const ContentIdentity identity :
         {ContentIdentity{0, 0}, kIdentity, ContentIdentity{~0ULL, ~0ULL}}) {
        const JournalContents read = ReadJournal(corvale::JournalHeader(identity));
        EXPECT_TRUE(read.headerReadable);
        EXPECT_EQ(read.identity, identity);
    }
}

// ---------------------------------------------------------------------------------------------
// Names.

struct NameCase {
    const char* name;
    std::string scansion;
    std::string journal;
    std::string kept;
};

class JournalNamesTest : public testing::TestWithParam<NameCase> {};

TEST_P(JournalNamesTest, JournalAndKeptNamesLieBesideTheFile) {
    EXPECT_EQ(corvale::JournalName(GetParam().scansion), GetParam().journal);
    const Strings kept = corvale::KeptNames(GetParam().scansion, 3);
    const std::string stem = GetParam().kept;
    EXPECT_EQ(kept, (Strings{stem + ".txt", stem + "-2.txt", stem + "-3.txt"}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JournalNamesTest,
    testing::Values(
        NameCase{"InTheProgramFolder", "ode.txt", ".ode.txt.corvale-journal",
                 "ode.txt.unsaved-corrections"},
        NameCase{"InASubfolder", "poems/ode.txt", "poems/.ode.txt.corvale-journal",
                 "poems/ode.txt.unsaved-corrections"},
        NameCase{"InNestedFoldersWithDots", "my.poems/v1.2/ode.final.txt",
                 "my.poems/v1.2/.ode.final.txt.corvale-journal",
                 "my.poems/v1.2/ode.final.txt.unsaved-corrections"},
        NameCase{"WithoutExtension", "ode", ".ode.corvale-journal", "ode.unsaved-corrections"},
        NameCase{"AlreadyHidden", ".ode.txt", "..ode.txt.corvale-journal",
                 ".ode.txt.unsaved-corrections"},
        NameCase{"NonAsciiBytes", "caf\xe9/\xe9t\xe9.txt", "caf\xe9/.\xe9t\xe9.txt.corvale-journal",
                 "caf\xe9/\xe9t\xe9.txt.unsaved-corrections"}),
    [](const auto& info) { return info.param.name; });

TEST(JournalNamesTest, KeptNamesRunToTheCount) {
    const Strings kept = corvale::KeptNames("ode.txt", corvale::kKeptNameCount);
    ASSERT_EQ(kept.size(), corvale::kKeptNameCount);
    EXPECT_EQ(kept.back(), "ode.txt.unsaved-corrections-1000.txt");
    EXPECT_EQ(corvale::KeptNames("ode.txt", 1), Strings{"ode.txt.unsaved-corrections.txt"});
}

// ---------------------------------------------------------------------------------------------
// Records against the store: what a load after a save would hold.

// The verses saved as a scansion file and loaded again, as the store is at start-up.
struct LoadedFile {
    explicit LoadedFile(const std::vector<Verse>& verses) : workspace(platform) {
        platform.WriteFile("poem.txt", corvale::test::ScansionFile(verses));
        workspace.WorkingFileName = "poem.txt";
        workspace.LoadScansionFile();
    }
    corvale::test::ScriptedPlatform platform;
    corvale::Workspace workspace;
};

struct MatchCase {
    const char* name;
    std::vector<Verse> journaled;  // the store the journal was written from
    std::vector<Commit> commits;
    bool matches;  // the saved file holds what the journal does
};

class JournalMatchTest : public testing::TestWithParam<MatchCase> {};

TEST_P(JournalMatchTest, TellsWhetherRestoringWouldChangeTheStore) {
    const MatchCase& c = GetParam();
    const std::string bytes = JournalOf(StoreOf(c.journaled, 6), c.commits, 6);
    const JournalContents read = ReadJournal(bytes);
    const LoadedFile file({kFirst, kSecond});
    EXPECT_EQ(corvale::JournalMatchesStore(read.records, file.workspace.GetStore()), c.matches);
}

const Verse kFirstChanged{
    kFirst.text, kFirst.syllables, {"1", "3", "1", "4", "3"}, kFirst.junctures, kFirst.comment};
const Verse kFirstWithTrailingSpace{kFirst.text, kFirst.syllables, kFirst.stresses,
                                    kFirst.junctures, kFirst.comment + "  "};
const Verse kFirstWithMorePositions{kFirst.text,
                                    {"Shall", "I", "com", "pare", "thee", "to"},
                                    kFirst.stresses,
                                    kFirst.junctures,
                                    kFirst.comment};

INSTANTIATE_TEST_SUITE_P(
    Cases, JournalMatchTest,
    testing::Values(MatchCase{"SameLines", {kFirst, kSecond}, {{1, 2}, {2, 3}}, true},
                    MatchCase{"OneValueDiffers", {kFirstChanged, kSecond}, {{1, 2}, {2, 3}}, false},
                    MatchCase{"CommentDiffersOnlyInTrailingSpaces",
                              {kFirstWithTrailingSpace, kSecond},
                              {{1, 2}},
                              true},
                    MatchCase{"RecordHoldsMorePositionsThanTheFile",
                              {kFirstWithMorePositions, kSecond},
                              {{1, 2}},
                              false},
                    MatchCase{"LineBeyondTheFileIsNotCounted",
                              {kFirst, kSecond, kSecond},
                              {{1, 2}, {3, 4}},
                              true},
                    MatchCase{"NoRecords", {kFirst, kSecond}, {}, true}),
    [](const auto& info) { return info.param.name; });

TEST(JournalMatchTest, TheLastRecordOfALineDecides) {
    const LoadedFile file({kFirst, kSecond});
    const Store changed = StoreOf({kFirstChanged, kSecond}, 5);
    const Store same = StoreOf({kFirst, kSecond}, 5);
    std::string changedThenBack = Header();
    AppendJournalRecord(changedThenBack, changed, 1, 5, 2);
    AppendJournalRecord(changedThenBack, same, 1, 5, 2);
    std::string backThenChanged = Header();
    AppendJournalRecord(backThenChanged, same, 1, 5, 2);
    AppendJournalRecord(backThenChanged, changed, 1, 5, 2);
    const Store& loaded = file.workspace.GetStore();
    EXPECT_TRUE(corvale::JournalMatchesStore(ReadJournal(changedThenBack).records, loaded));
    EXPECT_FALSE(corvale::JournalMatchesStore(ReadJournal(backThenChanged).records, loaded));
}

TEST(JournalMatchTest, RecordOutsideTheStoreNeverMatches) {
    const LoadedFile file({kFirst});
    JournalRecord beyond;
    beyond.line = 2;
    EXPECT_FALSE(corvale::RecordMatchesStore(beyond, file.workspace.GetStore()));
}

TEST(JournalRestoreTest, LaterRecordsForALineWin) {
    const std::string bytes = Header() + SealedVerse(1, kFirst, 2) + SealedVerse(2, kSecond, 3) +
                              SealedVerse(1, kFirstChanged, 2);
    const JournalContents read = ReadJournal(bytes);
    Store store;
    store.Redimension(2, 5);
    for (const JournalRecord& record : read.records) {
        corvale::RestoreRecord(store, record);
    }
    EXPECT_EQ(store.Value(corvale::ValueRow::Stresses, 1, 5), "3");
    EXPECT_EQ(store.Value(corvale::ValueRow::Syllables, 2, 2), "art");
    EXPECT_EQ(read.records.back().lineShownAfter, 2);
}

TEST(JournalRestoreTest, RecordBeyondTheStoreChangesNothing) {
    const std::string bytes = Header() + SealedVerse(3, kFirst, 2);
    const JournalContents read = ReadJournal(bytes);
    ASSERT_EQ(read.records.size(), 1u);
    Store store;
    store.Redimension(2, 5);
    corvale::RestoreRecord(store, read.records[0]);
    for (std::int32_t j = 0; j <= 2; ++j) {
        EXPECT_EQ(store.LineText(j), "");
    }
}

struct CountCase {
    const char* name;
    std::vector<int> lines;
    std::size_t verseLines;
};

class JournalCountTest : public testing::TestWithParam<CountCase> {};

TEST_P(JournalCountTest, CountsEachVerseLineOnce) {
    std::string bytes = Header();
    for (const int line : GetParam().lines) {
        bytes += SealedVerse(line, kSecond, line + 1);
    }
    EXPECT_EQ(corvale::CountVerseLines(ReadJournal(bytes).records), GetParam().verseLines);
}

INSTANTIATE_TEST_SUITE_P(Cases, JournalCountTest,
                         testing::Values(CountCase{"None", {}, 0}, CountCase{"One", {7}, 1},
                                         CountCase{"Repeated", {1, 2, 1, 3, 2, 1}, 3},
                                         CountCase{"RowZeroNotCounted", {0, 4}, 1}),
                         [](const auto& info) { return info.param.name; });

TEST(JournalCountTest, MostPositionsOfAnyKind) {
    std::string bytes =
        Header() + SealedVerse(1, kSecond, 2) +
        Sealed({"2\tsyllables\tL", "2\tstress\tL\t1", "2\tjuncture\tL\t1\t\t3", "2\tcomment\tL"},
               "2", "3");
    EXPECT_EQ(corvale::MostPositions(ReadJournal(bytes).records), 3);
    EXPECT_EQ(corvale::MostPositions({}), 0);
}

}  // namespace
