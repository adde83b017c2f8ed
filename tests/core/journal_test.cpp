#include "scansion/Journal.h"
#include "scansion/ContentHash.h"
#include "scansion/RecordFormat.h"
#include "scansion/Workspace.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace corvale {
// Failures show a record's texts rather than its bytes.
void PrintTo(const JournalRecord& r, std::ostream* out) {
    *out << r.line << " [" << r.lineText << "] " << testing::PrintToString(r.syllables)
         << testing::PrintToString(r.stresses) << testing::PrintToString(r.junctures) << " ["
         << r.comment << "] -> " << r.lineShownAfter;
}
}  // namespace corvale

namespace {

using corvale::AppendJournalRecord;
using corvale::ContentIdentity;
using corvale::JournalContents;
using corvale::JournalRecord;
using corvale::ReadJournal;
using corvale::Store;
using corvale::test::RecordRows;
using corvale::test::Verse;
using Records = std::vector<JournalRecord>;
using Strings = std::vector<std::string>;

constexpr ContentIdentity kIdentity{1234, 0x0123456789abcdefULL};

const Verse kFirst{"Shall I compare",
                   {"Shall", "I", "com", "pare"},
                   {"1", "3", "1", "4"},
                   {"2", "1", "1", "3"},
                   "first line"};
const Verse kSecond{"Thou art", {"Thou", "art"}, {"2", "4"}, {"1", "1"}, ""};
const JournalRecord kFirstRead{1,
                               "Shall I compare",
                               {"Shall", "I", "com", "pare"},
                               {"1", "3", "1", "4"},
                               {"2", "1", "1", "3"},
                               "first line",
                               2};
const JournalRecord kSecondRead{2, "Thou art", {"Thou", "art"}, {"2", "4"}, {"1", "1"}, "", 3};

// A store of the verses, numbered from 1, with room for `positions` positions.
Store StoreOf(const std::vector<Verse>& verses, std::int32_t positions) {
    Store store;
    store.Redimension(static_cast<std::int32_t>(verses.size()), positions);
    for (std::size_t i = 0; i < verses.size(); ++i) {
        const Verse& v = verses[i];
        const auto views = [](const Strings& t) {
            return std::vector<std::string_view>(t.begin(), t.end());
        };
        store.SetRecord(static_cast<std::int32_t>(i + 1), v.text, v.comment, views(v.syllables),
                        views(v.stresses), views(v.junctures));
    }
    return store;
}

std::string Header() {
    return corvale::JournalHeader(kIdentity);
}

// One commit: verse line `line` as the store holds it, and the line shown afterwards.
struct Commit {
    std::int32_t line;
    std::int32_t shownAfter;
};

std::string JournalOf(const Store& store, const std::vector<Commit>& commits) {
    std::string bytes = Header();
    for (const Commit& commit : commits) {
        AppendJournalRecord(bytes, store, commit.line, store.MaximumPositions(), commit.shownAfter);
    }
    return bytes;
}

// Rows with CR LF, then an end row that starts as given and carries the right checksum, so that
// only the other checks can refuse the record.
std::string SealedWith(const Strings& rows, const std::string& endRowStart) {
    std::string record = corvale::test::Rows(rows) + endRowStart;
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx",
                  static_cast<unsigned long long>(corvale::ContentHash(record)));
    return record + hex + "\r\n";
}

std::string Sealed(const Strings& rows, const std::string& number, const std::string& shown) {
    return SealedWith(rows, number + "\tend\t" + shown + "\t");
}

std::string SealedVerse(int number, const Verse& verse, int shown) {
    return Sealed(RecordRows(number, verse), std::to_string(number), std::to_string(shown));
}

// ---------------------------------------------------------------------------------------------
// Encoding from the store, then reading: what comes back is what the saved file would give.

struct RoundTripCase {
    const char* name;
    std::vector<Verse> verses;
    std::vector<Commit> commits;
    Records expected;
};

class JournalRoundTripTest : public testing::TestWithParam<RoundTripCase> {};

