#pragma once

// Edit > "Value bounds...": the four bounds of the stress and juncture values in a small dialog.
// OK is offered only while each maximum lies above its minimum (editor's BoundsProblem), and the
// dialog says which does not.

#include "scansion/MemorySettings.h"

#include <QDialog>

#include <array>

class QDialogButtonBox;
class QLabel;
class QSpinBox;

namespace corvale {

class BoundsDialog : public QDialog {
    Q_OBJECT

public:
    BoundsDialog(const ValueBounds& bounds, QWidget* parent);

    ValueBounds Bounds() const;
    // The boxes, in the memory file's order: maximum and minimum stress, then juncture.
    QSpinBox& Box(std::size_t i) const { return *boxes_[i]; }
    QDialogButtonBox& Buttons() const { return *buttons_; }

private:
    void Check();

    std::array<QSpinBox*, 4> boxes_{};
    QLabel* problem_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace corvale
