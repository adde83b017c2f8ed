#include "GridFixture.h"

#include "window/Layout.h"

#include <QAbstractButton>
#include <QAction>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include <memory>
#include <tuple>

namespace corvale::test {
namespace {

struct FixedControl {
    const char* name;
    QRectF twips;
    QString caption;
    double points;  // 0: the toolkit's default font
    Qt::Alignment horizontal;
};

QString CaptionOf(const QWidget* control) {
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        return label->text();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
        return button->text();
    }
    if (const auto* box = qobject_cast<const QLineEdit*>(control)) {
        return box->text();
    }
    if (const auto* box = qobject_cast<const QPlainTextEdit*>(control)) {
        return box->toPlainText();
    }
    return {};
}

Qt::Alignment HorizontalAlignment(const QWidget* control) {
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        return label->alignment() & Qt::AlignHorizontal_Mask;
    }
    if (const auto* box = qobject_cast<const QLineEdit*>(control)) {
        return box->alignment() & Qt::AlignHorizontal_Mask;
    }
    return {};
}

class DesignedWindowTest : public GridFixture {
protected:
    void SetUp() override { form = std::make_unique<MainWindow>(platform); }
};

TEST_F(DesignedWindowTest, FixedControlsSitAtTheirDesignedPlaces) {
    const Qt::Alignment left = Qt::AlignLeft;
    const Qt::Alignment centre = Qt::AlignHCenter;
    const std::vector<FixedControl> controls = {
        {"lineTextLabel", {600, 0, 9735, 375}, "Text of current line", 12, left},
        {"nextLineTextLabel", {600, 480, 9855, 375}, "Text of the next line", 0, left},
        {"commitLineTopButton", {7920, 0, 2775, 735}, "Save changes to this line", 0, {}},
        {"mergeHeading", {0, 1800, 735, 255}, "Merge:", 0, left},
        {"stressHeading", {600, 2280, 975, 375}, "Stress", 12, left},
        {"junctureHeading", {600, 4200, 1335, 375}, "Juncture", 12, left},
        {"commentHeading", {0, 6000, 2295, 375}, "Comment (optional):", 12, left},
        {"commentBox", {0, 6480, 10695, 615}, "", 0, {}},
        {"commitLineButton", {0, 7200, 10695, 615}, "Save changes to this line", 0, {}},
        {"fileHeading", {120, 8160, 375, 255}, "File:", 0, left},
        {"fileNameBox", {480, 8040, 4455, 375}, "Text1", 0, left},
        {"progressLabel", {5160, 7920, 975, 375}, "Label5", 0, centre},
        {"goToBox", {6240, 7800, 975, 375}, "", 0, centre},
        {"goToButton", {7200, 7800, 975, 375}, "go to #", 0, {}},
        {"backOneButton", {8160, 7800, 495, 375}, "<", 0, {}},
        {"aheadOneButton", {8640, 7800, 495, 375}, ">", 0, {}},
        {"reloadLineButton", {9120, 7800, 855, 375}, "Redo", 0, {}},
        {"exitButton", {9960, 7800, 855, 375}, "Exit", 0, {}},
        {"fileAreaTopLine", {0, 7920, 5040, 0}, "", 0, {}},
        {"fileAreaRightLine", {5040, 7920, 0, 600}, "", 0, {}},
    };
    const QFont defaultFont = form->Grid().area->font();
    for (const FixedControl& expected : controls) {
        SCOPED_TRACE(expected.name);
        const QWidget* control = Find(QLatin1String(expected.name));
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->parentWidget(), form->Grid().area);
        EXPECT_EQ(Twips(QLatin1String(expected.name)), expected.twips);
        EXPECT_EQ(CaptionOf(control), expected.caption);
        if (expected.points > 0) {
            EXPECT_EQ(control->font().pointSizeF(), expected.points);
            EXPECT_EQ(control->font().styleHint(), QFont::SansSerif);
            EXPECT_FALSE(control->font().bold());
        } else {
            EXPECT_EQ(control->font(), defaultFont);
        }
        EXPECT_EQ(HorizontalAlignment(control), expected.horizontal);
        EXPECT_TRUE(control->isEnabled());
    }
}

