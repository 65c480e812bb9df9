#include "dialogs/ResponseChart.h"

#include <QAreaSeries>
#include <QChart>
#include <QEvent>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

// Colours that stay apart on screen and on a grey-scale print.
const QColor kLeftColour(0x1f, 0x4e, 0x9a);
const QColor kRightColour(0xc0, 0x50, 0x10);
const QColor kMarkColours[] = {QColor(0x10, 0x90, 0x30), QColor(0xa0, 0x10, 0x90),
                               QColor(0x60, 0x60, 0x60)};
constexpr qreal kMarkSize = 9.0;
// About this many intervals between the x axis's ticks.
constexpr double kXTicks = 10.0;
// At most this many intervals between the left axis's ticks: more labels than
// the chart's height holds are all elided.
constexpr double kMaxLeftIntervals = 10.0;

// The step of 1, 2 or 5 times a power of ten next above dRaw.
double NiceStep(double dRaw) {
    const double dPower = std::pow(10.0, std::floor(std::log10(dRaw)));
    for (const double dFactor : {1.0, 2.0, 5.0}) {
        if (dFactor * dPower >= dRaw) {
            return dFactor * dPower;
        }
    }
    return 10.0 * dPower;
}

void StyleAxis(QValueAxis* pAxis, const QFont& font, const QColor& colour) {
    pAxis->setTitleFont(font);
    pAxis->setLabelsFont(font);
    pAxis->setLabelFormat(QStringLiteral("%g"));
    pAxis->setTitleBrush(colour);
    pAxis->setLabelsColor(colour);
}

// The points (x, y) of the first nCount values where both are finite, and
// the largest y among them (0 when none is larger).
QList<QPointF> FinitePoints(std::span<const double> x, std::span<const double> y,
                            std::size_t nCount, double& dMax) {
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(nCount));
    dMax = 0.0;
    for (std::size_t n = 0; n < nCount; ++n) {
        if (std::isfinite(x[n]) && std::isfinite(y[n])) {
            points.append(QPointF(x[n], y[n]));
            dMax = std::max(dMax, y[n]);
        }
    }
    return points;
}

} // namespace

CResponseChart::CResponseChart(const QFont& font, QWidget* pParent)
    : QChartView(pParent), m_font(font) {
    auto* pChart = new QChart;
    pChart->setFont(font);
    pChart->setBackgroundRoundness(0);
    pChart->setMargins(QMargins(2, 2, 2, 2));
    pChart->legend()->setFont(font);
    pChart->legend()->setAlignment(Qt::AlignBottom);
    // Animations would let the chart lag behind typing.
    pChart->setAnimationOptions(QChart::NoAnimation);

    m_pLeftCurve = new QLineSeries(pChart);
    m_pRightCurve = new QLineSeries(pChart);
    m_pLeftCurve->setPen(QPen(kLeftColour, 1.5));
    m_pRightCurve->setPen(QPen(kRightColour, 1.2, Qt::DashLine));
    pChart->addSeries(m_pLeftCurve);
    pChart->addSeries(m_pRightCurve);

    m_pAxisX = new QValueAxis(pChart);
    m_pAxisLeft = new QValueAxis(pChart);
    m_pAxisRight = new QValueAxis(pChart);
    StyleAxis(m_pAxisX, font, Qt::black);
    StyleAxis(m_pAxisLeft, font, kLeftColour);
    StyleAxis(m_pAxisRight, font, kRightColour);
    pChart->addAxis(m_pAxisX, Qt::AlignBottom);
    pChart->addAxis(m_pAxisLeft, Qt::AlignLeft);
    pChart->addAxis(m_pAxisRight, Qt::AlignRight);
    m_pLeftCurve->attachAxis(m_pAxisX);
    m_pLeftCurve->attachAxis(m_pAxisLeft);
    m_pRightCurve->attachAxis(m_pAxisX);
    m_pRightCurve->attachAxis(m_pAxisRight);
    m_dInitialXMin = m_pAxisX->min();
    m_dInitialXMax = m_pAxisX->max();
    m_dInitialRightMax = m_pAxisRight->max();

    setChart(pChart);
    setRenderHint(QPainter::Antialiasing);
    setFocusPolicy(Qt::NoFocus);
    setFrameShape(QFrame::NoFrame);
    FollowPalette();
}

void CResponseChart::changeEvent(QEvent* pEvent) {
    QChartView::changeEvent(pEvent);
    if (pEvent->type() == QEvent::PaletteChange) {
        FollowPalette();
    }
}

