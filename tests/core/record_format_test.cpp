// The shared reader of records as tools see it (the loader's own tests hold its messages), and
// the shared writer's two rules side by side.

#include "scansion/RecordFormat.h"
#include "scansion/RecordReader.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using corvale::ValueRow;
using corvale::test::Rows;
using Views = std::vector<std::string_view>;

struct ReadCase {
    const char* name;
    std::vector<std::string> rows;
    std::size_t records;                   // read before the fault, if any
    std::optional<std::int64_t> faultRow;  // the file's row the fault names
};

class RecordsRead : public testing::TestWithParam<ReadCase> {};

TEST_P(RecordsRead, StopAtTheFirstFaultNamingTheFilesRow) {
    const std::string bytes = Rows(GetParam().rows);
    const corvale::ScansionRecords read = corvale::ReadScansionRecords(bytes);
    EXPECT_EQ(read.records.size(), GetParam().records);
    ASSERT_EQ(read.fault.has_value(), GetParam().faultRow.has_value());
    if (read.fault) {
        EXPECT_EQ(read.fault->row, *GetParam().faultRow);
        EXPECT_FALSE(read.fault->message.empty());
    }
}

const std::vector<std::string> kRecord = {"1\tsyllables\tt\ta", "1\tstress\tt\t3",
                                          "1\tjuncture\tt\t4", "1\tcomment\tt\t"};

// The bad row's message counts filled rows only; the refusal names the row the file has.
INSTANTIATE_TEST_SUITE_P(
    Files, RecordsRead,
    testing::Values(
        ReadCase{"Good", kRecord, 1, std::nullopt},
        ReadCase{"BadRowAfterBlankRows",
                 {kRecord[0], kRecord[1], kRecord[2], kRecord[3], "", " \t", "2\tnonsense"},
                 1,
                 7},
        ReadCase{"EndsInsideARecord", {kRecord[0], kRecord[1]}, 0, 0},
        ReadCase{"TooWide", {kRecord[0], "1\tstress\tt" + std::string(1002, '\t') + "3"}, 0, 2},
        ReadCase{
            "NegativeLineCount", {kRecord[0], kRecord[1], kRecord[2], "-1\tcomment", ""}, 0, 4},
        // Tabs turned into spaces: the record would load empty without a word.
        ReadCase{
            "RecordRowWithoutATab", {kRecord[0], "1 stress t 3", kRecord[2], kRecord[3]}, 0, 2},
        // Refused before any line is made for the 1,010 missing records.
        ReadCase{"LastNumberFarPastTheRecords",
                 {kRecord[0], kRecord[1], kRecord[2], "1011\tcomment\tt\t"},
                 0,
                 4},
        ReadCase{"MoreRecordsThanTheLastRowGives",
                 {kRecord[0], kRecord[1], kRecord[2], kRecord[3], kRecord[0], kRecord[1],
                  kRecord[2], kRecord[3]},
                 1,
                 5}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RecordsReadTest, GiveEachRecordsNumberTextValuesAndComment) {
    const std::string bytes = Rows({"", "7 \tSyllables\tHark\tHark\t\tlark\t \t", "7\tstress\tHark",
                                    "7\tjuncture\tHark\t1\t4", "7\tcomment\tHark\ta\tb  "});
    const corvale::ScansionRecords read = corvale::ReadScansionRecords(bytes);
    ASSERT_EQ(read.records.size(), 1u);
    const corvale::ScansionRecord& record = read.records[0];
    EXPECT_EQ(record.verseLine, 1);
    EXPECT_EQ(record.number, "7 ");
    EXPECT_EQ(record.lineText, "Hark");
    EXPECT_EQ(record.Values(ValueRow::Syllables), (Views{"Hark", "", "lark"}));
    EXPECT_EQ(record.Values(ValueRow::Stresses), Views{});
    EXPECT_EQ(record.Values(ValueRow::Junctures), (Views{"1", "4"}));
    EXPECT_EQ(record.comment, "a\tb");
}

// The saved file's rule against texts kept as they stand, as the journal rewrites a record it
// read and the first pass writes what it made.
TEST(AppendRecordTest, MendsOrKeepsTheTextsByItsRule) {
    const Views syllables = {" a ", "b", "", " "};
    const Views none;
    const corvale::RecordTexts texts{3, "x", {syllables, none, none}, "p\tq"};
    std::string mended;
    corvale::AppendRecord(mended, texts, corvale::TextRule::Mend);
    EXPECT_EQ(mended, Rows({"3\tsyllables\tx\ta\tb", "3\tstress\tx", "3\tjuncture\tx",
                            "3\tcomment\tx\tp q"}));
    std::string kept;
    corvale::AppendRecord(kept, texts, corvale::TextRule::Keep);
    EXPECT_EQ(kept, Rows({"3\tsyllables\tx\t a \tb\t\t ", "3\tstress\tx", "3\tjuncture\tx",
                          "3\tcomment\tx\tp\tq"}));
}

struct BeginningCase {
    const char* name;
    std::string bytes;
    bool scansion;
};

class FileBeginning : public testing::TestWithParam<BeginningCase> {};

TEST_P(FileBeginning, TellsAScansionFileByItsFirstFourRows) {
    EXPECT_EQ(corvale::BeginsWithRecord(GetParam().bytes), GetParam().scansion);
}

INSTANTIATE_TEST_SUITE_P(
    Files, FileBeginning,
    testing::Values(BeginningCase{"ARecordAfterBlankRows", "\r\n \t\r\n" + Rows(kRecord), true},
                    BeginningCase{"ABadRecordFurtherOn", Rows(kRecord) + "2\tnonsense\r\n", true},
                    BeginningCase{"RowsOutOfOrder",
                                  Rows({kRecord[1], kRecord[0], kRecord[2], kRecord[3]}), false},
                    BeginningCase{"OnlyThreeRows", Rows({kRecord[0], kRecord[1], kRecord[2]}),
                                  false},
                    BeginningCase{"APoem", "Shall I compare thee\r\nto a summer's day?\r\n", false},
                    BeginningCase{"Empty", "", false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
