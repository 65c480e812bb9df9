#pragma once

#include <QChartView>
#include <QPointF>
#include <QString>

#include <span>
#include <vector>

class QLineSeries;
class QScatterSeries;
class QValueAxis;

// Points marked on the left-axis curve, listed in the legend under a name.
struct CChartMarks {
    QString strName;
    std::vector<QPointF> points;
};

// A response chart fed with plain numbers: one curve against the left axis,
// one against the right, and named sets of marked points. It knows nothing
// of the circuit behind them, so a dialog only converts units and hands them
// over. Updating reuses the series and axes: a redraw per keystroke-driven
// recompute must stay cheap.
class CResponseChart : public QChartView {
    Q_OBJECT
public:
    explicit CResponseChart(const QFont& font, QWidget* pParent = nullptr);

    void SetAxisTitles(const QString& strX, const QString& strLeft, const QString& strRight);
    void SetCurveNames(const QString& strLeft, const QString& strRight);
    // The left axis always shows [dMin, dMax] (a curve below it is cut off),
    // with at most ten tick intervals; the x axis follows the data, the right
    // axis runs from 0 to its maximum.
    void SetLeftRange(double dMin, double dMax);

    // x ascending, the three of equal length (extra values are ignored).
    // Points whose values are not finite are left out.
    void SetCurves(std::span<const double> x, std::span<const double> left,
                   std::span<const double> right);
    // Curves to compare with (a design's ideal against the one as built),
    // dashed in the colours of the two curves; empty spans remove them.
    void SetReferenceCurves(std::span<const double> x, std::span<const double> left,
                            std::span<const double> right, const QString& strLeftName,
                            const QString& strRightName);
    // The right curve solid (it is dashed, apart from the left one, unless
    // reference curves take the dashes).
    void SetRightCurveSolid(bool bSolid);
    // A shaded band over the whole height from dFrom to dTo along x; an empty
    // band (dTo <= dFrom) removes it.
    void SetBand(double dFrom, double dTo);
    // Replaces every set of marks; a set absent from the list is emptied.
    void SetMarks(const std::vector<CChartMarks>& marks);
    // Nothing to draw: empty curves and marks; the x and right axes return to
    // their first ranges, the left axis stays.
    void Clear();

    // What is drawn, for tests.
    QLineSeries* LeftCurve() const { return m_pLeftCurve; }
    QLineSeries* RightCurve() const { return m_pRightCurve; }
    QLineSeries* LeftReference() const { return m_pLeftReference; }
    QLineSeries* RightReference() const { return m_pRightReference; }
    QValueAxis* AxisX() const { return m_pAxisX; }
    QValueAxis* AxisLeft() const { return m_pAxisLeft; }
    QValueAxis* AxisRight() const { return m_pAxisRight; }
    const std::vector<QScatterSeries*>& MarkSeries() const { return m_marks; }

protected:
    void changeEvent(QEvent* pEvent) override;

private:
    QScatterSeries* MarkSeriesNamed(const QString& strName);
    // Background, plot area, axis and legend text from the widget's palette.
    void FollowPalette();

    QFont m_font;
    QLineSeries* m_pLeftCurve = nullptr;
    QLineSeries* m_pRightCurve = nullptr;
    QLineSeries* m_pLeftReference = nullptr;
    QLineSeries* m_pRightReference = nullptr;
    class QAreaSeries* m_pBand = nullptr;
    QValueAxis* m_pAxisX = nullptr;
    QValueAxis* m_pAxisLeft = nullptr;
    QValueAxis* m_pAxisRight = nullptr;
    std::vector<QScatterSeries*> m_marks;
    double m_dInitialXMin = 0.0;
    double m_dInitialXMax = 0.0;
    double m_dInitialRightMax = 0.0;
};
