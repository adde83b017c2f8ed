// Mending a syllable in the window: text typed into a syllable box is kept as an edit of the
// line, and a syllable splits in two at the caret, growing the grid when the line is full.

#include "gui/KeyboardFixture.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

#include <string>
#include <vector>

namespace corvale::test {
namespace {

constexpr QKeyCombination kSplitKey = Qt::CTRL | Qt::SHIFT | Qt::Key_M;
constexpr QKeyCombination kAltRight = Qt::ALT | Qt::Key_Right;
constexpr char kEmptyRefused[] = "a syllable cannot be empty: merge it instead";
constexpr char kSplitWhere[] = "put the cursor inside a syllable to split it";
constexpr char kFourBeats[] = "W\tS\tW\tS";

// Three verse lines of three syllables each: every line is full.
const std::vector<Verse> kFullLines = {
    {"Thou art temperate:", {"Thou", "art", "temperate:"}, {"1", "3", "3"}, {"2", "2", "4"}, ""},
    {"Rough winds do", {"Rough", "winds", "do"}, {"3", "3", "1"}, {"2", "2", "2"}, ""},
    {"shake the buds", {"shake", "the", "buds"}, {"3", "1", "3"}, {"2", "2", "2"}, ""},
};

class SyllableEditingTest : public KeyboardFixture {
protected:
    bool StartOn(const std::vector<Verse>& verses, const std::string& meter = kFourBeats) {
        platform.WriteFile(kPoem, ScansionFile(verses));
        platform.WriteFile("meter.txt", Rows({meter}));
        platform.WriteFile(kMemory, MemoryFile(kPoem, "1"));
        return Start();
    }
    // The syllable box of column i gets the focus, as a click or the arrows give it.
    QLineEdit* FocusSyllable(int i) const {
        QLineEdit* box = form->Grid().syllableBoxes(i);
        box->setFocus(Qt::MouseFocusReason);
        return box;
    }
    // Types over the whole text of the focused box.
    void Retype(const QString& text) const {
        auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(box, nullptr);
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        // Key by key with the text each key types, so that any character can be typed.
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(box, &press);
        }
    }
    std::string Working(int i) const { return std::string(form->Line().Syllable(i)); }
    std::string Status() const { return form->lineStatusLabel->text().toStdString(); }
    int UndoSteps() const { return form->undoAction->isEnabled() ? 1 : 0; }
    // The file's syllables row of verse line 1.
    std::string SavedRow() const {
        const std::string file = platform.ReadFile(kPoem);
        return file.substr(0, file.find("\r\n"));
    }
};

// ---- typed text ---------------------------------------------------------------------------

struct TakenCase {
    const char* name;
    std::vector<QKeyCombination> keys;  // pressed after "Thee" is typed over "Thou"
    const char* working1;               // the working copy's first syllable afterwards
    const char* stored1;                // the store's
    const char* progress;
};

class RetypeTakenBefore : public SyllableEditingTest,
                          public testing::WithParamInterface<TakenCase> {};

TEST_P(RetypeTakenBefore, TheCommand) {
    ASSERT_TRUE(StartOn(kFullLines));
    Activate();
    FocusSyllable(1);
    Retype(QStringLiteral("Thee"));
    EXPECT_EQ(Working(1), "Thou") << "nothing is taken while typing";
    for (const QKeyCombination key : GetParam().keys) {
        Press(key);
    }
    EXPECT_EQ(Working(1), GetParam().working1);
    EXPECT_EQ(form->Work().Doc().Syllable(1, 1), GetParam().stored1);
    EXPECT_EQ(Progress(), GetParam().progress);
}

INSTANTIATE_TEST_SUITE_P(
    Retype, RetypeTakenBefore,
    testing::Values(TakenCase{"Commit", {key::Commit}, "Rough", "Thee", "2/3"},
                    // The step runs in the stress box; the syllable went in when the box was left.
                    TakenCase{"Step", {key::CtrlDown, key::Up}, "Thee", "Thou", "1/3"},
                    TakenCase{"Merge", {key::Merge}, "Thee art", "Thou", "1/3"},
                    // Taken, then dropped with the line like any uncommitted edit.
                    TakenCase{"Move", {key::PgDn}, "Rough", "Thou", "2/3"},
                    TakenCase{"Reload", {key::F5}, "Thou", "Thou", "1/3"}),
    [](const auto& info) { return info.param.name; });

TEST_F(SyllableEditingTest, CtrlZPutsBackTypingThenUndoesTheRetypingAsOneStep) {
    ASSERT_TRUE(StartOn(kFullLines));
    Activate();
    QLineEdit* box = FocusSyllable(1);
    Retype(QStringLiteral("Thee"));
    Press(key::Undo);
    EXPECT_EQ(box->text(), "Thou");
    EXPECT_EQ(UndoSteps(), 0) << "nothing was taken, so nothing was undone or recorded";

    Retype(QStringLiteral("Thee"));
    Press(key::Tab);
    EXPECT_EQ(Working(1), "Thee");
    EXPECT_EQ(box->text(), "Thee");
    EXPECT_EQ(form->undoAction->text(), "Undo Retype syllable 1");
    Press(key::Undo);
    EXPECT_EQ(Working(1), "Thou");
    EXPECT_EQ(box->text(), "Thou");
    Press(key::Redo);
    EXPECT_EQ(Working(1), "Thee");
}

// A syllable bound on both sides shows a hyphen, and "%" shows as "--", only while its box is
// not being edited.
TEST_F(SyllableEditingTest, FocusedBoxShowsThePlainSyllableAndTheOthersTheirLook) {
    ASSERT_TRUE(StartOn({{"a b c", {"a", "b", "c%"}, {"1", "1", "1"}, {"1", "1", "2"}, ""}}));
    EXPECT_EQ(CellText("syllableBoxes", 2), "b-");
    Activate();
    FocusSyllable(2);
    EXPECT_EQ(CellText("syllableBoxes", 2), "b");
    EXPECT_EQ(CellText("syllableBoxes", 3), "c--");
    Press(kAltRight);
    EXPECT_EQ(CellText("syllableBoxes", 2), "b-");
    EXPECT_EQ(CellText("syllableBoxes", 3), "c%");
    // A menu opened over the box leaves it as it is, caret and all.
    form->Grid().syllableBoxes(3)->setCursorPosition(1);
    form->lineMenu->popup(form->mapToGlobal(QPoint(0, 0)));
    EXPECT_EQ(CellText("syllableBoxes", 3), "c%");
    EXPECT_EQ(form->Grid().syllableBoxes(3)->cursorPosition(), 1);
    form->lineMenu->close();
}

struct RefusalCase {
    const char* name;
    std::string meter;
};

class RetypeRefused : public SyllableEditingTest,
                      public testing::WithParamInterface<RefusalCase> {};

TEST_P(RetypeRefused, BlankKeepsTheOldSyllableAndSaysWhy) {
    ASSERT_TRUE(StartOn({{"x y", {"x", "y"}, {"1", "1"}, {"2", "2"}, ""}}, GetParam().meter));
    Activate();
    QLineEdit* box = FocusSyllable(1);
    Retype(QString());
    Press(key::Tab);
    EXPECT_EQ(Working(1), "x");
    EXPECT_EQ(Status(), kEmptyRefused);
    EXPECT_EQ(box->text(), "x");
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(UndoSteps(), 0);
}

INSTANTIATE_TEST_SUITE_P(Retype, RetypeRefused,
                         testing::Values(RefusalCase{"Empty", kFourBeats},
                                         RefusalCase{"EmptyUnderAnEmptyMeter", ""}),
                         [](const auto& info) { return info.param.name; });

// "\xE9" makes the file Windows-1252, which has no omega; the meter here judges nothing.
TEST_F(SyllableEditingTest, ACharacterAWindows1252FileCannotHoldIsRefused) {
    ASSERT_TRUE(StartOn({{"x y", {"\xE9", "y"}, {"1", "1"}, {"2", "2"}, ""}}, ""));
    Activate();
    QLineEdit* box = FocusSyllable(1);
    Retype(QStringLiteral("\u00E8\u03A9"));
    EXPECT_EQ(box->text(), QStringLiteral("\u00E8"));
    EXPECT_EQ(Status(), "this file is in Windows-1252, which cannot hold \"\u03A9\"");
    Press(key::Tab);
    EXPECT_EQ(Working(1), "\xE8");
}

// ---- splitting ----------------------------------------------------------------------------

// The whole errand by keys: "Thee" typed over "Thou", then to "temperate:", the caret after
// "temp", split, undo, redo, commit, a crash, the restored line, a save, and the file loaded again.
TEST_F(SyllableEditingTest, SplitOnAFullLineGrowsTheGridAndSurvivesACrashAndASave) {
    ASSERT_TRUE(StartOn(kFullLines));
    Activate();
    Retype(QStringLiteral("  Thee "));
    for (const QKeyCombination key :
         {kAltRight, kAltRight, key::Left, key::Left, key::Left, key::Left, key::Left, key::Left}) {
        Press(key);
    }
    ASSERT_EQ(Focused(), "syllableBoxes(3)");
    EXPECT_EQ(Status(), "1 syllable too few");
    Press(kSplitKey);
    EXPECT_EQ(form->Work().Doc().Positions(), 4);
    EXPECT_EQ(form->Grid().Columns(), 4);
    EXPECT_EQ(form->Line().Syllables(),
              (std::vector<std::string>{"", "Thee", "art", "temp", "erate:"}));
    EXPECT_EQ(form->Line().Stresses(), (std::vector<std::string>{"", "1", "3", "3", "1"}));
    EXPECT_EQ(form->Line().Junctures(), (std::vector<std::string>{"", "2", "2", "1", "4"}));
    EXPECT_TRUE(CellShown("syllableBoxes", 4));
    EXPECT_TRUE(CellShown("mergeButtons", 3));
    EXPECT_EQ(Focused(), "syllableBoxes(3)");
    EXPECT_EQ(form->Grid().syllableBoxes(3)->cursorPosition(), 4);
    EXPECT_EQ(Status(), "fits the meter") << "judged at once";

    Press(key::Undo);
    EXPECT_EQ(form->Line().Syllables(),
              (std::vector<std::string>{"", "Thee", "art", "temperate:", ""}));
    EXPECT_EQ(form->Line().Juncture(3), "4");
    EXPECT_FALSE(CellShown("syllableBoxes", 4));
    EXPECT_FALSE(CellShown("mergeButtons", 3));
    EXPECT_EQ(form->Work().Doc().Positions(), 4) << "the grid never shrinks";
    EXPECT_EQ(Status(), "1 syllable too few");
    Press(key::Redo);
    EXPECT_EQ(Working(4), "erate:");
    Press(key::Commit);
    EXPECT_EQ(Progress(), "2/3");
    EXPECT_EQ(form->Work().Doc().Syllable(1, 4), "erate:");
    EXPECT_FALSE(CellShown("syllableBoxes", 4)) << "line 2 has three syllables";

    form.reset();  // killed: nothing saved
    platform.WillAnswer({Answer::Yes});
    ASSERT_TRUE(Start());
    EXPECT_EQ(form->Work().Doc().Positions(), 4);
    EXPECT_EQ(form->Grid().Columns(), 4);
    EXPECT_EQ(form->Work().Doc().Syllable(1, 4), "erate:");
    form->saveAction->trigger();
    EXPECT_EQ(SavedRow(), "1\tsyllables\tThou art temperate:\tThee\tart\ttemp\terate:");
    ASSERT_TRUE(Start());
    EXPECT_EQ(form->Work().Doc().Positions(), 4);
    EXPECT_EQ(form->Work().Doc().Syllable(1, 1), "Thee");
    EXPECT_EQ(form->Work().Doc().Juncture(1, 3), "1");
}

// Chosen with the mouse from the Line menu, the split takes the caret the box kept.
TEST_F(SyllableEditingTest, SplitChosenFromTheLineMenuWithTheMouse) {
    ASSERT_TRUE(StartOn(kFullLines));
    Activate();
    FocusSyllable(2)->setCursorPosition(1);
    QMenuBar* bar = form->menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {},
                      bar->actionGeometry(form->lineMenu->menuAction()).center());
    ASSERT_TRUE(form->lineMenu->isVisible());
    QAction* split = form->Keys().Find(u"splitSyllableAction");
    ASSERT_NE(split, nullptr);
    QTest::mouseClick(form->lineMenu, Qt::LeftButton, {},
                      form->lineMenu->actionGeometry(split).center());
    EXPECT_EQ(form->Line().Syllables(),
              (std::vector<std::string>{"", "Thou", "a", "rt", "temperate:"}));
    EXPECT_EQ(split->shortcut(), QKeySequence(kSplitKey));
    EXPECT_FALSE(split->toolTip().isEmpty());
}

