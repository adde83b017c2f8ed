#pragma once

#include "window/Layout.h"

#include <QFont>
#include <QLabel>
#include <QRectF>
#include <QString>
#include <QVariant>
#include <QWidget>

// How the window's controls are put on the client area and captioned. Positions are kept in
// twips, exactly as the layout gives them, in the dynamic property "twips" of every placed
// control; the widget's pixel geometry is derived from them and never read back, so rounding
// to pixels can never make a position drift.
namespace corvale::placement {

inline constexpr char kTwipsProperty[] = "twips";

// Pixel edges are rounded separately, so neighbours that touch in twips touch on the screen.
inline void Place(QWidget* control, const layout::Rect& twips) {
    const int left = layout::ToPixels(twips.left);
    const int top = layout::ToPixels(twips.top);
    const int right = layout::ToPixels(twips.left + twips.width);
    const int bottom = layout::ToPixels(twips.top + twips.height);
    control->setGeometry(left, top, right - left, bottom - top);
    control->setProperty(kTwipsProperty, QRectF(twips.left, twips.top, twips.width, twips.height));
}

// The place last given by Place().
inline layout::Rect PlaceOf(const QWidget* control) {
    const QRectF rect = control->property(kTwipsProperty).toRectF();
    return {rect.left(), rect.top(), rect.width(), rect.height()};
}

// A label's caption doubles as its name for assistive technology.
inline void SetCaption(QLabel* label, const QString& caption) {
    label->setText(caption);
    label->setAccessibleName(caption);
}

// The designed sans-serif face at a point size, in regular weight. The designed widths fit
// the narrow faces with Arial's metrics; where none is installed the system's sans-serif face
// stands in.
inline QFont SansSerif(double pointSize) {
    QFont font;
    font.setFamilies({QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Arial"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans"),
                      QStringLiteral("Helvetica"), QStringLiteral("Sans Serif")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Normal);
    return font;
}

// The name a cell control of column i is known by to assistive technology, e.g. "Stress up 3".
// Meter labels are known by their caption instead (empty here).
inline QString CellAccessibleName(layout::CellArray array, int i) {
    using layout::CellArray;
    const char* prefix = "";
    switch (array) {
        case CellArray::MeterLabels:
            return {};
        case CellArray::SyllableBoxes:
            prefix = "Syllable";
            break;
        case CellArray::MergeButtons:
            prefix = "Merge";
            break;
        case CellArray::StressBoxes:
            prefix = "Stress";
            break;
        case CellArray::StressUpButtons:
            prefix = "Stress up";
            break;
        case CellArray::StressDownButtons:
            prefix = "Stress down";
            break;
        case CellArray::JunctureBoxes:
            prefix = "Juncture";
            break;
        case CellArray::JunctureUpButtons:
            prefix = "Juncture up";
            break;
        case CellArray::JunctureDownButtons:
            prefix = "Juncture down";
            break;
    }
    return QStringLiteral("%1 %2").arg(QLatin1String(prefix)).arg(i);
}

}  // namespace corvale::placement
