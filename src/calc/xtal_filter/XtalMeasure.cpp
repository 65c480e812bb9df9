#include "calc/xtal_filter/XtalMeasure.h"

CXtalMeasureResult ComputeXtalMeasure(double, double, double, double, const CLocalTime&) {
    CXtalMeasureResult result;
    result.m_strReport = kXtalMeasureNoReport;
    return result;
}
