#include "cli/Commands.h"

const std::vector<CCalcCommand>& CalcCommands() {
    static const std::vector<CCalcCommand> commands = {
        ToroidCommand(),
        ToroidSearchCommand(),
    };
    return commands;
}
