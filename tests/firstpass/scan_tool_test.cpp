// corvale-scan run in-process: exit codes, what is written and what is left alone, and the
// messages on stdout and stderr.

#include "ScanTool.h"
#include "firstpass/ConventionsFile.h"
#include "firstpass/FirstPass.h"
#include "scansion/Workspace.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <functional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

using corvale::RunScanTool;
using corvale::Workspace;
using corvale::test::EndsTheProgram;
using corvale::test::MemoryFile;
using corvale::test::Rows;
using corvale::test::ScansionFile;
using corvale::test::ScriptedPlatform;

const std::string kPoem = "Shall I compare thee to a summer's day?\r\n\r\nThou art more lovely\r\n";
const std::string kTry = "Try 'corvale-scan --help'.\n";

class ScanToolTest : public testing::Test {
public:
    void SetUp() override { Write("ode.txt", kPoem); }
    // "{D}" stands for the test's folder.
    std::string Expand(std::string text) const {
        for (std::size_t at; (at = text.find("{D}")) != std::string::npos;)
            text.replace(at, 3, folder.path().toStdString());
        return text;
    }
    void Write(const std::string& name, const std::string& bytes) const {
        QFile file(folder.filePath(QString::fromStdString(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), std::ssize(bytes));
    }
    void MakeFolder(const char* name) const { ASSERT_TRUE(QDir(folder.path()).mkpath(name)); }
    std::string Read(const std::string& name) const {
        QFile file(folder.filePath(QString::fromStdString(name)));
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "(missing)";
    }
    // Every file under the folder, sorted, separated by spaces: what a run left behind.
    std::string Files() const {
        QStringList files;
        for (QDirIterator it(folder.path(), QDir::Files, QDirIterator::Subdirectories);
             it.hasNext();)
            files << QDir(folder.path()).relativeFilePath(it.next());
        files.sort();
        return files.join(u' ').toStdString();
    }
    int Run(const std::vector<std::string>& arguments) {
        QStringList list{"corvale-scan"};
        for (const std::string& argument : arguments)
            list << QString::fromStdString(Expand(argument));
        out.str("");
        err.str("");
        return RunScanTool(list, out, err);
    }

    QTemporaryDir folder;
    std::ostringstream out;
    std::ostringstream err;
};

struct UsageCase {
    const char* name;
    std::vector<std::string> arguments;
    std::string message;
};

class UsageError : public ScanToolTest, public testing::WithParamInterface<UsageCase> {};

TEST_P(UsageError, ExitsTwoWritingNothing) {
    EXPECT_EQ(Run(GetParam().arguments), 2);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(), Expand("corvale-scan: " + GetParam().message + "\n" + kTry));
    EXPECT_EQ(Files(), "ode.txt");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UsageError,
    testing::Values(
        UsageCase{"NoPoem", {}, "no poem named"},
        UsageCase{"UnknownOption", {"--fast", "{D}/ode.txt"}, "Unknown option 'fast'."},
        UsageCase{"MeterOfOtherSymbols",
                  {"--meter", "W X", "{D}/ode.txt"},
                  "--meter takes W and S symbols separated by spaces, such as \"W S W S W S W S "
                  "W S\", and several meters separated by \";\""},
        UsageCase{"MeterOfOnePlace",
                  {"--meter", "W", "S", "{D}/ode.txt"},
                  "--meter has one place only: put the meter's symbols in quotes, such as "
                  "--meter \"W S W S W S W S W S\""},
        UsageCase{"MissingOutputFolder",
                  {"-o", "{D}/nowhere", "{D}/ode.txt"},
                  "{D}/nowhere: no such folder"},
        UsageCase{"OutputFolderIsAFile",
                  {"-o", "{D}/ode.txt", "{D}/ode.txt"},
                  "{D}/ode.txt: not a folder"},
        UsageCase{"CompareOneFile",
                  {"--compare", "{D}/ode.txt"},
                  "--compare takes two scansion files: REFERENCE.txt OTHER.txt"},
        UsageCase{"CompareWithAnOption",
                  {"--compare", "--force", "{D}/a", "{D}/b"},
                  "--compare takes no other option"},
        UsageCase{"CompareWithConventions",
                  {"--compare", "--conventions", "{D}/c.txt", "{D}/a", "{D}/b"},
                  "--compare takes no other option"},
        UsageCase{"SaveWithoutLearning",
                  {"--save-conventions", "{D}/c.txt", "{D}/ode.txt"},
                  "--save-conventions saves what --learn-from learns"}),
    [](const auto& info) { return std::string(info.param.name); });

