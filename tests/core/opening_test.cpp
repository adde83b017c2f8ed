#include "startup/Files.h"
#include "startup/WorkingFolder.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <map>
#include <string>

namespace corvale::startup {
namespace {

using Files = std::map<std::string, std::string>;
using Action = Opening::Action;

const std::string kScansion =
    test::ScansionFile({{"O lark", {"O", "lark"}, {"1", "3"}, {"2", "4"}, ""}});

struct OpeningCase {
    const char* name;
    Files folder;
    const char* opened;  // the file opened by its path
    Action action;
    const char* path;     // the file then opened or scanned
    const char* message;  // Tell: the message begins so
};

void PrintTo(const OpeningCase& c, std::ostream* out) {
    *out << c.name;
}

class OpeningTable : public ::testing::TestWithParam<OpeningCase> {
protected:
    QString Path(const std::string& name) const {
        return QDir(root.path()).filePath(QString::fromStdString(name));
    }
    QTemporaryDir root;
};

TEST_P(OpeningTable, NeverOffersCorvalesOwnFilesToScanAPoem) {
    const OpeningCase& c = GetParam();
    for (const auto& [name, bytes] : c.folder) {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    const Opening opening = DecideOpening(Path(c.opened));
    EXPECT_EQ(opening.action, c.action);
    EXPECT_EQ(opening.path, Path(c.path));
    const QString message = QString::fromUtf8(c.message);
    EXPECT_EQ(opening.message.left(message.size()), message);
}

const std::string kMeter = "W\tS\r\n";
const std::string kCrScansion =
    QByteArray::fromStdString(kScansion).replace("\r\n", "\r").toStdString();
const std::string kUtf16Scansion =
    QByteArray(QStringEncoder(QStringEncoder::Utf16LE,
                              QStringEncoder::Flag::WriteBom)(QString::fromStdString(kScansion)))
        .toStdString();

// clang-format off
INSTANTIATE_TEST_SUITE_P(Files, OpeningTable, ::testing::Values(
    OpeningCase{"APoemIsOffered", {{"ode.txt", "O lark\r\n"}}, "ode.txt", Action::OfferScan, "ode.txt", ""},
    OpeningCase{"AScansionFileOpens", {{"ode.txt", kScansion}}, "ode.txt", Action::OpenScansion, "ode.txt", ""},
    OpeningCase{"AMeterFileOpensItsScansionFile",
                {{"ode.scansion.txt", kScansion}, {"ode.scansion.meter.txt", kMeter}},
                "ode.scansion.meter.txt", Action::OpenScansion, "ode.scansion.txt", ""},
    OpeningCase{"OrItsScansionFileOfAnotherExtension",
                {{"ode.sc", kScansion}, {"ode.txt", "a poem\r\n"}, {"ode.meter.txt", kMeter}},
                "ode.meter.txt", Action::OpenScansion, "ode.sc", ""},
    OpeningCase{"AMeterFileWithoutItsScansionFileIsTold", {{"ode.meter.txt", kMeter}}, "ode.meter.txt",
                Action::Tell, "ode.meter.txt",
                "ode.meter.txt is a meter file, which Corvale keeps for itself: it is not a poem to scan.  "
                "No scansion file"},
    OpeningCase{"TheFoldersMeterIsTold", {{"meter.txt", kMeter}, {"meter.sc", kScansion}}, "meter.txt",
                Action::Tell, "meter.txt", "meter.txt is a meter file"},
    OpeningCase{"TheMemoryFileIsTold", {{"RememberEarlierRun.txt", "Filename:\r\n"}}, "RememberEarlierRun.txt",
                Action::Tell, "RememberEarlierRun.txt", "RememberEarlierRun.txt is the memory file"},
    OpeningCase{"TheViewOptionsAreTold", {{"corvale-view.ini", "[View]\r\n"}}, "corvale-view.ini",
                Action::Tell, "corvale-view.ini", "corvale-view.ini is the view options"},
    // Its rows are a scansion file's, but it is no file to open.
    OpeningCase{"KeptCorrectionsAreTold", {{"ode.txt.unsaved-corrections.txt", kScansion}},
                "ode.txt.unsaved-corrections.txt", Action::Tell, "ode.txt.unsaved-corrections.txt",
                "ode.txt.unsaved-corrections.txt holds corrections Corvale kept aside"},
    OpeningCase{"AScansionFileOfCrRowEndsIsTold", {{"ode.txt", kCrScansion}},
                "ode.txt", Action::Tell, "ode.txt", "ode.txt is a scansion file in a form Corvale does not read.  Save it with LF"},
    OpeningCase{"AScansionFileInUtf16IsTold", {{"ode.txt", kUtf16Scansion}},
                "ode.txt", Action::Tell, "ode.txt", "ode.txt is a scansion file in a form Corvale does not read.  Save it as UTF-8,"},
    OpeningCase{"ANameWithALineBreakIsTold", {{"o\nde.txt", kScansion}}, "o\nde.txt", Action::Tell, "o\nde.txt",
                "A file whose name has a line break in it cannot be opened"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// `corvale NAME.meter.txt` works on the scansion file it is the meter of.
TEST(OpeningAtStart, AMeterFileNamedStartsOnItsScansionFile) {
    QTemporaryDir root;
    for (const auto& [name, bytes] :
         Files{{"ode.scansion.txt", kScansion}, {"ode.scansion.meter.txt", kMeter}}) {
        QFile file(QDir(root.path()).filePath(QString::fromStdString(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    const auto chosen = ChooseWorkingFolder(
        QDir(root.path()).filePath(QStringLiteral("ode.scansion.meter.txt")), {});
    const auto* folder = std::get_if<WorkingFolder>(&chosen);
    ASSERT_NE(folder, nullptr);
    ASSERT_TRUE(folder->file.has_value());
    EXPECT_EQ(folder->file->name, QStringLiteral("ode.scansion.txt"));
    EXPECT_FALSE(folder->file->poem);
}

}  // namespace
}  // namespace corvale::startup
