#include "qt/control_view.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QEvent>
#include <QHorizontalBarSeries>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPieSeries>
#include <QPieSlice>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <functional>

namespace qtui {
namespace {

// A chart view that says when its palette or font changed: a chart draws in a scene of its own
// and takes neither from the widget.
class LookFollowingChartView final : public QChartView {
public:
    using QChartView::QChartView;
    std::function<void()> lookChanged;

protected:
    void changeEvent(QEvent* event) override {
        QChartView::changeEvent(event);
        if ((event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange) &&
            lookChanged)
            lookChanged();
    }
};

QColor blend(const QColor& from, const QColor& to, qreal share) {
    return QColor::fromRgbF(from.redF() + (to.redF() - from.redF()) * share,
                            from.greenF() + (to.greenF() - from.greenF()) * share,
                            from.blueF() + (to.blueF() - from.blueF()) * share);
}

// The value axis runs from zero, or below it for negative values, to a round number past the
// largest, with room left for the value written at the end of a bar; its labels carry as many
// decimals as its steps need, and no more.
QValueAxis* valueAxisFor(const std::vector<ui::ChartPoint>& points) {
    auto* axis = new QValueAxis;
    double low = 0;
    double high = 0;
    for (const ui::ChartPoint& point : points) {
        low = std::min(low, point.value);
        high = std::max(high, point.value);
    }
    if (low == high) high = low + 1;
    const double room = (high - low) * 0.1;
    if (high > 0) high += room;
    if (low < 0) low -= room;
    axis->setRange(low, high);
    axis->applyNiceNumbers();
    const double step = (axis->max() - axis->min()) / std::max(axis->tickCount() - 1, 1);
    const int decimals = step >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(step)));
    axis->setLabelFormat(QStringLiteral("%.%1f").arg(std::clamp(decimals, 0, 6)));
    return axis;
}

QStringList labelsOf(const std::vector<ui::ChartPoint>& points) {
    QStringList labels;
    for (const ui::ChartPoint& point : points)
        labels << toQString(point.label);
    return labels;
}

class ChartView final : public ControlView {
public:
    ChartView(ui::Chart& chart, QWidget* container) : ControlView(chart), chart_(chart) {
        auto* widget = new LookFollowingChartView(container);
        widget->setFrameShape(QFrame::NoFrame);
        widget->setRenderHint(QPainter::Antialiasing);
        adopt(widget);
        widget->lookChanged = [this] { rebuild(); };
        rebuild();
    }

    ~ChartView() override {
        if (auto* widget = static_cast<LookFollowingChartView*>(this->widget()))
            widget->lookChanged = nullptr;
    }

protected:
    void show(ui::Change change) override {
        if (change == ui::Change::Content) rebuild();
    }

private:
    // Builds the chart afresh from the model in the widget's colours and font.
    void rebuild() {
        auto* view = static_cast<QChartView*>(widget());
        if (!view || !attached()) return;
        // A new chart each time: axes and series of the last one never linger in the scene.
        auto* chart = new QChart;
        // Moving pictures would only delay what the numbers say, and make no two pictures alike.
        chart->setAnimationOptions(QChart::NoAnimation);
        chart->setBackgroundRoundness(0);
        QChart* previous = view->chart();
        view->setChart(chart);
        delete previous;

        const QPalette palette = view->palette();
        const QColor background = palette.color(QPalette::Base);
        text_ = palette.color(QPalette::Text);
        // The theme gives the series colours that stand out on a light or on a dark background;
        // the background and the texts are then the look's own.
        chart->setTheme(background.lightnessF() < 0.5 ? QChart::ChartThemeDark
                                                      : QChart::ChartThemeLight);
        chart->setBackgroundBrush(background);
        chart->setBackgroundPen(Qt::NoPen);
        view->setBackgroundBrush(background);
        font_ = view->font();
        QFont titleFont = font_;
        titleFont.setBold(true);
        titleFont.setPixelSize(font_.pixelSize() + 2);
        chart->setTitleFont(titleFont);
        chart->setTitleBrush(text_);
        chart->setTitle(toQString(chart_.title()));
        chart->legend()->setFont(font_);
        chart->legend()->setLabelColor(text_);
        grid_ = blend(background, text_, 0.2);

        const auto& points = chart_.points();
        chart->legend()->setVisible(!points.empty() && chart_.chartKind() == ui::ChartKind::Pie);
        if (points.empty()) return;
        switch (chart_.chartKind()) {
        case ui::ChartKind::Bars:
            showBars(*chart, points);
            break;
        case ui::ChartKind::Pie:
            showPie(*chart, points);
            break;
        case ui::ChartKind::Line:
            showLine(*chart, points);
            break;
        }
    }

