// The real message boxes: which keys answer a question, and which withdraw it.

#include "window/QtPlatform.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <functional>
#include <ostream>
#include <vector>

namespace corvale {
namespace {

using Press = std::function<void(QMessageBox&)>;

void Key(QMessageBox& box, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(&box, key, modifiers);
}

struct QuestionCase {
    const char* name;
    Escape escape;
    std::vector<Press> presses;  // in order, each once the box is up
    Answer expected;
};

void PrintTo(const QuestionCase& c, std::ostream* out) {
    *out << c.name;
}

// Each press runs once the box is showing. Letter keys click their button after a short
// animation, so the box may stay up a moment after the last press; one still up two seconds
// later is answered Yes by the test, so a box that ignores everything fails instead of hanging.
Answer AskWith(Escape escape, std::vector<Press> presses) {
    QtPlatform platform;
    std::size_t next = 0;
    bool forced = false;
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            forced = true;
            box->button(QMessageBox::Yes)->click();
        }
    });
    std::function<void()> pressNext = [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || next == presses.size()) {
            return;
        }
        presses[next++](*box);
        if (next < presses.size()) {
            QTimer::singleShot(0, pressNext);
        } else {
            guard.start(2000);
        }
    };
    QTimer::singleShot(0, pressNext);
    const Answer answer = platform.AskYesNo(QStringLiteral("Save changes?"), escape);
    EXPECT_EQ(next, presses.size()) << "the box closed before every key was pressed";
    EXPECT_FALSE(forced) << "the box was still waiting after the last key";
    return answer;
}

class QuestionKeys : public ::testing::TestWithParam<QuestionCase> {};

TEST_P(QuestionKeys, AnswerOrWithdraw) {
    const QuestionCase& c = GetParam();
    EXPECT_EQ(AskWith(c.escape, c.presses), c.expected);
}

const Press kEsc = [](QMessageBox& box) { Key(box, Qt::Key_Escape); };
const Press kClose = [](QMessageBox& box) { box.close(); };
const Press kN = [](QMessageBox& box) { Key(box, Qt::Key_N); };
// A mnemonic is a shortcut, and shortcuts reach only the active window.
const Press kAltN = [](QMessageBox& box) {
    box.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
    Key(box, Qt::Key_N, Qt::AltModifier);
};
const Press kY = [](QMessageBox& box) { Key(box, Qt::Key_Y); };
const Press kClickNo = [](QMessageBox& box) { box.button(QMessageBox::No)->click(); };

INSTANTIATE_TEST_SUITE_P(
    MessageBox, QuestionKeys,
    ::testing::Values(
        QuestionCase{"EscWithdraws", Escape::Withdraws, {kEsc}, Answer::Withdrawn},
        QuestionCase{"CloseButtonWithdraws", Escape::Withdraws, {kClose}, Answer::Withdrawn},
        QuestionCase{"NAnswersNo", Escape::Withdraws, {kN}, Answer::No},
        QuestionCase{"AltNAnswersNo", Escape::Withdraws, {kAltN}, Answer::No},
        QuestionCase{"ClickOnNoAnswersNo", Escape::Withdraws, {kClickNo}, Answer::No},
        QuestionCase{"YAnswersYes", Escape::Withdraws, {kY}, Answer::Yes},
        QuestionCase{"EscDoesNothingWhenItMayNot", Escape::Ignored, {kEsc, kN}, Answer::No},
        QuestionCase{"CloseDoesNothingWhenItMayNot", Escape::Ignored, {kClose, kY}, Answer::Yes}),
    [](const ::testing::TestParamInfo<QuestionCase>& info) { return info.param.name; });

}  // namespace
}  // namespace corvale
