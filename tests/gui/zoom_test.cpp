// The zoom and the scrolling as a user meets them: the View keys reach the zoom, a zoom places
// every control and font of the client area afresh and Actual Size puts back exactly what was
// there, the zoom is kept for the user, and a client area larger than the window is scrolled to
// the control that takes the focus.

#include "gui/KeyboardFixture.h"

#include "window/Layout.h"
#include "window/Placement.h"
#include "window/ViewOptions.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QWheelEvent>

#include <map>
#include <string>

namespace corvale::test {
namespace {

class ZoomWindow : public KeyboardFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(StartWith({Letters("one two three four", {"one", "two", "three", "four"})},
                              MemoryFile(kPoem, "1", "4", "1", "4", "1", "0")));
        Activate();
    }
    void Trigger(const char* command) const {
        form->Keys().Find(QString::fromLatin1(command))->trigger();
    }

    // Every placed control of the client area with its pixel place and font.
    std::map<std::string, std::pair<QRect, QFont>> Placed() const {
        std::map<std::string, std::pair<QRect, QFont>> placed;
        for (const QWidget* control : form->Grid().area->findChildren<QWidget*>()) {
            if (placement::IsPlaced(control) && !control->objectName().isEmpty()) {
                placed[control->objectName().toStdString()] = {control->geometry(),
                                                               control->font()};
            }
        }
        return placed;
    }
};

TEST_F(ZoomWindow, PlacesEveryControlAndFontAtTheZoomAndActualSizeUndoesIt) {
    const auto designed = Placed();
    const double applicationPoints = QApplication::font().pointSizeF();
    Trigger("zoomInAction");
    Trigger("zoomInAction");
    ASSERT_EQ(form->Zoom(), 125);
    for (const char* name : {"exitButton", "commentBox", "stressBoxes(3)", "syllableBoxes(4)"}) {
        const layout::Rect twips = placement::PlaceOf(Find(QLatin1String(name)));
        const layout::PixelRect pixels = layout::ToPixels(twips, 125);
        EXPECT_EQ(Find(QLatin1String(name))->geometry(),
                  QRect(pixels.left, pixels.top, pixels.width, pixels.height))
            << name;
    }
    EXPECT_DOUBLE_EQ(Find("stressHeading")->font().pointSizeF(), 15);
    EXPECT_DOUBLE_EQ(Find("syllableBoxes(2)")->font().pointSizeF(), 9.75 * 1.25);
    EXPECT_DOUBLE_EQ(Find("exitButton")->font().pointSizeF(), applicationPoints * 1.25);
    EXPECT_GE(form->Grid().area->width(), layout::ToPixels(layout::kDesignWidth, 125));
    Trigger("actualSizeAction");
    EXPECT_EQ(Placed(), designed);
}

TEST_F(ZoomWindow, IsKeptForTheUserAndTakenAtTheNextStart) {
    Trigger("zoomOutAction");
    Trigger("zoomOutAction");
    ASSERT_EQ(form->Zoom(), 80);
    form.reset();
    ASSERT_TRUE(Start());
    EXPECT_EQ(form->Zoom(), 80);
    EXPECT_EQ(Find("exitButton")->x(), layout::ToPixels(9960, 80));
}

// Where the last poem was, and the last output, are kept beside the zoom, and a zoom written
// later leaves them alone.
TEST(UserViewOptionsTest, KeepThePoemFolderBesideTheZoom) {
    const QTemporaryDir user;
    ASSERT_TRUE(
        (UserViewOptions{100, {}, QStringLiteral("/poems"), QStringLiteral("/papers")}.Write(
            user.path())));
    ASSERT_TRUE((UserViewOptions{125, {}, {}, {}}.Write(user.path())));
    EXPECT_EQ(UserViewOptions::Read(user.path()).poemFolder, "/poems");
    EXPECT_EQ(UserViewOptions::Read(user.path()).outputFolder, "/papers");
}

// Ctrl with the wheel zooms a step a notch, half notches adding up; without Ctrl it zooms not.
TEST_F(ZoomWindow, CtrlAndTheWheelZoom) {
    const auto turn = [this](int eighths, Qt::KeyboardModifiers keys) {
        QWheelEvent wheel({4, 4}, {4, 4}, {}, {0, eighths}, {}, keys, Qt::NoScrollPhase, false);
        QApplication::sendEvent(Find("stressBoxes(2)"), &wheel);
    };
    turn(120, Qt::ControlModifier);
    EXPECT_EQ(form->Zoom(), 110);
    turn(-60, Qt::ControlModifier);
    turn(-120, Qt::NoModifier);
    turn(-60, Qt::ControlModifier);
    EXPECT_EQ(form->Zoom(), 100);
}

// A widened dock opens as wide next time, but no wider than half the window; a floating one (only
// a hand-edited file holds one) opens beside the grid.
TEST_F(ZoomWindow, TheDocksKeepTheirPlacesForTheUser) {
    const auto restart = [this] {
        ASSERT_TRUE(form->close());
        form.reset();
        ASSERT_TRUE(Start());
    };
    Trigger("overviewAction");
    form->resizeDocks({Find<QDockWidget>("Overview")}, {333}, Qt::Horizontal);
    restart();
    EXPECT_EQ(Find<QDockWidget>("Overview")->width(), 333);
    form->resizeDocks({Find<QDockWidget>("Overview")}, {form->width()}, Qt::Horizontal);
    restart();
    EXPECT_EQ(Find<QDockWidget>("Overview")->width(), form->width() / 2);
    Find<QDockWidget>("Overview")->setFeatures(QDockWidget::DockWidgetFloatable);
    Find<QDockWidget>("Overview")->setFloating(true);
    restart();
    EXPECT_FALSE(Find<QDockWidget>("Overview")->isFloating());
}

// At 1024x700 with both docks open the client area does not fit; each control the focus goes
// to is scrolled into sight.
TEST_F(ZoomWindow, TheFocusedControlIsScrolledIntoSight) {
    form->showNormal();
    form->resize(1024, 700);
    Trigger("overviewAction");
    Trigger("profileAction");
    Trigger("zoomInAction");
    auto* scroll = Find<QScrollArea>("ClientScroll");
    ASSERT_LT(scroll->viewport()->width(), form->Grid().area->width());
    for (const char* name :
         {"exitButton", "syllableBoxes(1)", "fileNameBox", "commitLineButton", "stressBoxes(4)"}) {
        QWidget* control = Find(QLatin1String(name));
        control->setFocus(Qt::TabFocusReason);
        const QRect shown(control->mapTo(scroll->viewport(), QPoint(0, 0)), control->size());
        // One wider than the viewport shows from its start.
        const QRect seen = shown.width() <= scroll->viewport()->width()
                               ? shown
                               : QRect(shown.topLeft(), QSize(1, 1));
        EXPECT_TRUE(scroll->viewport()->rect().contains(seen)) << name;
    }
}

}  // namespace
}  // namespace corvale::test
