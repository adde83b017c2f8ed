// Line > "Rescan the rest as I read", Edit > "Undo the rescan" and File > "Save the
// conventions...": the wiring only. What is learned and which lines a rescan may change are
// the first pass's tests' business, the journal's step the document's.

#include "firstpass/ConventionsFile.h"
#include "firstpass/FirstPass.h"
#include "gui/LineEditorFixture.h"

#include <QAction>

namespace corvale::test {
namespace {

// Eight lines to learn from, each governed by some convention, then three to rescan.
const std::string kShall = "Shall I compare thee to a summer's day?";
const std::vector<std::string> kRescanLines = [] {
    std::vector<std::string> lines = kConventionLines;
    lines.insert(lines.end(), 3, kShall);
    return lines;
}();

firstpass::Conventions PronounsStressed() {
    firstpass::Conventions conventions;
    conventions.Set(firstpass::Convention::Pronoun, firstpass::kAlwaysStressed);
    return conventions;
}

firstpass::Scansion ScannedUnder(const firstpass::Conventions& conventions) {
    firstpass::Options options;
    options.conventions = conventions;
    return std::get<firstpass::Scansion>(firstpass::Scan(firstpass::Poem{kRescanLines}, options));
}

// Each verse line's four rows from one scansion file where `first` takes it, else from the
// other, the files being of the same lines.
template <typename Lines>
std::string Stitched(const std::string& one, const std::string& other, Lines first) {
    std::string bytes;
    for (std::size_t at = 0, from = 0; at < one.size() && from < other.size();) {
        const std::size_t end = one.find("\r\n", at) + 2;
        const std::size_t otherEnd = other.find("\r\n", from) + 2;
        bytes += first(std::stoi(one.substr(at, 4))) ? one.substr(at, end - at)
                                                     : other.substr(from, otherEnd - from);
        at = end;
        from = otherEnd;
    }
    return bytes;
}

// A metrist who stresses every pronoun has worked through lines 1..8; 9..11 stand as the
// defaults' pass wrote them, and the window is on line 9.
class RescanWindow : public LineEditorFixture {
protected:
    void SetUp() override {
        const firstpass::Scansion plain = ScannedUnder({});
        original = Stitched(reader, plain.scansionFile, [](int j) { return j <= 8; });
        // The pronouns' reading for every line but 10.
        rescanned = Stitched(reader, plain.scansionFile, [](int j) { return j != 10; });
        platform.WriteFile("rescan.txt", original);
        platform.WriteFile("rescan.meter.txt", plain.meterFile);
        platform.WriteFile(kMemory, MemoryFile("rescan.txt", "9"));
        ASSERT_TRUE(Start());
    }
    void Trigger(const char* command, std::vector<Answer> answers) {
        platform.WillAnswer(std::move(answers));
        form->findChild<QAction*>(QLatin1String(command))->trigger();
    }
    std::string Held() const { return form->Work().Doc().ScansionFileBytes(); }

    const std::string reader = ScannedUnder(PronounsStressed()).scansionFile;
    std::string original;
    std::string rescanned;
};

// Line 10, committed by hand as it stood, is kept; 9 and 11 take the learned reading; the undo
// puts the file back byte for byte and is gone after it.
TEST_F(RescanWindow, RescansOnlyUntouchedLinesAndUndoesByteForByte) {
    GoTo(QStringLiteral("10"));
    form->Run([&] { form->CommitLine(); });
    GoTo(QStringLiteral("9"));
    Trigger("rescanAction", {Answer::Yes});
    ASSERT_EQ(platform.Messages().size(), 1u);
    EXPECT_TRUE(platform.Messages()[0].text.contains("pronoun (subject and object pronouns"));
    EXPECT_TRUE(platform.Messages()[0].text.contains("Left as they stand: 1 line"));
    EXPECT_EQ(Held(), rescanned);
    EXPECT_TRUE(form->lineStatusLabel->text().startsWith("2 lines rescanned."));
    Trigger("undoRescanAction", {});
    EXPECT_EQ(Held(), original);
    EXPECT_FALSE(form->undoRescanAction->isEnabled());
}

// Too few lines worked through, and a No, change nothing; Save the conventions writes what was
// learned all the same, and replaces a conventions.txt only on a Yes.
struct ConventionsSaving {
    const char* name;
    const char* line;             // the line on screen
    std::vector<Answer> replace;  // asked when a conventions.txt is there
    bool saved;
};

class RescanDeclined : public RescanWindow,
                       public testing::WithParamInterface<ConventionsSaving> {};

TEST_P(RescanDeclined, ChangesNothingAndSavesOnlyWhatWasLearned) {
    const std::string there = firstpass::ConventionsFileBytes({});
    if (!GetParam().replace.empty()) {
        platform.WriteFile("conventions.txt", there);
    }
    GoTo(QString::fromLatin1(GetParam().line));
    Trigger("rescanAction", {Answer::No});
    EXPECT_EQ(Held(), original);
    Trigger("saveConventionsAction", GetParam().replace);
    if (!GetParam().saved && GetParam().replace.empty()) {
        EXPECT_FALSE(platform.Exists("conventions.txt"));
        return;
    }
    EXPECT_EQ(platform.ReadFile("conventions.txt"),
              GetParam().saved ? firstpass::ConventionsFileBytes(PronounsStressed()) : there);
}

INSTANTIATE_TEST_SUITE_P(
    Window, RescanDeclined,
    testing::Values(ConventionsSaving{"TooFewLinesLearnNothing", "8", {}, false},
                    ConventionsSaving{"NewFile", "9", {}, true},
                    ConventionsSaving{"ReplacedOnYes", "9", {Answer::Yes}, true},
                    ConventionsSaving{"KeptOnNo", "9", {Answer::No}, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvale::test