TEST_P(JournalRoundTripTest, ReadsBackWhatTheFileWouldHold) {
    const RoundTripCase& c = GetParam();
    const Store store = StoreOf(c.verses, 4);
    const std::string bytes = JournalOf(store, c.commits);
    const JournalContents read = ReadJournal(bytes);
    EXPECT_TRUE(read.headerReadable);
    EXPECT_EQ(read.identity, kIdentity);
    EXPECT_FALSE(read.damaged);
    EXPECT_EQ(read.goodBytes, bytes.size());
    EXPECT_EQ(read.records, c.expected);
    // Each record holds exactly the rows the saved file holds for its verse line.
    for (const Commit& commit : c.commits) {
        std::string rows;
        corvale::AppendRecord(rows, store, commit.line, 4);
        EXPECT_NE(bytes.find(rows), std::string::npos) << "verse line " << commit.line;
    }
}

// Restoring the records and journaling the store again gives the records as they were read.
TEST_P(JournalRoundTripTest, RestoringGivesTheJournaledRows) {
    const RoundTripCase& c = GetParam();
    const std::string bytes = JournalOf(StoreOf(c.verses, 4), c.commits);
    Store restored;
    restored.Redimension(static_cast<std::int32_t>(c.verses.size()), 4);
    for (const JournalRecord& record : ReadJournal(bytes).records) {
        corvale::RestoreRecord(restored, record);
        EXPECT_TRUE(corvale::RecordMatchesStore(record, restored));
        std::string fromStore;
        AppendJournalRecord(fromStore, restored, record.line, 4, record.lineShownAfter);
        std::string asRead;
        AppendJournalRecord(asRead, record);
        EXPECT_EQ(fromStore, asRead);
    }
}

const std::string kNonAscii = "caf\xc3\xa9 \x93quoted\x94";

INSTANTIATE_TEST_SUITE_P(
    Cases, JournalRoundTripTest,
    testing::Values(RoundTripCase{"TwoLinesWithDifferentPositionCounts",
                                  {kFirst, kSecond},
                                  {{2, 3}, {1, 2}},
                                  {kSecondRead, kFirstRead}},
                    RoundTripCase{
                        "BlankValuesKeepTheirPlaceAsTheFileKeepsThem",
                        {{"a b c", {"a", "", "c"}, {" 2 ", " ", "4"}, {"", "", "1"}, "x"}},
                        {{1, 1}},
                        {{1, "a b c", {"a", "", "c"}, {"2", "", "4"}, {"", "", "1"}, "x", 1}}},
                    RoundTripCase{"CommentLineBreaksAndTabsBecomeSpaces",
                                  {{"t", {"a"}, {"1"}, {"1"}, "one\r\ntwo\nthree\rfour\tfive"}},
                                  {{1, 1}},
                                  {{1, "t", {"a"}, {"1"}, {"1"}, "one two three four five", 1}}},
                    RoundTripCase{"EmptyCommentAndNoValues",
                                  {{"", {}, {}, {}, ""}},
                                  {{1, 1}},
                                  {{1, "", {}, {}, {}, "", 1}}},
                    RoundTripCase{"NonAsciiBytesKept",
                                  {{kNonAscii, {"\xe9"}, {"1"}, {"3"}, kNonAscii}},
                                  {{1, 1}},
                                  {{1, kNonAscii, {"\xe9"}, {"1"}, {"3"}, kNonAscii, 1}}},
                    RoundTripCase{"TrailingSpacesGoAsOnLoading",
                                  {{"  line  ", {"a"}, {"1"}, {"1"}, "  comment  "}},
                                  {{1, 1}},
                                  {{1, "  line  ", {"a"}, {"1"}, {"1"}, "  comment", 1}}}),
    [](const auto& info) { return info.param.name; });

// ---------------------------------------------------------------------------------------------
// Records written by hand: each field read as the scansion reader reads it, and written again
// as it stands to bytes that read the same.

struct FieldsCase {
    const char* name;
    std::string record;  // sealed
    JournalRecord expected;
};

class JournalFieldsTest : public testing::TestWithParam<FieldsCase> {};

