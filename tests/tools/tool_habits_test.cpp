// What the command line tools share: which files named to a tool that takes scansion files it
// does, and a lost write to standard output.

#include "ToolHabits.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <QFile>

#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace corvale::tools {
namespace {

using test::MemoryFile;
using test::ScansionFile;
using test::ScriptedPlatform;

struct FilesCase {
    const char* name;
    std::vector<std::string> files;  // "ode.txt" is a scansion file the tool fails on
    int status;
    std::vector<std::string> done;  // the files given to the tool, in order
    std::string notes;
};

class ScansionFilesNamed : public testing::TestWithParam<FilesCase> {};

// A folder as a scan and a correction leave it, the poem beside its scansion files.
TEST_P(ScansionFilesNamed, TakesEachOnceAndPassesOverTheOthers) {
    ScriptedPlatform folder;
    const std::string scansion = ScansionFile({{"O", {"O"}, {"3"}, {"4"}, ""}});
    folder.WriteFile("sonnet.txt", scansion);
    folder.WriteFile("ode.txt", scansion);
    folder.WriteFile("meter.txt", "W\tS\r\n");
    folder.WriteFile("RememberEarlierRun.txt", MemoryFile("sonnet.txt", "1"));
    folder.WriteFile("poem.txt", "Shall I compare thee\r\n");
    folder.WriteFile("reading.txt", "# Corvale's conventions\r\nclash\t1\r\n");
    ASSERT_TRUE(QFile::link(QString::fromStdString(folder.FilePath("sonnet.txt")),
                            QString::fromStdString(folder.FilePath("link.txt"))));
    ASSERT_EQ(::link(folder.FilePath("sonnet.txt").c_str(), folder.FilePath("hard.txt").c_str()),
              0);
    QStringList files;
    for (const std::string& file : GetParam().files) {
        files << QString::fromStdString(folder.FilePath(file));
    }
    std::vector<std::string> done;
    std::ostringstream err;
    EXPECT_EQ(EachScansionFile(files, err, "profiled",
                               [&](const QString& file) {
                                   done.push_back(file.section(u'/', -1).toStdString());
                                   return done.back() == "sonnet.txt";
                               }),
              GetParam().status);
    EXPECT_EQ(done, GetParam().done);
    std::string notes = err.str();
    for (std::size_t at; (at = notes.find(folder.FilePath(""))) != std::string::npos;) {
        notes.erase(at, folder.FilePath("").size());
    }
    EXPECT_EQ(notes, GetParam().notes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScansionFilesNamed,
    testing::Values(
        FilesCase{"CorvalesOtherFilesArePassedOverAndAPoemAloneDoesNotFail",
                  {"meter.txt", "poem.txt", "RememberEarlierRun.txt", "sonnet.txt", "reading.txt"},
                  0,
                  {"poem.txt", "sonnet.txt"},
                  "meter.txt: passed over: a meter file is Corvale's own, not a scansion file\n"
                  "RememberEarlierRun.txt: passed over: the memory file is Corvale's own, not a "
                  "scansion file\n"
                  "reading.txt: passed over: a conventions file is Corvale's own, not a scansion "
                  "file\n"},
        FilesCase{"APoemWithNothingDoneFails", {"poem.txt"}, 1, {"poem.txt"}, ""},
        FilesCase{"AScansionFileRefusedFails",
                  {"sonnet.txt", "ode.txt"},
                  1,
                  {"sonnet.txt", "ode.txt"},
                  ""},
        FilesCase{"AFileNamedTwiceIsDoneOnce",
                  {"sonnet.txt", "./sonnet.txt", "link.txt", "hard.txt"},
                  0,
                  {"sonnet.txt"},
                  "./sonnet.txt: note: named twice, profiled once\n"
                  "link.txt: note: named twice, profiled once\n"
                  "hard.txt: note: named twice, profiled once\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// A stream that takes nothing, as a full disk or a closed standard output does.
class Refusing : public std::streambuf {
protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
};

TEST(CheckedOutputTest, ALostWriteToStandardOutputFailsTheRun) {
    Refusing refusing;
    std::ostream out(&refusing);
    out << "place,meter\n";
    std::ostringstream err;
    EXPECT_EQ(CheckedOutput(out, err, "corvale-profile", 0), 1);
    EXPECT_TRUE(err.str().starts_with("corvale-profile: write error on standard output"));
    std::ostringstream fine;
    EXPECT_EQ(CheckedOutput(fine, err, "corvale-profile", 0), 0);
}

}  // namespace
}  // namespace corvale::tools
