// corvale-profile run in-process: the table and the CSV of the sample, files kept apart,
// refusals that let the other files count, and exit codes. The figures are the core's.

#include "ProfileTool.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sstream>
#include <string>
#include <vector>

namespace {

using corvale::test::SampleFile;

class ProfileToolTest : public testing::Test {
protected:
    void SetUp() override {
        Write("sonnet18.txt", SampleFile("sonnet18", "sonnet18.txt"));
        Write("meter.txt", SampleFile("sonnet18", "meter.txt"));
    }
    void Write(const std::string& name, const std::string& bytes) const {
        QFile file(folder.filePath(QString::fromStdString(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), std::ssize(bytes));
    }
    // Files are named as given, relative to the test's folder.
    int Run(const std::vector<std::string>& arguments) {
        QStringList list{"corvale-profile"};
        for (const std::string& argument : arguments) {
            list << QString::fromStdString(argument);
        }
        out.str("");
        err.str("");
        const QString before = QDir::currentPath();
        QDir::setCurrent(folder.path());
        const int code = corvale::RunProfileTool(list, out, err);
        QDir::setCurrent(before);
        return code;
    }
    std::vector<std::string> OutRows() const {
        std::vector<std::string> rows;
        std::istringstream lines(out.str());
        for (std::string line; std::getline(lines, line);) {
            rows.push_back(line);
        }
        return rows;
    }

    QTemporaryDir folder;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(ProfileToolTest, PrintsTheSampleAsATable) {
    ASSERT_EQ(Run({"sonnet18.txt"}), corvale::kProfileDone);
    const std::vector<std::string> rows = OutRows();
    ASSERT_EQ(rows.size(), 21U) << out.str();
    EXPECT_EQ(rows[0], "sonnet18.txt: meter W S W S W S W S W S");
    EXPECT_EQ(rows[1],
              "place  meter  lines  stress 3+   stress 2   stressed     word end   phrase end");
    EXPECT_EQ(rows[3],
              "2      S         10  6 (60.0%)  1 (10.0%)  7 (70.0%)    8 (80.0%)     0 (0.0%)");
    EXPECT_EQ(rows[12], "verse lines:                            14");
    EXPECT_EQ(rows[18], "lines of another length:                2, 7, 8, 11");
    EXPECT_EQ(err.str(), "");
}

TEST_F(ProfileToolTest, WritesTidyCsv) {
    ASSERT_EQ(Run({"--csv", "sonnet18.txt"}), corvale::kProfileDone);
    const std::vector<std::string> rows = OutRows();
    ASSERT_EQ(rows.size(), 11U);
    EXPECT_EQ(rows[0],
              "source,meter,place,symbol,strength,lines,stress_3_or_more,stress_3_or_more_share,"
              "stress_2,stress_2_share,stressed,stressed_share,word_boundary,word_boundary_share,"
              "phrase_boundary,phrase_boundary_share,cue_flags,strict_cue_flags,verse_lines,"
              "profiled_lines,fitting_lines,feminine_endings,run_on_lines,files,meter_number");
    EXPECT_EQ(rows[1],
              "sonnet18.txt,W S W S W S W S W S,1,W,weak,10,2,0.2000,0,0.0000,2,0.2000,"
              "9,0.9000,0,0.0000,0,2,14,10,10,0,0,sonnet18.txt,1");
    EXPECT_TRUE(rows[2].starts_with("sonnet18.txt,W S W S W S W S W S,2,S,strong,10,")) << rows[2];
}

// A file of two meters has a table for each; its meters add up with another file's meter of the
// same places whatever their rows, and a row that is no meter is noted once.
TEST_F(ProfileToolTest, ProfilesEachMeterOfAFileAndAddsUpMetersOfTheSamePlaces) {
    Write("short.txt", SampleFile("sonnet18", "sonnet18.txt"));
    Write("short.meter.txt", "W\tS\tW\tS\r\nW\tS\tW\tS\tW\tS\tW\tS\tW\tS\r\nnote\r\nnote\r\n");
    ASSERT_EQ(Run({"sonnet18.txt", "short.txt"}), corvale::kProfileDone);
    std::vector<std::string> headings;
    for (const std::string& row : OutRows()) {
        if (row.find(": meter ") != std::string::npos) {
            headings.push_back(row);
        }
    }
    EXPECT_EQ(headings, (std::vector<std::string>{
                            "sonnet18.txt, short.txt (meter 2 of 2): meter W S W S W S W S W S",
                            "short.txt (meter 1 of 2): meter W S W S"}));
    EXPECT_TRUE(err.str().starts_with("short.meter.txt:3: note: left alone, not a meter"))
        << err.str();
    EXPECT_TRUE(err.str().ends_with("(1 more row like it)\n")) << err.str();
    ASSERT_EQ(Run({"--csv", "sonnet18.txt", "short.txt"}), corvale::kProfileDone);
    const std::vector<std::string> csv = OutRows();
    EXPECT_TRUE(csv[1].ends_with(",sonnet18.txt; short.txt,1; 2")) << csv[1];
    EXPECT_TRUE(csv.back().ends_with(",short.txt,1")) << csv.back();
}

// With --by-file each poem gets a block with the plain table's columns, in the order of the
// meters; in CSV, poems of one meter are one group, one row per place, listing its files last.
TEST_F(ProfileToolTest, ByFileKeepsEachFileApartAndCsvListsAGroupsFiles) {
    Write("sonnet116.txt", SampleFile("sonnet116", "sonnet116.txt"));
    Write("short.txt", SampleFile("sonnet18", "sonnet18.txt"));
    Write("short.meter.txt", "W\tS\tW\tS\r\n");
    ASSERT_EQ(Run({"--by-file", "sonnet18.txt", "short.txt", "sonnet116.txt"}),
              corvale::kProfileDone);
    std::vector<std::string> headings;
    const std::vector<std::string> rows = OutRows();
    for (std::size_t i = 0; i + 1 < rows.size(); ++i) {
        if (rows[i].find(": meter ") != std::string::npos) {
            headings.push_back(rows[i]);
            EXPECT_TRUE(rows[i + 1].starts_with("place  meter  lines")) << rows[i + 1];
        }
    }
    EXPECT_EQ(headings, (std::vector<std::string>{"sonnet18.txt: meter W S W S W S W S W S",
                                                  "sonnet116.txt: meter W S W S W S W S W S",
                                                  "short.txt: meter W S W S"}));
    ASSERT_EQ(Run({"--csv", "sonnet18.txt", "sonnet116.txt"}), corvale::kProfileDone);
    const std::vector<std::string> csv = OutRows();
    ASSERT_EQ(csv.size(), 11U);
    EXPECT_TRUE(csv[1].starts_with("group 1,W S W S W S W S W S,1,W,weak,")) << csv[1];
    EXPECT_TRUE(csv[1].ends_with(",sonnet18.txt; sonnet116.txt,1")) << csv[1];
}

struct RefusalCase {
    const char* name;
    const char* file;
    const char* bytes;     // nullptr: no such file
    const char* ownMeter;  // its NAME.meter.txt, if any
    std::string message;
    int code = corvale::kProfileSomeRefused;
};

constexpr char kOneLine[] =
    "1\tsyllables\ta\ta\r\n1\tstress\ta\t1\r\n1\tjuncture\ta\t4\r\n1\tcomment\ta\t\r\n";

class ProfileRefusal : public ProfileToolTest, public testing::WithParamInterface<RefusalCase> {};

// The refused file is named on stderr, with the row at fault; the sample after it still counts.
TEST_P(ProfileRefusal, GoesOnToTheNextFile) {
    const RefusalCase& c = GetParam();
    if (c.bytes != nullptr) {
        Write(c.file, c.bytes);
    }
    if (c.ownMeter != nullptr) {
        Write("x.meter.txt", c.ownMeter);
    }
    EXPECT_EQ(Run({c.file, "sonnet18.txt"}), c.code);
    EXPECT_TRUE(err.str().starts_with(c.message)) << err.str();
    EXPECT_EQ(err.str().back(), '\n');
    EXPECT_EQ(OutRows().at(0), "sonnet18.txt: meter W S W S W S W S W S");
}

INSTANTIATE_TEST_SUITE_P(
    Files, ProfileRefusal,
    testing::Values(
        RefusalCase{"Missing", "gone.txt", nullptr, nullptr,
                    "gone.txt: cannot be read: there is no such file"},
        // A poem among "*.txt" is refused, but fails the run only when nothing was profiled.
        RefusalCase{"APoemBesideAProfiledFile", "poem.txt",
                    "Shall I compare thee\r\nto a summer's day?\r\n", nullptr,
                    "poem.txt: is not a scansion file: its first rows are not a verse line's "
                    "syllables, stress, juncture and comment rows",
                    corvale::kProfileDone},
        RefusalCase{"AReaderFault", "bad.txt",
                    "1\tsyllables\ta\ta\r\n1\tstress\ta\t1\r\n1\tjuncture\ta\t4\r\n"
                    "1\tcomment\ta\t\r\n2\tsyllables\tb\tb\r\n2\tjuncture\tb\t4\r\n",
                    nullptr,
                    "bad.txt:6: Caution:  your input file contains what looks like a bad "
                    "line"},
        RefusalCase{"MeterWithoutSymbols", "x.txt", kOneLine, " \t\r\nW\tS\r\n",
                    "x.txt: its meter file x.meter.txt holds no meter symbols"}),
    [](const auto& info) { return std::string(info.param.name); });

struct ExitCase {
    const char* name;
    std::vector<std::string> arguments;
    int code;
    std::string err;
};

class ProfileExit : public ProfileToolTest, public testing::WithParamInterface<ExitCase> {};

TEST_P(ProfileExit, SaysWhatWentWrong) {
    EXPECT_EQ(Run(GetParam().arguments), GetParam().code);
    EXPECT_EQ(err.str(), GetParam().err);
}

const std::string kTry = "\nTry 'corvale-profile --help'.\n";

INSTANTIATE_TEST_SUITE_P(
    Arguments, ProfileExit,
    testing::Values(
        ExitCase{"Help", {"--help"}, 0, ""}, ExitCase{"Version", {"--version"}, 0, ""},
        ExitCase{"NoFile", {}, 2, "corvale-profile: no scansion file named" + kTry},
        ExitCase{"UnknownOption",
                 {"--all", "sonnet18.txt"},
                 2,
                 "corvale-profile: Unknown option 'all'." + kTry},
        ExitCase{"MeterOfOtherSymbols",
                 {"--meter", "W X", "sonnet18.txt"},
                 2,
                 "corvale-profile: --meter takes W and S symbols separated by spaces, such as "
                 "\"W S W S W S W S W S\", and several meters separated by \";\"" +
                     kTry},
        ExitCase{"ImposedMeter", {"--meter", "w s w s", "sonnet18.txt"}, 0, ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
