#pragma once

#include "cli/CalcCommand.h"

#include <string>
#include <vector>

// A bash completion script for vantix-calc over these calculators: their
// names, their options and the common ones (each offered once), and the
// values an option names (catalogue cores, sizes and mixes, choices, files).
std::string BashCompletionScript(const std::vector<CCalcCommand>& commands);
