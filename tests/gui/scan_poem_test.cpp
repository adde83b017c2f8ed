// File > Scan a poem: a poem from any folder becomes a scansion file and its meter file in the
// program's folder, opened at line 1. What the first pass decides is its own tests' business;
// these follow the window's part: dialogs, names, the question, the worker and the switch.

#include "gui/LineEditorFixture.h"
#include "scansion/MeterFile.h"
#include "window/PoemScan.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <new>
#include <optional>
#include <semaphore>
#include <string>
#include <vector>

namespace corvale::test {
namespace {

constexpr char kOdeText[] = "The sea is calm tonight.\nThe tide is full, the moon lies fair\n";
constexpr char kOdeScansion[] = "ode.scansion.txt";
constexpr char kOdeMeter[] = "ode.scansion.meter.txt";

class ScanPoem : public LineEditorFixture {
protected:
    void SetUp() override {
        UseSample("sonnet18", kSonnet);
        ASSERT_TRUE(Start());
        WritePoem("ode.txt", kOdeText);
    }
    // Poems live outside the program's folder, as a metrist's usually do.
    QString WritePoem(const char* name, const std::string& text) const {
        const QString path = poems.filePath(QLatin1String(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.data(), static_cast<qint64>(text.size()));
        return path;
    }
    QString Poem(const char* name = "ode.txt") const { return poems.filePath(QLatin1String(name)); }
    QString InFolder(const char* name) const {
        return platform.ProgramFolder() + u'/' + QLatin1String(name);
    }
    void Scan(std::vector<QString> choices) {
        platform.WillChoose(std::move(choices));
        form->scanPoemAction->trigger();
    }
    // What the first pass makes of the poem, whatever it decides.
    static firstpass::Scansion Expected(const QString& path) {
        auto poem = firstpass::ReadPoemFile(path);
        return std::get<firstpass::Scansion>(firstpass::Scan(std::get<firstpass::Poem>(poem)));
    }
    // The bytes of every file in the program's folder.
    std::vector<std::pair<std::string, std::string>> Folder() const {
        std::vector<std::pair<std::string, std::string>> files;
        for (const std::string& name : platform.FileNames()) {
            files.emplace_back(name, platform.ReadFile(name));
        }
        return files;
    }

    QTemporaryDir poems;
};

TEST_F(ScanPoem, OpensTheResultAtLineOneWithItsOwnMeter) {
    GoTo(QStringLiteral("5"));
    Scan({Poem()});

    const firstpass::Scansion expected = Expected(Poem());
    EXPECT_EQ(platform.ReadFile(kOdeScansion), expected.scansionFile);
    EXPECT_EQ(platform.ReadFile(kOdeMeter), expected.meterFile);
    EXPECT_EQ(form->Work().Settings().WorkingFileName(), kOdeScansion);
    EXPECT_EQ(form->fileNameBox->text(), kOdeScansion);
    EXPECT_EQ(Progress(), "1/2");
    // From the go-to box, the work on the new file starts in its first syllable box.
    EXPECT_EQ(form->focusWidget(), form->Grid().syllableBoxes(1));
    EXPECT_EQ(form->lineTextLabel->text(), "The sea is calm tonight.");
    EXPECT_EQ(form->Work().Doc().Meter().line + "\r\n", expected.meterFile);
    EXPECT_EQ(platform.ReadFile(kMemory),
              MemoryFile(kOdeScansion, "1", "4", "1", "4", "1", "1182"));
    EXPECT_TRUE(platform.Messages().empty());
    ASSERT_EQ(platform.Dialogs().size(), 1u);
    EXPECT_EQ(platform.Dialogs()[0].caption, "Scan a poem");
    // The poem itself is only read.
    EXPECT_FALSE(platform.Exists("ode.txt"));
}

// Names already taken, and names the dialog offers that cannot be used. "@" stands for the
// program's folder in a chosen path.
struct NamingCase {
    const char* name;
    std::vector<std::string> taken;
    std::vector<std::string> choices;
    int messages;
    std::string written;  // the scansion file that opens; "" when nothing was written
};

class ScanPoemNames : public ScanPoem, public testing::WithParamInterface<NamingCase> {};

TEST_P(ScanPoemNames, NothingIsReplacedAndNothingLeavesTheFolder) {
    for (const std::string& name : GetParam().taken) {
        if (name.ends_with('/')) {
            ASSERT_TRUE(QDir(platform.ProgramFolder()).mkdir(QString::fromStdString(name)));
        } else {
            platform.WriteFile(name, "kept\r\n");
        }
    }
    std::vector<QString> choices{Poem()};
    for (const std::string& choice : GetParam().choices) {
        QString path = QString::fromStdString(choice);
        choices.push_back(path.replace(u'@', platform.ProgramFolder()));
    }
    const auto before = Folder();
    Scan(choices);

    EXPECT_EQ(platform.Dialogs().size(), GetParam().choices.size() + 1);
    for (std::size_t i = 1; i < platform.Dialogs().size(); ++i) {
        EXPECT_TRUE(platform.Dialogs()[i].caption.contains(" exists: choose another name"));
    }
    if (platform.Dialogs().size() > 1) {
        EXPECT_EQ(platform.Dialogs()[1].proposed, InFolder(kOdeScansion));
    }
    EXPECT_EQ(platform.Messages().size(), static_cast<std::size_t>(GetParam().messages));
    for (const std::string& name : GetParam().taken) {
        if (!name.ends_with('/')) {
            EXPECT_EQ(platform.ReadFile(name), "kept\r\n") << name;
        }
    }
    if (GetParam().written.empty()) {
        EXPECT_EQ(Folder(), before);
        EXPECT_EQ(form->Work().Settings().WorkingFileName(), kSonnet);
        return;
    }
    const firstpass::Scansion expected = Expected(Poem());
    const std::string& written = GetParam().written;
    EXPECT_EQ(platform.ReadFile(written), expected.scansionFile);
    EXPECT_EQ(platform.ReadFile(OwnMeterFileName(written)), expected.meterFile);
    EXPECT_EQ(form->Work().Settings().WorkingFileName(), written);
    EXPECT_EQ(Progress(), "1/2");
}

INSTANTIATE_TEST_SUITE_P(
    Window, ScanPoemNames,
    testing::Values(
        // The default name's scansion file is taken, then the chosen name's meter file (by a
        // folder: an ordinary meter file alone is an orphan, and replaced).
        NamingCase{"ChosenNameTakenAsksAgain",
                   {kOdeScansion, "elegy.meter.txt/"},
                   {"@/elegy.txt", "@/other.txt"},
                   0,
                   "other.txt"},
        NamingCase{"OutsideOrHiddenNameAsksAgain",
                   {kOdeScansion},
                   {"@/../outside.txt", "/tmp/elsewhere.txt", "@/.other.txt", "@/other.txt"},
                   3,
                   "other.txt"},
        NamingCase{
            "SubfolderIsInside", {kOdeScansion, "poems/"}, {"@/poems/ode.txt"}, 0, "poems/ode.txt"},
        NamingCase{"CancelledNameWritesNothing", {kOdeScansion}, {""}, 0, ""}),
    [](const auto& info) { return info.param.name; });

TEST_F(ScanPoem, CancelledPoemDialogDoesNothing) {
    const auto before = Folder();
    Scan({QString()});
    EXPECT_EQ(Folder(), before);
    EXPECT_TRUE(platform.Messages().empty());
    EXPECT_EQ(form->Work().Settings().WorkingFileName(), kSonnet);
}

std::string RepeatedWord(const std::string& word, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += word;
    }
    return text;
}

// A scansion file is what a scan would make: it is opened as it stands.
TEST_F(ScanPoem, AScansionFileIsOpenedNotScanned) {
    platform.WriteFile(kTyger, SampleFile("tyger", kTyger));
    const auto before = platform.FileNames();
    Scan({InFolder(kTyger)});
    EXPECT_EQ(platform.FileNames(), before);
    EXPECT_EQ(form->Work().Settings().WorkingFileName(), kTyger);
}

// Each way of not scanning leaves every file as it was and the sonnet on screen.
struct RefusedCase {
    const char* name;
    std::optional<std::string> poem;  // the poem file's bytes; none for a missing poem
    bool outOfMemory = false;         // the scan runs out of memory
    const char* where = "";           // what the message says of the place in the poem
};

class ScanPoemRefused : public ScanPoem, public testing::WithParamInterface<RefusedCase> {};

TEST_P(ScanPoemRefused, SaysSoAndWritesNothing) {
    const QString path =
        GetParam().poem ? WritePoem("refused.txt", *GetParam().poem) : Poem("refused.txt");
    if (GetParam().outOfMemory) {
        form->SetPoemScanner([](const QString&, const firstpass::Progress&) -> PoemScanResult {
            throw std::bad_alloc();
        });
    }
    GoTo(QStringLiteral("3"));
    const auto before = Folder();
    Scan({path});
    EXPECT_EQ(Folder(), before);
    ASSERT_EQ(platform.Messages().size(), 1u);
    const QString& message = platform.Messages()[0].text;
    EXPECT_TRUE(message.startsWith("I couldn't scan refused.txt")) << message.toStdString();
    EXPECT_TRUE(message.endsWith("Nothing was written.")) << message.toStdString();
    EXPECT_TRUE(message.contains(GetParam().where)) << message.toStdString();
    EXPECT_EQ(form->Work().Settings().WorkingFileName(), kSonnet);
    EXPECT_EQ(Progress(), "3/14");
}

INSTANTIATE_TEST_SUITE_P(Window, ScanPoemRefused,
                         testing::Values(RefusedCase{"Missing", std::nullopt},
                                         RefusedCase{"OutOfMemory", kOdeText, true},
                                         // verse line 2, after a stanza break: row 3
                                         RefusedCase{"LineTooLongNamesItsRow",
                                                     "Ode\n\n" + RepeatedWord("la ", 1001), false,
                                                     "(row 3)"}),
                         [](const auto& info) { return info.param.name; });

// The folder's conventions.txt is what the poem is scanned by; a file of that name that is not
// Corvale's is none, and a bad row, named, stops the scan before anything is written.
struct FolderConventionsCase {
    const char* name;
    std::string bytes;  // conventions.txt
    int pronoun;        // the value scanned by; -1: nothing scanned
    const char* by;     // the status's words
};

class ScanPoemConventions : public ScanPoem,
                            public testing::WithParamInterface<FolderConventionsCase> {};

TEST_P(ScanPoemConventions, ScansByTheFolderConventions) {
    const QString path = WritePoem("shall.txt", "Shall I compare thee to a summer's day?\n");
    platform.WriteFile("conventions.txt", GetParam().bytes);
    Scan({path});
    if (GetParam().pronoun < 0) {
        ASSERT_EQ(platform.Messages().size(), 1u);
        EXPECT_TRUE(platform.Messages()[0].text.endsWith(
            "conventions.txt, row 2: no tab between a convention's name and its value.  Nothing "
            "was scanned."));
        EXPECT_FALSE(platform.Exists("shall.scansion.txt"));
        return;
    }
    firstpass::Options options;
    options.conventions.Set(firstpass::Convention::Pronoun, GetParam().pronoun);
    const auto poem = std::get<firstpass::Poem>(firstpass::ReadPoemFile(path));
    EXPECT_EQ(platform.ReadFile("shall.scansion.txt"),
              std::get<firstpass::Scansion>(firstpass::Scan(poem, options)).scansionFile);
    EXPECT_TRUE(
        form->lineStatusLabel->text().startsWith(QStringLiteral("scanned by ") + GetParam().by));
}

INSTANTIATE_TEST_SUITE_P(
    Window, ScanPoemConventions,
    testing::Values(FolderConventionsCase{"Followed", "# Corvale's conventions\r\npronoun\t4\r\n",
                                          4, "the conventions in conventions.txt"},
                    FolderConventionsCase{"NotCorvalesIsNone", "Shall I compare thee\r\n", 2,
                                          "the default conventions"},
                    FolderConventionsCase{"BadRowNamed", "# Corvale's conventions\r\npronoun 4\r\n",
                                          -1, ""}),
    [](const auto& info) { return info.param.name; });

TEST_F(ScanPoem, WithdrawnQuestionWritesNothing) {
    ClickCell("stressUpButtons", 1);
    Click(QStringLiteral("commitLineButton"));
    const auto before = Folder();
    platform.WillAnswer({Answer::Withdrawn});
    Scan({Poem()});
    EXPECT_EQ(platform.MessageTexts(), std::vector<QString>{"Save changes?"});
    EXPECT_EQ(Folder(), before);
    EXPECT_EQ(form->Work().Settings().WorkingFileName(), kSonnet);
    EXPECT_TRUE(form->Work().Doc().IsModified());
}

// A scan that waits for the test: the progress dialog's Cancel stops it, and nothing is written.
TEST_F(ScanPoem, CancelWritesNothing) {
    std::binary_semaphore cancelled(0);
    bool sawDialog = false;
    form->SetPoemScanner([&cancelled](const QString&, const firstpass::Progress& progress) {
        progress(0, 100);
        cancelled.acquire();
        return progress(1, 100) ? PoemScanResult(firstpass::Scansion{}) : firstpass::Cancelled{};
    });
    QTimer::singleShot(0, form.get(), [&] {
        if (auto* dialog = form->findChild<QProgressDialog*>(QStringLiteral("scanProgress"))) {
            sawDialog = true;
            dialog->findChild<QPushButton*>()->click();
        }
        cancelled.release();
    });
    const auto before = Folder();
    Scan({Poem()});
    EXPECT_TRUE(sawDialog);
    EXPECT_EQ(Folder(), before);
    EXPECT_TRUE(platform.Messages().empty());
    EXPECT_EQ(form->Work().Settings().WorkingFileName(), kSonnet);
}

TEST_F(ScanPoem, ClosingTheWindowCancelsTheScanFirst) {
    std::binary_semaphore closed(0);
    form->SetPoemScanner([&closed](const QString& path, const firstpass::Progress& progress) {
        closed.acquire();
        return ReadAndScanPoem(path, progress);
    });
    QTimer::singleShot(0, form.get(), [&] {
        form->close();
        closed.release();
    });
    const auto before = Folder();
    Scan({Poem()});
    EXPECT_EQ(Folder(), before);
    EXPECT_FALSE(form->isVisible());
}

// The window system's close request is dropped for a window that a modal dialog blocks: during
// a scan nothing modal blocks the window, whose controls rest instead and come back after it.
TEST_F(ScanPoem, NothingModalKeepsTheCloseBoxFromTheWindow) {
    std::binary_semaphore looked(0);
    form->SetPoemScanner([&looked](const QString& path, const firstpass::Progress& progress) {
        looked.acquire();
        return ReadAndScanPoem(path, progress);
    });
    bool blocked = true;
    bool resting = false;
    QTimer::singleShot(0, form.get(), [&] {
        const auto* dialog = form->findChild<QProgressDialog*>(QStringLiteral("scanProgress"));
        blocked = dialog == nullptr || dialog->windowModality() != Qt::NonModal ||
                  !form->isEnabled() || QApplication::activeModalWidget() != nullptr;
        resting = !form->centralWidget()->isEnabled() && !form->menuBar()->isEnabled();
        looked.release();
    });
    Scan({Poem()});
    EXPECT_FALSE(blocked);
    EXPECT_TRUE(resting);
    EXPECT_TRUE(form->centralWidget()->isEnabled());
    EXPECT_TRUE(form->menuBar()->isEnabled());
}

// While the scan runs the window stays responsive, but no other command runs in between.
TEST_F(ScanPoem, NoCommandRunsDuringAScan) {
    std::binary_semaphore tried(0);
    form->SetPoemScanner([&tried](const QString& path, const firstpass::Progress& progress) {
        tried.acquire();
        return ReadAndScanPoem(path, progress);
    });
    QTimer::singleShot(0, form.get(), [&] {
        // Exit would ask "Save changes?", and a switch would load the sonnet again.
        form->exitAction->trigger();
        form->openFileAction->trigger();
        tried.release();
    });
    Scan({Poem()});
    EXPECT_TRUE(platform.Messages().empty());
    EXPECT_FALSE(platform.Ended());
    EXPECT_EQ(form->Work().Settings().WorkingFileName(), kOdeScansion);
    EXPECT_EQ(Progress(), "1/2");
}

}  // namespace
}  // namespace corvale::test