void CResponseChart::FollowPalette() {
    const QPalette& colours = palette();
    const QColor base = colours.color(QPalette::Base);
    const QColor text = colours.color(QPalette::Text);
    QChart* pChart = chart();
    pChart->setBackgroundBrush(base);
    pChart->setPlotAreaBackgroundBrush(base);
    pChart->setPlotAreaBackgroundVisible(true);
    pChart->legend()->setLabelColor(text);
    setBackgroundBrush(base);
    QColor grid = text;
    grid.setAlphaF(0.25);
    for (QValueAxis* pAxis : {m_pAxisX, m_pAxisLeft, m_pAxisRight}) {
        pAxis->setGridLineColor(grid);
        pAxis->setMinorGridLineColor(grid);
        pAxis->setLinePenColor(text);
    }
    m_pAxisX->setTitleBrush(text);
    m_pAxisX->setLabelsColor(text);
}

void CResponseChart::SetAxisTitles(const QString& strX, const QString& strLeft,
                                   const QString& strRight) {
    m_pAxisX->setTitleText(strX);
    m_pAxisLeft->setTitleText(strLeft);
    m_pAxisRight->setTitleText(strRight);
}

void CResponseChart::SetCurveNames(const QString& strLeft, const QString& strRight) {
    m_pLeftCurve->setName(strLeft);
    m_pRightCurve->setName(strRight);
}

void CResponseChart::SetLeftRange(double dMin, double dMax) {
    m_pAxisLeft->setRange(dMin, dMax);
    // A range of whole tens has a tick per 10 units, or per 20, 50, 100, …
    // from 0 when that would be too many.
    const double dSpan = dMax - dMin;
    if (!(dSpan > 0.0) || std::fmod(dSpan, 10.0) != 0.0) {
        return;
    }
    const double dStep = NiceStep(std::max(10.0, dSpan / kMaxLeftIntervals));
    if (dStep == 10.0) {
        m_pAxisLeft->setTickType(QValueAxis::TicksFixed);
        m_pAxisLeft->setTickCount(static_cast<int>(dSpan / 10.0) + 1);
    } else {
        m_pAxisLeft->setTickType(QValueAxis::TicksDynamic);
        m_pAxisLeft->setTickAnchor(0.0);
        m_pAxisLeft->setTickInterval(dStep);
    }
}

void CResponseChart::SetCurves(std::span<const double> x, std::span<const double> left,
                               std::span<const double> right) {
    const std::size_t nCount = std::min({x.size(), left.size(), right.size()});
    double dXMin = 0.0;
    double dXMax = 0.0;
    bool bAny = false;
    for (std::size_t n = 0; n < nCount; ++n) {
        if (!std::isfinite(x[n])) {
            continue;
        }
        dXMin = bAny ? std::min(dXMin, x[n]) : x[n];
        dXMax = bAny ? std::max(dXMax, x[n]) : x[n];
        bAny = true;
    }
    double dLeftMax = 0.0;
    double dRightMax = 0.0;
    m_pLeftCurve->replace(FinitePoints(x, left, nCount, dLeftMax));
    m_pRightCurve->replace(FinitePoints(x, right, nCount, dRightMax));
    if (bAny && dXMax > dXMin) {
        // The curve fills the width; the ticks sit on round values from 0.
        m_pAxisX->setRange(dXMin, dXMax);
        m_pAxisX->setTickType(QValueAxis::TicksDynamic);
        m_pAxisX->setTickAnchor(0.0);
        m_pAxisX->setTickInterval(NiceStep((dXMax - dXMin) / kXTicks));
    }
    if (dRightMax > 0.0) {
        m_pAxisRight->setRange(0.0, dRightMax);
        m_pAxisRight->applyNiceNumbers();
    }
}

void CResponseChart::SetReferenceCurves(std::span<const double> x, std::span<const double> left,
                                        std::span<const double> right, const QString& strLeftName,
                                        const QString& strRightName) {
    if (m_pLeftReference == nullptr) {
        m_pLeftReference = new QLineSeries(chart());
        m_pRightReference = new QLineSeries(chart());
        m_pLeftReference->setPen(QPen(kLeftColour, 1.2, Qt::DashLine));
        m_pRightReference->setPen(QPen(kRightColour, 1.2, Qt::DashLine));
        chart()->addSeries(m_pLeftReference);
        chart()->addSeries(m_pRightReference);
        m_pLeftReference->attachAxis(m_pAxisX);
        m_pLeftReference->attachAxis(m_pAxisLeft);
        m_pRightReference->attachAxis(m_pAxisX);
        m_pRightReference->attachAxis(m_pAxisRight);
    }
    m_pLeftReference->setName(strLeftName);
    m_pRightReference->setName(strRightName);
    const std::size_t nCount = std::min({x.size(), left.size(), right.size()});
    double dLeftMax = 0.0;
    double dRightMax = 0.0;
    m_pLeftReference->replace(FinitePoints(x, left, nCount, dLeftMax));
    m_pRightReference->replace(FinitePoints(x, right, nCount, dRightMax));
    if (dRightMax > m_pAxisRight->max()) {
        m_pAxisRight->setRange(0.0, dRightMax);
        m_pAxisRight->applyNiceNumbers();
    }
}

