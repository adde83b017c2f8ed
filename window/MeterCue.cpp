#include "window/MeterCue.h"

#include <QFont>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>

namespace corvale {

namespace {

// A warning red dark enough to read on the window's grey and on white.
const QColor kCueColour(200, 30, 20);
constexpr int kZigzagHeight = 5;  // pixels, within the gap under the meter label
constexpr int kZigzagStep = 4;
constexpr int kMargin = 6;

}  // namespace

MeterCue::MeterCue(QWidget* parent, QLineEdit* stressBox) : QWidget(parent), stressBox_(stressBox) {
    hide();
}

void MeterCue::Show(const QString& what) {
    if (stressBox_ != nullptr && !IsShown()) {
        stressBoxDescription_ = stressBox_->accessibleDescription();
    }
    if (toolTip() != what) {
        setToolTip(what);
        setAccessibleDescription(what);
    }
    if (stressBox_ != nullptr) {
        stressBox_->setAccessibleDescription(what);
    }
    show();
}

void MeterCue::Hide() {
    if (!IsShown()) {
        return;
    }
    hide();
    if (stressBox_ != nullptr) {
        stressBox_->setAccessibleDescription(stressBoxDescription_);
    }
}

void MeterCue::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(kCueColour, 2);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);

    const int bottom = height() - 1;
    QPainterPath zigzag;
    zigzag.moveTo(kMargin, bottom);
    bool up = true;
    for (int x = kMargin + kZigzagStep; x <= width() - kMargin; x += kZigzagStep) {
        zigzag.lineTo(x, up ? bottom - kZigzagHeight : bottom);
        up = !up;
    }
    painter.drawPath(zigzag);

    QFont font = this->font();
    font.setBold(true);
    painter.setFont(font);
    const QRect mark(width() - kMargin - painter.fontMetrics().height(), 0,
                     painter.fontMetrics().height(), height() - kZigzagHeight - 2);
    painter.drawText(mark, Qt::AlignCenter, QStringLiteral("!"));
}

}  // namespace corvale
