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

const Verse kFirst{"Shall I", {"Shall", "I", "com"}, {"1", "3", "4"}, {"2", "1", "3"}, "first"};
const Verse kSecond{"Thou art", {"Thou", "art"}, {"2", "4"}, {"1", "1"}, ""};
const JournalRecord kFirstRead{
    1, "Shall I", {"Shall", "I", "com"}, {"1", "3", "4"}, {"2", "1", "3"}, "first", 2};
const JournalRecord kSecondRead{2, "Thou art", {"Thou", "art"}, {"2", "4"}, {"1", "1"}, "", 3};

// A store of the verses, numbered from 1, with room for `positions` positions.
Store StoreOf(const std::vector<Verse>& verses, std::int32_t positions) {
    Store store;
    store.Redimension(static_cast<std::int32_t>(verses.size()), positions);
    const auto views = [](const Strings& t) {
        return std::vector<std::string_view>(t.begin(), t.end());
    };
    for (std::size_t i = 0; i < verses.size(); ++i) {
        const Verse& v = verses[i];
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
std::string Sealed(const Strings& rows, const std::string& endRowStart) {
    std::string record = corvale::test::Rows(rows) + endRowStart;
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx",
                  static_cast<unsigned long long>(corvale::ContentHash(record)));
    return record + hex + "\r\n";
}

std::string SealedVerse(int number, const Verse& verse, int shown) {
    return Sealed(RecordRows(number, verse),
                  std::to_string(number) + "\tend\t" + std::to_string(shown) + "\t");
}

// ---------------------------------------------------------------------------------------------
// Encoding from the store, reading and restoring: what comes back is what the saved file would
// give. (The fuzz target checks that restored records journal again as they were read.)

struct RoundTripCase {
    const char* name;
    std::vector<Verse> verses;
    std::vector<Commit> commits;
    Records expected;
};

class JournalRoundTripTest : public testing::TestWithParam<RoundTripCase> {};

TEST_P(JournalRoundTripTest, ReadsBackWhatTheFileWouldHoldAndRestoresIt) {
    const RoundTripCase& c = GetParam();
    const Store store = StoreOf(c.verses, 4);
    const std::string bytes = JournalOf(store, c.commits);
    const JournalContents read = ReadJournal(bytes);
    EXPECT_TRUE(read.headerReadable);
    EXPECT_EQ(read.identity, kIdentity);
    EXPECT_FALSE(read.damaged);
    EXPECT_EQ(read.goodBytes, bytes.size());
    EXPECT_EQ(read.records, c.expected);
    for (const Commit& commit : c.commits) {
        std::string rows;
        corvale::AppendRecord(rows, store, commit.line, 4);
        EXPECT_NE(bytes.find(rows), std::string::npos) << "verse line " << commit.line;
    }
    Store restored;
    restored.Redimension(static_cast<std::int32_t>(c.verses.size()), 4);
    for (const JournalRecord& record : read.records) {
        corvale::RestoreRecord(restored, record);
        EXPECT_TRUE(corvale::RecordMatchesStore(record, restored));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JournalRoundTripTest,
    testing::Values(RoundTripCase{"TwoLinesWithDifferentPositionCounts",
                                  {kFirst, kSecond},
                                  {{2, 3}, {1, 2}},
                                  {kSecondRead, kFirstRead}},
                    RoundTripCase{"BlankValuesKeepTheirPlaceAndCommentBreaksBecomeSpaces",
                                  {{"a", {"a", "", "c"}, {" 2 ", " "}, {}, "1\r\n2\n3\r4\t5"}},
                                  {{1, 1}},
                                  {{1, "a", {"a", "", "c"}, {"2"}, {}, "1 2 3 4 5", 1}}},
                    RoundTripCase{
                        "NonAsciiKeptAndTrailingSpacesGoAsOnLoading",
                        {{"  \xc3\xa9 \x93  ", {"\xe9"}, {"1"}, {"3"}, "\xc3\xa9 \x93  "}},
                        {{1, 1}},
                        {{1, "  \xc3\xa9 \x93  ", {"\xe9"}, {"1"}, {"3"}, "\xc3\xa9 \x93", 1}}}),
    [](const auto& info) { return info.param.name; });

// ---------------------------------------------------------------------------------------------
// Damage: nothing after it is trusted, and nothing wrong is ever returned.

// Two records, and where the header and each record end.
const std::string kTwo = Header() + SealedVerse(1, kFirst, 2) + SealedVerse(2, kSecond, 3);
const std::vector<std::size_t> kEnds = {
    Header().size(), Header().size() + SealedVerse(1, kFirst, 2).size(), kTwo.size()};
const Records kTwoRead{kFirstRead, kSecondRead};

TEST(JournalDamageTest, TruncatedAtEveryByteKeepsOnlyWholeRecords) {
    for (std::size_t cut = 0; cut <= kTwo.size(); ++cut) {
        const JournalContents read = ReadJournal(std::string_view(kTwo).substr(0, cut));
        const auto whole = static_cast<std::size_t>(std::count_if(
            kEnds.begin() + 1, kEnds.end(), [&](std::size_t end) { return end <= cut; }));
        const std::size_t good = kEnds[whole];
        EXPECT_EQ(read.headerReadable, cut >= kEnds[0]) << "cut at " << cut;
        EXPECT_EQ(read.records, Records(kTwoRead.begin(), kTwoRead.begin() + whole))
            << "cut at " << cut;
        EXPECT_EQ(read.damaged, cut != 0 && cut != good) << "cut at " << cut;
        EXPECT_EQ(read.goodBytes, cut >= kEnds[0] ? good : 0) << "cut at " << cut;
    }
}

TEST(JournalDamageTest, ChangedByteAnywhereNeverGivesAWrongRecord) {
    for (std::size_t at = kEnds[0]; at < kTwo.size(); ++at) {
        for (const char flip : {'\x01', '\x20', '\x0c'}) {
            std::string changed = kTwo;
            changed[at] = static_cast<char>(changed[at] ^ flip);
            const std::size_t kept = at < kEnds[1] ? 0 : 1;
            EXPECT_EQ(ReadJournal(changed).records,
                      Records(kTwoRead.begin(), kTwoRead.begin() + kept))
                << "byte " << at << " changed by " << int{flip};
        }
    }
}

// Hand-written journals whose checksums hold, so only the other checks can refuse them.
TEST(JournalDamageTest, OtherChecksStopTheReading) {
    const std::string second = SealedVerse(2, kSecond, 3);
    const JournalContents laterVersion =
        ReadJournal("corvale-journal\t2\t0\t0000000000000000\r\n" + second);
    EXPECT_FALSE(laterVersion.headerReadable);
    EXPECT_TRUE(laterVersion.records.empty());
    const JournalContents afterDamage = ReadJournal(Header() + "torn\r\n" + second);
    EXPECT_TRUE(afterDamage.damaged);
    EXPECT_TRUE(afterDamage.records.empty());
    const Strings outOfOrder = {"1\tstress\tL", "1\tsyllables\tL", "1\tjuncture\tL",
                                "1\tcomment\tL\t"};
    EXPECT_TRUE(ReadJournal(Header() + Sealed(outOfOrder, "1\tend\t2\t")).records.empty());
}

TEST(JournalReadTest, LoneLineFeedsEndRowsAndRowZeroIsSkipped) {
    std::string bytes = Header() + SealedVerse(0, kFirst, 1) + SealedVerse(2, kSecond, 3);
    std::erase(bytes, '\r');
    const JournalContents read = ReadJournal(bytes);
    EXPECT_FALSE(read.damaged);
    EXPECT_EQ(read.records, Records{kSecondRead});
}

// ---------------------------------------------------------------------------------------------
// The content identity and the names.

// The hash is XXH64 with seed 0, and journals written by one build must be recognised by every
// other, so these values may never change. The lengths reach single bytes, half words, words
// and 32-byte stripes.
TEST(JournalIdentityTest, IdentityIsTheSizeAndAFixedHash) {
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
        EXPECT_EQ(corvale::IdentityOf(bytes), (ContentIdentity{bytes.size(), hash}))
            << bytes.size() << " bytes";
    }
    const ContentIdentity largest{~0ULL, ~0ULL};
    EXPECT_EQ(ReadJournal(corvale::JournalHeader(largest)).identity, largest);
}

// ---------------------------------------------------------------------------------------------
// Records against the store as loading the saved file leaves it.

const Verse kFirstChanged{
    kFirst.text, kFirst.syllables, {"1", "3", "3"}, kFirst.junctures, kFirst.comment};
const Verse kFirstSpaced{kFirst.text, kFirst.syllables, kFirst.stresses, kFirst.junctures,
                         kFirst.comment + "  "};
const Verse kFirstLonger{
    kFirst.text, {"Shall", "I", "com", "pare"}, kFirst.stresses, kFirst.junctures, kFirst.comment};

TEST(JournalMatchTest, TellsWhetherRestoringWouldChangeTheLoadedFile) {
    corvale::test::ScriptedPlatform platform;
    platform.WriteFile("poem.txt", corvale::test::ScansionFile({kFirst, kSecond}));
    corvale::Workspace loaded(platform);
    loaded.Settings().SetWorkingFileName("poem.txt");
    loaded.LoadWorkingFile();
    const auto matches = [&](const std::vector<Verse>& journaled, std::int32_t line) {
        const std::string bytes = JournalOf(StoreOf(journaled, 5), {{line, line}});
        return corvale::JournalMatchesStore(ReadJournal(bytes).records, loaded.Doc().GetStore());
    };
    EXPECT_TRUE(matches({kFirst, kSecond}, 2));
    EXPECT_FALSE(matches({kFirstChanged}, 1));
    EXPECT_TRUE(matches({kFirstSpaced}, 1)) << "the comment differs only in trailing spaces";
    EXPECT_FALSE(matches({kFirstLonger}, 1)) << "more positions than the file";
    EXPECT_TRUE(matches({kFirst, kSecond, kFirstChanged}, 3)) << "a line beyond the file";
}

TEST(JournalRestoreTest, LaterRecordsForALineWinAndAreCountedOnce) {
    const std::string bytes = Header() + SealedVerse(1, kFirst, 2) + SealedVerse(2, kSecond, 3) +
                              SealedVerse(1, kFirstChanged, 2);
    const JournalContents read = ReadJournal(bytes);
    ASSERT_EQ(read.records.size(), 3u);
    Store store;
    store.Redimension(2, 4);
    for (const JournalRecord& record : read.records) {
        corvale::RestoreRecord(store, record);
    }
    EXPECT_EQ(store.Value(corvale::ValueRow::Stresses, 1, 3), "3");
    EXPECT_TRUE(corvale::JournalMatchesStore(read.records, store));
    EXPECT_FALSE(corvale::RecordMatchesStore(read.records[0], store));
    EXPECT_EQ(corvale::CountVerseLines(read.records), 2u);
    EXPECT_EQ(corvale::MostPositions(read.records), 3);
}

}  // namespace
