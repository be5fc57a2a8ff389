#include "qt/look/looks.h"
#include "qt/qt_desktop.h"
#include "qt/window_view.h"
#include "scripted_dialogs.h"

#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHorizontalBarSeries>
#include <QImage>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPieSeries>
#include <QPieSlice>
#include <QValueAxis>
#include <gtest/gtest.h>

namespace {

using testing_support::ScriptedDialogs;

constexpr const char* kChart = "图表_销售";

ui::WindowDef chartWindow() {
    ui::WindowDef def;
    def.name = "ChartSample";
    def.rect = {0, 0, 440, 320};
    def.add(ui::ControlKind::Chart, kChart, "", {10, 10, 420, 300});
    return def;
}

const std::vector<ui::ChartPoint> kSales = {{"凉菜", 12}, {"热菜", 36}, {"主食", 72}};
const QStringList kSalesLabels = {QStringLiteral("凉菜"), QStringLiteral("热菜"),
                                  QStringLiteral("主食")};

class ChartViewTest : public ::testing::Test {
protected:
    ChartViewTest()
        : desktop(dialogs), window(chartWindow()), savedPalette(QApplication::palette()) {
        window.open(desktop);
        QApplication::processEvents();
        view = desktop.view(window)->findChild<QChartView*>(QString::fromUtf8(kChart));
    }

    ~ChartViewTest() override {
        // A look changes the whole application; the next test starts without one.
        qApp->setStyleSheet(QString());
        QApplication::setPalette(savedPalette);
    }

    void showSales(ui::ChartKind kind) {
        window.chart(kChart).show(kind, "今日销售", kSales);
        QApplication::processEvents();
    }

    QChart* chart() const { return view->chart(); }

    template <typename Series> Series* onlySeries() const {
        const auto series = chart()->series();
        EXPECT_EQ(series.size(), 1);
        return series.size() == 1 ? qobject_cast<Series*>(series.front()) : nullptr;
    }

    template <typename Axis> Axis* onlyAxis() const {
        Axis* found = nullptr;
        for (QAbstractAxis* axis : chart()->axes())
            if (auto* typed = qobject_cast<Axis*>(axis)) {
                EXPECT_EQ(found, nullptr) << "two axes of a kind";
                found = typed;
            }
        return found;
    }

    QStringList categories() const {
        auto* axis = onlyAxis<QBarCategoryAxis>();
        return axis ? axis->categories() : QStringList();
    }

    QValueAxis* valueAxis() const { return onlyAxis<QValueAxis>(); }

