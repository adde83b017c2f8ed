#pragma once

#include <QLabel>
#include <QPainter>
#include <QStyle>

namespace corvale {

// A one-line label that shows as much of its text as fits its width, cut at the end with "…",
// for the status line: its place is the grid's, and a long note stopped mid-word there.
class ElidedLabel : public QLabel {
public:
    using QLabel::QLabel;

    // The text as it is drawn at the label's width now.
    QString ShownText() const {
        return fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width());
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter painter(this);
        style()->drawItemText(&painter, contentsRect(), static_cast<int>(alignment()), palette(),
                              isEnabled(), ShownText(), foregroundRole());
    }
};

}  // namespace corvale
