#pragma once

#include "report/LocalTime.h"

#include <functional>

// The time a dialog writes into its report's date line. Tests replace the
// clock so that a report made through the widgets can be compared byte for
// byte; an empty function restores the system clock.
using ReportClockFn = std::function<CLocalTime()>;

CLocalTime ReportTime();

// Returns the clock that was installed before.
ReportClockFn SetReportClock(ReportClockFn fnClock);
