#include "window/ProfileDock.h"

#include "analysis/ProfileReport.h"
#include "platform/OutputFile.h"
#include "platform/Platform.h"
#include "scansion/Document.h"
#include "window/ChoosingKey.h"
#include "window/ProfileChart.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QSplitter>
#include <QSvgGenerator>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <map>

namespace corvale {

namespace {

// Lines of another length listed in the table before "and N more".
constexpr std::size_t kMostListed = 20;

// The size a saved chart is laid out at; a PNG scales it whole to its width.
constexpr QSize kFigureSize(800, 500);
constexpr int kNarrowestPicture = 400;
constexpr int kWidestPicture = 8000;

}  // namespace

void ProfileTable::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        CopySelection();
        event->accept();
        return;
    }
    if (IsChoosingKey(*event) && currentIndex().isValid()) {
        emit chosen(currentIndex());
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void ProfileTable::CopySelection() {
    std::map<int, std::map<int, QString>> cells;
    for (const QModelIndex& index : selectionModel()->selectedIndexes()) {
        cells[index.row()][index.column()] = index.data().toString();
    }
    QStringList rows;
    for (const auto& [row, columns] : cells) {
        QStringList texts;
        for (int column = columns.begin()->first; column <= columns.rbegin()->first; ++column) {
            const auto cell = columns.find(column);
            texts.append(cell == columns.end() ? QString() : cell->second);
        }
        rows.append(texts.join(u'\t'));
    }
    QApplication::clipboard()->setText(rows.join(u'\n'));
}

ProfileDock::ProfileDock(const Document& document, QWidget* parent)
    : QDockWidget(parent), document_(document) {
    setObjectName(QStringLiteral("Profile"));
    setWindowTitle(QStringLiteral("Profile"));
    setAccessibleName(QStringLiteral("The verse's profile"));
    setFeatures(QDockWidget::DockWidgetClosable);
    setAllowedAreas(Qt::RightDockWidgetArea);

    auto* dockArea = new QWidget(this);
    meterChoice_ = new QComboBox(dockArea);
    meterChoice_->setObjectName(QStringLiteral("profileMeter"));
    meterChoice_->setAccessibleName(QStringLiteral("The meter whose profile is shown"));
    meterChoice_->hide();
    auto* content = new QSplitter(Qt::Vertical, dockArea);
    content_ = content;
    chart_ = new ProfileChart(content);
    model_ = new ProfileModel(this);
    table_ = new ProfileTable(content);
    table_->setObjectName(QStringLiteral("tblProfile"));
    table_->setAccessibleName(QStringLiteral("Profile figures, place by place, then the file's"));
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectItems);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    content->addWidget(chart_);
    content->addWidget(table_);
    // The chart grows with the dock; the table keeps the height it was given.
    content->setStretchFactor(0, 1);
    content->setStretchFactor(1, 0);
    content->setChildrenCollapsible(false);
    auto* layout = new QVBoxLayout(dockArea);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(meterChoice_);
    layout->addWidget(content, 1);
    setWidget(dockArea);
    connect(content, &QSplitter::splitterMoved, this, [this] { splitByUser_ = true; });

    connect(model_, &QAbstractItemModel::modelReset, this, &ProfileDock::SpanFigureRows);
    connect(chart_, &ProfileChart::placeClicked, this, &ProfileDock::placeChosen);
    connect(table_, &ProfileTable::chosen, this, &ProfileDock::Choose);
    connect(meterChoice_, &QComboBox::currentIndexChanged, this, [this] { Redraw(strictness_); });
}

std::int32_t ProfileDock::MeterNumber() const {
    return std::max(meterChoice_->currentIndex(), 0) + 1;
}

void ProfileDock::Recount(const meter::Meters& meters, const std::vector<MeterFileRow>& rows,
                          meter::Strictness strictness) {
    const std::int32_t shown = MeterNumber();
    profiles_ = analysis::ProfilesByMeter(document_.GetStore(), meters);
    rows_ = rows;
    rows_.resize(profiles_.size());
    {
        const QSignalBlocker quiet(meterChoice_);
        FillMeterChoice();
        meterChoice_->setCurrentIndex(shown <= MeterCount() ? shown - 1 : 0);
    }
    Redraw(strictness);
}

// "meter 2 of 2: W S W S W S", an item for each meter; only a file of several shows them.
void ProfileDock::FillMeterChoice() {
    meterChoice_->clear();
    for (std::size_t i = 0; i < profiles_.size(); ++i) {
        QString symbols;
        for (const std::string& symbol :
             analysis::MeterSymbols(rows_[i].line, profiles_[i].TheMeter().Places())) {
            symbols += (symbols.isEmpty() ? QString() : QStringLiteral(" ")) +
                       QString::fromStdString(symbol);
        }
        meterChoice_->addItem(
            QStringLiteral("meter %1 of %2: %3").arg(i + 1).arg(profiles_.size()).arg(symbols));
    }
    meterChoice_->setVisible(profiles_.size() > 1);
}

void ProfileDock::ShowMeter(std::int32_t number) {
    if (number >= 1 && number <= MeterCount()) {
        meterChoice_->setCurrentIndex(number - 1);
    }
}

