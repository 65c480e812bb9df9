#include "dialogs/ReportClock.h"

#include <utility>

namespace {

ReportClockFn& InstalledClock() {
    static ReportClockFn fnClock;
    return fnClock;
}

} // namespace

CLocalTime ReportTime() {
    const ReportClockFn& fnClock = InstalledClock();
    return fnClock ? fnClock() : CurrentLocalTime();
}

ReportClockFn SetReportClock(ReportClockFn fnClock) {
    ReportClockFn previous = std::move(InstalledClock());
    InstalledClock() = std::move(fnClock);
    return previous;
}
