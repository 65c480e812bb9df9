#pragma once

#include "calc/lc_filter/LcFilter.h"

#include <string>
#include <vector>

// The ladder as a schematic in SVG, drawn in the style of the other
// calculators' drawings (black lines on white): the parts in signal order
// between the input and output terminals, each series arm on the signal
// rail, each shunt arm to the ground rail, a trap capacitor bridged over its
// inductor, every part labelled with its name. Empty for no parts.
std::string LcSchematicSvg(const std::vector<CLcPart>& parts);
