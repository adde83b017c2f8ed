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
const std::string kHeader = "file,line,column,place,symbol,syllable,stress,juncture,word,comment";

class ExportToolTest : public testing::Test {
public:
    void SetUp() override {
        Write("ode.txt", kOde);
        Write("ode.meter.txt", Rows({"S"}));
    }
    // "{D}" stands for the test's folder.
    std::string Expand(std::string text) const {
        for (std::size_t at; (at = text.find("{D}")) != std::string::npos;)
            text.replace(at, 3, folder.path().toStdString());
        return text;
    }
    void Write(const std::string& name, const std::string& bytes) const {
        QDir(folder.path()).mkpath(QFileInfo(folder.filePath(name.c_str())).path());
        QFile file(folder.filePath(QString::fromStdString(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), std::ssize(bytes));
    }
    // Every file under the folder but the inputs, sorted, separated by spaces.
    std::string Outputs() const {
        QStringList files;
        for (QDirIterator it(folder.path(), QDir::Files, QDirIterator::Subdirectories);
             it.hasNext();)
            files << QDir(folder.path()).relativeFilePath(it.next());
        files.removeAll("ode.txt");
        files.removeAll("ode.meter.txt");
        files.sort();
        return files.join(u' ').toStdString();
    }
    int Run(const std::vector<std::string>& arguments) {
        QStringList list{"corvale-export"};
        for (const std::string& argument : arguments)
            list << QString::fromStdString(Expand(argument));
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
    std::string outPattern;  // a regular expression the whole of stdout matches, "{D}" expanded
    std::string err;         // stderr exactly
    std::string outputs;     // every file written
};

class ExportRun : public ExportToolTest, public testing::WithParamInterface<RunCase> {};

TEST_P(ExportRun, ExitsWritesAndSays) {
    if (GetParam().setUp)
        GetParam().setUp(*this);
    EXPECT_EQ(Run(GetParam().arguments), GetParam().exitCode);
    EXPECT_TRUE(std::regex_match(out.str(), std::regex(Expand(GetParam().outPattern))))
        << out.str();
    EXPECT_EQ(err.str(), Expand(GetParam().err));
    EXPECT_EQ(Outputs(), GetParam().outputs);
}

const std::string kTry = "\nTry 'corvale-export --help'.\n";
const auto kTaken = [](const ExportToolTest& t) { t.Write("ode.syllables.csv", "mine"); };
const auto kAnother = [](const ExportToolTest& t) {
    t.Write("b/ode.txt", ScansionFile({{"Ah", {"Ah"}, {"1"}, {"4"}, ""}}));
};

INSTANTIATE_TEST_SUITE_P(
    Cases, ExportRun,
    testing::Values(
        RunCase{"CsvBesideTheFile",
                nullptr,
                {"{D}/ode.txt"},
                0,
                "{D}/ode.txt: 1 verse line; wrote {D}/ode.syllables.csv\n",
                "",
                "ode.syllables.csv"},
        RunCase{"TeiInAFolder",
                [](const ExportToolTest& t) { t.Write("out/x", ""); },
                {"--format", "tei", "-o", "{D}/out", "{D}/ode.txt"},
                0,
                "[^\n]*; wrote {D}/out/ode.tei.xml\n",
                "",
                "out/ode.tei.xml out/x"},
        RunCase{"NeverReplacesWithoutForce",
                kTaken,
                {"{D}/ode.txt"},
                1,
                "",
                "{D}/ode.txt: skipped: {D}/ode.syllables.csv exists (--force replaces it)\n",
                "ode.syllables.csv"},
        RunCase{"ForceReplaces",
                kTaken,
                {"--force", "{D}/ode.txt"},
                0,
                "[^\n]*wrote[^\n]*\n",
                "",
                "ode.syllables.csv"},
        RunCase{"OneHeaderOnStandardOutput",
                kAnother,
                {"-o", "-", "{D}/ode.txt", "{D}/b/ode.txt"},
                0,
                kHeader + "\r\n{D}/ode.txt,1,1,1,S,O,3,4,1,\r\n{D}/b/ode.txt,1,1,,,Ah,1,4,1,\r\n",
                "{D}/b/ode.txt: note: no meter file (ode.meter.txt or meter.txt beside it); "
                "exported without a meter\n",
                "b/ode.txt"},
        RunCase{"ImposedMeter",
                nullptr,
                {"--meter", "w s", "-o", "-", "{D}/ode.txt"},
                0,
                kHeader + "\r\n[^\n]*,1,1,1,W,O,3,4,1,\r\n",
                "",
                ""},
        RunCase{
            "GoesOnAfterRefusedFiles",
            [](const ExportToolTest& t) {
                t.Write("poem.txt", "Shall I compare thee\n");
                t.Write("bad.txt", Rows({"1\tsyllables\tt\ta", "1\tstress\tt\t3",
                                         "1\tjuncture\tt\t4", "1\tcomment\tt", "2\tx"}));
            },
            {"{D}/poem.txt", "{D}/bad.txt", "{D}/nothing.txt", "{D}/ode.txt", "{D}/ode.txt"},
            1,
            "[^\n]*wrote[^\n]*\n",
            "{D}/poem.txt: not a scansion file: its first rows are not a record of syllables, "
            "stress, juncture and comment\n"
            "{D}/bad.txt:5: Caution:  your input file contains what looks like a bad line, because "
            "it doesn't include the word [syllables].    This is the 5th line in the file.  "
            "Please fix by hand before proceeding further.  The bad line follows.2\tx\n"
            "{D}/nothing.txt: no such file\n"
            "{D}/ode.txt: skipped: named twice, exported once\n",
            "bad.txt ode.syllables.csv poem.txt"},
        RunCase{"NoFile", nullptr, {}, 2, "", "corvale-export: no scansion file named" + kTry, ""},
        RunCase{"UnknownFormat",
                nullptr,
                {"--format", "xls", "{D}/ode.txt"},
                2,
                "",
                "corvale-export: --format takes csv or tei" + kTry,
                ""},
        RunCase{"MeterOfOneSymbol",
                nullptr,
                {"--meter", "W", "S", "{D}/ode.txt"},
                2,
                "",
                "corvale-export: --meter was given one symbol; quote the meter's symbols, as in "
                "--meter \"W S W S W S W S W S\"" +
                    kTry,
                ""},
        RunCase{"TwoTeiDocumentsOnStandardOutput",
                nullptr,
                {"--format", "tei", "-o", "-", "{D}/ode.txt", "{D}/ode.txt"},
                2,
                "",
                "corvale-export: -o - writes one TEI document: name one file" + kTry,
                ""},
        RunCase{"OutputFolderIsAFile",
                nullptr,
                {"-o", "{D}/ode.txt", "{D}/ode.txt"},
                2,
                "",
                "corvale-export: {D}/ode.txt: not a folder" + kTry,
                ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