void CResponseChart::SetRightCurveSolid(bool bSolid) {
    m_pRightCurve->setPen(
        QPen(kRightColour, bSolid ? 1.5 : 1.2, bSolid ? Qt::SolidLine : Qt::DashLine));
}

void CResponseChart::SetBand(double dFrom, double dTo) {
    if (m_pBand == nullptr) {
        auto* pUpper = new QLineSeries(chart());
        auto* pLower = new QLineSeries(chart());
        m_pBand = new QAreaSeries(pUpper, pLower);
        QColor shade = kMarkColours[0];
        shade.setAlphaF(0.18);
        m_pBand->setBrush(shade);
        m_pBand->setPen(Qt::NoPen);
        chart()->addSeries(m_pBand);
        m_pBand->attachAxis(m_pAxisX);
        m_pBand->attachAxis(m_pAxisLeft);
        // The band is a backdrop, not a curve to name.
        for (QLegendMarker* pMarker : chart()->legend()->markers(m_pBand)) {
            pMarker->setVisible(false);
        }
    }
    QList<QPointF> upper;
    QList<QPointF> lower;
    if (std::isfinite(dFrom) && std::isfinite(dTo) && dTo > dFrom) {
        const double dTop = m_pAxisLeft->max();
        const double dBottom = m_pAxisLeft->min();
        upper = {QPointF(dFrom, dTop), QPointF(dTo, dTop)};
        lower = {QPointF(dFrom, dBottom), QPointF(dTo, dBottom)};
    }
    m_pBand->upperSeries()->replace(upper);
    m_pBand->lowerSeries()->replace(lower);
}

QScatterSeries* CResponseChart::MarkSeriesNamed(const QString& strName) {
    for (QScatterSeries* pSeries : m_marks) {
        if (pSeries->name() == strName) {
            return pSeries;
        }
    }
    auto* pSeries = new QScatterSeries(chart());
    pSeries->setName(strName);
    pSeries->setMarkerSize(kMarkSize);
    const QColor colour = kMarkColours[m_marks.size() % std::size(kMarkColours)];
    pSeries->setColor(colour);
    pSeries->setBorderColor(colour);
    chart()->addSeries(pSeries);
    pSeries->attachAxis(m_pAxisX);
    pSeries->attachAxis(m_pAxisLeft);
    m_marks.push_back(pSeries);
    return pSeries;
}

void CResponseChart::SetMarks(const std::vector<CChartMarks>& marks) {
    for (QScatterSeries* pSeries : m_marks) {
        const bool bListed = std::any_of(marks.begin(), marks.end(), [&](const CChartMarks& m) {
            return m.strName == pSeries->name();
        });
        if (!bListed) {
            pSeries->clear();
        }
    }
    for (const CChartMarks& set : marks) {
        QList<QPointF> points;
        for (const QPointF& point : set.points) {
            if (std::isfinite(point.x()) && std::isfinite(point.y())) {
                points.append(point);
            }
        }
        MarkSeriesNamed(set.strName)->replace(points);
    }
}

void CResponseChart::Clear() {
    m_pLeftCurve->clear();
    m_pRightCurve->clear();
    for (QLineSeries* pReference : {m_pLeftReference, m_pRightReference}) {
        if (pReference != nullptr) {
            pReference->clear();
        }
    }
    if (m_pBand != nullptr) {
        m_pBand->upperSeries()->clear();
        m_pBand->lowerSeries()->clear();
    }
    for (QScatterSeries* pSeries : m_marks) {
        pSeries->clear();
    }
    // An empty chart has the axes it opened with, not the last curve's.
    m_pAxisX->setTickType(QValueAxis::TicksFixed);
    m_pAxisX->setRange(m_dInitialXMin, m_dInitialXMax);
    m_pAxisRight->setRange(0.0, m_dInitialRightMax);
}
