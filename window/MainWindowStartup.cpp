#include "platform/TextCodec.h"
#include "scansion/Numbers.h"
#include "scansion/TabFields.h"
#include "startup/Start.h"
#include "window/CellFocus.h"
#include "window/CellKeys.h"
#include "window/MainWindow.h"
#include "window/MeterCue.h"
#include "window/Placement.h"
#include "window/SyllableEditing.h"
#include "window/ViewOptions.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <array>
#include <utility>

namespace corvale {

namespace {

using layout::CellArray;

// Element indices reach the click handlers as 16-bit numbers.
constexpr std::int32_t kMostColumns = 32767;

// A new element starts as its pattern: size, caption, font, alignment and colours.
template <typename T>
void CopyLook(const T* pattern, T* copy) {
    if (pattern->testAttribute(Qt::WA_SetFont)) {
        copy->setFont(pattern->font());
        copy->setProperty(placement::kPointsProperty,
                          pattern->property(placement::kPointsProperty));
    }
    if (pattern->testAttribute(Qt::WA_SetPalette)) {
        copy->setPalette(pattern->palette());
    }
    copy->setText(pattern->text());
}

QLabel* CopyOf(const QLabel* pattern) {
    auto* copy = new QLabel(pattern->parentWidget());
    copy->setTextFormat(pattern->textFormat());
    copy->setAlignment(pattern->alignment());
    CopyLook(pattern, copy);
    return copy;
}

QLineEdit* CopyOf(const QLineEdit* pattern) {
    auto* copy = new QLineEdit(pattern->parentWidget());
    copy->setAlignment(pattern->alignment());
    CopyLook(pattern, copy);
    return copy;
}

QPushButton* CopyOf(const QPushButton* pattern) {
    auto* copy = new QPushButton(pattern->parentWidget());
    copy->setAutoDefault(pattern->autoDefault());
    CopyLook(pattern, copy);
    return copy;
}

// Creates element i of an array at its place in a grid of m columns at pitch p, shown.
template <typename T>
T* AddElement(ControlArray<T>& array, CellArray kind, std::int32_t i, double p, std::int32_t m,
              int zoom) {
    T* element = CopyOf(array(0));
    array.Append(element);
    if (kind != CellArray::MeterLabels) {
        element->setAccessibleName(placement::CellAccessibleName(kind, i));
    }
    placement::Place(element, layout::CellRect(kind, i, p, m), zoom);
    element->show();
    return element;
}

// The nine controls of column i, each with its array.
std::array<std::pair<CellArray, QWidget*>, 9> ColumnControls(const CellGrid& grid, std::int32_t i) {
    return {{{CellArray::MeterLabels, grid.meterLabels(i)},
             {CellArray::SyllableBoxes, grid.syllableBoxes(i)},
             {CellArray::MergeButtons, grid.mergeButtons(i)},
             {CellArray::StressBoxes, grid.stressBoxes(i)},
             {CellArray::StressUpButtons, grid.stressUpButtons(i)},
             {CellArray::StressDownButtons, grid.stressDownButtons(i)},
             {CellArray::JunctureBoxes, grid.junctureBoxes(i)},
             {CellArray::JunctureUpButtons, grid.junctureUpButtons(i)},
             {CellArray::JunctureDownButtons, grid.junctureDownButtons(i)}}};
}

// Boxes of positions the meter does not reach stand out in red; the others have their
// pattern's background. A box already right is left alone.
void MarkMeterReach(QLineEdit* box, const QLineEdit* pattern, bool beyond) {
    const QColor wanted = beyond ? QColor(255, 0, 0) : pattern->palette().color(QPalette::Base);
    if (box->palette().color(QPalette::Base) == wanted) {
        return;
    }
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, wanted);
    box->setPalette(palette);
}

}  // namespace

