// The one writer of a scan's two outputs: names taken when the files are put in place, orphan
// meter files, failures that leave nothing behind, and signals held over the renames.

#include "firstpass/HeldSignals.h"
#include "firstpass/OutputWriter.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <csignal>
#include <functional>
#include <string>

namespace {

using namespace corvale::firstpass;
using Outcome = WriteResult::Outcome;

struct WriteCase {
    const char* name;
    std::function<void(const QDir&)> setUp;  // in the folder, before the outputs are written
    WhenTaken whenTaken;
    Outcome outcome;
    const char* file;  // the name taken or not written, or "" when written
    bool replacedOrphan;
    const char* files;  // every name in the folder afterwards, hidden ones included
};

class OutputWriting : public testing::TestWithParam<WriteCase> {};

void Put(const QDir& folder, const char* name, const char* bytes = "kept") {
    QFile file(folder.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST_P(OutputWriting, PutsBothInPlaceOrNeither) {
    QTemporaryDir temporary;
    const QDir folder(temporary.path());
    if (GetParam().setUp) {
        GetParam().setUp(folder);
    }
    const OutputNames names{folder.filePath("ode.scansion.txt"),
                            folder.filePath("ode.scansion.meter.txt")};
    Scansion scansion;
    scansion.scansionFile = "records";
    scansion.meterFile = "W\tS\r\n";
    const WriteResult result = WriteOutputs(names, scansion, GetParam().whenTaken);
    EXPECT_EQ(result.outcome, GetParam().outcome);
    EXPECT_EQ(QFileInfo(result.file).fileName().toStdString(), GetParam().file);
    EXPECT_EQ(result.replacedOrphan, GetParam().replacedOrphan);
    EXPECT_EQ(
        folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)
            .join(u' ')
            .toStdString(),
        GetParam().files);
    if (GetParam().outcome == Outcome::Written) {
        QFile written(names.scansion);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        EXPECT_EQ(written.readAll(), "records");
    }
}

const char kBoth[] = "ode.scansion.meter.txt ode.scansion.txt";

INSTANTIATE_TEST_SUITE_P(
    Cases, OutputWriting,
    testing::Values(
        WriteCase{"Fresh", nullptr, WhenTaken::Skip, Outcome::Written, "", false, kBoth},
        // Another run put its scansion file in place first: this run's meter file goes again.
        WriteCase{"ScansionTakenAtTheRename", [](const QDir& d) { Put(d, "ode.scansion.txt"); },
                  WhenTaken::Skip, Outcome::Taken, "ode.scansion.txt", false, "ode.scansion.txt"},
        WriteCase{"OrphanMeterReplaced", [](const QDir& d) { Put(d, "ode.scansion.meter.txt"); },
                  WhenTaken::Skip, Outcome::Written, "", true, kBoth},
        WriteCase{"LinkToNothingIsTaken",
                  [](const QDir& d) {
                      ASSERT_TRUE(
                          QFile::link(d.filePath("gone"), d.filePath("ode.scansion.meter.txt")));
                  },
                  WhenTaken::Skip, Outcome::Taken, "ode.scansion.meter.txt", false,
                  "ode.scansion.meter.txt"},
        WriteCase{"ReplacedWhenAsked",
                  [](const QDir& d) {
                      Put(d, "ode.scansion.txt");
                      Put(d, "ode.scansion.meter.txt");
                  },
                  WhenTaken::Replace, Outcome::Written, "", false, kBoth},
        // The meter file was put in place; the scansion file cannot replace a folder.
        WriteCase{"FailureRemovesTheMeterFile",
                  [](const QDir& d) { ASSERT_TRUE(d.mkdir("ode.scansion.txt")); },
                  WhenTaken::Replace, Outcome::Failed, "ode.scansion.txt", false,
                  "ode.scansion.txt"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OutputWriting, NothingIsLeftInAFolderThatCannotBeWritten) {
    QTemporaryDir temporary;
    const QString missing = temporary.filePath("missing");
    const WriteResult result = WriteOutputs(
        {missing + "/ode.scansion.txt", missing + "/ode.scansion.meter.txt"}, {}, WhenTaken::Skip);
    EXPECT_EQ(result.outcome, Outcome::Failed);
    EXPECT_EQ(result.reason, "No such file or directory");
}

volatile std::sig_atomic_t delivered = 0;

TEST(HeldSignalsTest, ArriveOnceTheStepIsDone) {
    struct sigaction counting {};
    struct sigaction previous {};
    counting.sa_handler = [](int) { delivered = 1; };
    ASSERT_EQ(sigaction(SIGTERM, &counting, &previous), 0);
    delivered = 0;
    {
        const HeldSignals held;
        std::raise(SIGTERM);
        EXPECT_EQ(delivered, 0);
    }
    EXPECT_EQ(delivered, 1);
    sigaction(SIGTERM, &previous, nullptr);
}

}  // namespace
