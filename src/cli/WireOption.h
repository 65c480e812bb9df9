#pragma once

#include "cli/CalcCommand.h"

#include <optional>

// The wire of a coil on the command line, as the coil dialogs take it: typed
// in mm (--wire) or picked from the AWG list (--awg), exactly one of them.
COptionDef WireDiameterOption();
COptionDef AwgOption();

// The wire diameter in mm from whichever of the two was given, or the bad
// usage to report (neither or both given, or a gauge not in the table).
std::optional<CCalcOutcome> ReadWireDiameter(const COptionValues& values, const char* pszCommand,
                                             double& dDiameter);
