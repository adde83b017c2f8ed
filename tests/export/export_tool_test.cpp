// corvale-export run in-process: exit codes, what is written and what is left alone, and the
// messages on stdout and stderr.

#include "ExportTool.h"
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

using corvale::RunExportTool;
using corvale::test::Rows;
using corvale::test::ScansionFile;

const std::string kOde = ScansionFile({{"O", {"O"}, {"3"}, {"4"}, ""}});
const std::string kHeader =
    "file,line,column,place,symbol,syllable,stress,juncture,word,comment,meter";

class ExportToolTest : public testing::Test {
public:
    // The tool runs in the folder, on names relative to it.
    void SetUp() override {
        QDir::setCurrent(folder.path());
        Write("ode.txt", kOde);
        Write("ode.meter.txt", Rows({"S"}));
    }
    void TearDown() override { QDir::setCurrent(QDir::tempPath()); }
    void Write(const std::string& name, const std::string& bytes) const {
        QDir().mkpath(QFileInfo(name.c_str()).path());
        QFile file(QString::fromStdString(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), std::ssize(bytes));
    }
    // Every file under the folder but the inputs, sorted, separated by spaces.
    std::string Outputs() const {
        QStringList files;
        for (QDirIterator it(".", QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
            files << QDir().relativeFilePath(it.next());
        files.removeAll("ode.txt");
        files.removeAll("ode.meter.txt");
        files.sort();
        return files.join(u' ').toStdString();
    }
    int Run(const std::vector<std::string>& arguments) {
        QStringList list{"corvale-export"};
        for (const std::string& argument : arguments)
            list << QString::fromStdString(argument);
        return RunExportTool(list, out, err);
    }

    QTemporaryDir folder;
    std::ostringstream out;
    std::ostringstream err;
};

struct RunCase {
    const char* name;
    std::function<void(const ExportToolTest&)> setUp;
    std::vector<std::string> arguments;
    int exitCode;
    std::string outPattern;  // a regular expression the whole of stdout matches
    std::string err;         // stderr exactly
    std::string outputs;     // every file written
};

class ExportRun : public ExportToolTest, public testing::WithParamInterface<RunCase> {};

TEST_P(ExportRun, ExitsWritesAndSays) {
    if (GetParam().setUp)
        GetParam().setUp(*this);
    EXPECT_EQ(Run(GetParam().arguments), GetParam().exitCode);
    EXPECT_TRUE(std::regex_match(out.str(), std::regex(GetParam().outPattern))) << out.str();
    EXPECT_EQ(err.str(), GetParam().err);
    EXPECT_EQ(Outputs(), GetParam().outputs);
}

const auto kAnother = [](const ExportToolTest& t) {
    t.Write("b/ode.txt", ScansionFile({{"Ah", {"Ah"}, {"1"}, {"4"}, ""}}));
};

INSTANTIATE_TEST_SUITE_P(
    Cases, ExportRun,
    testing::Values(
        RunCase{"CsvBesideTheFile",
                nullptr,
                {"ode.txt"},
                0,
                "ode.txt: 1 verse line; wrote ode.syllables.csv\n",
                "",
                "ode.syllables.csv"},
        RunCase{"LinesBesideTheFile",
                nullptr,
                {"--format", "lines", "ode.txt"},
                0,
                "ode.txt: 1 verse line; wrote ode.lines.csv\n",
                "",
                "ode.lines.csv"},
        RunCase{"ForcedTeiInAFolder",
                [](const ExportToolTest& t) { t.Write("out/ode.tei.xml", "mine"); },
                {"--force", "--format", "tei", "-o", "out", "ode.txt"},
                0,
                "[^\n]*; wrote out/ode.tei.xml\n",
                "",
                "out/ode.tei.xml"},
        RunCase{"NeverReplacesWithoutForce",
                [](const ExportToolTest& t) { t.Write("ode.syllables.csv", "mine"); },
                {"ode.txt"},
                1,
                "",
                "ode.txt: skipped: ode.syllables.csv exists (--force replaces it)\n",
                "ode.syllables.csv"},
        RunCase{"ForceNeverReplacesAFileItReads",
                [](const ExportToolTest& t) { t.Write("ode.syllables.csv", kOde); },
                {"--force", "ode.txt", "ode.syllables.csv"},
                1,
                "ode.syllables.csv: 1 verse line; wrote ode.syllables.syllables.csv\n",
                "ode.txt: skipped: ode.syllables.csv is a file this run reads\n"
                "ode.syllables.csv: note: no meter file (ode.syllables.meter.txt or meter.txt "
                "beside it); exported without a meter\n",
                "ode.syllables.csv ode.syllables.syllables.csv"},
        RunCase{"AScansionFileWithCrRowEndsSaysHowToSaveIt",
                [](const ExportToolTest& t) {
                    t.Write("cr.txt",
                            QByteArray::fromStdString(kOde).replace("\r\n", "\r").toStdString());
                },
                {"cr.txt"},
                1,
                "",
                "cr.txt: a scansion file in a form Corvale does not read: save it with LF or CR "
                "LF row ends\n",
                "cr.txt"},
        RunCase{"OneHeaderOnStandardOutputUnderAnImposedMeter",
                kAnother,
                {"--meter", "w s", "-o", "-", "ode.txt", "b/ode.txt"},
                0,
                kHeader + "\r\node.txt,1,1,1,W,O,3,4,1,,1\r\nb/ode.txt,1,1,1,W,Ah,1,4,1,,1\r\n",
                "",
                "b/ode.txt"},
        RunCase{"GoesOnAfterRefusedFiles",
                [](const ExportToolTest& t) {
                    kAnother(t);
                    t.Write("poem.txt", "Shall I compare thee\n");
                    t.Write("bad.txt", Rows({"1\tsyllables\tt\ta", "1\tstress\tt\t3",
                                             "1\tjuncture\tt\t4", "1\tcomment\tt", "2\tx"}));
                },
                {"poem.txt", "bad.txt", "nothing.txt", "b/ode.txt", "b/ode.txt"},
                1,
                "[^\n]*wrote[^\n]*\n",
                "poem.txt: not a scansion file: its first rows are not a record of syllables, "
                "stress, juncture and comment\n"
                "bad.txt:5: Caution:  your input file contains what looks like a bad line, because "
                "it doesn't include the word [syllables].    This is the 5th line in the file.  "
                "Please fix by hand before proceeding further.  The bad line follows.2\tx\n"
                "nothing.txt: cannot be read: there is no such file\n"
                "b/ode.txt: note: no meter file (ode.meter.txt or meter.txt beside it); "
                "exported without a meter\n"
                "b/ode.txt: note: named twice, exported once\n",
                "b/ode.syllables.csv b/ode.txt bad.txt poem.txt"}),
    [](const auto& info) { return std::string(info.param.name); });

struct UsageCase {
    const char* name;
    std::vector<std::string> arguments;
    std::string message;
};

class ExportUsage : public ExportToolTest, public testing::WithParamInterface<UsageCase> {};

TEST_P(ExportUsage, ExitsTwoWritingNothing) {
    EXPECT_EQ(Run(GetParam().arguments), 2);
    EXPECT_EQ(err.str(),
              "corvale-export: " + GetParam().message + "\nTry 'corvale-export --help'.\n");
    EXPECT_EQ(out.str() + Outputs(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExportUsage,
    testing::Values(
        UsageCase{
            "UnknownFormat", {"--format", "xls", "ode.txt"}, "--format takes csv, tei or lines"},
        UsageCase{"MeterOfOneSymbol",
                  {"--meter", "W", "S", "ode.txt"},
                  "--meter has one place only: put the meter's symbols in quotes, such as "
                  "--meter \"W S W S W S W S W S\""},
        UsageCase{"TwoTeiDocumentsOnStandardOutput",
                  {"--format", "tei", "-o", "-", "ode.txt", "ode.txt"},
                  "-o - writes one TEI document: name one file"},
        UsageCase{"OutputFolderIsAFile", {"-o", "ode.txt", "ode.txt"}, "ode.txt: not a folder"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
