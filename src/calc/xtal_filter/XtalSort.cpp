#include "calc/xtal_filter/XtalSort.h"

#include "calc/xtal_filter/XtalFilter.h"
#include "calc/xtal_filter/XtalText.h"
#include "report/CFormat.h"
#include "report/ReportFormatter.h"
#include "text/NumberInput.h"

#include <algorithm>
#include <numeric>

namespace {

// The field a line contributes: its last one when it has several.
std::string_view LastField(std::string_view line) {
    const std::size_t nSeparator = line.find_last_of(",;\t");
    return nSeparator == std::string_view::npos ? line : line.substr(nSeparator + 1);
}

std::string_view Trimmed(std::string_view text) {
    const std::size_t nFirst = text.find_first_not_of(" \t\r");
    if (nFirst == std::string_view::npos) {
        return {};
    }
    return text.substr(nFirst, text.find_last_not_of(" \t\r") - nFirst + 1);
}

} // namespace

bool ParseXtalFrequencyList(std::string_view text, std::vector<double>& frequencies,
                            std::string& strError) {
    frequencies.clear();
    strError.clear();
    // A UTF-8 byte-order mark, as some editors and spreadsheets write one.
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    bool bFirstLine = true;
    int nLine = 0;
    while (!text.empty()) {
        ++nLine;
        const std::size_t nEnd = text.find('\n');
        const std::string_view line = Trimmed(text.substr(0, nEnd));
        text = nEnd == std::string_view::npos ? std::string_view{} : text.substr(nEnd + 1);
        if (line.empty() || line.starts_with('#')) {
            continue;
        }
        const std::string_view field = Trimmed(LastField(line));
        double dValue = 0.0;
        const bool bNumber = ParseNumber(field, dValue);
        if (!bNumber && bFirstLine) {
            bFirstLine = false; // a header line, such as "no,frequency"
            continue;
        }
        bFirstLine = false;
        if (!bNumber) {
            strError = FormatC("%d 行目の \"%.*s\" は周波数（MHz）ではありません。", nLine,
                               static_cast<int>(field.size()), field.data());
            return false;
        }
        if (!IsWithinRange(dValue, kXtalMinFrequency, kXtalMaxFrequency)) {
            strError = FormatC("%d 行目の周波数 %.*s は %s から %s MHz の範囲外です。", nLine,
                               static_cast<int>(field.size()), field.data(),
                               FormatEditValue(kXtalMinFrequency).c_str(),
                               FormatEditValue(kXtalMaxFrequency).c_str());
            return false;
        }
        frequencies.push_back(dValue);
    }
    return true;
}

CXtalSortResult ComputeXtalSort(const std::vector<double>& frequencies, int nCount,
                                const CLocalTime& time) {
    CXtalSortResult result;
    result.m_strReport = kXtalSortNoReport;
    const std::size_t n = static_cast<std::size_t>(std::max(nCount, 0));
    if (nCount < kXtalMinCrystals || nCount > kXtalMaxCrystals) {
        result.m_strMessage =
            FormatC("選ぶ数は %d から %d までです。", kXtalMinCrystals, kXtalMaxCrystals);
        return result;
    }
    if (frequencies.size() < n) {
        result.m_strMessage =
            FormatC("測定した水晶が %zu 個なので、%d 個は選べません。", frequencies.size(), nCount);
        return result;
    }
    // Positions sorted by frequency; equal frequencies keep the list's order.
    std::vector<int> order(frequencies.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return frequencies[a] < frequencies[b]; });
    std::size_t nBest = 0;
    double dBest = frequencies[order[n - 1]] - frequencies[order[0]];
    for (std::size_t i = 1; i + n <= order.size(); ++i) {
        const double dSpread = frequencies[order[i + n - 1]] - frequencies[order[i]];
        if (dSpread < dBest) {
            dBest = dSpread;
            nBest = i;
        }
    }
    result.m_bComputed = true;
    double dSum = 0.0;
    for (std::size_t i = nBest; i < nBest + n; ++i) {
        result.m_indices.push_back(order[i]);
        result.m_frequencies.push_back(frequencies[order[i]]);
        dSum += frequencies[order[i]];
    }
    result.m_dSpread = dBest * 1e6;
    result.m_dMean = dSum / static_cast<double>(n);
    result.m_strSpread = XtalGrouped(result.m_dSpread, 1, "Hz");
    result.m_strMean = FormatC("%.7fMHz", result.m_dMean);

    std::string& str = result.m_strReport;
    str = ReportHeading("　　　　　***** 水晶の選別 *****\r\n", time);
    str += FormatC("　　　　　測定した水晶  %zu個\r\n", frequencies.size());
    str += FormatC("　　　　　選ぶ数  %d\r\n", nCount);
    for (std::size_t i = 0; i < n; ++i) {
        str += FormatC("　　　　　%d番  %.7fMHz\r\n", result.m_indices[i] + 1,
                       result.m_frequencies[i]);
    }
    str += FormatC("　　　　　ばらつき  %s\r\n", result.m_strSpread.c_str());
    str += FormatC("　　　　　平均  %s\r\n", result.m_strMean.c_str());
    str += "\r\n";
    return result;
}