// A line of 1000 syllables is as long as a line may be: it neither splits nor grows.
std::vector<Verse> LongestLine() {
    Verse longest{"long", std::vector<std::string>(1000, "ab"), {}, {}, ""};
    longest.stresses.assign(1000, "1");
    longest.junctures.assign(1000, "2");
    return {longest};
}

struct NoSplitCase {
    const char* name;
    std::vector<Verse> verses;
    std::string meter;
    void (*place)(MainWindow& form);  // where the focus and caret are when the key comes
    std::string status;
};

class SplitRefused : public SyllableEditingTest, public testing::WithParamInterface<NoSplitCase> {};

TEST_P(SplitRefused, ChangesNothingAndSaysWhy) {
    ASSERT_TRUE(StartOn(GetParam().verses, GetParam().meter));
    Activate();
    GetParam().place(*form);
    const std::vector<std::string> before = form->Line().Syllables();
    const int m = form->Work().Doc().Positions();
    Press(kSplitKey);
    EXPECT_EQ(form->Line().Syllables(), before);
    EXPECT_EQ(form->Work().Doc().Positions(), m);
    EXPECT_EQ(UndoSteps(), 0);
    EXPECT_EQ(Status(), GetParam().status);
}

void SplitCaretAt(MainWindow& form, int column, int at) {
    form.Grid().syllableBoxes(column)->setFocus(Qt::MouseFocusReason);
    form.Grid().syllableBoxes(column)->setCursorPosition(at);
}

INSTANTIATE_TEST_SUITE_P(
    Split, SplitRefused,
    testing::Values(NoSplitCase{"Selection", kFullLines, kFourBeats,
                                [](MainWindow& f) {
                                    SplitCaretAt(f, 3, 2);
                                    f.Grid().syllableBoxes(3)->setSelection(2, 3);
                                },
                                kSplitWhere},
                    NoSplitCase{"StressBox", kFullLines, kFourBeats,
                                [](MainWindow& f) {
                                    f.Grid().stressBoxes(2)->setFocus(Qt::MouseFocusReason);
                                },
                                kSplitWhere},
                    NoSplitCase{"UnderAnEmptyMeter", kFullLines, "",
                                [](MainWindow& f) { SplitCaretAt(f, 3, 0); }, kSplitWhere},
                    NoSplitCase{"FullLineAtTheLimit", LongestLine(), kFourBeats,
                                [](MainWindow& f) { SplitCaretAt(f, 1, 1); },
                                "a line cannot hold more than 1000 syllables"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace corvale::test