    // Bars lying down, the first point at the top as the first row of a table, so that names
    // of any length read across beside their bars.
    void showBars(QChart& chart, const std::vector<ui::ChartPoint>& points) {
        const std::vector<ui::ChartPoint> bottomUp(points.rbegin(), points.rend());
        auto* bars = new QBarSet(toQString(chart_.title()));
        for (const ui::ChartPoint& point : bottomUp)
            bars->append(point.value);
        bars->setLabelColor(text_);
        bars->setLabelFont(font_);
        auto* series = new QHorizontalBarSeries;
        series->append(bars);
        series->setLabelsVisible(true);
        series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
        chart.addSeries(series);
        attachAxes(chart, *series, bottomUp, Qt::AlignLeft, Qt::AlignBottom);
    }

    void showPie(QChart& chart, const std::vector<ui::ChartPoint>& points) {
        auto* series = new QPieSeries;
        double sum = 0;
        for (const ui::ChartPoint& point : points)
            sum += point.value;
        for (const ui::ChartPoint& point : points) {
            const double percent = sum > 0 ? point.value / sum * 100 : 0;
            QPieSlice* slice = series->append(
                QStringLiteral("%1 %2%").arg(toQString(point.label)).arg(percent, 0, 'f', 1),
                point.value);
            slice->setLabelVisible(true);
            slice->setLabelColor(text_);
            slice->setLabelFont(font_);
        }
        // Room for the labels around the pie.
        series->setPieSize(0.6);
        chart.addSeries(series);
        // Below the pie, the legend leaves the width to the labels beside the slices.
        chart.legend()->setAlignment(Qt::AlignBottom);
        // The slices already carry their shares; the legend names them.
        const auto markers = chart.legend()->markers(series);
        for (std::size_t i = 0; i < points.size() && i < static_cast<std::size_t>(markers.size());
             ++i)
            markers[static_cast<qsizetype>(i)]->setLabel(toQString(points[i].label));
    }

    void showLine(QChart& chart, const std::vector<ui::ChartPoint>& points) {
        auto* series = new QLineSeries;
        series->setName(toQString(chart_.title()));
        // The points sit in the middle of their categories, which the category axis numbers
        // 0, 1, 2 ...
        for (std::size_t i = 0; i < points.size(); ++i)
            series->append(static_cast<qreal>(i), points[i].value);
        series->setPointsVisible(true);
        chart.addSeries(series);
        attachAxes(chart, *series, points, Qt::AlignBottom, Qt::AlignLeft);
    }

    void attachAxes(QChart& chart, QAbstractSeries& series,
                    const std::vector<ui::ChartPoint>& points, Qt::Alignment categoriesAt,
                    Qt::Alignment valuesAt) {
        auto* categories = new QBarCategoryAxis;
        categories->append(labelsOf(points));
        // Standing up, many names still fit under a line's points; with many points every name
        // gets a smaller letter rather than some being left out.
        const bool across = categoriesAt == Qt::AlignBottom;
        if (across && points.size() > 6) categories->setLabelsAngle(-90);
        categories->setTruncateLabels(false);
        const QWidget* view = widget();
        const double length = (across ? view->width() : view->height()) * 0.75;
        const double slot = length / static_cast<double>(std::max<std::size_t>(points.size(), 1));
        QFont categoryFont = font_;
        categoryFont.setPixelSize(std::clamp(static_cast<int>(slot * 0.7),
                                             std::min(9, font_.pixelSize()),
                                             std::max(font_.pixelSize(), 1)));
        QValueAxis* values = valueAxisFor(points);
        for (QAbstractAxis* axis :
             {static_cast<QAbstractAxis*>(categories), static_cast<QAbstractAxis*>(values)}) {
            axis->setLabelsFont(axis == categories ? categoryFont : font_);
            axis->setLabelsBrush(text_);
            axis->setLinePenColor(grid_);
            axis->setGridLineColor(grid_);
        }
        chart.addAxis(categories, categoriesAt);
        chart.addAxis(values, valuesAt);
        series.attachAxis(categories);
        series.attachAxis(values);
    }

    ui::Chart& chart_;
    QColor text_;
    QColor grid_;
    QFont font_;
};

} // namespace

std::unique_ptr<ControlView> makeChartView(ui::Control& control, QWidget* container) {
    if (control.kind() != ui::ControlKind::Chart) return nullptr;
    return std::make_unique<ChartView>(static_cast<ui::Chart&>(control), container);
}

} // namespace qtui
