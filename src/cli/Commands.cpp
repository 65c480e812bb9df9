#include "cli/Commands.h"

const std::vector<CCalcCommand>& CalcCommands() {
    static const std::vector<CCalcCommand> commands = {
        LadderCommand(),      LMatchCommand(),   ToroidCommand(),  ToroidSearchCommand(),
        PiCommand(),          VfoCommand(),      AirCoilCommand(), XtalFilterCommand(),
        XtalMeasureCommand(), XtalSortCommand(),
    };
    return commands;
}
