#pragma once

// The cell grid of the line editor, which the window builds and its parts (the focus, the keys,
// syllable editing, undo) act on: a column of controls per syllable position under the meter's
// symbols, with the block headings and the two text boxes the grid's focus works with.

#include "window/ControlArray.h"

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
        : lblMeter(QStringLiteral("lblMeter")),
          txtSyllables(QStringLiteral("txtSyllables")),
          cmdMerge(QStringLiteral("cmdMerge")),
          txtStress(QStringLiteral("txtStress")),
          cmdStressUp(QStringLiteral("cmdStressUp")),
          cmdStressDown(QStringLiteral("cmdStressDown")),
          txtJuncture(QStringLiteral("txtJuncture")),
          cmdJunctureUp(QStringLiteral("cmdJunctureUp")),
          cmdJunctureDown(QStringLiteral("cmdJunctureDown")),
          lblOffMeter(QStringLiteral("lblOffMeter")) {}

    // Number of cell columns built so far.
    std::int32_t Columns() const { return txtSyllables.Count(); }

    // The client area, on which every control of the window is placed.
    QWidget* area = nullptr;

    // Element 0 of each array is the hidden pattern, element i is column i.
    ControlArray<QLabel> lblMeter;
    ControlArray<QLineEdit> txtSyllables;
    ControlArray<QPushButton> cmdMerge;
    ControlArray<QLineEdit> txtStress;
    ControlArray<QPushButton> cmdStressUp;
    ControlArray<QPushButton> cmdStressDown;
    ControlArray<QLineEdit> txtJuncture;
    ControlArray<QPushButton> cmdJunctureUp;
    ControlArray<QPushButton> cmdJunctureDown;
    // The cues of the meter's places: column i's, for the columns within the meter.
    ControlArray<MeterCue> lblOffMeter;

    // The headings of the value blocks; the higher one's block is on top.
    ClickableLabel* Label2 = nullptr;  // stress
    ClickableLabel* Label3 = nullptr;  // juncture
    // Takes the focus when no cell box of a kind is shown.
    QPlainTextEdit* txtComment = nullptr;
    // "Go to line" from the keys goes back from here to where the focus was.
    QLineEdit* txtGoto = nullptr;
};

}  // namespace corvale
