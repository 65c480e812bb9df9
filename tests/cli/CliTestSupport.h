#pragma once

#include "cli/CalcCommand.h"

#include <gtest/gtest.h>

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

// A refused run (status 1) or a bad usage (status 2): that status, nothing
// on stdout, and a message on stderr that holds pszInMessage.
inline void ExpectFailure(const std::vector<const char*>& args, int nStatus,
                          const char* pszInMessage = "") {
    std::string strArgs;
    for (const char* pszArg : args) {
        strArgs += std::string(" ") + pszArg;
    }
    SCOPED_TRACE("vantix-calc" + strArgs);
    const CliRun run = RunCli(args);
    EXPECT_EQ(run.nStatus, nStatus) << run.strErr;
    EXPECT_EQ(run.strOut, "");
    EXPECT_FALSE(run.strErr.empty());
    EXPECT_NE(run.strErr.find(pszInMessage), std::string::npos) << run.strErr;
}