TEST_F(DesignedWindowTest, PixelsFollowTheTwips) {
    const QWidget* comment = Find("commentBox");
    EXPECT_EQ(comment->geometry(), QRect(0, 432, 713, 41));
    const QWidget* back = Find("backOneButton");
    EXPECT_EQ(back->geometry(), QRect(544, 520, 33, 25));
    // Lines get a visible thickness across their length.
    EXPECT_EQ(Find("fileAreaTopLine")->width(), 336);
    EXPECT_GT(Find("fileAreaTopLine")->height(), 0);
    EXPECT_EQ(Find("fileAreaRightLine")->height(), 40);
    EXPECT_GT(Find("fileAreaRightLine")->width(), 0);
}

TEST_F(DesignedWindowTest, WindowCaptionAndMenu) {
    // "[*]" shows as "*" only while corrections are unsaved.
    EXPECT_EQ(form->windowTitle(), "Corvale[*]");
    form->winId();  // the native window, whose title is the one shown
    EXPECT_EQ(form->windowHandle()->title(), "Corvale");
    const auto menus = form->menuBar()->actions();
    ASSERT_GE(menus.size(), 1);
    EXPECT_EQ(menus[0]->text(), "&File");  // Alt+F opens it
    EXPECT_EQ(menus[0]->menu(), form->fileMenu);
    EXPECT_EQ(form->fileMenu->objectName(), "fileMenu");
    const auto items = form->fileMenu->actions();
    ASSERT_EQ(items.size(), 10);
    const std::vector<std::tuple<QAction*, const char*, const char*, const char*>> expected = {
        {form->saveAction, "saveAction", "Save", "Ctrl+S"},
        {form->openAction, "openAction", "Open\u2026", "Ctrl+O"},
        {form->recentMenu->menuAction(), "", "Open &Recent", ""},
        {form->openFileAction, "openFileAction", "Open the file shown in the box below", "Ctrl+L"},
        {form->scanPoemAction, "scanPoemAction", "Scan a poem\u2026", "Ctrl+Shift+O"},
        {form->exportAction, "exportAction", "Export\u2026", "Ctrl+E"},
        {form->saveProfileAction, "saveProfileAction", "Save the profile as\u2026", "Ctrl+Shift+E"},
        {form->findChild<QAction*>("saveConventionsAction"), "saveConventionsAction",
         "Save the conventions\u2026", "Ctrl+Shift+C"},
        {form->exitAction, "exitAction", "Exit", "Ctrl+Q"}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto& [action, name, text, key] = expected[i];
        QAction* item = items[static_cast<qsizetype>(i < 8 ? i : i + 1)];
        EXPECT_EQ(item, action) << name;
        EXPECT_EQ(item->objectName(), name);
        EXPECT_EQ(item->text(), text);
        EXPECT_EQ(item->shortcut().toString(), key) << name;
    }
    EXPECT_TRUE(items[8]->isSeparator());
}

TEST_F(DesignedWindowTest, LabelsShowCaptionsAsPlainText) {
    for (const QLabel* label : form->Grid().area->findChildren<QLabel*>()) {
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
    }
}

// A status longer than its line is cut with "…", and shown whole when pointed at.
TEST_F(DesignedWindowTest, ALongStatusIsCutAtItsEndAndWholeInItsTooltip) {
    const QString status = QString(200, u'x');
    form->ShowLineStatus(status);
    EXPECT_TRUE(form->lineStatusLabel->ShownText().endsWith(u'\u2026'));
    EXPECT_EQ(form->lineStatusLabel->toolTip(), status);
}

TEST_F(DesignedWindowTest, AccessibleNamesOfFixedControls) {
    const std::vector<std::pair<const char*, const char*>> names = {
        {"commentBox", "Comment"},
        {"fileNameBox", "File name"},
        {"goToBox", "Go to line"},
        {"backOneButton", "Back one line"},
        {"aheadOneButton", "Ahead one line"},
        {"commitLineButton", "Save changes to this line"},
        {"goToButton", "go to #"},
        {"exitButton", "Exit"},
        {"stressHeading", "Stress"},
        {"progressLabel", "Label5"}};
    for (const auto& [name, accessible] : names) {
        EXPECT_EQ(Find(QLatin1String(name))->accessibleName(), accessible) << name;
    }
}

