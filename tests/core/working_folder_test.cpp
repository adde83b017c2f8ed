#include "startup/CommandLine.h"
#include "startup/WorkingFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

using corvale::startup::ChooseWorkingFolder;
using corvale::startup::CommandLine;
using corvale::startup::FolderPlaces;
using corvale::startup::FolderRefused;
using corvale::startup::ReadCommandLine;
using corvale::startup::ShownName;
using corvale::startup::WorkingFolder;

using Files = std::map<std::string, std::string>;
// Something amiss around the home folder.
enum class Amiss { Nothing, FileForHomeFolder, NoHome, NoSamples };

// A small file system in a temporary folder: "bin" is where the install rules put the
// executable, "build" a build folder, "home" the user's home with a folder "Poems" and a file
// "poem.txt", and "samples" the files a new home folder starts with.
const Files kSample = {
    {"RememberEarlierRun.txt", "memory"}, {"meter.txt", "W\tS"}, {"sonnet18.txt", "sonnet"}};

struct FolderCase {
    const char* name;
    const char* argument;         // relative to the temporary folder; nullptr: none
    const char* executable;       // the executable's folder
    std::optional<Files> before;  // home/Corvale and its files beforehand; nullopt: no folder
    // The folder chosen and the title's name for it, or the end of the refusal.
    const char* folder;
    const char* shownName;
    const char* refusal;
    std::optional<Files> after;  // home/Corvale afterwards
    Amiss amiss = Amiss::Nothing;
};

class WorkingFolderTest : public testing::TestWithParam<FolderCase> {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        for (const char* folder : {"bin", "build", "home/Poems", "samples"}) {
            ASSERT_TRUE(QDir(root.path()).mkpath(QString::fromLatin1(folder)));
        }
        ASSERT_TRUE(QFile::link(Path("bin"), Path("bin-link")));
        ASSERT_TRUE(QFile::link(Path("home/loop"), Path("home/loop")));
        Write("home/poem.txt", "a poem");
        for (const auto& [name, bytes] : kSample) {
            Write("samples/" + name, bytes);
        }
    }
    QString Path(const std::string& relative) const {
        return root.path() + QLatin1Char('/') + QString::fromStdString(relative);
    }
    void Write(const std::string& relative, const std::string& bytes) const {
        QFile file(Path(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    std::optional<Files> HomeFolderFiles() const {
        const QDir folder(Path("home/Corvale"));
        if (!folder.exists()) {
            return std::nullopt;
        }
        Files files;
        for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden)) {
            QFile file(folder.filePath(name));
            EXPECT_TRUE(file.open(QIODevice::ReadOnly));
            files[name.toStdString()] = file.readAll().toStdString();
        }
        return files;
    }
    FolderPlaces Places(const std::string& executableFolder) const {
        return {Path(executableFolder), Path("bin"), Path("home"), Path("samples")};
    }

    QTemporaryDir root;
};

TEST_P(WorkingFolderTest, IsChosenAndPrepared) {
    const FolderCase& c = GetParam();
    if (c.before) {
        ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("home/Corvale")));
        for (const auto& [name, bytes] : *c.before) {
            Write("home/Corvale/" + name, bytes);
        }
    }
    std::optional<QString> argument;
    if (c.argument != nullptr) {
        argument = Path(c.argument);
    }
    FolderPlaces places = Places(c.executable);
    if (c.amiss == Amiss::FileForHomeFolder) {
        Write("home/Corvale", "a file");
    } else if (c.amiss == Amiss::NoHome) {
        places.home = Path("nobody");
    } else if (c.amiss == Amiss::NoSamples) {
        places.sampleFolder = Path("no-samples");
    }

    const auto chosen = ChooseWorkingFolder(argument, places);

    if (const auto* folder = std::get_if<WorkingFolder>(&chosen)) {
        EXPECT_EQ(folder->path, Path(c.folder));
        EXPECT_EQ(folder->shownName, QString::fromUtf8(c.shownName));
        // A missing sample is a warning, and the folder still serves.
        EXPECT_EQ(folder->warnings.size(), c.amiss == Amiss::NoSamples ? 1U : 0U);
    } else {
        const QString message = std::get<FolderRefused>(chosen).message;
        EXPECT_TRUE(message.startsWith("corvale: cannot work in")) << message.toStdString();
        EXPECT_TRUE(message.endsWith(QString::fromUtf8(c.refusal))) << message.toStdString();
        EXPECT_STREQ(c.folder, "") << "refused: " << message.toStdString();
    }
    EXPECT_EQ(HomeFolderFiles(), c.after);
    EXPECT_FALSE(QFileInfo::exists(Path("nobody")));
    if (c.amiss == Amiss::FileForHomeFolder) {
        QFile file(Path("home/Corvale"));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), "a file");
    }
}