bool MainWindow::StartUp(const std::optional<startup::StartFile>& file) {
    try {
        FitWindowToScreen();
        const startup::Started started = startup::OpenAtStart(
            work_, file, startup::RecentFiles::Read(work_.GetPlatform().UserFolder()));
        startPoem_ = started.poem;
        UseTheMeter();
        ApplyViewOptions();
        const UserViewOptions user = UserViewOptions::Read(work_.GetPlatform().UserFolder());
        SetZoom(user.zoom);
        // The docks opened below take the places they had.
        keptDocks_ = user.docks;
        restoreState(keptDocks_);
        fileNameBox->setText(DecodeFileName(work_.Settings().WorkingFileName()));
        // With no syllable positions there is nothing to space, and a 0 stays 0.
        if (work_.Settings().Spacing() == 0 && work_.Doc().Positions() > 0) {
            work_.Settings().SetSpacing(layout::DefaultSpacing(work_.Doc().Positions()));
        }
        BuildCellColumns(1, work_.Doc().Positions());
        HidePatternElements();
        work_.SetCurrentLine(started.line);
        ShowCurrentLine();
        EnableLineCommands();
        if (overviewAction->isChecked()) {
            OpenOverview();
        }
        NoteRecent();
        if (profileAction->isChecked()) {
            OpenProfile();
        }
    } catch (const ProgramEnded&) {
        return false;
    }
    return true;
}

// The outer frame, title bar and menu included, covers the screen's available area. The
// frame's thickness is known before the window is shown only on some platforms; where it is
// not, the window asks to be maximized, which has the window manager fit the frame exactly.
void MainWindow::FitWindowToScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QRect available = screen->availableGeometry();
    winId();  // makes the native window, which knows the frame when anything does
    const QMargins frame = windowHandle() != nullptr ? windowHandle()->frameMargins() : QMargins();
    resize(available.width() - frame.left() - frame.right(),
           available.height() - frame.top() - frame.bottom());
    move(available.topLeft());
    if (frame.isNull()) {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
}

// Columns never touch: the pitch drawn is wide enough for the widest box of any column with a
// gap, and is recomputed as the grid gains columns; columns already built move to it.
void MainWindow::BuildCellColumns(std::int32_t from, std::int32_t to) {
    // Elements are appended in order, so building always continues after the last column.
    from = grid_.Columns() + 1;
    to = std::min(to, kMostColumns);
    const std::int32_t m = work_.Doc().Positions();
    double widest = from <= to ? layout::SyllableWidth(m) : 0.0;
    for (std::int32_t i = 1; i < from; ++i) {
        widest = std::max(widest, placement::PlaceOf(grid_.syllableBoxes(i)).width);
    }
    const double p = layout::Pitch(work_.Settings().Spacing(), widest);
    if (p != grid_.pitch) {
        grid_.pitch = p;
        MoveColumns();
    }
    const int zoom = grid_.zoom;
    for (std::int32_t i = from; i <= to; ++i) {
        AddElement(grid_.syllableBoxes, CellArray::SyllableBoxes, i, p, m, zoom);
        AddElement(grid_.stressBoxes, CellArray::StressBoxes, i, p, m, zoom);
        AddElement(grid_.junctureBoxes, CellArray::JunctureBoxes, i, p, m, zoom);
        AddElement(grid_.junctureDownButtons, CellArray::JunctureDownButtons, i, p, m, zoom);
        AddElement(grid_.junctureUpButtons, CellArray::JunctureUpButtons, i, p, m, zoom);
        AddElement(grid_.stressDownButtons, CellArray::StressDownButtons, i, p, m, zoom);
        AddElement(grid_.stressUpButtons, CellArray::StressUpButtons, i, p, m, zoom);
        AddElement(grid_.mergeButtons, CellArray::MergeButtons, i, p, m, zoom);
        AddElement(grid_.meterLabels, CellArray::MeterLabels, i, p, m, zoom);
        ColourMeterReach(i);
        ConnectColumn(i);
        cellKeys_->AddColumn(i);
        syllableEditing_->AddColumn(i);
        valueEditing_->AddColumn(i);
    }
    CaptionMeterLabels(from, to);
    AddMeterCues(to);
    OrderTabs();
    FitClientArea();
}