    ScriptedDialogs dialogs;
    qtui::QtDesktop desktop;
    ui::Window window;
    QPalette savedPalette;
    QChartView* view = nullptr;
};

TEST_F(ChartViewTest, BarsPieAndLineShowTheModelsPointsAndAClearedChartShowsNone) {
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(chart()->series().isEmpty());

    showSales(ui::ChartKind::Bars);
    EXPECT_EQ(chart()->title(), QStringLiteral("今日销售"));
    // Lying bars, the first point at the top: the axis counts from the bottom.
    auto* bars = onlySeries<QHorizontalBarSeries>();
    ASSERT_NE(bars, nullptr);
    ASSERT_EQ(bars->barSets().size(), 1);
    const QBarSet* set = bars->barSets().front();
    ASSERT_EQ(set->count(), 3);
    EXPECT_EQ((std::vector<qreal>{set->at(0), set->at(1), set->at(2)}),
              (std::vector<qreal>{72, 36, 12}));
    EXPECT_EQ(categories(), (QStringList{kSalesLabels[2], kSalesLabels[1], kSalesLabels[0]}));
    EXPECT_EQ(onlyAxis<QBarCategoryAxis>()->alignment(), Qt::AlignLeft);
    ASSERT_NE(valueAxis(), nullptr);
    EXPECT_LE(valueAxis()->min(), 0);
    EXPECT_GE(valueAxis()->max(), 72) << "the highest bar would be cut off";
    EXPECT_FALSE(chart()->legend()->isVisible());

    showSales(ui::ChartKind::Pie);
    EXPECT_TRUE(chart()->axes().isEmpty()) << "the bars' axes stayed behind";
    auto* pie = onlySeries<QPieSeries>();
    ASSERT_NE(pie, nullptr);
    const auto slices = pie->slices();
    ASSERT_EQ(slices.size(), 3);
    QStringList sliceLabels;
    std::vector<qreal> sliceValues;
    for (const QPieSlice* slice : slices) {
        sliceLabels << slice->label();
        sliceValues.push_back(slice->value());
        EXPECT_TRUE(slice->isLabelVisible());
    }
    EXPECT_EQ(sliceLabels, (QStringList{QStringLiteral("凉菜 10.0%"), QStringLiteral("热菜 30.0%"),
                                        QStringLiteral("主食 60.0%")}));
    EXPECT_EQ(sliceValues, (std::vector<qreal>{12, 36, 72}));
    EXPECT_TRUE(chart()->legend()->isVisible());
    EXPECT_EQ(chart()->legend()->alignment(), Qt::AlignBottom);
    QStringList legendLabels;
    for (const QLegendMarker* marker : chart()->legend()->markers(pie))
        legendLabels << marker->label();
    EXPECT_EQ(legendLabels, kSalesLabels);

    showSales(ui::ChartKind::Line);
    auto* line = onlySeries<QLineSeries>();
    ASSERT_NE(line, nullptr);
    std::vector<qreal> heights;
    for (const QPointF& point : line->points())
        heights.push_back(point.y());
    EXPECT_EQ(heights, (std::vector<qreal>{12, 36, 72}));
    EXPECT_EQ(categories(), kSalesLabels);
    EXPECT_FALSE(chart()->legend()->isVisible());

    window.chart(kChart).clear();
    EXPECT_TRUE(chart()->series().isEmpty());
    EXPECT_TRUE(chart()->axes().isEmpty());
    EXPECT_TRUE(chart()->title().isEmpty());
}

TEST_F(ChartViewTest, TheChartIsDrawn) {
    ASSERT_NE(view, nullptr);
    showSales(ui::ChartKind::Bars);
    const QImage picture = view->grab().toImage();
    ASSERT_FALSE(picture.isNull());
    const QRgb corner = picture.pixel(0, 0);
    bool drawn = false;
    for (int y = 0; y < picture.height() && !drawn; ++y)
        for (int x = 0; x < picture.width() && !drawn; ++x)
            drawn = picture.pixel(x, y) != corner;
    EXPECT_TRUE(drawn);
}

TEST_F(ChartViewTest, TheChartTakesItsColoursFromTheLookAndFollowsAChangeOfLook) {
    ASSERT_NE(view, nullptr);
    showSales(ui::ChartKind::Bars);
    const auto expectColoursOf = [this](const QPalette& palette) {
        const QColor background = palette.color(QPalette::Base);
        const QColor text = palette.color(QPalette::Text);
        EXPECT_EQ(chart()->backgroundBrush().color().name(), background.name());
        EXPECT_EQ(chart()->titleBrush().color().name(), text.name());
        for (const QAbstractAxis* axis : chart()->axes())
            EXPECT_EQ(axis->labelsBrush().color().name(), text.name());
        auto* bars = onlySeries<QHorizontalBarSeries>();
        ASSERT_NE(bars, nullptr);
        for (QBarSet* set : bars->barSets())
            EXPECT_EQ(set->labelColor().name(), text.name());
    };

    ASSERT_TRUE(qtui::applyLook(1));
    QApplication::processEvents();
    expectColoursOf(qtui::lookPalette(1));

    ASSERT_TRUE(qtui::applyLook(3));
    QApplication::processEvents();
    ASSERT_NE(qtui::lookPalette(1).color(QPalette::Text),
              qtui::lookPalette(3).color(QPalette::Text));
    expectColoursOf(qtui::lookPalette(3));

    // A dark palette: light texts on a dark ground, and series colours made for it.
    QPalette dark = view->palette();
    dark.setColor(QPalette::Base, QColor(0x20, 0x20, 0x24));
    dark.setColor(QPalette::Text, QColor(0xf0, 0xf0, 0xf0));
    view->setPalette(dark);
    expectColoursOf(dark);
    EXPECT_EQ(chart()->theme(), QChart::ChartThemeDark);
}

} // namespace
