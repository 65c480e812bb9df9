#include "tables/CopperWire.h"

#include <numbers>

double CopperResistance(double dLength, double dDiameter) {
    const double dArea = std::numbers::pi * dDiameter * dDiameter / 4.0; // mm²
    return kCopperResistivity * (dLength / 1000.0) / dArea;
}
