#include "window/ProfileChart.h"

#include "analysis/ProfileReport.h"
#include "meter/MeterCheck.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QCursor>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QLineSeries>
#include <QMouseEvent>
#include <QStackedBarSeries>
#include <QToolTip>
#include <QValueAxis>

#include <cmath>

namespace corvale {

namespace {

struct SetLook {
    const char* name;
    QColor colour;
};

// Strong places in blue, weak ones in orange; the lighter shade is stress 2. The names are short
// enough for the legend's one row under the plot of a narrow dock.
const std::array<SetLook, 4> kSetLooks = {{
    {"3+ in S", QColor(0x1f, 0x4e, 0x79)},
    {"2 in S", QColor(0x7f, 0xaa, 0xd6)},
    {"3+ in W", QColor(0xb4, 0x5f, 0x06)},
    {"2 in W", QColor(0xf6, 0xb2, 0x6b)},
}};

constexpr double kShareAxisTop = 108;

double PercentOf(std::int64_t count, std::int64_t base) {
    return base == 0 ? 0.0 : 100.0 * static_cast<double>(count) / static_cast<double>(base);
}

QLineSeries* BoundaryLine(const char* name, const QColor& colour, Qt::PenStyle style) {
    auto* line = new QLineSeries();
    line->setName(QLatin1String(name));
    QPen pen(colour);
    pen.setWidthF(2.0);
    pen.setStyle(style);
    line->setPen(pen);
    line->setPointsVisible(true);
    return line;
}

// The place's symbol over its number; a strong place's symbol bold.
QString Category(const std::string& symbol, std::size_t place) {
    const QString text =
        QString::fromUtf8(symbol.data(), static_cast<qsizetype>(symbol.size())).toHtmlEscaped();
    return QStringLiteral("%1<br>%2")
        .arg(meter::IsStrongSymbol(symbol) ? QStringLiteral("<b>%1</b>").arg(text) : text)
        .arg(place);
}

}  // namespace

// The chart is the view's from the start: a chart set later would leave the view's own first
// chart behind, released but never deleted.
ProfileChart::ProfileChart(QWidget* parent) : QChartView(new QChart(), parent), chart_(chart()) {
    setObjectName(QStringLiteral("profileChart"));
    setAccessibleName(QStringLiteral("Stress profile chart"));
    setAccessibleDescription(QStringLiteral(
        "For each place of the meter, the share of lines stressed there, and of lines with a "
        "word or phrase boundary after it. The table below gives the same figures."));
    setRenderHint(QPainter::Antialiasing);
    setMinimumHeight(140);
    chart_->setAnimationOptions(QChart::NoAnimation);
    // Below the plot, which then has the whole width of a narrow dock for its places.
    chart_->legend()->setAlignment(Qt::AlignBottom);
    // A name cut short by a narrow dock shows whole when pointed at.
    chart_->legend()->setShowToolTips(true);
    QFont legendFont = chart_->legend()->font();
    legendFont.setPointSizeF(legendFont.pointSizeF() * 0.85);
    chart_->legend()->setFont(legendFont);
    chart_->setMargins(QMargins(4, 4, 4, 4));

    bars_ = new QStackedBarSeries();
    for (std::size_t s = 0; s < kSets; ++s) {
        sets_[s] = new QBarSet(QLatin1String(kSetLooks[s].name));
        sets_[s]->setColor(kSetLooks[s].colour);
        sets_[s]->setBorderColor(kSetLooks[s].colour);
        bars_->append(sets_[s]);
    }
    bars_->setBarWidth(0.7);
    wordEnds_ = BoundaryLine("word end", QColor(0x2e, 0x7d, 0x32), Qt::DashLine);
    phraseEnds_ = BoundaryLine("phrase end", QColor(0x20, 0x20, 0x20), Qt::SolidLine);
    places_ = new QBarCategoryAxis();
    // Room above 100%, so that a full bar and the points on it are drawn whole; the ticks stop
    // at 100%.
    shares_ = new QValueAxis();
    shares_->setTitleText(QStringLiteral("share of lines"));
    shares_->setRange(0, kShareAxisTop);
    shares_->setTickType(QValueAxis::TicksDynamic);
    shares_->setTickAnchor(0);
    shares_->setTickInterval(20);
    shares_->setLabelFormat(QStringLiteral("%.0f%%"));
    chart_->addAxis(places_, Qt::AlignBottom);
    chart_->addAxis(shares_, Qt::AlignLeft);
    for (QAbstractSeries* series :
         std::initializer_list<QAbstractSeries*>{bars_, wordEnds_, phraseEnds_}) {
        chart_->addSeries(series);
        series->attachAxis(places_);
        series->attachAxis(shares_);
    }

    connect(bars_, &QAbstractBarSeries::hovered, this, [this](bool on, int index, QBarSet* set) {
        const bool spoken = set == sets_[kStrongSpoken] || set == sets_[kWeakSpoken];
        if (on) {
            Tip(index + 1, spoken ? analysis::PlaceFigure::Spoken : analysis::PlaceFigure::Heard);
        } else {
            QToolTip::hideText();
        }
    });
    const auto tipAtPoint = [this](analysis::PlaceFigure figure) {
        return [this, figure](const QPointF& point, bool on) {
            if (on) {
                Tip(static_cast<std::int32_t>(std::lround(point.x())) + 1, figure);
            } else {
                QToolTip::hideText();
            }
        };
    };
    connect(wordEnds_, &QLineSeries::hovered, this,
            tipAtPoint(analysis::PlaceFigure::WordBoundary));
    connect(phraseEnds_, &QLineSeries::hovered, this,
            tipAtPoint(analysis::PlaceFigure::PhraseBoundary));
}

void ProfileChart::Show(const analysis::NamedProfile& profile) {
    if (profile.symbols != shown_.symbols ||
        sets_[0]->count() != std::ssize(profile.counts.places)) {
        MakePlaces(profile);
    }
    shown_ = profile;
    QList<QPointF> words;
    QList<QPointF> phrases;
    for (std::size_t i = 0; i < profile.counts.places.size(); ++i) {
        const analysis::PlaceCounts& place = profile.counts.places[i];
        const bool strong = i < profile.symbols.size() && meter::IsStrongSymbol(profile.symbols[i]);
        const auto at = static_cast<qsizetype>(i);
        const auto share = [&](analysis::PlaceFigure figure) {
            return PercentOf(place.Of(figure), place.lines);
        };
        sets_[kStrongSpoken]->replace(at, strong ? share(analysis::PlaceFigure::Spoken) : 0.0);
        sets_[kStrongHeard]->replace(at, strong ? share(analysis::PlaceFigure::Heard) : 0.0);
        sets_[kWeakSpoken]->replace(at, strong ? 0.0 : share(analysis::PlaceFigure::Spoken));
        sets_[kWeakHeard]->replace(at, strong ? 0.0 : share(analysis::PlaceFigure::Heard));
        words.append(QPointF(static_cast<double>(i), share(analysis::PlaceFigure::WordBoundary)));
        phrases.append(
            QPointF(static_cast<double>(i), share(analysis::PlaceFigure::PhraseBoundary)));
    }
    wordEnds_->replace(words);
    phraseEnds_->replace(phrases);
    // An empty chart says why: in a folder where no file is open yet, there is no verse line.
    chart_->setTitle(QString::fromStdString(analysis::ChartTitle(profile))
                         .toHtmlEscaped()
                         .replace(u'\n', QStringLiteral("<br>")));
}

void ProfileChart::DrawFresh(QPainter& painter, const QSize& logical) const {
    ProfileChart figure(nullptr);
    figure.setAttribute(Qt::WA_DontShowOnScreen);
    figure.Show(shown_);
    // The chart itself is drawn, laid out at the figure's size: the widget around it is never
    // shown, so it would give the chart no size of its own.
    figure.chart_->resize(QSizeF(logical));
    figure.chart_->layout()->activate();
    const QRectF whole{QPointF(), QSizeF(logical)};
    figure.scene()->render(&painter, whole, whole);
}

void ProfileChart::MakePlaces(const analysis::NamedProfile& profile) {
    const auto places = static_cast<qsizetype>(profile.counts.places.size());
    for (QBarSet* set : sets_) {
        set->remove(0, set->count());
        set->append(QList<qreal>(places, 0.0));
    }
    QStringList categories;
    for (qsizetype i = 0; i < places; ++i) {
        const auto at = static_cast<std::size_t>(i);
        categories.append(
            Category(at < profile.symbols.size() ? profile.symbols[at] : std::string(), at + 1));
    }
    places_->clear();
    places_->append(categories);
}

void ProfileChart::Tip(std::int32_t place, analysis::PlaceFigure figure) {
    if (place < 1 || place > std::ssize(shown_.counts.places)) {
        return;
    }
    const std::string tip = analysis::FigureTip(
        place, figure, shown_.counts.places[static_cast<std::size_t>(place) - 1]);
    QToolTip::showText(QCursor::pos(), QString::fromStdString(tip), this);
}

// The lines over the bars take the clicks on their stretch of the chart, so the view, rather
// than a bar, tells which place was clicked.
void ProfileChart::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        if (const std::int32_t place = PlaceAt(event->position().toPoint()); place > 0) {
            emit placeClicked(place);
        }
    }
    QChartView::mousePressEvent(event);
}

std::int32_t ProfileChart::PlaceAt(const QPoint& point) const {
    const QPointF position = chart_->mapFromScene(mapToScene(point));
    if (!chart_->plotArea().contains(position)) {
        return 0;
    }
    const long index = std::lround(chart_->mapToValue(position, bars_).x());
    return index >= 0 && index < sets_[0]->count() ? static_cast<std::int32_t>(index) + 1 : 0;
}

QPoint ProfileChart::BarCentre(std::int32_t place) const {
    const auto at = static_cast<qsizetype>(place - 1);
    qreal height = 0.0;
    for (const QBarSet* set : sets_) {
        height += set->at(at);
    }
    const QPointF scene = chart_->mapToPosition(QPointF(static_cast<qreal>(at), height / 2), bars_);
    return mapFromScene(chart_->mapToScene(scene));
}

}  // namespace corvale
