// Line > "Rescan the rest as I read", Edit > "Undo the rescan" and File > "Save the
// conventions...": the window's part. What is learned and which lines a rescan may change are
// the first pass's tests' business, and the journal's step the document's; these follow the
// wiring: the lines worked through, the lines kept, the question, the undo and the file.

#include "firstpass/ConventionsFile.h"
#include "firstpass/FirstPass.h"
#include "gui/LineEditorFixture.h"
#include "scansion/ScansionFile.h"

#include <QAction>

#include <string>
#include <vector>

namespace corvale::test {
namespace {

constexpr char kRescanPoem[] = "rescan.txt";
const std::string kShall = "Shall I compare thee to a summer's day?";

// Eight lines to learn from, each governed by some convention, then four to rescan.
const std::vector<std::string> kRescanLines = {
    "Shall I compare thee to a summer's day?",
    "Thou art more lovely and more temperate:",
    "Rough winds do shake the darling buds of May,",
    "And sank his head in mire, and slimed themselves:",
    "Sometime too hot the eye of heaven shines,",
    "Like him the river ran, and it was cold;",
    "And often is his gold complexion dimm'd;",
    "But thy eternal summer shall not fade,",
    "Thou art more lovely and more temperate:",
    kShall,
    kShall,
    kShall,
};

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

std::vector<std::string> RowOf(const Store& store, ValueRow row, std::int32_t j) {
    std::vector<std::string> values;
    for (std::int32_t k = 1; k <= store.Values(row, j).Count(); ++k) {
        values.emplace_back(store.Values(row, j)[k]);
    }
    return values;
}

Verse VerseOf(const Store& store, std::int32_t j) {
    return {std::string(store.LineText(j)), RowOf(store, ValueRow::Syllables, j),
            RowOf(store, ValueRow::Stresses, j), RowOf(store, ValueRow::Junctures, j),
            std::string(store.Comment(j))};
}

Store StoreOf(const firstpass::Scansion& scansion) {
    return std::get<LoadedScansion>(ReadScansionBytes(scansion.scansionFile)).store;
}

class RescanWindow : public LineEditorFixture {
protected:
    // A metrist who stresses every pronoun has worked through lines 1..8 as the first pass
    // under that reading writes them; lines 9..12 stand as the defaults' pass wrote them, but
    // for a comment of the metrist's on line 11 from an earlier run.
    void SetUp() override {
        const firstpass::Scansion byDefault = ScannedUnder({});
        const Store reader = StoreOf(ScannedUnder(PronounsStressed()));
        const Store plain = StoreOf(byDefault);
        std::vector<Verse> verses;
        for (std::int32_t j = 1; j <= 12; ++j) {
            verses.push_back(VerseOf(j <= 8 ? reader : plain, j));
        }
        verses[10].comment = "heard with the stress on I";
        original = ScansionFile(verses);
        platform.WriteFile(kRescanPoem, original);
        platform.WriteFile("rescan.meter.txt", byDefault.meterFile);
        platform.WriteFile(kMemory, MemoryFile(kRescanPoem, "9"));
        ASSERT_TRUE(Start());
        ASSERT_EQ(Progress(), "9/12");
    }
    std::string Saved() const { return form->Work().Doc().ScansionFileBytes(); }

