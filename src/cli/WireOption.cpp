#include "cli/WireOption.h"

#include "report/CFormat.h"
#include "tables/CopperWire.h"
#include "tables/WireGaugeTable.h"

#include <cmath>

namespace {

constexpr double kLastGauge = 46.0;

} // namespace

COptionDef WireDiameterOption() {
    return {"wire",     "W",  "線材直径(mm)、--awg の代わり", COptionDef::Number, 0.0,
            kWireMaxMm, false};
}

COptionDef AwgOption() {
    return {"awg",      "N",  "ＡＷＧ番号で線材を選ぶ、--wire の代わり", COptionDef::Number, 0.0,
            kLastGauge, false};
}

std::optional<CCalcOutcome> ReadWireDiameter(const COptionValues& values, const char* pszCommand,
                                             double& dDiameter) {
    if (std::optional<CCalcOutcome> misuse = RequireOneOf(values, pszCommand, "wire", "awg")) {
        return misuse;
    }
    if (!values.Has("awg")) {
        dDiameter = values.Number("wire");
        return std::nullopt;
    }
    // The dialogs' gauge list: position and gauge number are the same.
    const double dGauge = values.Number("awg");
    CWireGaugeTable table;
    if (dGauge != std::floor(dGauge) || table.SelectIndex(static_cast<int>(dGauge)) < 0) {
        return FailedOutcome(CCalcOutcome::BadUsage,
                             FormatC("--awg は 0 から %d までの整数です。", table.Count() - 1));
    }
    dDiameter = table.Diameter();
    return std::nullopt;
}
