// The verse's profile in the window: the dock (ProfileDock.h), a profile per meter of the file,
// counted afresh when it opens and at every switch of file or meter, and kept through commits by
// the workspace's line watcher; stepping through the meters; going from a place to the lines that
// depart from the meter there; saving it to a file.

#include "analysis/Profile.h"
#include "platform/Platform.h"
#include "window/Actions.h"
#include "window/CellFocus.h"
#include "window/CellKeys.h"
#include "window/MainWindow.h"
#include "window/OutputFileChoice.h"
#include "window/Overview.h"
#include "window/Placement.h"
#include "window/ProfileDock.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>

#include <algorithm>

namespace corvale {

ProfileDock* MainWindow::ProfileView() const {
    return profile_;
}

void MainWindow::ToggleProfile() {
    if (profileAction->isChecked()) {
        OpenProfile();
        profile_->Table().setFocus(Qt::ShortcutFocusReason);
    } else {
        CloseProfile();
    }
    SaveViewOptions();
}

void MainWindow::OpenProfile() {
    if (profile_) {
        return;
    }
    profile_ = new ProfileDock(work_.Doc(), this);
    work_.Doc().AddWatcher(&profile_->Watcher());
    RecountProfile();
    if (!RestoreDock(profile_)) {
        addDockWidget(Qt::RightDockWidgetArea, profile_, Qt::Vertical);
        resizeDocks({profile_}, {DockWidth(420, 720)}, Qt::Horizontal);
        GiveTheChartItsShare();
    }
    profile_->show();
    cellKeys_->KeepListKeys(&profile_->Table());
    profile_->MeterChoice().setToolTip(
        WithKeys(QStringLiteral("The meter whose profile is shown"), *nextProfileMeterAction));
    connect(profile_, &ProfileDock::placeChosen, this,
            [this](std::int32_t place) { Run([this, place] { GoToDeparture(place); }); });
    connect(profile_, &ProfileDock::closed, this, [this] {
        profileAction->setChecked(false);
        CloseProfile();
        SaveViewOptions();
    });
}

void MainWindow::CloseProfile() {
    if (!profile_) {
        return;
    }
    ProfileDock* profile = profile_;
    profile_ = nullptr;
    work_.Doc().RemoveWatcher(&profile->Watcher());
    const bool hadFocus = profile->isAncestorOf(focusWidget());
    removeDockWidget(profile);
    profile->deleteLater();
    if (hadFocus) {
        cellFocus_->FocusFirstCell();
    }
}

void MainWindow::RecountProfile() {
    if (profile_) {
        profile_->Recount(meters_, work_.Doc().Meters(), strictness_);
    }
}

void MainWindow::ShowNextProfileMeter() {
    if (!profile_) {
        profileAction->setChecked(true);
        OpenProfile();
        SaveViewOptions();
    }
    if (profile_->MeterCount() > 0) {
        profile_->ShowMeter(profile_->MeterNumber() % profile_->MeterCount() + 1);
    }
}

void MainWindow::SaveProfileAs() {
    if (!profile_) {
        profileAction->setChecked(true);
        OpenProfile();
        SaveViewOptions();
    }
    Platform& platform = work_.GetPlatform();
    static const OutputFormats kFormats = {
        {QStringLiteral("Chart as SVG (*.svg)"), QStringLiteral("Chart as PNG (*.png)"),
         QStringLiteral("Figures as CSV (*.csv)")},
        {QStringLiteral(".svg"), QStringLiteral(".png"), QStringLiteral(".csv")}};
    const QString name =
        QFileInfo(DecodeFileName(work_.Settings().WorkingFileName())).completeBaseName();
    // The folder and format last saved to are offered again.
    const QString folder = OutputFolder(lastProfile_);
    QStringList proposed;
    for (const QString& extension : kFormats.extensions) {
        proposed.append(folder + u'/' + name + QStringLiteral(".profile") + extension);
    }
    const Platform::FileChoice chosen =
        ChooseOutputFile(platform, kFormats,
                         {QStringLiteral("Save the profile as"), QStringLiteral("the profile"),
                          proposed, lastProfile_.path.isEmpty() ? 0 : lastProfile_.format},
                         work_.Settings().WorkingFileName());
    if (chosen.path.isEmpty()) {
        return;
    }
    int width = ProfileDock::kPictureWidth;
    if (QFileInfo(chosen.path).suffix().compare(u"png", Qt::CaseInsensitive) == 0) {
        const std::optional<QString> typed =
            platform.AskText(QStringLiteral("How many pixels wide should the picture be?"),
                             QString::number(ProfileDock::kPictureWidth));
        if (!typed) {
            return;
        }
        const std::optional<int> chosenWidth = ProfileDock::PictureWidth(*typed);
        if (!chosenWidth) {
            platform.ShowMessage(QStringLiteral(
                "The width is a whole number of pixels from 400 to 8000.  Nothing was saved."));
            return;
        }
        width = *chosenWidth;
    }
    const QString failure = profile_->SaveAs(chosen.path, strictness_, width);
    if (!failure.isEmpty()) {
        platform.ShowMessage(failure);
        return;
    }
    lastProfile_ = chosen;
    KeepOutputFolder(chosen.path);
}

}  // namespace corvale