    std::string original;
};

// Line 10 committed by hand as it stood and line 11 with the metrist's comment are kept; the
// untouched 12 takes the learned reading; the undo puts the file back as it was, byte for byte,
// and is gone after the next commit.
TEST_F(RescanWindow, RescansOnlyUntouchedLinesAndUndoesByteForByte) {
    GoTo(QStringLiteral("10"));
    form->Run([&] { form->CommitLine(); });
    GoTo(QStringLiteral("9"));
    EXPECT_FALSE(form->undoRescanAction->isEnabled());
    platform.WillAnswer({Answer::Yes});
    form->findChild<QAction*>(QStringLiteral("rescanAction"))->trigger();

    ASSERT_EQ(platform.Messages().size(), 1u);
    const QString asked = platform.Messages()[0].text;
    EXPECT_TRUE(asked.contains("pronoun")) << asked.toStdString();
    EXPECT_TRUE(asked.contains("2 lines are left as they stand")) << asked.toStdString();
    const Document& doc = form->Work().Doc();
    const Store reader = StoreOf(ScannedUnder(PronounsStressed()));
    const Store before = std::get<LoadedScansion>(ReadScansionBytes(original)).store;
    ASSERT_NE(RowOf(reader, ValueRow::Stresses, 12), RowOf(before, ValueRow::Stresses, 12));
    for (const std::int32_t kept : {10, 11}) {
        EXPECT_EQ(RowOf(doc.GetStore(), ValueRow::Stresses, kept),
                  RowOf(before, ValueRow::Stresses, kept))
            << kept;
    }
    EXPECT_EQ(RowOf(doc.GetStore(), ValueRow::Stresses, 12), RowOf(reader, ValueRow::Stresses, 12));
    EXPECT_TRUE(form->lineStatusLabel->text().contains("rescanned"));
    ASSERT_TRUE(form->undoRescanAction->isEnabled());

    form->undoRescanAction->trigger();
    EXPECT_EQ(Saved(), original);
    EXPECT_FALSE(form->undoRescanAction->isEnabled());
}

struct RescanRefusal {
    const char* name;
    const char* line;             // the line on screen
    std::vector<Answer> answers;  // to the question, if it comes
    const char* told;             // what the last message says
};

class RescanNotDone : public RescanWindow, public testing::WithParamInterface<RescanRefusal> {};

TEST_P(RescanNotDone, LeavesEveryLineAsItStands) {
    GoTo(QString::fromLatin1(GetParam().line));
    platform.WillAnswer(GetParam().answers);
    form->findChild<QAction*>(QStringLiteral("rescanAction"))->trigger();
    ASSERT_FALSE(platform.Messages().empty());
    EXPECT_TRUE(platform.Messages().back().text.contains(QLatin1String(GetParam().told)))
        << platform.Messages().back().text.toStdString();
    EXPECT_EQ(Saved(), original);
    EXPECT_FALSE(form->undoRescanAction->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Window, RescanNotDone,
    testing::Values(RescanRefusal{"TooFewLinesWorkedThrough", "8", {}, "there are 7"},
                    RescanRefusal{"AnsweredNo", "9", {Answer::No}, "Rescan those"},
                    RescanRefusal{"Withdrawn", "9", {Answer::Withdrawn}, "Rescan those"}),
    [](const auto& info) { return std::string(info.param.name); });

struct ConventionsSaving {
    const char* name;
    bool fileThere;
    std::vector<Answer> answers;
    bool replaced;
};

class SaveConventions : public RescanWindow,
                        public testing::WithParamInterface<ConventionsSaving> {};

// What was learned goes to conventions.txt; one already there is replaced only on a Yes.
TEST_P(SaveConventions, AsksBeforeReplacing) {
    const std::string kept = firstpass::ConventionsFileBytes({});
    if (GetParam().fileThere) {
        platform.WriteFile("conventions.txt", kept);
    }
    platform.WillAnswer({Answer::No});  // learned, not rescanned
    form->findChild<QAction*>(QStringLiteral("rescanAction"))->trigger();
    platform.WillAnswer(GetParam().answers);
    form->findChild<QAction*>(QStringLiteral("saveConventionsAction"))->trigger();
    EXPECT_EQ(platform.Messages().size(), 1u + (GetParam().fileThere ? 1u : 0u));
    EXPECT_EQ(platform.ReadFile("conventions.txt"),
              GetParam().replaced ? firstpass::ConventionsFileBytes(PronounsStressed()) : kept);
}

INSTANTIATE_TEST_SUITE_P(Window, SaveConventions,
                         testing::Values(ConventionsSaving{"NoneThere", false, {}, true},
                                         ConventionsSaving{
                                             "ReplacedOnYes", true, {Answer::Yes}, true},
                                         ConventionsSaving{"KeptOnNo", true, {Answer::No}, false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvale::test
