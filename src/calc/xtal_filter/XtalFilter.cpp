#include "calc/xtal_filter/XtalFilter.h"

CXtalCrystal MakeXtalCrystal(double, double, double, double) {
    return {};
}
double XtalReactance(const CXtalCrystal&, double) {
    return 0.0;
}
double XtalEffectiveInductance(const CXtalCrystal&, double) {
    return 0.0;
}
double XtalParallelFrequency(const CXtalCrystal&) {
    return 0.0;
}
CXtalPrototype XtalPrototype(EXtalResponse, int, double) {
    return {};
}
CXtalDesign DesignXtalFilter(const CXtalFilterInputs&) {
    return {};
}
CXtalResponsePoint XtalResponseAt(const CXtalDesign&, double) {
    return {};
}
std::vector<CXtalResponsePoint> XtalSweep(const CXtalDesign&, double, double, int) {
    return {};
}
CXtalFigures XtalResponseFigures(const CXtalDesign&) {
    return {};
}
CXtalSweepRange XtalChartRange(const CXtalDesign&, const CXtalFigures&) {
    return {};
}
CXtalFilterResult ComputeXtalFilter(const CXtalFilterInputs&, const CLocalTime&) {
    CXtalFilterResult result;
    result.m_strReport = kXtalFilterNoReport;
    return result;
}
std::vector<CXtalResponsePoint> XtalChartSweep(const CXtalFilterResult&, int) {
    return {};
}
std::string XtalSpiceNetlist(const CXtalDesign&, double, double, int) {
    return {};
}
std::string XtalSweepCsv(const std::vector<CXtalResponsePoint>&) {
    return {};
}
const char* XtalResponseName(EXtalResponse) {
    return "";
}
