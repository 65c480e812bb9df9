#include "dialogs/ResponseChart.h"
#include "dialogs/SchematicPicture.h"

#include <QApplication>
#include <QChart>
#include <QImage>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>
#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

TEST(ResponseChart, PointsThatAreNotNumbersAreLeftOutAndTheAxesFollowTheRest) {
    CResponseChart chart(QApplication::font());
    chart.SetLeftRange(-100.0, 0.0);
    const std::vector<double> x{-3.0, -1.0, kNaN, 1.0, 2.5};
    const std::vector<double> left{-80.0, -kInf, -1.0, -0.5, kNaN};
    const std::vector<double> right{0.1, 0.4, 0.2, kNaN, 0.7, 99.0}; // one too many
    chart.SetCurves(x, left, right);

    ASSERT_EQ(chart.LeftCurve()->count(), 2); // x = -3 and 1
    EXPECT_EQ(chart.LeftCurve()->at(1), QPointF(1.0, -0.5));
    ASSERT_EQ(chart.RightCurve()->count(), 3); // x = -3, -1 and 2.5
    EXPECT_EQ(chart.RightCurve()->at(2), QPointF(2.5, 0.7));
    EXPECT_EQ(chart.AxisX()->min(), -3.0);
    EXPECT_EQ(chart.AxisX()->max(), 2.5);
    EXPECT_EQ(chart.AxisX()->tickInterval(), 1.0);
    EXPECT_EQ(chart.AxisRight()->min(), 0.0);
    EXPECT_GE(chart.AxisRight()->max(), 0.7);
    EXPECT_EQ(chart.AxisLeft()->min(), -100.0);
    EXPECT_EQ(chart.AxisLeft()->tickCount(), 11);
}

TEST(ResponseChart, MarkSetsAreReplacedByNameAndEmptiedWhenLeftOut) {
    CResponseChart chart(QApplication::font());
    chart.SetMarks({{"a", {QPointF(1, 1), QPointF(kNaN, 2)}}, {"b", {QPointF(3, 3)}}});
    ASSERT_EQ(chart.MarkSeries().size(), 2u);
    EXPECT_EQ(chart.MarkSeries()[0]->points(), QList<QPointF>{QPointF(1, 1)});
    chart.SetMarks({{"b", {QPointF(4, 4), QPointF(5, 5)}}});
    ASSERT_EQ(chart.MarkSeries().size(), 2u) << "no series is added for a known name";
    EXPECT_EQ(chart.MarkSeries()[0]->count(), 0);
    EXPECT_EQ(chart.MarkSeries()[1]->count(), 2);
    chart.SetCurves(std::vector<double>{0, 1}, std::vector<double>{0, 0},
                    std::vector<double>{1, 1});
    chart.Clear();
    EXPECT_EQ(chart.LeftCurve()->count(), 0);
    EXPECT_EQ(chart.MarkSeries()[1]->count(), 0);
}

// However deep the floor, the labels fit: at most ten intervals, on round
// values from 0.
TEST(ResponseChart, LeftTicksStayFewAsTheFloorDeepens) {
    CResponseChart chart(QApplication::font());
    const struct {
        double dFloor;
        bool bFixed;
        double dInterval; // dynamic ticks
        int nCount;       // fixed ticks
    } cases[] = {
        {-100.0, true, 0.0, 11},    {-130.0, false, 20.0, 0}, {-300.0, false, 50.0, 0},
        {-1500.0, false, 200.0, 0}, {-70.0, true, 0.0, 8},
    };
    for (const auto& c : cases) {
        chart.SetLeftRange(c.dFloor, 0.0);
        QValueAxis* pAxis = chart.AxisLeft();
        EXPECT_EQ(pAxis->min(), c.dFloor);
        if (c.bFixed) {
            EXPECT_EQ(pAxis->tickType(), QValueAxis::TicksFixed) << c.dFloor;
            EXPECT_EQ(pAxis->tickCount(), c.nCount) << c.dFloor;
        } else {
            EXPECT_EQ(pAxis->tickType(), QValueAxis::TicksDynamic) << c.dFloor;
            EXPECT_EQ(pAxis->tickAnchor(), 0.0);
            EXPECT_EQ(pAxis->tickInterval(), c.dInterval) << c.dFloor;
            EXPECT_LE(-c.dFloor / c.dInterval, 10.0);
        }
    }
}

TEST(ResponseChart, ClearingReturnsTheAxesToAFreshChartsRanges) {
    CResponseChart fresh(QApplication::font());
    CResponseChart chart(QApplication::font());
    chart.SetCurves(std::vector<double>{-7.0, 9.0}, std::vector<double>{-3.0, -50.0},
                    std::vector<double>{0.2, 40.0});
    ASSERT_EQ(chart.AxisX()->min(), -7.0);
    chart.Clear();
    EXPECT_EQ(chart.AxisX()->min(), fresh.AxisX()->min());
    EXPECT_EQ(chart.AxisX()->max(), fresh.AxisX()->max());
    EXPECT_EQ(chart.AxisX()->tickType(), fresh.AxisX()->tickType());
    EXPECT_EQ(chart.AxisRight()->max(), fresh.AxisRight()->max());
}

} // namespace

namespace {

QPalette Dark() {
    QPalette dark;
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Window, QColor(45, 45, 45));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    return dark;
}

// The mean lightness of what a widget draws, 0 to 1.
double MeanLightness(QWidget& widget) {
    const QImage image = widget.grab().toImage();
    double dSum = 0.0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            dSum += image.pixelColor(x, y).lightnessF();
        }
    }
    return dSum / (image.width() * image.height());
}

// With a dark palette the chart and the schematics are dark too, their
// lines and text light; with a light one, as before.
TEST(DarkPalette, ChartAndSchematicsFollowThePalette) {
    for (const bool bDark : {false, true}) {
        SCOPED_TRACE(bDark ? "dark" : "light");
        const QPalette palette = bDark ? Dark() : QApplication::palette();
        CResponseChart chart(QApplication::font());
        chart.resize(300, 200);
        chart.setPalette(palette);
        EXPECT_EQ(chart.chart()->backgroundBrush().color(), palette.color(QPalette::Base));
        EXPECT_EQ(chart.AxisX()->labelsColor(), palette.color(QPalette::Text));
        EXPECT_EQ(MeanLightness(chart) < 0.5, bDark);

        CSchematicPicture picture(QStringLiteral(":/schematics/attenuator_pi.svg"));
        ASSERT_TRUE(picture.IsLoaded());
        picture.resize(200, 120);
        picture.setPalette(palette);
        const double dLightness = MeanLightness(picture);
        EXPECT_EQ(dLightness < 0.5, bDark) << dLightness;
    }
}

} // namespace
