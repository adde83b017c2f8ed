#include "window/CellFocus.h"

#include "scansion/Document.h"
#include "window/CellGrid.h"
#include "window/ClickableLabel.h"
#include "window/Placement.h"

#include <QApplication>
#include <QFocusFrame>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>
#include <vector>

namespace corvale {

namespace {

bool IsShown(const QWidget* box) {
    return box != nullptr && !box->isHidden();
}

}  // namespace

CellFocus::CellFocus(CellGrid& grid, const Document& document) : grid_(grid), document_(document) {
    ring_ = new QFocusFrame(grid_.area);
    ring_->setObjectName(QStringLiteral("CellFocusRing"));
    ring_->setAccessibleName(QStringLiteral("Focused cell"));
    QPalette palette = ring_->palette();
    palette.setColor(QPalette::WindowText, palette.color(QPalette::Highlight));
    ring_->setPalette(palette);
    following_ = QObject::connect(qApp, &QApplication::focusChanged, ring_,
                                  [this](QWidget*, QWidget* now) { FocusChanged(now); });
}

// The ring outlives this object, as a child of the window; it must stop following.
CellFocus::~CellFocus() {
    QObject::disconnect(following_);
}

void CellFocus::FocusChanged(QWidget* now) {
    const std::optional<CellPlace> place = PlaceOf(now);
    ring_->setWidget(place ? now : nullptr);
    if (place) {
        lastCell_ = place;
    }
}

// The window's, wherever in it the focus is: in the grid, in the overview or elsewhere.
QWidget* CellFocus::WindowFocus() const {
    return grid_.area->window()->focusWidget();
}

void CellFocus::AddColumn(std::int32_t i) {
    cells_[grid_.syllableBoxes(i)] = {CellKind::Syllable, i};
    cells_[grid_.stressBoxes(i)] = {CellKind::Stress, i};
    cells_[grid_.junctureBoxes(i)] = {CellKind::Juncture, i};
}

std::optional<CellPlace> CellFocus::PlaceOf(const QObject* box) const {
    const auto found = cells_.find(box);
    if (found == cells_.end()) {
        return std::nullopt;
    }
    return found->second;
}

QLineEdit* CellFocus::BoxAt(CellPlace place) const {
    switch (place.kind) {
        case CellKind::Syllable:
            return grid_.syllableBoxes(place.column);
        case CellKind::Stress:
            return grid_.stressBoxes(place.column);
        case CellKind::Juncture:
            break;
    }
    return grid_.junctureBoxes(place.column);
}

std::optional<CellPlace> CellFocus::FocusedCell() const {
    return PlaceOf(WindowFocus());
}

// Columns past the file's widest line belong to an earlier, wider file and show nothing of
// this one.
std::int32_t CellFocus::ColumnsOfLine() const {
    return std::max(0, std::min(document_.Positions(), grid_.Columns()));
}

void CellFocus::FocusNearest(CellPlace place) {
    const std::int32_t start = std::min(place.column, ColumnsOfLine());
    QLineEdit* target = nullptr;
    if (start >= 1 && IsShown(BoxAt({place.kind, start}))) {
        target = BoxAt({place.kind, start});
    } else {
        target = ShownNeighbour({place.kind, start}, -1);
        if (target == nullptr) {
            target = ShownNeighbour({place.kind, start}, +1);
        }
    }
    if (target != nullptr) {
        target->setFocus(Qt::OtherFocusReason);
    } else {
        grid_.commentBox->setFocus(Qt::OtherFocusReason);
    }
}

QLineEdit* CellFocus::ShownNeighbour(CellPlace place, int step) const {
    const std::int32_t m = ColumnsOfLine();
    for (std::int32_t i = place.column + step; i >= 1 && i <= m; i += step) {
        QLineEdit* box = BoxAt({place.kind, i});
        if (IsShown(box)) {
            return box;
        }
    }
    return nullptr;
}

QLineEdit* CellFocus::ShownAboveOrBelow(CellPlace place, int step) const {
    const std::array<CellKind, 3> rows = RowsOnScreen();
    const auto at = std::find(rows.cbegin(), rows.cend(), place.kind) - rows.cbegin();
    for (auto row = at + step; row >= 0 && row < static_cast<long>(rows.size()); row += step) {
        QLineEdit* box = BoxAt({rows[static_cast<std::size_t>(row)], place.column});
        if (IsShown(box)) {
            return box;
        }
    }
    return nullptr;
}

std::array<CellKind, 3> CellFocus::RowsOnScreen() const {
    const bool junctureOnTop =
        placement::PlaceOf(grid_.junctureHeading).top < placement::PlaceOf(grid_.stressHeading).top;
    if (junctureOnTop) {
        return {CellKind::Syllable, CellKind::Juncture, CellKind::Stress};
    }
    return {CellKind::Syllable, CellKind::Stress, CellKind::Juncture};
}

// Hidden boxes stay in the chain; Tab passes over them. The grid's small buttons take no part:
// their keys reach them.
void CellFocus::OrderTabs(std::initializer_list<QWidget*> after) {
    std::vector<QWidget*> chain;
    const std::int32_t columns = grid_.Columns();
    for (const CellKind row : RowsOnScreen()) {
        for (std::int32_t i = 1; i <= columns; ++i) {
            chain.push_back(BoxAt({row, i}));
        }
    }
    chain.insert(chain.end(), after);
    for (std::size_t k = 1; k < chain.size(); ++k) {
        QWidget::setTabOrder(chain[k - 1], chain[k]);
    }
}

void CellFocus::RememberBeforeGoTo() {
    QWidget* focused = WindowFocus();
    if (focused == grid_.goToBox) {
        return;  // already there: keep what was remembered on the way in
    }
    cellBeforeGoTo_ = PlaceOf(focused);
    widgetBeforeGoTo_ = cellBeforeGoTo_ ? nullptr : focused;
}

void CellFocus::ReturnAfterGoTo() {
    const std::optional<CellPlace> cell = cellBeforeGoTo_;
    const QPointer<QWidget> widget = widgetBeforeGoTo_;
    ForgetGoTo();
    if (cell) {
        FocusNearest(*cell);
    } else if (widget != nullptr && widget->isVisible()) {
        widget->setFocus(Qt::OtherFocusReason);
    }
}

void CellFocus::ForgetGoTo() {
    cellBeforeGoTo_.reset();
    widgetBeforeGoTo_ = nullptr;
}

CellFocus::Keeper CellFocus::Keep() {
    const std::optional<CellPlace> place = FocusedCell();
    if (place) {
        BoxAt(*place)->clearFocus();
    }
    return Keeper(*this, place);
}

}  // namespace corvale