TEST_P(JournalFieldsTest, ReadsAndRewritesTheFields) {
    const std::string bytes = Header() + GetParam().record;
    const JournalContents read = ReadJournal(bytes);
    EXPECT_FALSE(read.damaged);
    ASSERT_EQ(read.records, Records{GetParam().expected});
    std::string rewritten = Header();
    AppendJournalRecord(rewritten, read.records[0]);
    const JournalContents again = ReadJournal(rewritten);
    EXPECT_FALSE(again.damaged);
    EXPECT_EQ(again.records, read.records);
}

std::string WithoutCarriageReturns(std::string bytes) {
    std::erase(bytes, '\r');
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JournalFieldsTest,
    testing::Values(
        FieldsCase{"EmptyFieldsInsideKeepTheirPositions",
                   Sealed({"4\tsyllables\tL\ta\t\tc", "4\tstress\tL\t\t2", "4\tjuncture\tL",
                           "4\tcomment\tL\tnote"},
                          "4", "5"),
                   {4, "L", {"a", "", "c"}, {"", "2"}, {}, "note", 5}},
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
                   Sealed({"3\tsyllables\tfirst\ta", "3\tstress\tsecond", "3\tjuncture",
                           "3\tcomment\tfourth\tc"},
                          "3", "0"),
                   {3, "first", {"a"}, {}, {}, "c", 0}},
        FieldsCase{"CarriageReturnInsideARowIsKept",
                   Sealed({"1\tsyllables\tL\ra\tb\r", "1\tstress\tL", "1\tjuncture\tL",
                           "1\tcomment\tL\tc\r"},
                          "1", "2"),
                   {1, "L\ra", {"b\r"}, {}, {}, "c\r", 2}},
        FieldsCase{"LoneLineFeedsEndRows", WithoutCarriageReturns(SealedVerse(2, kSecond, 3)),
                   kSecondRead},
        FieldsCase{
            "LargestNumbers",
            SealedVerse(2147483647, kSecond, 2147483647),
            {2147483647, "Thou art", {"Thou", "art"}, {"2", "4"}, {"1", "1"}, "", 2147483647}}),
    [](const auto& info) { return info.param.name; });

// ---------------------------------------------------------------------------------------------
// Damage: nothing after it is trusted, and nothing wrong is ever returned.

struct TwoRecords {
    TwoRecords() {
        const Store store = StoreOf({kFirst, kSecond}, 4);
        bytes = JournalOf(store, {{1, 2}, {2, 3}});
        std::string first;
        AppendJournalRecord(first, store, 1, 4, 2);
        ends = {Header().size(), Header().size() + first.size(), bytes.size()};
    }
    std::string bytes;
    std::vector<std::size_t> ends;  // of the header, and of each record
};

TEST(JournalDamageTest, TruncatedAtEveryByteKeepsOnlyWholeRecords) {
    const TwoRecords journal;
    const Records all{kFirstRead, kSecondRead};
    for (std::size_t cut = 0; cut <= journal.bytes.size(); ++cut) {
        const JournalContents read = ReadJournal(std::string_view(journal.bytes).substr(0, cut));
        const auto whole =
            static_cast<std::size_t>(std::count_if(journal.ends.begin() + 1, journal.ends.end(),
                                                   [&](std::size_t end) { return end <= cut; }));
        const std::size_t good = journal.ends[whole];
        EXPECT_EQ(read.headerReadable, cut >= journal.ends[0]) << "cut at " << cut;
        EXPECT_EQ(read.records, Records(all.begin(), all.begin() + whole)) << "cut at " << cut;
        EXPECT_EQ(read.damaged, cut != 0 && cut != good) << "cut at " << cut;
        EXPECT_EQ(read.goodBytes, cut >= journal.ends[0] ? good : 0) << "cut at " << cut;
    }
}

