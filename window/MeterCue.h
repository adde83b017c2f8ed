#pragma once

// The cue of a column off the meter: a zigzag line under the column's meter symbol and an
// exclamation mark beside it, so it does not rest on colour alone. It lies over the meter
// label and the gap under it, and reaches neither the text of the next line above nor the
// syllable box below. While it shows, it and the column's stress box describe what it stands
// for to assistive technology; once it hides, the stress box gets its own description back.

#include <QString>
#include <QWidget>

class QLineEdit;
class QPaintEvent;

namespace corvale {

class MeterCue : public QWidget {
    Q_OBJECT

public:
    // Hidden until Show(); `stressBox` is the column's stress box, described by it meanwhile.
    MeterCue(QWidget* parent, QLineEdit* stressBox);

    // Shows the cue saying `what` (for example "stress maximum in a weak place").
    void Show(const QString& what);
    void Hide();
    bool IsShown() const { return !isHidden(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLineEdit* stressBox_;
    QString stressBoxDescription_;  // the stress box's own, given back when the cue hides
};

}  // namespace corvale
