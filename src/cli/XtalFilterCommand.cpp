#include "calc/xtal_filter/XtalFilter.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "report/CFormat.h"
#include "text/LogFile.h"
#include "text/NumberInput.h"

#include <cmath>
#include <fstream>
#include <limits>
#include <sys/stat.h>

namespace {

// Points of the sweep written by --spice and --csv.
constexpr int kExportPoints = 1001;

bool ParseResponse(const std::string& strName, EXtalResponse& eResponse) {
    if (strName == "butterworth") {
        eResponse = EXtalResponse::Butterworth;
    } else if (strName == "chebyshev") {
        eResponse = EXtalResponse::Chebyshev;
    } else if (strName == "cohn") {
        eResponse = EXtalResponse::Cohn;
    } else {
        return false;
    }
    return true;
}

const char* ResponseKey(EXtalResponse eResponse) {
    switch (eResponse) {
    case EXtalResponse::Butterworth:
        return "butterworth";
    case EXtalResponse::Chebyshev:
        return "chebyshev";
    case EXtalResponse::Cohn:
        return "cohn";
    }
    return "";
}

// "10.00001,10.00002,..." in MHz, one per crystal in filter order.
bool ParseCrystalFrequencies(const std::string& strText, std::vector<double>& frequencies) {
    std::size_t nStart = 0;
    while (true) {
        const std::size_t nComma = strText.find(',', nStart);
        double dValue = 0.0;
        if (!ParseNumber(std::string_view(strText).substr(nStart, nComma - nStart), dValue) ||
            !IsWithinRange(dValue, kXtalMinFrequency, kXtalMaxFrequency)) {
            return false;
        }
        frequencies.push_back(dValue);
        if (nComma == std::string::npos) {
            return true;
        }
        nStart = nComma + 1;
    }
}

// A file is replaced atomically, so a failure part-way (a full disk) leaves an
// earlier export whole; a pipe or a terminal ("/dev/stdout") is written as it is.
bool WriteExport(const std::string& strPath, const std::string& strText, std::string& strError) {
    struct stat status {};
    if (::stat(strPath.c_str(), &status) == 0 && !S_ISREG(status.st_mode) &&
        !S_ISDIR(status.st_mode)) {
        std::ofstream file(strPath, std::ios::binary);
        file << strText;
        file.close();
        if (!file) {
            strError = FormatC("%s に書き込めません。", strPath.c_str());
            return false;
        }
        return true;
    }
    return WriteFileAtomically(strPath, strText, strError);
}

std::string Json(const CXtalFilterInputs& inputs, const CXtalFilterResult& result) {
    const CXtalDesign& design = result.m_design;
    const CXtalFigures& figures = result.m_figures;
    CJsonWriter json;
    json.BeginObject()
        .String("calculator", "xtal-filter")
        .BeginObject("inputs")
        .Number("frequency_mhz", inputs.m_dFrequency);
    if (!inputs.m_crystalFrequencies.empty()) {
        json.BeginArray("crystal_frequencies_mhz");
        for (const double f : inputs.m_crystalFrequencies) {
            json.Number(f);
        }
        json.EndArray();
    }
    json.Number("lm_mh", inputs.m_dLm)
        .Number("c0_pf", inputs.m_dC0)
        .Number("q", inputs.m_dQu)
        .Integer("crystals", inputs.m_nCrystals)
        .String("response", ResponseKey(inputs.m_eResponse))
        .Number("ripple_db", inputs.m_dRipple)
        .Number("bandwidth_khz", inputs.m_dBandwidth)
        .Bool("match_bandwidth", inputs.m_bMatchBandwidth)
        .EndObject()
        .BeginObject("results")
        .Number("design_bandwidth_hz", result.m_dDesignBandwidth)
        .Number("design_frequency_hz", design.m_dDesignFrequency)
        .Number("max_bandwidth_hz", design.m_dMaxBandwidth)
        .BeginArray("effective_inductance_mh");
    for (const CXtalMesh& mesh : design.m_meshes) {
        json.Number(mesh.m_dEffectiveInductance * 1e3);
    }
    json.EndArray()
        .BeginArray("end_resistance_ohm")
        .Number(design.m_dSourceResistance)
        .Number(design.m_dLoadResistance)
        .EndArray()
        .BeginArray("coupling_pf");
    for (std::size_t i = 0; i + 1 < design.m_meshes.size(); ++i) {
        json.Number(design.m_meshes[i].m_dCoupling * 1e12);
    }
    json.EndArray().BeginArray("tuning_pf");
    for (const CXtalMesh& mesh : design.m_meshes) {
        // No tuning capacitor is null, which the writer makes of NaN.
        json.Number(mesh.m_bNoTuning ? std::numeric_limits<double>::quiet_NaN()
                                     : mesh.m_dTuning * 1e12);
    }
    json.EndArray().BeginArray("mesh_offset_hz");
    for (const CXtalMesh& mesh : design.m_meshes) {
        json.Number(mesh.m_dOffset);
    }
    json.EndArray()
        .Number("insertion_loss_db", figures.m_dInsertionLoss)
        .Number("bandwidth_3db_hz", figures.m_dBandwidth3)
        .Number("bandwidth_6db_hz", figures.m_dBandwidth6)
        .Number("bandwidth_60db_hz", figures.m_dBandwidth60)
        .Number("shape_factor", figures.m_dShapeFactor)
        .Number("ripple_db", figures.m_dRipple)
        .Number("group_delay_centre_ms", figures.m_dGroupDelayCentre)
        .EndObject()
        .EndObject();
    return json.Text();
}

CCalcOutcome RunXtalFilter(const COptionValues& values, const CLocalTime& time) {
    if (auto bad = RequireWholeNumber(values, "crystals")) {
        return *bad;
    }
    if (auto bad = RequireOneOf(values, "xtal-filter", "frequency", "frequencies")) {
        return *bad;
    }
    CXtalFilterInputs inputs;
    inputs.m_dFrequency = values.Number("frequency");
    inputs.m_dLm = values.Number("lm");
    inputs.m_dC0 = values.Number("c0");
    inputs.m_dBandwidth = values.Number("bandwidth");
    inputs.m_nCrystals = static_cast<int>(values.Number("crystals"));
    inputs.m_dQu = values.Number("q");
    inputs.m_bMatchBandwidth = values.Has("match-bandwidth");
    if (values.Has("response") && !ParseResponse(values.Text("response"), inputs.m_eResponse)) {
        return FailedOutcome(CCalcOutcome::BadUsage,
                             FormatC("--response は butterworth、chebyshev、cohn のどれかです"
                                     "（\"%s\" は使えません）。",
                                     values.Text("response").c_str()));
    }
    if (values.Has("ripple")) {
        if (inputs.m_eResponse != EXtalResponse::Chebyshev) {
            return FailedOutcome(CCalcOutcome::BadUsage,
                                 "--ripple は --response chebyshev のときだけ指定できます。");
        }
        inputs.m_dRipple = values.Number("ripple");
    }
    if (values.Has("frequencies")) {
        if (!ParseCrystalFrequencies(values.Text("frequencies"), inputs.m_crystalFrequencies) ||
            inputs.m_crystalFrequencies.size() != static_cast<std::size_t>(inputs.m_nCrystals)) {
            return FailedOutcome(
                CCalcOutcome::BadUsage,
                FormatC("--frequencies には %s から %s までの周波数（MHz）を水晶の数 "
                        "(%d) だけコンマで区切って指定してください。",
                        FormatEditValue(kXtalMinFrequency).c_str(),
                        FormatEditValue(kXtalMaxFrequency).c_str(), inputs.m_nCrystals));
        }
        // The set's mean stands for the crystals where one frequency is shown.
        double dSum = 0.0;
        for (const double f : inputs.m_crystalFrequencies) {
            dSum += f;
        }
        inputs.m_dFrequency = dSum / static_cast<double>(inputs.m_crystalFrequencies.size());
    }

    const CXtalFilterResult result = ComputeXtalFilter(inputs, time);
    if (!result.m_bComputed) {
        return FailedOutcome(CCalcOutcome::Refused, result.m_strMessage);
    }
    const CXtalSweepRange range = XtalChartRange(result.m_design, result.m_figures);
    std::string strError;
    if (values.Has("spice") &&
        !WriteExport(values.Text("spice"),
                     XtalSpiceNetlist(result.m_design, range.m_dFrom, range.m_dTo, kExportPoints),
                     strError)) {
        return FailedOutcome(CCalcOutcome::Refused, "ネットリストを書き出せません: " + strError);
    }
    if (values.Has("csv") && !WriteExport(values.Text("csv"),
                                          XtalSweepCsv(XtalSweep(result.m_design, range.m_dFrom,
                                                                 range.m_dTo, kExportPoints)),
                                          strError)) {
        return FailedOutcome(CCalcOutcome::Refused, "CSV を書き出せません: " + strError);
    }
    CCalcOutcome outcome = DoneOutcome(result.m_strReport, Json(inputs, result));
    outcome.strWarning = result.m_strWarning;
    return outcome;
}

} // namespace