TEST(JournalDamageTest, ChangedByteAnywhereNeverGivesAWrongRecord) {
    const TwoRecords journal;
    const Records all{kFirstRead, kSecondRead};
    for (std::size_t at = journal.ends[0]; at < journal.bytes.size(); ++at) {
        for (const char flip : {'\x01', '\x20', '\x0c'}) {
            std::string changed = journal.bytes;
            changed[at] = static_cast<char>(changed[at] ^ flip);
            const std::size_t kept = at < journal.ends[1] ? 0 : 1;
            EXPECT_EQ(ReadJournal(changed).records, Records(all.begin(), all.begin() + kept))
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
    const JournalContents read = ReadJournal(GetParam().bytes());
    EXPECT_EQ(read.headerReadable, GetParam().headerReadable);
    EXPECT_EQ(read.records.size(), GetParam().records);
    EXPECT_EQ(read.damaged, GetParam().damaged);
}

std::string HeaderRow(const std::string& fields) {
    return "corvale-journal\t" + fields + "\r\n";
}

// A record of kSecond whose end row starts as given, sealed.
std::string WithEndRow(const std::string& endRowStart) {
    return Header() + SealedWith(RecordRows(1, kSecond), endRowStart);
}

// A record of kSecond, sealed, with this text as every row's number.
std::string Numbered(const std::string& number) {
    Strings rows = RecordRows(1, kSecond);
    for (std::string& row : rows) {
        row.replace(0, 1, number);
    }
    return Header() + Sealed(rows, number, "2");
}

// A sealed record whose first two rows are numbered and named as given.
std::string FirstRowsAs(const std::string& n1, const std::string& k1, const std::string& n2,
                        const std::string& k2) {
    return Header() + Sealed({n1 + "\t" + k1 + "\tL", n2 + "\t" + k2 + "\tL", "1\tjuncture\tL",
                              "1\tcomment\tL\t"},
                             "1", "2");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JournalDamageCaseTest,
    testing::Values(
        DamageCase{"Empty", [] { return ""; }, false, 0, false},
        DamageCase{"HeaderOnly", [] { return Header(); }, true, 0, false},
        DamageCase{"HeaderWithoutLineEnd", [] { return Header().substr(0, 40); }, false, 0, true},
        DamageCase{"OtherMagicWord", [] { return "corvale-journey\t1\t0\t0000000000000000\r\n"; },
                   false, 0, true},
        DamageCase{"LaterVersion", [] { return HeaderRow("2\t0\t0000000000000000"); }, false, 0,
                   true},
        DamageCase{"HeaderHashShort", [] { return HeaderRow("1\t0\t000000000000000"); }, false, 0,
                   true},
        DamageCase{"HeaderHashInCapitals", [] { return HeaderRow("1\t0\t00000000000000AB"); },
                   false, 0, true},
        DamageCase{"HeaderSizeSigned", [] { return HeaderRow("1\t+5\t0000000000000000"); }, false,
                   0, true},
        DamageCase{"HeaderSizePast64Bits",
                   [] { return HeaderRow("1\t18446744073709551616\t0000000000000000"); }, false, 0,
                   true},
        DamageCase{"RecordsAfterAnUnreadableHeaderAreNotRead",
                   [] { return "scansion\r\n" + SealedVerse(1, kSecond, 2); }, false, 0, true},
        DamageCase{"GarbageAppended", [] { return TwoRecords().bytes + "garbage\r\n"; }, true, 2,
                   true},
        DamageCase{"GoodRecordAfterDamageIsNotTrusted",
                   [] { return Header() + "torn\r\n" + SealedVerse(1, kSecond, 2); }, true, 0,
                   true},
        DamageCase{"WrongChecksum",
                   [] {
                       std::string bytes = Header() + SealedVerse(1, kSecond, 2);
                       char& digit = bytes[bytes.size() - 3];
                       digit = digit == '0' ? '1' : '0';
                       return bytes;
                   },
                   true, 0, true},
        DamageCase{"RowsNumberedUnalike",
                   [] { return FirstRowsAs("1", "syllables", "2", "stress"); }, true, 0, true},
        DamageCase{"RowsOutOfOrder", [] { return FirstRowsAs("1", "stress", "1", "syllables"); },
                   true, 0, true},
        DamageCase{"KeywordMisspelt", [] { return FirstRowsAs("1", "syllables", "1", "stres"); },
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
        DamageCase{"NumberPast32Bits", [] { return Numbered("2147483648"); }, true, 0, true},
        DamageCase{"NegativeNumber", [] { return Numbered("-1"); }, true, 0, true},
        DamageCase{"EndRowNumberedUnalike", [] { return WithEndRow("2\tend\t2\t"); }, true, 0,
                   true},
        DamageCase{"EndKeywordMisspelt", [] { return WithEndRow("1\tEnd\t2\t"); }, true, 0, true},
        DamageCase{"LineShownNotANumber", [] { return WithEndRow("1\tend\tx\t"); }, true, 0, true},
        DamageCase{"EndRowWithExtraField", [] { return WithEndRow("1\tend\t2\t\t"); }, true, 0,
                   true},
        DamageCase{
            "RowZeroIsSkippedNotDamage",
            [] { return Header() + SealedVerse(0, kSecond, 1) + SealedVerse(1, kSecond, 2); }, true,
            1, false}),
    [](const auto& info) { return info.param.name; });

// ---------------------------------------------------------------------------------------------
// The content identity.

TEST(JournalIdentityTest, EqualBytesEqualIdentityAndAnyChangeShows) {
    const std::string bytes = corvale::test::ScansionFile({kFirst, kSecond});
    const ContentIdentity identity = corvale::IdentityOf(bytes);
    EXPECT_EQ(corvale::IdentityOf(std::string(bytes)), identity);
    EXPECT_EQ(identity.size, bytes.size());
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        std::string changed = bytes;
        changed[at] = static_cast<char>(changed[at] ^ 0x01);
        EXPECT_NE(corvale::IdentityOf(changed).hash, identity.hash) << at;
    }
    EXPECT_NE(corvale::IdentityOf(bytes + '\0'), identity);
    const ContentIdentity largest{~0ULL, ~0ULL};
    EXPECT_EQ(ReadJournal(corvale::JournalHeader(largest)).identity, largest);
}

// The hash is XXH64 with seed 0, and journals written by one build must be recognised by every
// other, so these values may never change. The lengths reach single bytes, half words, words
// and 32-byte stripes.
TEST(JournalIdentityTest, HashIsFixed) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte) {
        all += static_cast<char>(byte);
    }
    const std::vector<std::pair<std::string, std::uint64_t>> cases = {
        {"", 0xef46db3751d8e999ULL},
        {"a", 0xd24ec4f1a98c6e5bULL},
        {"abcd", 0xde0327b0d25d92ccULL},
        {"abcdefgh", 0x3ad351775b4634b7ULL},
        {std::string(31, 'x'), 0x60dd0d01083b99f0ULL},
        {std::string(33, 'x'), 0xb3fa465f554208a6ULL},
        {all, 0x1facbe8406cd904bULL},
    };
    for (const auto& [bytes, hash] : cases) {
        EXPECT_EQ(corvale::ContentHash(bytes), hash) << bytes.size() << " bytes";
    }
    EXPECT_EQ(corvale::IdentityOf(""), (ContentIdentity{0, 0xef46db3751d8e999ULL}));
}

