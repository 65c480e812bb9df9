#pragma once

#include "cli/CalcCommand.h"

// One factory per calculator, each in its own <Name>Command.cpp.
CCalcCommand AirCoilCommand();
