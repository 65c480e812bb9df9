#include "cli/Commands.h"

const std::vector<CCalcCommand>& CalcCommands() {
    static const std::vector<CCalcCommand> commands = {
        AirCoilCommand(),
    };
    return commands;
}
