// corvale-scan run in-process: exit codes, what is written and what is left alone, and the
// messages on stdout and stderr.

#include "ScanTool.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <functional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

using corvale::RunScanTool;
using corvale::test::ScansionFile;

bool Matches(const std::string& text, const std::string& pattern) {
    return std::regex_match(text, std::regex(pattern));
}
bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

const std::string kPoem = "Shall I compare thee to a summer's day?\r\n\r\nThou art more lovely\r\n";

class ScanToolTest : public testing::Test {
public:
    // "{D}" stands for the test's folder.
    std::string Expand(std::string text) const {
        for (std::size_t at; (at = text.find("{D}")) != std::string::npos;) {
            text.replace(at, 3, folder.path().toStdString());
        }
        return text;
    }
    void Write(const std::string& name, const std::string& bytes) const {
        QFile file(folder.filePath(QString::fromStdString(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), std::ssize(bytes));
    }
    std::string Read(const std::string& name) const {
        QFile file(folder.filePath(QString::fromStdString(name)));
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "(missing)";
    }
    bool Exists(const std::string& name) const {
        return QFile::exists(folder.filePath(QString::fromStdString(name)));
    }
    int Run(const std::vector<std::string>& arguments) {
        QStringList list{"corvale-scan"};
        for (const std::string& argument : arguments) {
            list << QString::fromStdString(Expand(argument));
        }
        out.str("");
        err.str("");
        return RunScanTool(list, out, err);
    }

    QTemporaryDir folder;
    std::ostringstream out;
    std::ostringstream err;
};

struct ToolCase {
    const char* name;
    std::function<void(const ScanToolTest&)> setUp;
    std::vector<std::string> arguments;
    int exitCode;
    std::string outPattern;  // a regular expression the whole of stdout matches
    std::string err;         // stderr exactly, "{D}" for the folder
    std::vector<std::string> written;
    std::vector<std::string> notWritten;
};

class ScanTool : public ScanToolTest, public testing::WithParamInterface<ToolCase> {};

TEST_P(ScanTool, ExitsWritesAndSays) {
    const ToolCase& c = GetParam();
    if (c.setUp) {
        c.setUp(*this);
    }
    EXPECT_EQ(Run(c.arguments), c.exitCode);
    EXPECT_TRUE(Matches(out.str(), c.outPattern)) << out.str();
    EXPECT_EQ(err.str(), Expand(c.err));
    for (const std::string& name : c.written) {
        EXPECT_TRUE(Exists(name)) << name;
    }
    for (const std::string& name : c.notWritten) {
        EXPECT_FALSE(Exists(name)) << name;
    }
}

void OnePoem(const ScanToolTest& t) {
    t.Write("ode.txt", kPoem);
}

const std::string kTry = "Try 'corvale-scan --help'.\n";
const std::string kSummary =
    "[^\n]*ode.txt: 2 verse lines, [0-9]+ syllables, [^\n]+, [0-9]+ of 2 lines fit; wrote "
    "[^\n]*ode.scansion.txt\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, ScanTool,
    testing::Values(
        ToolCase{"Help", nullptr, {"--help"}, 0, "Usage: corvale-scan [\\s\\S]*", "", {}, {}},
        ToolCase{
            "Version", nullptr, {"--version"}, 0, "corvale-scan [0-9]+\\.[0-9.]+\n", "", {}, {}},
        ToolCase{"NoPoem", nullptr, {}, 2, "", "corvale-scan: no poem named\n" + kTry, {}, {}},
        ToolCase{"UnknownOption",
                 OnePoem,
                 {"--fast", "{D}/ode.txt"},
                 2,
                 "",
                 "corvale-scan: Unknown option 'fast'.\n" + kTry,
                 {},
                 {"ode.scansion.txt"}},
        ToolCase{"MeterOfOtherSymbols",
                 OnePoem,
                 {"--meter", "W X", "{D}/ode.txt"},
                 2,
                 "",
                 "corvale-scan: --meter takes W and S symbols separated by spaces, such as \"W S "
                 "W S W S W S W S\"\n" +
                     kTry,
                 {},
                 {"ode.scansion.txt"}},
        ToolCase{"MissingOutputFolder",
                 OnePoem,
                 {"-o", "{D}/nowhere", "{D}/ode.txt"},
                 2,
                 "",
                 "corvale-scan: {D}/nowhere: no such folder\n" + kTry,
                 {},
                 {"ode.scansion.txt"}},
        ToolCase{
            "CompareOneFile",
            nullptr,
            {"--compare", "{D}/a.txt"},
            2,
            "",
            "corvale-scan: --compare takes two scansion files: REFERENCE.txt OTHER.txt\n" + kTry,
            {},
            {}},
        ToolCase{"WritesBesideThePoem",
                 OnePoem,
                 {"{D}/ode.txt"},
                 0,
                 kSummary,
                 "",
                 {"ode.scansion.txt", "ode.scansion.meter.txt"},
                 {}},
        ToolCase{"WritesInTheOutputFolder",
                 [](const ScanToolTest& t) {
                     OnePoem(t);
                     ASSERT_TRUE(QDir(t.folder.path()).mkdir("out"));
                 },
                 {"-o", "{D}/out", "{D}/ode.txt"},
                 0,
                 kSummary,
                 "",
                 {"out/ode.scansion.txt", "out/ode.scansion.meter.txt"},
                 {"ode.scansion.txt"}},
        ToolCase{"ImposedMeter",
                 OnePoem,
                 {"--meter", "w s  W S", "{D}/ode.txt"},
                 0,
                 "[^\n]*ode.txt: 2 verse lines, [0-9]+ syllables, imposed, [^\n]*\n",
                 "",
                 {"ode.scansion.txt"},
                 {}},
        ToolCase{"ExistingMeterFileSkipsThePoem",
                 [](const ScanToolTest& t) {
                     OnePoem(t);
                     t.Write("ode.scansion.meter.txt", "S\r\n");
                 },
                 {"{D}/ode.txt"},
                 1,
                 "",
                 "{D}/ode.txt: skipped: {D}/ode.scansion.meter.txt exists (--force replaces "
                 "it)\n",
                 {},
                 {"ode.scansion.txt"}},
        ToolCase{"ForceNeverReplacesAFolder",
                 [](const ScanToolTest& t) {
                     OnePoem(t);
                     ASSERT_TRUE(QDir(t.folder.path()).mkdir("ode.scansion.txt"));
                 },
                 {"--force", "{D}/ode.txt"},
                 1,
                 "",
                 "{D}/ode.txt: skipped: {D}/ode.scansion.txt is a folder\n",
                 {},
                 {"ode.scansion.meter.txt"}},
        ToolCase{"GoesOnAfterARefusedPoem",
                 [](const ScanToolTest& t) {
                     OnePoem(t);
                     t.Write("bad.txt", std::string("a\nb\0\n", 5));
                     ASSERT_TRUE(QDir(t.folder.path()).mkdir("folder.txt"));
                 },
                 {"{D}/bad.txt", "{D}/folder.txt", "{D}/ode.txt"},
                 1,
                 kSummary,
                 "{D}/bad.txt:2: The poem holds a NUL byte, which no plain-text poem has.\n"
                 "{D}/folder.txt: This is a folder, not a poem file.\n",
                 {"ode.scansion.txt"},
                 {"bad.scansion.txt", "bad.scansion.meter.txt", "folder.scansion.txt"}},
        ToolCase{"SecondPoemOfTheSameNameInOneFolderIsSkipped",
                 [](const ScanToolTest& t) {
                     ASSERT_TRUE(QDir(t.folder.path()).mkpath("a"));
                     ASSERT_TRUE(QDir(t.folder.path()).mkpath("b"));
                     ASSERT_TRUE(QDir(t.folder.path()).mkpath("out"));
                     t.Write("a/ode.txt", kPoem);
                     t.Write("b/ode.txt", kPoem);
                 },
                 {"--force", "-o", "{D}/out", "{D}/a/ode.txt", "{D}/b/ode.txt"},
                 1,
                 kSummary,
                 "{D}/b/ode.txt: skipped: {D}/out/ode.scansion.txt was written for another poem "
                 "in this run\n",
                 {"out/ode.scansion.txt"},
                 {}},
        ToolCase{"CompareUnreadableFile",
                 nullptr,
                 {"--compare", "{D}/a.txt", "{D}/b.txt"},
                 1,
                 "",
                 "corvale-scan: {D}/a.txt: cannot be read as a scansion file.\n",
                 {},
                 {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ScanToolTest, ExistingOutputIsLeftAloneWithoutForceAndReplacedWithIt) {
    OnePoem(*this);
    Write("ode.scansion.txt", "mine");
    EXPECT_EQ(Run({"{D}/ode.txt"}), 1);
    EXPECT_EQ(Read("ode.scansion.txt"), "mine");
    EXPECT_FALSE(Exists("ode.scansion.meter.txt"));

    EXPECT_EQ(Run({"--force", "{D}/ode.txt"}), 0);
    EXPECT_NE(Read("ode.scansion.txt"), "mine");
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 3) << "no temporary file stays";
}

TEST_F(ScanToolTest, ProgressShowsAboveFiveThousandVerseLines) {
    std::string poem;
    for (int i = 0; i < 5001; ++i) {
        poem += "So long lives this\n";
    }
    Write("long.txt", poem);
    ASSERT_EQ(Run({"{D}/long.txt"}), 0);
    EXPECT_TRUE(Contains(err.str(), "long.txt: scanning, 0 of 5,001 verse lines\n")) << err.str();
    EXPECT_TRUE(Contains(out.str(), "long.txt: 5,001 verse lines")) << out.str();
}

TEST_F(ScanToolTest, CompareReportsAgreement) {
    const std::string records =
        ScansionFile({{"O Rose", {"O", "Rose,"}, {"1", "3"}, {"2", "4"}, ""}});
    Write("rose.gold.txt", records);
    Write("rose.scansion.txt", records);
    ASSERT_EQ(Run({"--compare", "{D}/rose.gold.txt", "{D}/rose.scansion.txt"}), 0);
    EXPECT_EQ(out.str(), Expand("reference {D}/rose.gold.txt, compared {D}/rose.scansion.txt\n"
                                "words with the same syllable count: 2 of 2 (100.0%)\n"
                                "syllables with the same stress: 2 of 2 (100.0%)\n"
                                "lines that agree throughout: 1 of 1 (100.0%)\n"
                                "meter: not compared (no meter file of its own: "
                                "{D}/rose.gold.meter.txt)\n"));
}

}  // namespace

TEST_F(ScanToolTest, ALineTheScanRefusesIsNamedByItsRowInTheFile) {
    std::string wide;
    for (int i = 0; i < 1001; ++i) {
        wide += "a ";
    }
    Write("wide.txt", "First line\r\n\r\n" + wide + "\r\n");
    EXPECT_EQ(Run({"{D}/wide.txt"}), 1);
    EXPECT_EQ(err.str().rfind(Expand("{D}/wide.txt:3: "), 0), 0u) << err.str();
    EXPECT_FALSE(Exists("wide.scansion.txt"));
    EXPECT_FALSE(Exists("wide.scansion.meter.txt"));
}
