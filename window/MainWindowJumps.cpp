// The jumps to the lines that depart from the meter: F3 and Shift+F3, "Save and go to the next
// line off the meter", and a bar or row of the profile. Each line is judged against its own
// meter (meter/LineMeter.h); a bar's place is one of the meter whose profile is shown. Each
// jump reaches its line as "go to #" does, with the focus on the column that departs, and goes on
// past an end of the file from the other end, saying so; with no line to go to it says that
// instead.

#include "analysis/Profile.h"
#include "navigation/MeterSearch.h"
#include "navigation/WrapSearch.h"
#include "window/CellFocus.h"
#include "window/MainWindow.h"
#include "window/Placement.h"
#include "window/ProfileDock.h"

#include <QLabel>

#include <vector>

namespace corvale {

namespace {

using navigation::Jump;

constexpr char kNoLineOff[] = "no line is off the meter";
constexpr char kNoOtherLineOff[] = "no other line is off the meter";

}  // namespace

navigation::LineSearch MainWindow::NextOffTheMeter() const {
    return [this](std::int32_t after) {
        return navigation::NextLineOffTheMeter(work_.Doc().GetStore(), meters_, strictness_, after);
    };
}

void MainWindow::GoToNextOffTheMeter() {
    JumpOffTheMeter(navigation::NextWrapping(NextOffTheMeter(), work_.CurrentLine()));
}

void MainWindow::GoToPreviousOffTheMeter() {
    const auto previous = [this](std::int32_t before) {
        return navigation::PreviousLineOffTheMeter(work_.Doc().GetStore(), meters_, strictness_,
                                                   before);
    };
    JumpOffTheMeter(
        navigation::PreviousWrapping(previous, work_.CurrentLine(), work_.Doc().NumberOfLines()));
}

// With no line to go to, the line on screen stays, edits and all, and the status says so until
// the next edit or move; under an empty meter, which judges nothing, the status stays empty.
void MainWindow::JumpOffTheMeter(const Jump& jump) {
    if (!Reach(jump, std::nullopt) && !meters_.Main().IsEmpty()) {
        placement::SetCaption(
            lineStatusLabel,
            QLatin1String(jump.kind == Jump::Kind::OnlyThis ? kNoOtherLineOff : kNoLineOff));
    }
}

// The commit never asks the exit question here: without a line off the meter the next line is
// shown as after Ctrl+Return, and the last line stays.
void MainWindow::CommitAndGoToNextOffTheMeter() {
    CommitWorkingLine();
    const Jump jump = navigation::NextWrapping(NextOffTheMeter(), work_.CurrentLine());
    if (Reach(jump, std::nullopt)) {
        return;
    }
    if (work_.CurrentLine() < work_.Doc().NumberOfLines()) {
        work_.SetCurrentLine(work_.CurrentLine() + 1);
    }
    ShowCurrentLine();
    if (!meters_.Main().IsEmpty()) {
        placement::SetCaption(
            lineStatusLabel,
            QLatin1String(jump.kind == Jump::Kind::OnlyThis ? kNoOtherLineOff : kNoLineOff));
    }
}

void MainWindow::GoToDeparture(std::int32_t place) {
    const std::int32_t number = profile_ ? profile_->MeterNumber() : 1;
    const auto next = [this, number, place](std::int32_t after) {
        return analysis::NextDeparture(work_.Doc().GetStore(), meters_, number, place, after);
    };
    const Jump jump = navigation::NextWrapping(next, work_.CurrentLine());
    if (!Reach(jump, place)) {
        const QString meter =
            meters_.Count() > 1 ? QStringLiteral("meter %1 of %2").arg(number).arg(meters_.Count())
                                : QStringLiteral("the meter");
        placement::SetCaption(lineStatusLabel, QStringLiteral("no %1 departs from %2 in place %3")
                                                   .arg(jump.kind == Jump::Kind::OnlyThis
                                                            ? QStringLiteral("other line")
                                                            : QStringLiteral("line"),
                                                        meter)
                                                   .arg(place));
    }
}

bool MainWindow::Reach(const Jump& jump, std::optional<std::int32_t> column) {
    if (jump.kind != Jump::Kind::Ahead && jump.kind != Jump::Kind::Wrapped) {
        return false;
    }
    const std::int32_t from = work_.CurrentLine();
    GoToRow(jump.row);
    if (!column) {
        std::vector<std::int32_t> offColumns;
        JudgeLineOnScreen(&offColumns);
        if (!offColumns.empty()) {
            column = offColumns.front();
        }
    }
    if (column && *column >= 1 && *column <= grid_.Columns()) {
        cellFocus_->FocusNearest({CellKind::Stress, *column});
    }
    if (jump.kind == Jump::Kind::Wrapped) {
        const QString note = jump.row < from
                                 ? QStringLiteral("past the last line, on from line 1")
                                 : QStringLiteral("past the first line, on from the last");
        PrefixLineStatus(note);
    }
    return true;
}

}  // namespace corvale
