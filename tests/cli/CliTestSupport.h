#pragma once

#include "cli/CalcCommand.h"

#include <sstream>
#include <string>
#include <vector>

// What one in-process run of vantix-calc gave back.
struct CliRun {
    int nStatus = -1;
    std::string strOut;
    std::string strErr;
};

// Runs vantix-calc in-process with these arguments (the program name is
// added in front) over the given calculators, capturing both streams.
inline CliRun RunCli(const std::vector<CCalcCommand>& commands, std::vector<const char*> args) {
    args.insert(args.begin(), "vantix-calc");
    std::ostringstream out;
    std::ostringstream err;
    const int nStatus = RunCalcCli(commands, static_cast<int>(args.size()), args.data(), out, err);
    return {nStatus, out.str(), err.str()};
}

// The same over the product's own calculators.
inline CliRun RunCli(std::vector<const char*> args) {
    args.insert(args.begin(), "vantix-calc");
    std::ostringstream out;
    std::ostringstream err;
    const int nStatus = RunCalcCli(static_cast<int>(args.size()), args.data(), out, err);
    return {nStatus, out.str(), err.str()};
}