const Files kMine = {{"RememberEarlierRun.txt", "my memory"}, {"ode.txt", "ode"}};
const Files kSampleBesideMine = {
    {"RememberEarlierRun.txt", "memory"}, {"meter.txt", "W\tS"}, {"sonnet18.txt", "mine"}};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, WorkingFolderTest, testing::Values(
    FolderCase{"AnArgumentBeatsTheInstalledHomeFolderAndIsShownFromHome", "home/Poems", "bin",
               std::nullopt, "home/Poems", "~/Poems", "", std::nullopt},
    FolderCase{"AnArgumentNamingTheExecutablesFolderIsNotShown", "build/.", "build", std::nullopt,
               "build", "", "", std::nullopt},
    FolderCase{"AnExecutableOutsideTheInstallFolderWorksInItsOwn", nullptr, "build", std::nullopt,
               "build", "", "", std::nullopt},
    FolderCase{"AnInstalledOneCreatesTheHomeFolderWithTheSample", nullptr, "bin", std::nullopt,
               "home/Corvale", "~/Corvale", "", kSample},
    FolderCase{"AnInstalledOneReachedThroughALinkIsInstalled", nullptr, "bin-link", std::nullopt,
               "home/Corvale", "~/Corvale", "", kSample},
    FolderCase{"AnInstalledOneNeverOverwritesASampleFile", nullptr, "bin",
               Files{{"sonnet18.txt", "mine"}}, "home/Corvale", "~/Corvale", "",
               kSampleBesideMine},
    FolderCase{"AnInstalledOneLeavesAFolderWorkedInAlone", nullptr, "bin", kMine,
               "home/Corvale", "~/Corvale", "", kMine},
    FolderCase{"AMissingFolderIsRefused", "home/Missing", "bin", std::nullopt,
               "", "", "there is no such file or folder", std::nullopt},
    FolderCase{"ALoopOfLinksIsToldForWhatItIs", "home/loop", "bin", std::nullopt,
               "", "", "Too many levels of symbolic links", std::nullopt},
    FolderCase{"AFileGivenIsWorkedOnInItsFolder", "home/poem.txt", "build", std::nullopt,
               "home", "~", "", std::nullopt},
    FolderCase{"AFileInPlaceOfTheHomeFolderIsRefusedAndKept", nullptr, "bin", std::nullopt,
               "", "", "it is not a folder", std::nullopt, Amiss::FileForHomeFolder},
    FolderCase{"AMissingHomeIsRefusedWithoutCreatingIt", nullptr, "bin", std::nullopt,
               "", "", "it could not be created", std::nullopt, Amiss::NoHome},
    FolderCase{"AMissingSampleIsAWarningAndTheFolderStillServes", nullptr, "bin", std::nullopt,
               "home/Corvale", "~/Corvale", "", Files{}, Amiss::NoSamples}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

struct ShownNameCase {
    const char* name;
    const char* path;
    const char* home;
    const char* shown;
};

class ShownNameTest : public testing::TestWithParam<ShownNameCase> {};

TEST_P(ShownNameTest, WritesTheHomeFolderAsTilde) {
    const ShownNameCase& c = GetParam();
    EXPECT_EQ(ShownName(QString::fromUtf8(c.path), QString::fromUtf8(c.home)),
              QString::fromUtf8(c.shown));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, ShownNameTest, testing::Values(
    ShownNameCase{"BelowTheHome", "/home/ann/Poems/odes", "/home/ann/", "~/Poems/odes"},
    ShownNameCase{"TheHomeItself", "/home/ann", "/home/ann", "~"},
    ShownNameCase{"ANameThatOnlyBeginsLikeTheHome", "/home/anna", "/home/ann", "/home/anna"},
    ShownNameCase{"ARootHomeAbbreviatesNothing", "/srv/poems", "/", "/srv/poems"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

struct CommandLineCase {
    const char* name;
    QStringList arguments;  // after the program's name
    CommandLine::Action action;
    std::optional<QString> path;
    bool checkStart;
    const char* text;  // how the text begins; for help, a part of it
};

class CommandLineTest : public testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineTest, IsRead) {
    const CommandLineCase& c = GetParam();
    const CommandLine line =
        ReadCommandLine(QStringList{QStringLiteral("corvale")} + c.arguments, "1.2");
    EXPECT_EQ(line.action, c.action);
    EXPECT_EQ(line.path, c.path);
    EXPECT_EQ(line.checkStart, c.checkStart);
    const QString text = QString::fromUtf8(c.text);
    if (c.action == CommandLine::Action::ShowHelp) {
        EXPECT_TRUE(line.text.contains(text)) << line.text.toStdString();
    } else {
        EXPECT_EQ(line.text.left(text.size()), text);
    }
}

using Action = CommandLine::Action;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, CommandLineTest, testing::Values(
    CommandLineCase{"Nothing", {}, Action::Run, std::nullopt, false, ""},
    CommandLineCase{"CheckStartWithAFolder", {"--check-start", "Poems"}, Action::Run, "Poems", true, ""},
    CommandLineCase{"HelpBeatsAFolder", {"Poems", "-h"}, Action::ShowHelp, std::nullopt, false, "Usage: corvale [options] [FOLDER | FILE]"},
    CommandLineCase{"Version", {"--version"}, Action::ShowVersion, std::nullopt, false, "corvale 1.2\n"},
    CommandLineCase{"TwoFolders", {"Poems", "Odes"}, Action::UsageError, std::nullopt, false, "corvale: only one"},
    CommandLineCase{"AnUnknownOption", {"--poems"}, Action::UsageError, std::nullopt, false, "corvale: Unknown"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

}  // namespace