struct RunCase {
    const char* name;
    std::function<void(const ScanToolTest&)> setUp;
    std::vector<std::string> arguments;
    int exitCode;
    std::string outPattern;  // a regular expression the whole of stdout matches
    std::string err;         // stderr exactly, "{D}" for the folder
    std::string files;       // every file afterwards
};

class ScanRun : public ScanToolTest, public testing::WithParamInterface<RunCase> {};

TEST_P(ScanRun, ExitsWritesAndSays) {
    if (GetParam().setUp)
        GetParam().setUp(*this);
    EXPECT_EQ(Run(GetParam().arguments), GetParam().exitCode);
    EXPECT_TRUE(std::regex_match(out.str(), std::regex(GetParam().outPattern))) << out.str();
    EXPECT_EQ(err.str(), Expand(GetParam().err));
    EXPECT_EQ(Files(), GetParam().files);
}

const std::string kSummary =
    "[^\n]*ode.txt: 2 verse lines, [0-9]+ syllables, [^\n]+, [0-9]+ of 2 lines fit, default "
    "conventions; wrote [^\n]*ode.scansion.txt\n";
const std::string kOutputs = "ode.scansion.meter.txt ode.scansion.txt ode.txt";
const std::string kConventions = "# Corvale's conventions\r\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, ScanRun,
    testing::Values(
        RunCase{"Help", nullptr, {"--help"}, 0, "Usage: corvale-scan [\\s\\S]*", "", "ode.txt"},
        RunCase{"WritesBesideThePoem", nullptr, {"{D}/ode.txt"}, 0, kSummary, "", kOutputs},
        RunCase{"ImposedMeter",
                nullptr,
                {"--meter", "w s  W S", "{D}/ode.txt"},
                0,
                "[^\n]*ode.txt: 2 verse lines, [0-9]+ syllables, imposed, [^\n]*\n",
                "",
                kOutputs},
        RunCase{"ForceNeverReplacesAFolder",
                [](const ScanToolTest& t) { t.MakeFolder("ode.scansion.txt"); },
                {"--force", "{D}/ode.txt"},
                1,
                "",
                "{D}/ode.txt: skipped: {D}/ode.scansion.txt is a folder\n",
                "ode.txt"},
        RunCase{"ForceNeverReplacesAPoemOfTheRun",
                [](const ScanToolTest& t) { t.Write("ode.scansion.txt", kPoem); },
                {"--force", "{D}/ode.txt", "{D}/ode.scansion.txt"},
                1,
                "[^\n]*ode.scansion.txt: [^\n]*; wrote [^\n]*ode.scansion.scansion.txt\n",
                "{D}/ode.txt: skipped: {D}/ode.scansion.txt is a file this run reads\n",
                "ode.scansion.scansion.meter.txt ode.scansion.scansion.txt ode.scansion.txt "
                "ode.txt"},
        RunCase{"GoesOnAfterRefusedPoems",
                [](const ScanToolTest& t) {
                    t.Write("bad.txt", std::string("a\nb\0\n", 5));
                    t.MakeFolder("folder.txt");
                },
                {"{D}/bad.txt", "{D}/folder.txt", "{D}/ode.txt"},
                1,
                kSummary,
                "{D}/bad.txt:2: The poem holds a NUL byte, which no plain-text poem has.\n"
                "{D}/folder.txt: This is a folder, not a poem file.\n",
                "bad.txt " + kOutputs},
        RunCase{"SecondPoemOfTheSameNameIsSkipped",
                [](const ScanToolTest& t) {
                    t.MakeFolder("a");
                    t.MakeFolder("out");
                    t.Write("a/ode.txt", kPoem);
                },
                {"--force", "-o", "{D}/out", "{D}/a/ode.txt", "{D}/ode.txt"},
                1,
                kSummary,
                "{D}/ode.txt: skipped: {D}/out/ode.scansion.txt was written for another poem in "
                "this run\n",
                "a/ode.txt ode.txt out/ode.scansion.meter.txt out/ode.scansion.txt"},
        RunCase{"SamePoemNamedTwiceIsScannedOnce",
                nullptr,
                {"{D}/ode.txt", "{D}/./ode.txt"},
                0,
                kSummary,
                "{D}/./ode.txt: note: named twice, scanned once\n",
                kOutputs},
        // A second run over "*.txt" meets the first run's outputs, and a folder its memory file.
        RunCase{"CorvalesOwnFilesArePassedOver",
                [](const ScanToolTest& t) {
                    t.Write("ode.scansion.txt", ScansionFile({{"O", {"O"}, {"3"}, {"4"}, ""}}));
                    t.Write("ode.scansion.meter.txt", "W\tS\r\n\r\n");
                    t.Write("RememberEarlierRun.txt", MemoryFile("ode.scansion.txt", "1"));
                    t.Write("mine.txt", "# Corvale's conventions\r\nclash\t1\r\n");
                },
                {"{D}/ode.scansion.meter.txt", "{D}/ode.scansion.txt", "{D}/RememberEarlierRun.txt",
                 "{D}/mine.txt"},
                0,
                "",
                "{D}/ode.scansion.meter.txt: passed over: a meter file is Corvale's own, not a "
                "poem\n{D}/ode.scansion.txt: passed over: a scansion file is Corvale's own, not a "
                "poem\n{D}/RememberEarlierRun.txt: passed over: the memory file is Corvale's own, "
                "not a poem\n{D}/mine.txt: passed over: a conventions file is Corvale's own, not a "
                "poem\n",
                "RememberEarlierRun.txt mine.txt " + kOutputs},
        // Told by its first rows, however long the file.
        RunCase{"ALongScansionFileIsPassedOverToo",
                [](const ScanToolTest& t) {
                    t.Write("long.scansion.txt",
                            ScansionFile(std::vector<corvale::test::Verse>(
                                20'000, {"Shall I compare thee", {"Shall"}, {"3"}, {"4"}, ""})));
                },
                {"{D}/long.scansion.txt"},
                0,
                "",
                "{D}/long.scansion.txt: passed over: a scansion file is Corvale's own, not a "
                "poem\n",
                "long.scansion.txt ode.txt"},
        // A run killed between its two renames left a meter file alone.
        RunCase{"OrphanMeterFileIsReplaced",
                [](const ScanToolTest& t) { t.Write("ode.scansion.meter.txt", "W\r\n"); },
                {"{D}/ode.txt"},
                0,
                kSummary,
                "{D}/ode.txt: replaced the meter file {D}/ode.scansion.meter.txt, whose scansion "
                "file was missing\n",
                kOutputs},
        RunCase{"MostlyUtf8PoemIsUtf8WithAWarning",
                [](const ScanToolTest& t) {
                    t.Write("ode.txt", "\xE2\x80\x9CShall I\xE2\x80\x9D\r\n\r\nThou \x92 art\r\n");
                },
                {"{D}/ode.txt"},
                0,
                kSummary,
                "{D}/ode.txt:3: not valid UTF-8; 1 bad byte is read as U+FFFD (\xEF\xBF\xBD), the "
                "rest as UTF-8\n",
                kOutputs},
        RunCase{"Utf16WithoutByteOrderMark",
                [](const ScanToolTest& t) {
                    t.Write("ode.txt", std::string("O\0 \0R\0o\0s\0e\0", 12));
                },
                {"{D}/ode.txt"},
                1,
                "",
                "{D}/ode.txt: The poem looks like UTF-16 without a byte order mark, which Corvale "
                "cannot tell for certain: save it as UTF-8, or as UTF-16 with a byte order mark, "
                "and scan it again.\n",
                "ode.txt"},
        RunCase{"PoemWithoutAWord",
                [](const ScanToolTest& t) { t.Write("ode.txt", "* * *\n\n-- !\n"); },
                {"{D}/ode.txt"},
                1,
                "",
                "{D}/ode.txt: The poem has no verse lines: no row holds a word, only marks such "
                "as \"* * *\", so there is nothing to scan.\n",
                "ode.txt"},
        RunCase{"ConventionsFileNamedInTheSummary",
                [](const ScanToolTest& t) { t.Write("c.txt", kConventions + "pronoun\t4\r\n"); },
                {"--conventions", "{D}/c.txt", "{D}/ode.txt"},
                0,
                "[^\n]*ode.txt: [^\n]* fit, conventions of [^\n]*/c.txt; wrote [^\n]*\n",
                "",
                "c.txt " + kOutputs},
        // A bad row anywhere stops the run before any poem is scanned.
        RunCase{"BadConventionsFileScansNothing",
                [](const ScanToolTest& t) {
                    t.Write("c.txt", kConventions + "pronoun\t4\r\nclash\t9\r\n");
                },
                {"--conventions", "{D}/c.txt", "{D}/ode.txt"},
                1,
                "",
                "{D}/c.txt:3: clash takes a whole number from 0 to 2, not \"9\"\n",
                "c.txt ode.txt"},
        RunCase{"TooFewCorrectedLinesKeepTheConventions",
                [](const ScanToolTest& t) {
                    t.Write("done.txt",
                            ScansionFile({{"O Rose", {"O", "Rose"}, {"1", "3"}, {"2", "4"}, ""}}));
                },
                {"--learn-from", "{D}/done.txt", "--save-conventions", "{D}/c.txt"},
                1,
                "",
                "corvale-scan: 1 corrected verse line; learning needs at least 8, so the default "
                "conventions stay as they were\n{D}/c.txt: not saved: nothing was learned\n",
                "done.txt ode.txt"},
        RunCase{"TeiPoem",
                [](const ScanToolTest& t) {
                    QFile::copy(CORVALE_TEST_DATA "/tyger.tei.xml", t.folder.filePath("tyger.xml"));
                },
                {"{D}/tyger.xml"},
                0,
                "[^\n]*tyger.xml: 6 verse lines, [^\n]*\n",
                "",
                "ode.txt tyger.scansion.meter.txt tyger.scansion.txt tyger.xml"},
        RunCase{"CompareMissingFile",
                nullptr,
                {"--compare", "{D}/a.txt", "{D}/b.txt"},
                1,
                "",
                "corvale-scan: {D}/a.txt: no such file.\n",
                "ode.txt"},
        RunCase{"CompareDifferentPoemsWarns",
                [](const ScanToolTest& t) {
                    t.Write("a.txt",
                            ScansionFile({{"O Rose", {"O", "Rose"}, {"1", "3"}, {"2", "4"}, ""}}));
                    t.Write("b.txt",
                            ScansionFile({{"O Sun", {"O", "Sun"}, {"1", "3"}, {"2", "4"}, ""}}));
                },
                {"--compare", "{D}/a.txt", "{D}/b.txt"},
                0,
                "reference [\\s\\S]*",
                "corvale-scan: warning: the verse text differs on 1 of 1 line: are these "
                "scansions of the same poem?\n",
                "a.txt b.txt ode.txt"},
        RunCase{"CompareFileWithoutRecords",
                nullptr,
                {"--compare", "{D}/ode.txt", "{D}/ode.txt"},
                1,
                "",
                "corvale-scan: {D}/ode.txt: holds no scansion records.\n",
                "ode.txt"},
        // The comparison reads as the program loads: a file it would refuse is refused.
        RunCase{"CompareFileWithABadRecord",
                [](const ScanToolTest& t) {
                    t.Write("bad.txt", Rows({"1\tsyllables\tt\ta", "1\tstress\tt\t3",
                                             "1\tjuncture\tt\t4", "1\tcomment\tt", "2\tx"}));
                },
                {"--compare", "{D}/bad.txt", "{D}/bad.txt"},
                1,
                "",
                "corvale-scan: {D}/bad.txt: Caution:  your input file contains what looks like a "
                "bad line, because it doesn't include the word [syllables].    This is the 5th "
                "line in the file.  Please fix by hand before proceeding further.  The bad line "
                "follows.2\tx\n",
                "bad.txt ode.txt"},
        RunCase{"CompareFileTheReaderTurnsDownSaysWhy",
                [](const ScanToolTest& t) {
                    t.Write("long.txt", Rows({"1\tsyllables\tt\ta", "1\tstress\tt\t3",
                                              "1\tjuncture\tt\t4", "-4\tcomment\tt"}));
                },
                {"--compare", "{D}/long.txt", "{D}/long.txt"},
                1,
                "",
                "corvale-scan: {D}/long.txt: Caution:  the last line of your input file should "
                "begin with the number of its last verse line, but it begins with -4.  Please fix "
                "by hand before proceeding further.  The bad line follows.-4\tcomment\tt\n",
                "long.txt ode.txt"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScanToolTest, ImposesSeveralMetersARowEach) {
    EXPECT_EQ(Run({"--meter", "w s w s; W S", "{D}/ode.txt"}), 0);
    EXPECT_EQ(Read("ode.scansion.meter.txt"), "W\tS\tW\tS\r\nW\tS\r\n");
    EXPECT_NE(out.str().find(", 2 imposed meters, "), std::string::npos) << out.str();
}

// Either output existing skips the poem and leaves both alone; --force replaces it.
TEST_F(ScanToolTest, ExistingOutputIsLeftAloneWithoutForceAndReplacedWithIt) {
    Write("ode.scansion.txt", "mine");
    EXPECT_EQ(Run({"{D}/ode.txt"}), 1);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(),
              Expand("{D}/ode.txt: skipped: {D}/ode.scansion.txt exists (--force replaces it)\n"));
    EXPECT_EQ(Read("ode.scansion.txt"), "mine");
    EXPECT_EQ(Files(), "ode.scansion.txt ode.txt");

    EXPECT_EQ(Run({"--force", "{D}/ode.txt"}), 0);
    EXPECT_NE(Read("ode.scansion.txt"), "mine");
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(Files(), kOutputs) << "no temporary file stays";
}

// A long poem's outputs are written batch by batch as it is scanned, and come out as a scan held
// whole gives them.
TEST_F(ScanToolTest, ProgressShowsAboveFiveThousandVerseLinesAndTheOutputsComeWhole) {
    std::string poem;
    for (int i = 0; i < 5001; ++i)
        poem += i % 2 ? "So long lives this\n" : "and this gives life to thee.\n";
    Write("long.txt", poem);
    ASSERT_EQ(Run({"{D}/long.txt"}), 0);
    EXPECT_NE(err.str().find("long.txt: scanning, 0 of 5,001 verse lines\n"), std::string::npos)
        << err.str();
    const auto whole = corvale::firstpass::Scan(
        std::get<corvale::firstpass::Poem>(corvale::firstpass::ReadPoem(poem)));
    ASSERT_TRUE(std::holds_alternative<corvale::firstpass::Scansion>(whole));
    const auto& scansion = std::get<corvale::firstpass::Scansion>(whole);
    EXPECT_EQ(Read("long.scansion.txt"), scansion.scansionFile);
    EXPECT_EQ(Read("long.scansion.meter.txt"), scansion.meterFile);
}

// A reader's corrected lines, here the pass's own under the reader's conventions, teach the
// conventions; what is learned is saved, a file that exists only with --force, and scanned by.
TEST_F(ScanToolTest, LearnsReportsSavesAndScansByWhatItLearned) {
    Write("eight.txt",
          "Shall I compare thee to a summer's day?\nThou art more lovely and more temperate:\n"
          "Rough winds do shake the darling buds of May,\nAnd often is his gold complexion "
          "dimm'd;\nSometime too hot the eye of heaven shines,\nLike him the river ran, and it "
          "was cold;\nBut thy eternal summer shall not fade,\nSo long lives this, and this gives "
          "life to thee.\n");
    Write("c.txt", kConventions + "pronoun\t4\r\n");
    ASSERT_EQ(Run({"--conventions", "{D}/c.txt", "{D}/eight.txt"}), 0);
    const std::vector<std::string> learn = {"--learn-from", "{D}/eight.scansion.txt",
                                            "--save-conventions", "{D}/learned.txt"};
    ASSERT_EQ(Run(learn), 0) << err.str();
    EXPECT_TRUE(out.str().starts_with("learned from 1 corrected file, 8 verse lines: "))
        << out.str();
    EXPECT_NE(out.str().find("\npronoun                          2       4  (moved)\n"),
              std::string::npos)
        << out.str();
    const auto saved = corvale::firstpass::ReadConventionsFile(folder.filePath("learned.txt"));
    ASSERT_TRUE(std::holds_alternative<corvale::firstpass::ConventionsRead>(saved));
    EXPECT_EQ(std::get<corvale::firstpass::ConventionsRead>(saved)
                  .conventions[corvale::firstpass::Convention::Pronoun],
              4);

    Write("learned.txt", "mine");
    EXPECT_EQ(Run(learn), 1);
    EXPECT_EQ(err.str(), Expand("{D}/learned.txt: not saved: it exists (--force replaces it)\n"));
    EXPECT_EQ(Read("learned.txt"), "mine");
    std::vector<std::string> forced = learn;
    forced.insert(forced.begin(), "--force");
    forced.push_back("{D}/ode.txt");
    EXPECT_EQ(Run(forced), 0);
    EXPECT_NE(Read("learned.txt"), "mine");
    EXPECT_NE(out.str().find("fit, conventions learned from 1 corrected file; wrote"),
              std::string::npos)
        << out.str();

    // --force never replaces a file the run reads, nor one of Corvale's own but conventions.
    forced[4] = "{D}/eight.scansion.txt";
    EXPECT_EQ(Run(forced), 2);
    forced[4] = "{D}/eight.scansion.meter.txt";
    EXPECT_EQ(Run(forced), 1);
    EXPECT_EQ(err.str(), Expand("{D}/eight.scansion.meter.txt: not saved: it is a meter file, "
                                "which is never replaced\n"));
}

// Without --conventions the current folder's conventions.txt counts, when it is one.
TEST_F(ScanToolTest, ReadsTheCurrentFoldersConventions) {
    struct InFolder {
        explicit InFolder(const QString& path) : before(QDir::currentPath()) {
            QDir::setCurrent(path);
        }
        ~InFolder() { QDir::setCurrent(before); }
        QString before;
    } inFolder(folder.path());
    Write("conventions.txt", kConventions + "pronoun\t4\r\n");
    ASSERT_EQ(Run({"{D}/ode.txt"}), 0);
    EXPECT_NE(out.str().find("fit, conventions of conventions.txt; wrote"), std::string::npos);
    Write("conventions.txt", "Shall I compare thee\r\n");
    ASSERT_EQ(Run({"--force", "{D}/ode.txt"}), 0);
    EXPECT_EQ(err.str(),
              "conventions.txt: note: not Corvale's conventions; default conventions "
              "taken\n");
    EXPECT_NE(out.str().find("fit, default conventions; wrote"), std::string::npos);
}

TEST_F(ScanToolTest, ALineTheScanRefusesIsNamedByItsRowInTheFile) {
    std::string wide;
    for (int i = 0; i < 1001; ++i)
        wide += "a ";
    Write("wide.txt", "First line\r\n\r\n" + wide + "\r\n");
    EXPECT_EQ(Run({"{D}/wide.txt"}), 1);
    EXPECT_EQ(err.str().rfind(Expand("{D}/wide.txt:3: "), 0), 0u) << err.str();
    EXPECT_EQ(Files(), "ode.txt wide.txt");
}

TEST_F(ScanToolTest, CompareReportsAgreementAndMetersOnlyWhenBothHaveTheirOwn) {
    const std::string records =
        ScansionFile({{"O Rose", {"O", "Rose,"}, {"1", "3"}, {"2", "4"}, ""}});
    Write("rose.gold.txt", records);
    Write("rose.scansion.txt", records);
    ASSERT_EQ(Run({"--compare", "{D}/rose.gold.txt", "{D}/rose.scansion.txt"}), 0);
    EXPECT_EQ(out.str(), Expand("reference {D}/rose.gold.txt, compared {D}/rose.scansion.txt\n"
                                "words with the same syllable count: 2 of 2 (100.0%)\n"
                                "longer words divided alike: 0 of 0 (-)\n"
                                "syllables with the same stress: 2 of 2 (100.0%)\n"
                                "lines that agree throughout: 1 of 1 (100.0%)\n"
                                "meter: not compared (no meter file of its own: "
                                "{D}/rose.gold.meter.txt)\n"));
    // Meters are compared only when both files have one of their own.
    Write("rose.gold.meter.txt", "W\tS\r\n");
    ASSERT_EQ(Run({"--compare", "{D}/rose.gold.txt", "{D}/rose.scansion.txt"}), 0);
    EXPECT_TRUE(out.str().ends_with(
        Expand("meter: not compared (no meter file of its own: {D}/rose.scansion.meter.txt)\n")))
        << out.str();
    Write("rose.scansion.meter.txt", "W\tS\r\n");
    ASSERT_EQ(Run({"--compare", "{D}/rose.gold.txt", "{D}/rose.scansion.txt"}), 0);
    EXPECT_TRUE(out.str().ends_with("meter: the same (W S)\n")) << out.str();
}

// What the tool writes, from a poem with a BOM, CR LF rows, a line without letters and every kind
// of token, is what Corvale opens: the scansion file and its meter load without a word and save
// back byte for byte.
TEST_F(ScanToolTest, OutputsLoadInCorvaleAndSaveBackByteForByte) {
    ScriptedPlatform platform;
    Write("ode.txt",
          "\xEF\xBB\xBF\"So long lives this,\r\n\r\n* * *\r\nO'er 12 ever-fixed marks\r\n"
          "\"O'er the mark -- 'tis blessèd & 1984!\"\r\n"
          "Th' ocean\xe2\x80\x94wide, (deep) \xe2\x80\x9cwords\xe2\x80\x9d\r\n");
    ASSERT_EQ(Run({"-o", platform.ProgramFolder().toStdString(), "{D}/ode.txt"}), 0);
    const std::string written = platform.ReadFile("ode.scansion.txt");
    platform.WriteFile("meter.txt", platform.ReadFile("ode.scansion.meter.txt"));
    platform.WriteFile("RememberEarlierRun.txt", MemoryFile("ode.scansion.txt", "1"));
    Workspace workspace{platform};
    workspace.Settings().Read();
    ASSERT_FALSE(EndsTheProgram([&] {
        workspace.LoadWorkingFile();
        workspace.ReadMeterFile();
    }));
    EXPECT_TRUE(platform.MessageTexts().empty());
    EXPECT_EQ(workspace.Doc().NumberOfLines(), 5);
    EXPECT_GT(workspace.Doc().Meter().symbols, 0);
    workspace.SetCurrentLine(1);
    ASSERT_EQ(workspace.SaveFiles(), corvale::Document::SaveResult::Saved);
    EXPECT_EQ(platform.ReadFile("ode.scansion.txt"), written);
}

}  // namespace
