#pragma once

// The cell grid of the line editor, which the window builds and its parts (the focus, the keys,
// syllable editing, undo) act on: a column of controls per syllable position under the meter's
// symbols, with the block headings and the two text boxes the grid's focus works with.

#include "window/ControlArray.h"
#include "window/Layout.h"

#include <cstdint>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace corvale {

class ClickableLabel;
class MeterCue;

// The two value blocks under the syllables, each a row of boxes with "^" and "v" buttons.
enum class ValueBlock { Stress, Juncture };

struct CellGrid {
    CellGrid()
        : meterLabels(QStringLiteral("meterLabels")),
          syllableBoxes(QStringLiteral("syllableBoxes")),
          mergeButtons(QStringLiteral("mergeButtons")),
          stressBoxes(QStringLiteral("stressBoxes")),
          stressUpButtons(QStringLiteral("stressUpButtons")),
          stressDownButtons(QStringLiteral("stressDownButtons")),
          junctureBoxes(QStringLiteral("junctureBoxes")),
          junctureUpButtons(QStringLiteral("junctureUpButtons")),
          junctureDownButtons(QStringLiteral("junctureDownButtons")),
          offMeterCues(QStringLiteral("offMeterCues")) {}

    // Number of cell columns built so far.
    std::int32_t Columns() const { return syllableBoxes.Count(); }

    // The client area, on which every control of the window is placed, at this zoom (percent).
    QWidget* area = nullptr;
    int zoom = layout::kActualSize;
    // The pitch the columns are drawn at (layout::Pitch).
    double pitch = 0;

    // Element 0 of each array is the hidden pattern, element i is column i.
    ControlArray<QLabel> meterLabels;
    ControlArray<QLineEdit> syllableBoxes;
    ControlArray<QPushButton> mergeButtons;
    ControlArray<QLineEdit> stressBoxes;
    ControlArray<QPushButton> stressUpButtons;
    ControlArray<QPushButton> stressDownButtons;
    ControlArray<QLineEdit> junctureBoxes;
    ControlArray<QPushButton> junctureUpButtons;
    ControlArray<QPushButton> junctureDownButtons;
    // The cues of the meter's places: column i's, for the columns within the meter.
    ControlArray<MeterCue> offMeterCues;

    // The headings of the value blocks; the higher one's block is on top.
    ClickableLabel* stressHeading = nullptr;
    ClickableLabel* junctureHeading = nullptr;
    // Takes the focus when no cell box of a kind is shown.
    QPlainTextEdit* commentBox = nullptr;
    // "Go to line" from the keys goes back from here to where the focus was.
    QLineEdit* goToBox = nullptr;
};

}  // namespace corvale