CCalcCommand XtalFilterCommand() {
    return {
        "xtal-filter",
        "水晶フィルターの設計（端子間容量を考慮したラダー型、2～8 個）",
        {
            {"frequency", "MHz", "水晶の周波数", COptionDef::Number, kXtalMinFrequency,
             kXtalMaxFrequency, false},
            {"frequencies", "MHz,...", "水晶ごとの周波数（--frequency の代わりに）",
             COptionDef::Text, 0.0, 0.0, false},
            {"lm", "mH", "モーショナルインダクタンス", COptionDef::Number, kXtalMinLm, kXtalMaxLm},
            {"c0", "PF", "端子間容量", COptionDef::Number, kXtalMinC0, kXtalMaxC0},
            {"bandwidth", "kHz", "3dB 帯域幅", COptionDef::Number, kXtalMinBandwidth,
             kXtalMaxBandwidth},
            {"crystals", "N", "水晶の数", COptionDef::Number, kXtalMinCrystals, kXtalMaxCrystals},
            {"response", "butterworth|chebyshev|cohn", "特性（既定 chebyshev）", COptionDef::Text,
             0.0, 0.0, false, COptionDef::ChoiceValue},
            {"ripple", "dB", "リップル（chebyshev、既定 0.1）", COptionDef::Number, kXtalMinRipple,
             kXtalMaxRipple, false},
            {"q", "Qu", "無負荷Q（0 は損失なし）", COptionDef::Number, kXtalMinQ, kXtalMaxQ, false},
            {"match-bandwidth", "", "3dB 帯域幅が指定どおりになるよう設計帯域を合わせる",
             COptionDef::Text, 0.0, 0.0, false, COptionDef::NoValue},
            {"spice", "FILE", "ngspice のネットリストを書き出す", COptionDef::Text, 0.0, 0.0, false,
             COptionDef::FileValue},
            {"csv", "FILE", "特性の掃引を CSV で書き出す", COptionDef::Text, 0.0, 0.0, false,
             COptionDef::FileValue},
        },
        &RunXtalFilter};
}
