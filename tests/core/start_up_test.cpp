// Start-up over folder states, as main runs it: the command line's path, then OpenAtStart. The
// no-meter box's "find" runs a stand-in for the first pass that shows which stresses reach it.

#include "scansion/Workspace.h"
#include "startup/MissingMeter.h"
#include "startup/RecentFiles.h"
#include "startup/Start.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>

#include <string>
#include <utility>
#include <vector>

namespace corvale::test {
namespace {

using startup::FoundMeter;

// Files in "Poems", oldest first; each is a minute newer than the one before.
using Files = std::vector<std::pair<std::string, std::string>>;

std::optional<FoundMeter> FirstLinesStresses(const std::vector<std::vector<std::uint8_t>>& lines) {
    std::string row;
    for (const std::uint8_t value : lines.at(0)) {
        row += std::string(row.empty() ? "" : "\t") + (value > 1 ? "S" : "W");
    }
    return FoundMeter{"the first line's meter", row};
}

const std::string kOde =
    ScansionFile({{"a line", {"a", "line", "here"}, {"1", "2.5", "1"}, {"2", "2", "4"}, ""},
                  {"two", {"two"}, {"3"}, {"4"}, ""}});
const std::string kPoem = "Not a scansion file\r\nbut a poem\r\n";

struct StartCase {
    const char* name;
    Files files;
    const char* argument;  // the command line's path, relative to the folder above "Poems"
    std::vector<std::size_t> picks;  // answers to the no-meter box
    std::vector<QString> typed;      // and to its text box
    std::vector<Answer> answers;     // and to its questions
    // What is opened: the file and the line shown, or the refusal's end.
    const char* refusal;
    std::string file;
    std::int32_t line;
    std::vector<ScriptedPlatform::Kind> said;
    std::string meterWritten;  // ode.meter.txt afterwards; "" when none
    const char* poem = "";     // the poem offered
};

class StartUpTest : public testing::TestWithParam<StartCase> {};

TEST_P(StartUpTest, OpensWhatTheFolderHolds) {
    const StartCase& c = GetParam();
    ScriptedPlatform platform("Poems");
    const QDateTime start = QDateTime::currentDateTime().addDays(-1);
    for (std::size_t i = 0; i < c.files.size(); ++i) {
        platform.WriteFile(c.files[i].first, c.files[i].second);
        QFile file(QString::fromStdString(platform.FilePath(c.files[i].first)));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.setFileTime(start.addSecs(60 * static_cast<qint64>(i)),
                         QFileDevice::FileModificationTime);
    }
    startup::RecentFiles recent;
    recent.Put(QString::fromStdString(platform.FilePath("ode.txt")), 2);
    platform.WillPick(c.picks);
    platform.WillType(c.typed);
    platform.WillAnswer(c.answers);

    const QString root = QDir(platform.ProgramFolder()).filePath("..");
    const auto chosen = startup::ChooseWorkingFolder(QDir(root).filePath(c.argument),
                                                     {"/nowhere", "/bin", "/home", "/samples"});
    if (const auto* refused = std::get_if<startup::FolderRefused>(&chosen)) {
        EXPECT_TRUE(refused->message.endsWith(QString::fromUtf8(c.refusal)));
        return;
    }
    const auto& folder = std::get<startup::WorkingFolder>(chosen);
    ASSERT_EQ(QDir(folder.path), QDir(platform.ProgramFolder()));
    Workspace work(platform);
    work.OnNoMeter([&platform](const std::string& name) {
        return startup::AskForMeter(platform, name, FirstLinesStresses);
    });
    const startup::Started started = startup::OpenAtStart(work, folder.file, recent);

    EXPECT_STREQ(c.refusal, "");
    EXPECT_EQ(work.Settings().WorkingFileName(), c.file);
    EXPECT_EQ(started.line, c.line);
    std::vector<ScriptedPlatform::Kind> said;
    for (const ScriptedPlatform::Message& message : platform.Messages()) {
        said.push_back(message.kind);
    }
    EXPECT_EQ(said, c.said);
    EXPECT_EQ(platform.Exists("ode.meter.txt") ? platform.ReadFile("ode.meter.txt") : "",
              c.meterWritten);
    EXPECT_EQ(started.poem.value_or(QString()),
              *c.poem == '\0' ? QString() : QDir(folder.path).filePath(c.poem));
}

using Kind = ScriptedPlatform::Kind;
const std::string kMeter = Rows({"W\tS"});
// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, StartUpTest, testing::Values(
    StartCase{"AnEmptyFolderOpensNoFile", {}, "Poems", {}, {}, {},
              "", "", 0, {}, ""},
    StartCase{"WithoutAMemoryFileTheNewestScansionFileOpensAtLineOne",
              {{"old.txt", kOde}, {"ode.txt", kOde}, {"meter.txt", kMeter}, {"ode.meter.txt", kMeter},
               {"poem.txt", kPoem}, {".hidden.txt", kOde}, {"ode.txt.unsaved-corrections.txt", kOde}},
              "Poems", {}, {}, {}, "", "ode.txt", 1, {}, kMeter},
    StartCase{"AMeterFoundFromTheStressesIsWrittenOnceConfirmed", {{"ode.txt", kOde}}, "Poems",
              {0, 0}, {}, {Answer::No, Answer::Yes},
              "", "ode.txt", 1, {Kind::Choice, Kind::YesNo, Kind::Choice, Kind::YesNo},
              Rows({"W\tS\tW"})},
    StartCase{"AMeterTypedIsWrittenOnceItIsAMeter", {{"ode.txt", kOde}}, "Poems",
              {1}, {"W S x", "w s  w s"}, {},
              "", "ode.txt", 1, {Kind::Choice, Kind::Text, Kind::Ok, Kind::Text},
              Rows({"W\tS\tW\tS"})},
    StartCase{"SeveralMetersTypedAreWrittenARowEach", {{"ode.txt", kOde}}, "Poems",
              {1}, {"w s w s; w s"}, {},
              "", "ode.txt", 1, {Kind::Choice, Kind::Text},
              Rows({"W\tS\tW\tS", "W\tS"})},
    StartCase{"CancellingTheMeterOpensNoFile", {{"ode.txt", kOde}}, "Poems", {1, 2}, {QString()}, {},
              "", "", 0, {Kind::Choice, Kind::Text, Kind::Choice}, ""},
    StartCase{"AFileNamedOpensAtTheLineTheMemoryFileHasForIt",
              {{"ode.txt", kOde}, {"meter.txt", kMeter}, {"RememberEarlierRun.txt", MemoryFile("./ode.txt", "2")},
               {"newer.txt", kOde}},
              "Poems/ode.txt", {}, {}, {}, "", "ode.txt", 2, {}, ""},
    StartCase{"AFileNamedOpensAtItsRecentLineWhenTheMemoryFileNamesAnother",
              {{"ode.txt", kOde}, {"meter.txt", kMeter}, {"RememberEarlierRun.txt", MemoryFile("gone.txt", "1")}},
              "Poems/ode.txt", {}, {}, {}, "", "ode.txt", 2, {}, ""},
    StartCase{"APoemNamedIsOfferedOnceTheFolderIsOpen",
              {{"ode.txt", kOde}, {"meter.txt", kMeter}, {"poem.txt", kPoem}},
              "Poems/poem.txt", {}, {}, {}, "", "ode.txt", 1, {}, "", "poem.txt"},
    StartCase{"AMissingPathIsRefused", {}, "Poems/missing.txt", {}, {}, {},
              "there is no such file or folder", "", 0, {}, ""}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(RecentFilesTest, KeepTheNewestEightOnceEachAndPassOverBadRows) {
    startup::RecentFiles recent;
    for (int i = 1; i <= 9; ++i) {
        recent.Put(QStringLiteral("/poems/%1.txt").arg(i), i);
    }
    recent.Put(QStringLiteral("/poems/./5.txt"), 50);
    ASSERT_EQ(recent.Entries().size(), 8U);
    EXPECT_EQ(recent.Entries()[0].path, "/poems/5.txt");
    EXPECT_EQ(recent.LineOf("/poems/5.txt"), 50);
    EXPECT_FALSE(recent.LineOf("/poems/1.txt"));

    const ScriptedPlatform platform;
    QFile file(QDir(platform.UserFolder()).filePath("recent-files.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("x\t/poems/bad.txt\n7\trelative.txt\n3\t/poems/good.txt\r\n");
    file.close();
    const startup::RecentFiles kept = startup::RecentFiles::Read(platform.UserFolder());
    ASSERT_EQ(kept.Entries().size(), 1U);
    EXPECT_EQ(kept.LineOf("/poems/good.txt"), 3);
}

}  // namespace
}  // namespace corvale::test
