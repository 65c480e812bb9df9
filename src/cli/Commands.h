#pragma once

#include "cli/CalcCommand.h"

// One factory per calculator, each in its own <Name>Command.cpp.
CCalcCommand LadderCommand();
CCalcCommand LMatchCommand();
CCalcCommand ToroidCommand();
CCalcCommand ToroidSearchCommand();
CCalcCommand PiCommand();
CCalcCommand VfoCommand();
CCalcCommand AirCoilCommand();
CCalcCommand AttenuatorCommand();
CCalcCommand LcFilterCommand();
CCalcCommand ToroidWindingCommand();
CCalcCommand AirCoilWindingCommand();
CCalcCommand XtalFilterCommand();
CCalcCommand XtalMeasureCommand();
CCalcCommand XtalSortCommand();