// Each control keeps its top (the block order) and its width (a syllable box keeps the width
// of the grid it was built for); the cues follow their meter labels.
void MainWindow::MoveColumns() {
    for (std::int32_t i = 1; i <= grid_.Columns(); ++i) {
        for (const auto& [kind, control] : ColumnControls(grid_, i)) {
            layout::Rect place = placement::PlaceOf(control);
            place.left = layout::CellRect(kind, i, grid_.pitch, 1).left;
            placement::Place(control, place, grid_.zoom);
        }
        if (MeterCue* cue = grid_.offMeterCues(i)) {
            placement::Place(cue, layout::CueRect(placement::PlaceOf(grid_.meterLabels(i))),
                             grid_.zoom);
        }
    }
}

void MainWindow::HidePatternElements() {
    grid_.meterLabels(0)->hide();
    grid_.syllableBoxes(0)->hide();
    grid_.mergeButtons(0)->hide();
    grid_.stressBoxes(0)->hide();
    grid_.junctureBoxes(0)->hide();
    grid_.junctureDownButtons(0)->hide();
    grid_.junctureUpButtons(0)->hide();
    grid_.stressDownButtons(0)->hide();
    grid_.stressUpButtons(0)->hide();
}

// Symbol i of the shown meter's row stands over column i; a blank one leaves the column without a
// symbol, and a strong syllable's symbol is bold.
void MainWindow::CaptionMeterLabels(std::int32_t from, std::int32_t to) {
    const MeterFileRow& row = ShownMeterRow();
    // The meter file may come from another editor than the scansion file.
    const Encoding encoding = DetectEncoding(row.line);
    for (std::int32_t i = from; i <= to; ++i) {
        QLabel* label = grid_.meterLabels(i);
        if (label == nullptr) {
            return;
        }
        const std::string_view symbol = fields::NthField(row.line, i);
        placement::SetCaption(label, Decode(symbol, encoding));
        label->setVisible(!num::IsBlank(symbol));
        const bool strong = meter::IsStrongSymbol(symbol);
        if (label->font().bold() != strong) {
            QFont font = label->font();
            font.setBold(strong);
            label->setFont(font);
        }
    }
}

void MainWindow::ColourMeterReach(std::int32_t column) {
    const bool beyond = column > ShownMeterRow().symbols;
    MarkMeterReach(grid_.syllableBoxes(column), grid_.syllableBoxes(0), beyond);
    MarkMeterReach(grid_.stressBoxes(column), grid_.stressBoxes(0), beyond);
    MarkMeterReach(grid_.junctureBoxes(column), grid_.junctureBoxes(0), beyond);
}

const MeterFileRow& MainWindow::ShownMeterRow() const {
    const std::vector<MeterFileRow>& rows = work_.Doc().Meters();
    const auto index = static_cast<std::size_t>(std::max(shownMeter_, 1)) - 1;
    return index < rows.size() ? rows[index] : rows.front();
}

void MainWindow::ShowLineMeter(std::int32_t number) {
    if (number == shownMeter_) {
        return;
    }
    shownMeter_ = number;
    const std::int32_t columns = grid_.Columns();
    for (std::int32_t i = 1; i <= columns; ++i) {
        ColourMeterReach(i);
    }
    CaptionMeterLabels(1, columns);
}

void MainWindow::UseTheMeter() {
    meters_ = meter::Meters::OfRows(work_.Doc().Meters());
    shownMeter_ = 0;
    ShowLineMeter(1);
    // A longer meter needs cues for its further places; ShowMeterJudgement keeps those beyond
    // a shorter one hidden.
    if (grid_.Columns() > 0) {
        AddMeterCues(grid_.Columns());
    }
}

}  // namespace corvale
