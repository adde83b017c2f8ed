// The zoom and the scrolling of the client area. Every control is placed in twips
// (window/Placement.h); a zoom places them all afresh at the new scale, with the fonts of the
// client area, and the client area takes the size they need. The window scrolls it where it
// does not fit, and a control that takes the focus is scrolled into view.

#include "window/MainWindow.h"
#include "window/Placement.h"
#include "window/ViewOptions.h"

#include <QApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

#include <cstdlib>

#include <vector>

namespace corvale {

namespace {

// The application's font at a zoom; at 100% the client area simply inherits it.
QFont ZoomedDefaultFont(int zoom) {
    QFont font = QApplication::font();
    if (font.pointSizeF() > 0) {
        font.setPointSizeF(layout::ZoomedSize(font.pointSizeF(), zoom));
    } else {
        font.setPixelSize(static_cast<int>(layout::ZoomedSize(font.pixelSize(), zoom) + 0.5));
    }
    return font;
}

// A scrolled-to control keeps this much of the area around it in sight.
constexpr int kScrollMargin = 16;

}  // namespace

void MainWindow::MakeScrolling() {
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("ClientScroll"));
    scroll_->setWidgetResizable(false);
    scroll_->setFrameShape(QFrame::NoFrame);
    // Tab goes from box to box; the scroll area follows the focus rather than taking it.
    scroll_->setFocusPolicy(Qt::NoFocus);
    scroll_->setWidget(grid_.area);
    setCentralWidget(scroll_);
    followingFocus_ = connect(qApp, &QApplication::focusChanged, scroll_,
                              [this](QWidget*, QWidget* now) { ScrollToShow(now); });
}

// The whole control rather than its caret (as QScrollArea::ensureWidgetVisible has it), so a
// box is never left cut at the viewport's edge.
void MainWindow::ScrollToShow(const QWidget* control) {
    if (control == nullptr || !grid_.area->isAncestorOf(control)) {
        return;
    }
    const QRect place(control->mapTo(grid_.area, QPoint(0, 0)), control->size());
    QScrollBar* across = scroll_->horizontalScrollBar();
    QScrollBar* down = scroll_->verticalScrollBar();
    across->setValue(layout::ScrollToShow(across->value(), scroll_->viewport()->width(),
                                          place.left(), place.width(), kScrollMargin));
    down->setValue(layout::ScrollDownToShow(down->value(), scroll_->viewport()->height(),
                                            place.top(), place.height(), kScrollMargin));
}

void MainWindow::ZoomIn() {
    ChooseZoom(layout::ZoomIn(grid_.zoom));
}

void MainWindow::ZoomOut() {
    ChooseZoom(layout::ZoomOut(grid_.zoom));
}

void MainWindow::ActualSize() {
    ChooseZoom(layout::kActualSize);
}

// The whole client area in the window without scrolling, docks and all, as large as that
// allows: on a large screen the line is drawn large, on a small one it all comes into view.
void MainWindow::ZoomToFit() {
    const layout::Rect extent = layout::ContentExtent(PlacedRects());
    const QSize room = scroll_->maximumViewportSize();
    ChooseZoom(layout::ZoomToFit(extent.width, extent.height, room.width(), room.height()));
}

// Kept for the next run only when the user changed it; a folder that cannot be written to keeps
// it for this run, which is no reason to interrupt the work.
void MainWindow::ChooseZoom(int percent) {
    if (percent == grid_.zoom) {
        return;
    }
    SetZoom(percent);
    if (!work_.GetPlatform().WritesNothing()) {
        UserViewOptions{grid_.zoom, {}, {}, {}}.Write(work_.GetPlatform().UserFolder());
    }
}

void MainWindow::SetZoom(int percent) {
    grid_.zoom = layout::ValidZoom(percent);
    QWidget* area = grid_.area;
    area->setFont(grid_.zoom == layout::kActualSize ? QFont() : ZoomedDefaultFont(grid_.zoom));
    for (QWidget* control : area->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (placement::IsPlaced(control)) {
            placement::Place(control, placement::PlaceOf(control), grid_.zoom);
        }
        const QVariant points = control->property(placement::kPointsProperty);
        if (points.isValid()) {
            QFont font = control->font();
            font.setPointSizeF(layout::ZoomedSize(points.toDouble(), grid_.zoom));
            control->setFont(font);
        }
    }
    FitClientArea();
    ScrollToShow(focusWidget());
}

bool MainWindow::ZoomByWheel(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Wheel || !watched->isWidgetType() ||
        !scroll_->isAncestorOf(static_cast<QWidget*>(watched))) {
        return false;
    }
    const auto* wheel = static_cast<QWheelEvent*>(event);
    if (!wheel->modifiers().testFlag(Qt::ControlModifier)) {
        return false;
    }
    wheelTurn_ += wheel->angleDelta().y();
    for (; std::abs(wheelTurn_) >= QWheelEvent::DefaultDeltasPerStep;) {
        const bool in = wheelTurn_ > 0;
        wheelTurn_ -= in ? QWheelEvent::DefaultDeltasPerStep : -QWheelEvent::DefaultDeltasPerStep;
        keyMap_.Find(in ? u"zoomInAction" : u"zoomOutAction")->trigger();
    }
    return true;
}

std::vector<layout::Rect> MainWindow::PlacedRects() const {
    std::vector<layout::Rect> placed;
    for (const QWidget* control : grid_.area->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (placement::IsPlaced(control)) {
            placed.push_back(placement::PlaceOf(control));
        }
    }
    return placed;
}

void MainWindow::FitClientArea() {
    const layout::Rect extent = layout::ContentExtent(PlacedRects());
    grid_.area->resize(layout::ToPixels(extent.width, grid_.zoom),
                       layout::ToPixels(extent.height, grid_.zoom));
}

}  // namespace corvale