analysis::NamedProfile ProfileDock::Named(std::size_t index) const {
    const analysis::Profile& profile = profiles_[index];
    return analysis::Named(profile,
                           analysis::MeterSymbols(rows_[index].line, profile.TheMeter().Places()),
                           DecodeFileName(document_.FileName()).toStdString(), kMostListed);
}

void ProfileDock::Redraw(meter::Strictness strictness) {
    strictness_ = strictness;
    if (profiles_.empty()) {
        return;
    }
    analysis::NamedProfile named = Named(static_cast<std::size_t>(MeterNumber()) - 1);
    chart_->Show(named);
    model_->Show(std::move(named), strictness);
}

void ProfileDock::LineChanging(const Store& store, std::int32_t j) {
    for (analysis::Profile& profile : profiles_) {
        profile.LineChanging(store, j);
    }
}

void ProfileDock::LineChanged(const Store& store, std::int32_t j) {
    for (analysis::Profile& profile : profiles_) {
        profile.LineChanged(store, j);
    }
}

void ProfileDock::Loaded(const Store& store) {
    for (analysis::Profile& profile : profiles_) {
        profile.Loaded(store);
    }
}

void ProfileDock::Choose(const QModelIndex& index) {
    if (const std::int32_t place = model_->PlaceOfRow(index.row()); index.isValid() && place > 0) {
        emit placeChosen(place);
    }
}

void ProfileDock::SpanFigureRows() {
    table_->clearSpans();
    for (int row = model_->Places(); row < model_->rowCount(); ++row) {
        table_->setSpan(row, ProfileModel::kPlace, 1, ProfileModel::kFigureValue);
        table_->setSpan(row, ProfileModel::kFigureValue, 1,
                        ProfileModel::kColumns - ProfileModel::kFigureValue);
    }
    SizeColumns();
}

// Widths from the font and the largest count the file can give, never from the rows.
void ProfileDock::SizeColumns() {
    QHeaderView* header = table_->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setStretchLastSection(true);
    const QFontMetrics metrics = table_->fontMetrics();
    const int padding = 2 * metrics.averageCharWidth();
    const QString widest = QStringLiteral("%1 (100.0%)").arg(model_->Shown().counts.verseLines);
    for (int column = 0; column < ProfileModel::kColumns; ++column) {
        const QString heading =
            model_->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        const int content = column >= ProfileModel::kFirstFigure
                                ? metrics.horizontalAdvance(widest)
                                : metrics.horizontalAdvance(QStringLiteral("000"));
        header->resizeSection(column,
                              std::max(content, metrics.horizontalAdvance(heading)) + padding);
    }
}

QString ProfileDock::SaveAs(const QString& path, meter::Strictness strictness,
                            int pictureWidth) const {
    const QString kind = QFileInfo(path).suffix().toLower();
    if (kind != u"svg" && kind != u"png" && kind != u"csv") {
        return QStringLiteral(
            "Corvale saves the profile as SVG, PNG or CSV.  Please end the file "
            "name in .svg, .png or .csv.");
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    bool drawn = true;
    if (kind == u"csv") {
        std::vector<analysis::NamedProfile> every;
        for (std::size_t i = 0; i < profiles_.size(); ++i) {
            every.push_back(Named(i));
        }
        bytes = QByteArray::fromStdString(analysis::ProfileCsv(every, strictness));
    } else if (kind == u"png") {
        const double ratio = static_cast<double>(pictureWidth) / kFigureSize.width();
        QImage picture(pictureWidth, static_cast<int>(std::lround(kFigureSize.height() * ratio)),
                       QImage::Format_ARGB32_Premultiplied);
        picture.setDevicePixelRatio(ratio);
        picture.fill(Qt::white);
        QPainter painter(&picture);
        chart_->DrawFresh(painter, kFigureSize);
        drawn = painter.end() && picture.save(&buffer, "PNG");
    } else {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(kFigureSize);
        svg.setViewBox(QRect(QPoint(), kFigureSize));
        svg.setTitle(QString::fromStdString(analysis::ChartTitle(chart_->Shown()))
                         .replace(u'\n', QStringLiteral(", ")));
        svg.setDescription(QStringLiteral("The verse's profile"));
        QPainter painter(&svg);
        chart_->DrawFresh(painter, kFigureSize);
        drawn = painter.end();
    }
    const std::string failure = drawn ? WriteOutputFile(path, bytes.toStdString(), true)
                                      : std::string("the chart could not be drawn");
    if (!failure.empty()) {
        return QStringLiteral("Corvale could not save the profile to %1: %2.")
            .arg(QDir::toNativeSeparators(path), QString::fromStdString(failure));
    }
    return {};
}

void ProfileDock::resizeEvent(QResizeEvent* event) {
    QDockWidget::resizeEvent(event);
    if (!splitByUser_) {
        const int height = content_->height();
        content_->setSizes({height * 3 / 5, height - height * 3 / 5});
    }
}

std::optional<int> ProfileDock::PictureWidth(const QString& typed) {
    bool whole = false;
    const int width = typed.trimmed().toInt(&whole);
    if (!whole || width < kNarrowestPicture || width > kWidestPicture) {
        return std::nullopt;
    }
    return width;
}

void ProfileDock::closeEvent(QCloseEvent* event) {
    QDockWidget::closeEvent(event);
    if (event->isAccepted()) {
        emit closed();
    }
}

}  // namespace corvale
