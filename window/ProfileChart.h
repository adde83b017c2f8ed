#pragma once

// The stress profile as a chart: a bar per meter place under the meter's symbols, the share
// stressed as spoken and the share with stress 2 stacked, strong places in blue and weak ones in
// orange; the word-boundary and phrase-boundary shares as two lines over the same places. A bar
// or a point gives its count and base in a tooltip. A click on a bar, or anywhere over it, so
// that a place of 0% can be chosen too, chooses its place. Redraws change the series' values in
// place while the places stay the same; nothing is animated.

#include "analysis/Profile.h"

#include <QChartView>

#include <array>
#include <cstdint>

class QBarCategoryAxis;
class QBarSet;
class QLineSeries;
class QStackedBarSeries;
class QValueAxis;

namespace corvale {

class ProfileChart : public QChartView {
    Q_OBJECT

public:
    explicit ProfileChart(QWidget* parent);

    // Titled with the file, the meter and the lines profiled (analysis::ChartTitle).
    void Show(const analysis::NamedProfile& profile);
    const analysis::NamedProfile& Shown() const { return shown_; }
    // Draws the chart as shown afresh at `logical` size onto `painter` (a picture or an SVG),
    // whatever the view's own size; a painter that scales draws it larger whole, fonts and lines
    // included.
    void DrawFresh(QPainter& painter, const QSize& logical) const;

    // Where the middle of place `place`'s bar stands in the view, for tests that click it.
    QPoint BarCentre(std::int32_t place) const;
    // The place whose bar stands at this point of the view, or 0.
    std::int32_t PlaceAt(const QPoint& point) const;

signals:
    void placeClicked(std::int32_t place);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    // The bar sets: stressed as spoken and stress 2, each for strong and for weak places.
    enum Set { kStrongSpoken, kStrongHeard, kWeakSpoken, kWeakHeard, kSets };

    void MakePlaces(const analysis::NamedProfile& profile);
    void Tip(std::int32_t place, analysis::PlaceFigure figure);

    QChart* chart_ = nullptr;
    QStackedBarSeries* bars_ = nullptr;
    std::array<QBarSet*, kSets> sets_{};
    QLineSeries* wordEnds_ = nullptr;
    QLineSeries* phraseEnds_ = nullptr;
    QBarCategoryAxis* places_ = nullptr;
    QValueAxis* shares_ = nullptr;
    analysis::NamedProfile shown_;
};

}  // namespace corvale