// ---------------------------------------------------------------------------------------------
// Names.

struct NameCase {
    const char* name;
    std::string scansion;
    std::string journal;
    std::string keptStem;
};

class JournalNamesTest : public testing::TestWithParam<NameCase> {};

TEST_P(JournalNamesTest, JournalAndKeptNamesLieBesideTheFile) {
    EXPECT_EQ(corvale::JournalName(GetParam().scansion), GetParam().journal);
    const std::string& stem = GetParam().keptStem;
    EXPECT_EQ(corvale::KeptNames(GetParam().scansion, 3),
              (Strings{stem + ".txt", stem + "-2.txt", stem + "-3.txt"}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JournalNamesTest,
    testing::Values(
        NameCase{"InTheProgramFolder", "ode.txt", ".ode.txt.corvale-journal",
                 "ode.txt.unsaved-corrections"},
        NameCase{"InASubfolder", "poems/ode.txt", "poems/.ode.txt.corvale-journal",
                 "poems/ode.txt.unsaved-corrections"},
        NameCase{"NestedFoldersWithDots", "my.poems/v1.2/ode.final.txt",
                 "my.poems/v1.2/.ode.final.txt.corvale-journal",
                 "my.poems/v1.2/ode.final.txt.unsaved-corrections"},
        NameCase{"AlreadyHidden", ".ode", "..ode.corvale-journal", ".ode.unsaved-corrections"},
        NameCase{"NonAsciiBytes", "caf\xe9/\xe9t\xe9.txt", "caf\xe9/.\xe9t\xe9.txt.corvale-journal",
                 "caf\xe9/\xe9t\xe9.txt.unsaved-corrections"}),
    [](const auto& info) { return info.param.name; });

TEST(JournalNamesTest, KeptNamesRunToTheCount) {
    const Strings kept = corvale::KeptNames("ode.txt", corvale::kKeptNameCount);
    ASSERT_EQ(kept.size(), corvale::kKeptNameCount);
    EXPECT_EQ(kept.back(), "ode.txt.unsaved-corrections-1000.txt");
}

// ---------------------------------------------------------------------------------------------
// Records against the store as loading the saved file leaves it.

struct MatchCase {
    const char* name;
    std::vector<Verse> journaled;  // the store the journal was written from
    std::vector<Commit> commits;
    bool matches;
};

class JournalMatchTest : public testing::TestWithParam<MatchCase> {};

TEST_P(JournalMatchTest, TellsWhetherRestoringWouldChangeTheLoadedFile) {
    corvale::test::ScriptedPlatform platform;
    platform.WriteFile("poem.txt", corvale::test::ScansionFile({kFirst, kSecond}));
    corvale::Workspace loaded(platform);
    loaded.WorkingFileName = "poem.txt";
    loaded.LoadScansionFile();
    const std::string bytes = JournalOf(StoreOf(GetParam().journaled, 5), GetParam().commits);
    EXPECT_EQ(corvale::JournalMatchesStore(ReadJournal(bytes).records, loaded.GetStore()),
              GetParam().matches);
}

const Verse kFirstChanged{
    kFirst.text, kFirst.syllables, {"1", "3", "1", "3"}, kFirst.junctures, kFirst.comment};
const Verse kFirstSpaced{kFirst.text, kFirst.syllables, kFirst.stresses, kFirst.junctures,
                         kFirst.comment + "  "};
const Verse kFirstLonger{kFirst.text,
                         {"Shall", "I", "com", "pare", "thee"},
                         kFirst.stresses,
                         kFirst.junctures,
                         kFirst.comment};

INSTANTIATE_TEST_SUITE_P(
    Cases, JournalMatchTest,
    testing::Values(
        MatchCase{"SameLines", {kFirst, kSecond}, {{1, 2}, {2, 3}}, true},
        MatchCase{"OneValueDiffers", {kFirstChanged, kSecond}, {{1, 2}, {2, 3}}, false},
        MatchCase{"CommentDiffersInTrailingSpaces", {kFirstSpaced, kSecond}, {{1, 2}}, true},
        MatchCase{"MorePositionsThanTheFile", {kFirstLonger, kSecond}, {{1, 2}}, false},
        MatchCase{"LineBeyondTheFileIsNotRestored", {kFirst, kSecond, kSecond}, {{3, 4}}, true}),
    [](const auto& info) { return info.param.name; });

TEST(JournalRestoreTest, LaterRecordsForALineWinAndAreCountedOnce) {
    const std::string bytes = Header() + SealedVerse(1, kFirst, 2) + SealedVerse(2, kSecond, 3) +
                              SealedVerse(1, kFirstChanged, 2) + SealedVerse(0, kFirst, 1);
    const JournalContents read = ReadJournal(bytes);
    ASSERT_EQ(read.records.size(), 3u);
    Store store;
    store.Redimension(2, 4);
    for (const JournalRecord& record : read.records) {
        corvale::RestoreRecord(store, record);
    }
    EXPECT_EQ(store.Value(corvale::ValueRow::Stresses, 1, 4), "3");
    EXPECT_TRUE(corvale::JournalMatchesStore(read.records, store));
    EXPECT_FALSE(corvale::RecordMatchesStore(read.records[0], store));
    EXPECT_EQ(corvale::CountVerseLines(read.records), 2u);
    EXPECT_EQ(corvale::CountVerseLines({}), 0u);
    EXPECT_EQ(corvale::MostPositions(read.records), 4);
}

}  // namespace
