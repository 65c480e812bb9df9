#include "cli/Commands.h"

const std::vector<CCalcCommand>& CalcCommands() {
    static const std::vector<CCalcCommand> commands = {
        LadderCommand(),
        LMatchCommand(),
        ToroidCommand(),
        ToroidSearchCommand(),
        PiCommand(),
        VfoCommand(),
        AirCoilCommand(),
        AttenuatorCommand(),
        LcFilterCommand(),
        ToroidWindingCommand(),
        AirCoilWindingCommand(),
        XtalFilterCommand(),
        XtalMeasureCommand(),
        XtalSortCommand(),
    };
    return commands;
}
