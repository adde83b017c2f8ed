// The meter in the window: the cues and status of the line on screen, the overview of all lines
// and the view options that go with them (the jumps to the lines off the meter are in
// MainWindowJumps.cpp). Every judgement is the core's (meter/MeterCheck.h), each line's against
// its own meter among the file's (meter/LineMeter.h); the line on screen is judged from its
// working copy, every other line from the store's committed values.

#include "window/CellKeys.h"
#include "window/MainWindow.h"
#include "window/MeterCue.h"
#include "window/Overview.h"
#include "window/Placement.h"
#include "window/ProfileDock.h"
#include "window/ViewOptions.h"

#include <QAction>
#include <QDockWidget>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>

#include <algorithm>
#include <vector>

namespace corvale {

namespace {

layout::Rect CueRect(const QLabel* meterLabel) {
    return layout::CueRect(placement::PlaceOf(meterLabel));
}

QString CueTextOf(meter::Strictness strictness) {
    const std::string_view text = meter::CueText(strictness);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

Overview* MainWindow::OverviewDock() const {
    return overview_;
}

// Cues are made for the places of the longest meter that have a column, after the columns' other
// controls, so they lie over the meter labels.
void MainWindow::AddMeterCues(std::int32_t to) {
    if (grid_.offMeterCues(0) == nullptr) {
        auto* pattern = new MeterCue(grid_.area, grid_.stressBoxes(0));
        grid_.offMeterCues.Append(pattern);
        placement::Place(pattern, CueRect(grid_.meterLabels(0)), grid_.zoom);
    }
    std::int32_t places = 0;
    for (std::int32_t number = 1; number <= meters_.Count(); ++number) {
        places = std::max(places, meters_.Number(number).Places());
    }
    const std::int32_t last = std::min({to, places, grid_.Columns()});
    for (std::int32_t i = grid_.offMeterCues.Count() + 1; i <= last; ++i) {
        auto* cue = new MeterCue(grid_.area, grid_.stressBoxes(i));
        grid_.offMeterCues.Append(cue);
        cue->setAccessibleName(QStringLiteral("Off the meter %1").arg(i));
        placement::Place(cue, CueRect(grid_.meterLabels(i)), grid_.zoom);
    }
    for (std::int32_t i = 1; i <= grid_.offMeterCues.Count(); ++i) {
        grid_.offMeterCues(i)->raise();
    }
}

meter::LineVerdict MainWindow::JudgeLineOnScreen(std::vector<std::int32_t>* offColumns) const {
    meter::ShownLine shown;
    shown.Read(line_.Syllables(), line_.Stresses());
    return meter::JudgeByItsMeter(meters_, shown, strictness_, offColumns);
}

void MainWindow::ShowMeterJudgement() {
    meter::LineVerdict judged;
    std::vector<std::int32_t> offColumns;
    if (work_.CurrentLine() >= 1 && work_.CurrentLine() <= work_.Doc().NumberOfLines()) {
        judged = JudgeLineOnScreen(&offColumns);
    }
    ShowLineMeter(judged.meter);
    const std::int32_t places = meters_.Number(judged.meter).Places();
    const QString cueText = CueTextOf(strictness_);
    auto off = offColumns.cbegin();
    // Cues made for a longer meter stay hidden beyond this meter's places.
    for (std::int32_t i = 1; i <= grid_.offMeterCues.Count(); ++i) {
        const bool isOff = i <= places && off != offColumns.cend() && *off == i;
        if (isOff) {
            ++off;
            grid_.offMeterCues(i)->Show(cueText);
        } else {
            grid_.offMeterCues(i)->Hide();
        }
    }
    if (lineStatusLabel != nullptr) {
        placement::SetCaption(lineStatusLabel, QString::fromStdString(meter::StatusText(
                                                   judged.verdict, judged.meter, meters_.Count())));
    }
}

void MainWindow::ToggleStrictMeterCheck() {
    strictness_ = strictMeterCheckAction->isChecked() ? meter::Strictness::EveryStress
                                                      : meter::Strictness::StressMaxima;
    SaveViewOptions();
    ShowMeterJudgement();
    if (overview_) {
        overview_->Model().Judge(meters_, strictness_);
    }
    if (profile_) {
        profile_->Redraw(strictness_);
    }
}

// F9 from the user: the list takes the focus, so its keys work at once.
void MainWindow::ToggleOverview() {
    if (overviewAction->isChecked()) {
        OpenOverview();
        overview_->List().setFocus(Qt::ShortcutFocusReason);
    } else {
        CloseOverview();
    }
    SaveViewOptions();
}

int MainWindow::DockWidth(int least, int most) const {
    const int room = width() - layout::ToPixels(layout::kDesignWidth, grid_.zoom);
    return std::min(std::clamp(room, least, most), width() / 2);
}

void MainWindow::KeepDockPlaces() {
    const QByteArray docks = saveState();
    if (docks == keptDocks_ || work_.GetPlatform().WritesNothing()) {
        return;
    }
    UserViewOptions user = UserViewOptions::Read(work_.GetPlatform().UserFolder());
    user.docks = docks;
    if (user.Write(work_.GetPlatform().UserFolder())) {
        keptDocks_ = docks;
    }
}

bool MainWindow::RestoreDock(QDockWidget* dock) {
    if (!restoreDockWidget(dock)) {
        return false;
    }
    if (!dock->isFloating() && dockWidgetArea(dock) == Qt::RightDockWidgetArea) {
        // A place kept on a larger screen, or at a smaller scale, still leaves the grid half.
        layout()->activate();
        if (dock->width() > width() / 2) {
            resizeDocks({dock}, {width() / 2}, Qt::Horizontal);
        }
        GiveTheChartItsShare();
        return true;
    }
    dock->setFloating(false);
    removeDockWidget(dock);
    return false;
}

// Under the overview, the chart needs the larger share of the height to be read. A dock shown
// again takes back the height it had when it was alone, which could leave the chart a strip.
void MainWindow::GiveTheChartItsShare() {
    Overview* overview = OverviewDock();
    if (overview == nullptr || !profile_ || overview->isFloating() || profile_->isFloating() ||
        dockWidgetArea(overview) != dockWidgetArea(profile_) ||
        tabifiedDockWidgets(profile_).contains(overview)) {
        return;
    }
    layout()->activate();
    if (profile_->height() < overview->height()) {
        resizeDocks({overview, profile_}, {height() / 3, height() * 2 / 3}, Qt::Vertical);
    }
}

void MainWindow::OpenOverview() {
    if (overview_) {
        return;
    }
    overview_ = new Overview(work_.Doc(), this);
    overview_->Model().Judge(meters_, strictness_);
    // Where the user left it when the window last closed; else beside the grid.
    if (!RestoreDock(overview_)) {
        addDockWidget(Qt::RightDockWidgetArea, overview_);
        resizeDocks({overview_}, {DockWidth(320, 640)}, Qt::Horizontal);
    }
    overview_->show();
    cellKeys_->KeepListKeys(&overview_->List());
    overview_->ShowLine(work_.CurrentLine());
    connect(overview_, &Overview::lineChosen, this, [this](std::int32_t line) {
        Run([this, line] {
            if (line >= 1 && line <= work_.Doc().NumberOfLines()) {
                GoToRow(line);
            }
        });
    });
    connect(overview_, &Overview::closed, this, [this] {
        overviewAction->setChecked(false);
        CloseOverview();
        SaveViewOptions();
    });
}

void MainWindow::CloseOverview() {
    if (!overview_) {
        return;
    }
    Overview* overview = overview_;
    overview_ = nullptr;
    // The work goes on in the grid rather than wherever the toolkit puts the focus.
    const bool hadFocus = overview->isAncestorOf(focusWidget());
    removeDockWidget(overview);
    overview->deleteLater();
    if (hadFocus) {
        cellFocus_->FocusFirstCell();
    }
}

// At start-up: the options as the user left them, without writing anything.
void MainWindow::ApplyViewOptions() {
    const ViewOptions options = ViewOptions::Read(work_.GetPlatform().PathOf(kViewOptionsFileName));
    strictMeterCheckAction->setChecked(options.strictMeterCheck);
    strictness_ =
        options.strictMeterCheck ? meter::Strictness::EveryStress : meter::Strictness::StressMaxima;
    overviewAction->setChecked(options.overview);
    profileAction->setChecked(options.profile);
}

// A folder that cannot be written to keeps the options for this run only; that is no
// reason to interrupt the work with a message.
void MainWindow::SaveViewOptions() {
    const ViewOptions options{overviewAction->isChecked(), strictMeterCheckAction->isChecked(),
                              profileAction->isChecked()};
    options.Write(work_.GetPlatform().PathOf(kViewOptionsFileName));
}

}  // namespace corvale
