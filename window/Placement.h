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
// control; the widget's pixel geometry is derived from them at the zoom and never read back, so
// rounding to pixels can never make a position drift, and a zoom places everything afresh.
namespace corvale::placement {

inline constexpr char kTwipsProperty[] = "twips";
// Set on the lines of the frame around the file-name area, which get a thickness on screen.
inline constexpr char kLineProperty[] = "twipsLine";
// The designed point size of a control that has a font of its own; the others take the client
// area's.
inline constexpr char kPointsProperty[] = "designedPoints";
// The frame lines' thickness in pixels, at any zoom.
inline constexpr int kLineThickness = 2;

inline void SetGeometry(QWidget* control, const layout::PixelRect& pixels) {
    control->setGeometry(pixels.left, pixels.top, pixels.width, pixels.height);
}

inline void Place(QWidget* control, const layout::Rect& twips, int zoom) {
    control->setProperty(kTwipsProperty, QRectF(twips.left, twips.top, twips.width, twips.height));
    if (control->property(kLineProperty).toBool()) {
        SetGeometry(control, layout::LinePixels(twips, zoom, kLineThickness));
    } else {
        SetGeometry(control, layout::ToPixels(twips, zoom));
    }
}

// The place last given by Place().
inline layout::Rect PlaceOf(const QWidget* control) {
    const QRectF rect = control->property(kTwipsProperty).toRectF();
    return {rect.left(), rect.top(), rect.width(), rect.height()};
}

inline bool IsPlaced(const QWidget* control) {
    return control->property(kTwipsProperty).isValid();
}

// The designed face at a point size, zoomed; the control keeps its boldness.
inline void SetDesignedFont(QWidget* control, const QFont& designed, int zoom) {
    control->setProperty(kPointsProperty, designed.pointSizeF());
    QFont font = designed;
    font.setBold(control->font().bold());
    font.setPointSizeF(layout::ZoomedSize(designed.pointSizeF(), zoom));
    control->setFont(font);
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