TEST_F(DesignedWindowTest, PatternElementsAsDesigned) {
    struct Pattern {
        const char* name;
        QRectF twips;
        QString caption;
        double points;
    };
    const std::vector<Pattern> patterns = {
        {"meterLabels(0)", {0, 840, 735, 375}, "", 12},
        {"syllableBoxes(0)", {0, 1320, 735, 405}, "", 9.75},
        {"mergeButtons(0)", {600, 1800, 495, 255}, "v", 0},
        {"stressBoxes(0)", {0, 2760, 735, 405}, "", 0},
        {"stressUpButtons(0)", {120, 3240, 495, 255}, "^", 0},
        {"stressDownButtons(0)", {120, 3600, 495, 255}, "v", 0},
        {"junctureBoxes(0)", {0, 4680, 735, 375}, "", 0},
        {"junctureUpButtons(0)", {120, 5160, 495, 255}, "^", 0},
        {"junctureDownButtons(0)", {120, 5520, 495, 255}, "v", 0},
    };
    for (const Pattern& expected : patterns) {
        SCOPED_TRACE(expected.name);
        const QWidget* control = Find(QLatin1String(expected.name));
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(Twips(QLatin1String(expected.name)), expected.twips);
        EXPECT_EQ(CaptionOf(control), expected.caption);
        if (expected.points > 0) {
            EXPECT_EQ(control->font().pointSizeF(), expected.points);
            EXPECT_FALSE(control->font().bold());
        }
    }
    EXPECT_EQ(form->Grid().Columns(), 0);
    for (const auto* box : {form->Grid().meterLabels(0)}) {
        EXPECT_EQ(box->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    }
    for (const auto* box : {form->Grid().syllableBoxes(0), form->Grid().stressBoxes(0),
                            form->Grid().junctureBoxes(0)}) {
        EXPECT_EQ(box->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    }
}

using GridLayoutTest = GridFixture;

TEST_F(GridLayoutTest, TenColumnsAtTheDefaultPitch) {
    ASSERT_TRUE(StartWith({Plain(10)}));
    EXPECT_EQ(form->Work().Settings().Spacing(), 1300);
    ASSERT_EQ(form->Grid().Columns(), 10);
    for (int i = 1; i <= 10; ++i) {
        SCOPED_TRACE(i);
        const double nominal = i * 1300.0 - 950;
        EXPECT_EQ(Twips(Cell("syllableBoxes", i)), QRectF(nominal, 1320, 1249.5, 405));
        EXPECT_EQ(Twips(Cell("meterLabels", i)), QRectF(nominal, 840, 735, 375));
        EXPECT_EQ(Twips(Cell("stressBoxes", i)), QRectF(nominal, 2760, 735, 405));
        EXPECT_EQ(Twips(Cell("junctureBoxes", i)), QRectF(nominal, 4680, 735, 375));
        EXPECT_EQ(Twips(Cell("mergeButtons", i)), QRectF(nominal + 600, 1800, 495, 255));
        EXPECT_EQ(Twips(Cell("stressUpButtons", i)), QRectF(nominal + 120, 3240, 495, 255));
        EXPECT_EQ(Twips(Cell("stressDownButtons", i)), QRectF(nominal + 120, 3600, 495, 255));
        EXPECT_EQ(Twips(Cell("junctureUpButtons", i)), QRectF(nominal + 120, 5160, 495, 255));
        EXPECT_EQ(Twips(Cell("junctureDownButtons", i)), QRectF(nominal + 120, 5520, 495, 255));
        const QWidget* box = Find(Cell("syllableBoxes", i));
        EXPECT_EQ(box->x(), layout::ToPixels(nominal));
        EXPECT_EQ(box->parentWidget(), form->Grid().area);
    }
}

struct GridCase {
    const char* name;
    int columns;
    const char* spacing;  // as the memory file holds it
    int expectedSpacing;  // as the settings keep it
    double pitch;         // as the columns are drawn
    double firstLeft;
    double syllableWidth;
};

class GridGeometryTest : public GridFixture, public ::testing::WithParamInterface<GridCase> {};

TEST_P(GridGeometryTest, FirstColumnAndSyllableWidth) {
    const GridCase& c = GetParam();
    ASSERT_TRUE(StartWith({Plain(c.columns)}, "S", c.spacing));
    EXPECT_EQ(form->Work().Settings().Spacing(), c.expectedSpacing);
    ASSERT_EQ(form->Grid().Columns(), c.columns);
    const QRectF first = Twips(Cell("syllableBoxes", 1));
    EXPECT_DOUBLE_EQ(first.left(), c.firstLeft);
    EXPECT_NEAR(first.width(), c.syllableWidth, 1e-9);
    const QRectF last = Twips(Cell("syllableBoxes", c.columns));
    EXPECT_DOUBLE_EQ(last.left(), c.firstLeft + (c.columns - 1) * c.pitch);
}

INSTANTIATE_TEST_SUITE_P(
    Pitches, GridGeometryTest,
    ::testing::Values(GridCase{"OneColumn", 1, "0", 13000, 13000, 12050, 12495},
                      GridCase{"ThirteenColumns", 13, "0", 1000, 1000, 50, 12495.0 / 13},
                      GridCase{"SeventeenColumnsPastTheLeftEdge", 17, "0", 765, 765, -185, 735},
                      GridCase{"ConfiguredPitchKept", 10, "1400", 1400, 1400, 450, 1249.5},
                      // Columns never touch: only the pitch drawn widens, the spacing stays.
                      GridCase{"NegativePitchWidened", 10, "-500", -500, 1279.5, 329.5, 1249.5},
                      GridCase{"NarrowPitchWidened", 10, "900", 900, 1279.5, 329.5, 1249.5}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GridLayoutTest, ColumnsBeyondTheMeterAreRedAndUnlabelled) {
    ASSERT_TRUE(StartWith({Plain(11)}, "W\tS\tW\tS\tW\tS\tW\tS"));
    EXPECT_EQ(form->Work().Doc().Meter().symbols, 8);
    const QColor red(255, 0, 0);
    for (int i = 1; i <= 11; ++i) {
        SCOPED_TRACE(i);
        const bool beyond = i > 8;
        for (const char* array : {"syllableBoxes", "stressBoxes", "junctureBoxes"}) {
            const QColor base = Find(Cell(array, i))->palette().color(QPalette::Base);
            EXPECT_EQ(base == red, beyond) << array;
        }
        EXPECT_EQ(Shown(Cell("meterLabels", i)), !beyond);
    }
    EXPECT_EQ(form->Grid().meterLabels(8)->text(), "S");
    EXPECT_NE(form->Grid().syllableBoxes(0)->palette().color(QPalette::Base), red);
}

TEST_F(GridLayoutTest, StrongSymbolsAreBoldWhateverTheirCaseAndBlanks) {
    ASSERT_TRUE(StartWith({Plain(4)}, "S\t s \tW\tss"));
    EXPECT_EQ(form->Grid().meterLabels(1)->text(), "S");
    EXPECT_EQ(form->Grid().meterLabels(2)->text(), " s ");
    EXPECT_TRUE(form->Grid().meterLabels(1)->font().bold());
    EXPECT_TRUE(form->Grid().meterLabels(2)->font().bold());
    EXPECT_FALSE(form->Grid().meterLabels(3)->font().bold());
    EXPECT_FALSE(form->Grid().meterLabels(4)->font().bold());
    EXPECT_EQ(form->Grid().meterLabels(1)->font().pointSizeF(), 12);
    EXPECT_EQ(form->Grid().meterLabels(2)->accessibleName(), " s ");
}

TEST_F(GridLayoutTest, BlankMeterFieldHidesItsLabelOnly) {
    ASSERT_TRUE(StartWith({Plain(4)}, "S\t\tW\t  "));
    EXPECT_EQ(form->Work().Doc().Meter().symbols, 1);
    EXPECT_TRUE(Shown("meterLabels(1)"));
    EXPECT_FALSE(Shown("meterLabels(2)"));
    EXPECT_TRUE(Shown("meterLabels(3)"));
    EXPECT_EQ(form->Grid().meterLabels(3)->text(), "W");
    EXPECT_FALSE(Shown("meterLabels(4)"));
    const QColor red(255, 0, 0);
    EXPECT_NE(form->Grid().syllableBoxes(1)->palette().color(QPalette::Base), red);
    for (int i = 2; i <= 4; ++i) {
        EXPECT_EQ(form->Grid().stressBoxes(i)->palette().color(QPalette::Base), red) << i;
    }
}

TEST_F(GridLayoutTest, SymbolsBeyondTheColumnsAreNotShown) {
    ASSERT_TRUE(StartWith({Plain(2)}, "W\tS\tW\tS\tW\tS"));
    EXPECT_EQ(form->Grid().Columns(), 2);
    EXPECT_EQ(form->Grid().meterLabels(3), nullptr);
    EXPECT_EQ(form->Grid().meterLabels(2)->text(), "S");
    for (const QLabel* label : form->Grid().area->findChildren<QLabel*>()) {
        EXPECT_FALSE(label->objectName().startsWith("meterLabels(3")) << "stray meter label";
    }
}

TEST_F(GridLayoutTest, MeterInWindowsCodePage) {
    ASSERT_TRUE(StartWith({Plain(2)}, "\xB7\tS"));
    EXPECT_EQ(form->Grid().meterLabels(1)->text(), QString(QChar(0xB7)));
}

TEST_F(GridLayoutTest, ColumnControlsAreNamedForAssistiveTechnology) {
    ASSERT_TRUE(StartWith({Plain(3)}));
    const std::vector<std::pair<QString, QString>> names = {
        {"syllableBoxes(3)", "Syllable 3"},
        {"stressBoxes(3)", "Stress 3"},
        {"stressUpButtons(3)", "Stress up 3"},
        {"stressDownButtons(3)", "Stress down 3"},
        {"junctureBoxes(3)", "Juncture 3"},
        {"junctureUpButtons(3)", "Juncture up 3"},
        {"junctureDownButtons(3)", "Juncture down 3"},
        {"mergeButtons(3)", "Merge 3"},
        {"meterLabels(3)", "W"}};
    for (const auto& [objectName, accessible] : names) {
        const QWidget* control = Find(objectName);
        ASSERT_NE(control, nullptr) << objectName.toStdString();
        EXPECT_EQ(control->accessibleName(), accessible);
    }
    EXPECT_EQ(form->Grid().mergeButtons(3)->text(), "v");
    EXPECT_EQ(form->Grid().stressUpButtons(3)->text(), "^");
    EXPECT_EQ(form->Grid().syllableBoxes(3)->font().pointSizeF(), 9.75);
}

TEST_F(GridLayoutTest, ColumnButtonsReachTheirHandlers) {
    ASSERT_TRUE(StartWith({Plain(3)}));
    Click("stressUpButtons(2)");
    EXPECT_EQ(form->Line().Stress(2), "2");
    Click("junctureDownButtons(3)");
    EXPECT_EQ(form->Line().Juncture(3), "1");
    EXPECT_EQ(form->Line().Stress(1), "1");
}

TEST_F(GridLayoutTest, WindowCoversTheScreen) {
    ASSERT_TRUE(StartWith({Plain(3)}));
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(form->frameGeometry(), available);
    // The layout keeps its designed places whatever the window's size.
    EXPECT_EQ(Twips("exitButton"), QRectF(9960, 7800, 855, 375));
    EXPECT_EQ(Find("exitButton")->pos(), QPoint(664, 520));
}

TEST_F(GridLayoutTest, EveryControlIsEnabled) {
    ASSERT_TRUE(StartWith({Plain(5)}));
    for (const QWidget* control : form->Grid().area->findChildren<QWidget*>()) {
        EXPECT_TRUE(control->isEnabled()) << control->objectName().toStdString();
    }
}

}  // namespace
}  // namespace corvale::test
