#include "cli/CalcCommand.h"

#include <iostream>

int main(int argc, char** argv) {
    return RunCalcCli(argc, argv, std::cout, std::cerr);
}
