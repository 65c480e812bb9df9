#include "calc/xtal_filter/XtalSort.h"

#include "calc/xtal_filter/XtalFilter.h"
#include "calc/xtal_filter/XtalText.h"
#include "report/CFormat.h"
#include "report/ReportFormatter.h"
#include "text/NumberInput.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

constexpr const char* kSeparators = ",;\t";

std::string_view Trimmed(std::string_view text) {
    const std::size_t nFirst = text.find_first_not_of(" \t\r");
    if (nFirst == std::string_view::npos) {
        return {};
    }
    return text.substr(nFirst, text.find_last_not_of(" \t\r") - nFirst + 1);
}

bool IsDigits(std::string_view text) {
    return !text.empty() && std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; });
}

// "10,000123": a number written with a decimal comma, not a label and a value.
bool IsDecimalComma(std::string_view line) {
    const std::size_t nComma = line.find(',');
    return nComma != std::string_view::npos && IsDigits(line.substr(0, nComma)) &&
           IsDigits(line.substr(nComma + 1));
}

// Any digit, ASCII or full width (U+FF10..U+FF19, EF BC 90..99 in UTF-8).
bool HasDigit(std::string_view line) {
    if (line.find_first_of("0123456789") != std::string_view::npos) {
        return true;
    }
    for (std::size_t n = 0; n + 2 < line.size(); ++n) {
        if (line[n] == '\xEF' && line[n + 1] == '\xBC' &&
            static_cast<unsigned char>(line[n + 2]) >= 0x90 &&
            static_cast<unsigned char>(line[n + 2]) <= 0x99) {
            return true;
        }
    }
    return false;
}

struct CSplitLine {
    std::string strValue;   // the field read as the frequency
    std::string_view label; // the first field; empty without a label column
};

CSplitLine SplitLine(std::string_view line) {
    if (IsDecimalComma(line)) {
        std::string strValue(line);
        strValue[line.find(',')] = '.';
        return {strValue, {}};
    }
    std::size_t nLast = line.find_last_of(kSeparators);
    std::size_t nFirst = line.find_first_of(kSeparators);
    if (nLast == std::string_view::npos) {
        // "A12 10.000123": a label and a value apart by spaces.
        nLast = line.find_last_of(' ');
        nFirst = nLast;
    }
    if (nLast == std::string_view::npos) {
        return {std::string(line), {}};
    }
    return {std::string(Trimmed(line.substr(nLast + 1))), Trimmed(line.substr(0, nFirst))};
}

std::string EntryName(const CXtalListEntry& entry) {
    return entry.m_strLabel.empty() ? FormatC("%d行目", entry.m_nLine)
                                    : FormatC("%d行目 %s", entry.m_nLine, entry.m_strLabel.c_str());
}

} // namespace

bool ParseXtalFrequencyList(std::string_view text, std::vector<CXtalListEntry>& entries,
                            std::string& strError) {
    entries.clear();
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
        // A header, such as "no,frequency", holds no digit; a first line
        // with one is a value like any other, typo or not.
        if (bFirstLine && !HasDigit(line)) {
            bFirstLine = false;
            continue;
        }
        bFirstLine = false;
        const CSplitLine split = SplitLine(line);
        const std::string& strField = split.strValue;
        double dValue = 0.0;
        if (!ParseNumber(strField, dValue)) {
            strError = FormatC("%d 行目の \"%s\" は周波数（MHz）ではありません。", nLine,
                               strField.c_str());
            return false;
        }
        if (!IsWithinRange(dValue, kXtalMinFrequency, kXtalMaxFrequency)) {
            strError = FormatC("%d 行目の周波数 %s は %s から %s MHz の範囲外です。", nLine,
                               strField.c_str(), FormatEditValue(kXtalMinFrequency).c_str(),
                               FormatEditValue(kXtalMaxFrequency).c_str());
            return false;
        }
        entries.push_back({dValue, nLine, std::string(split.label)});
    }
    return true;
}

bool ParseXtalFrequencyList(std::string_view text, std::vector<double>& frequencies,
                            std::string& strError) {
    std::vector<CXtalListEntry> entries;
    const bool bOk = ParseXtalFrequencyList(text, entries, strError);
    frequencies.clear();
    for (const CXtalListEntry& entry : entries) {
        frequencies.push_back(entry.m_dFrequency);
    }
    return bOk;
}

std::string XtalListSpreadWarning(const std::vector<CXtalListEntry>& entries) {
    if (entries.size() < 2) {
        return {};
    }
    std::vector<double> sorted;
    for (const CXtalListEntry& entry : entries) {
        sorted.push_back(entry.m_dFrequency);
    }
    std::ranges::sort(sorted);
    const std::size_t nMid = sorted.size() / 2;
    const double dMedian =
        sorted.size() % 2 == 1 ? sorted[nMid] : (sorted[nMid - 1] + sorted[nMid]) / 2.0;
    if (!(sorted.back() - sorted.front() > kXtalListSpanWarning * dMedian)) {
        return {};
    }
    // Named in list order; a handful is enough to find the typo.
    constexpr std::size_t kMaxNamed = 5;
    std::string strNamed;
    std::size_t nOutliers = 0;
    for (const CXtalListEntry& entry : entries) {
        if (std::fabs(entry.m_dFrequency - dMedian) > kXtalListSpanWarning / 2.0 * dMedian) {
            if (++nOutliers <= kMaxNamed) {
                strNamed += (strNamed.empty() ? "" : "、") + EntryName(entry) +
                            FormatC(" %.6fMHz", entry.m_dFrequency);
            }
        }
    }
    if (nOutliers > kMaxNamed) {
        strNamed += FormatC(" ほか %zu 個", nOutliers - kMaxNamed);
    }
    return FormatC("注意: 周波数が中央値 %.6fMHz から大きく離れています（幅 %.6fMHz）: %s", dMedian,
                   sorted.back() - sorted.front(), strNamed.c_str());
}

CXtalSortResult ComputeXtalSort(const std::vector<double>& frequencies, int nCount,
                                const CLocalTime& time) {
    std::vector<CXtalListEntry> entries;
    for (const double dFrequency : frequencies) {
        entries.push_back({dFrequency, static_cast<int>(entries.size()) + 1, {}});
    }
    return ComputeXtalSort(entries, nCount, time);
}

CXtalSortResult ComputeXtalSort(const std::vector<CXtalListEntry>& entries, int nCount,
                                const CLocalTime& time) {
    CXtalSortResult result;
    result.m_strReport = kXtalSortNoReport;
    const std::size_t n = static_cast<std::size_t>(std::max(nCount, 0));
    if (nCount < kXtalMinCrystals || nCount > kXtalMaxCrystals) {
        result.m_strMessage =
            FormatC("選ぶ数は %d から %d までです。", kXtalMinCrystals, kXtalMaxCrystals);
        return result;
    }
    if (entries.size() < n) {
        result.m_strMessage =
            FormatC("測定した水晶が %zu 個なので、%d 個は選べません。", entries.size(), nCount);
        return result;
    }
    const auto frequency = [&](int k) { return entries[static_cast<std::size_t>(k)].m_dFrequency; };
    // Whole millihertz (MHz · 1e9, at most 2e11): equal spreads compare equal
    // however the decimals round in binary.
    const auto millihertz = [&](int k) { return std::llround(frequency(k) * 1e9); };
    // Positions sorted by frequency; equal frequencies keep the list's order.
    std::vector<int> order(entries.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return frequency(a) < frequency(b); });
    std::size_t nBest = 0;
    long long nBestSpread = millihertz(order[n - 1]) - millihertz(order[0]);
    for (std::size_t i = 1; i + n <= order.size(); ++i) {
        const long long nSpread = millihertz(order[i + n - 1]) - millihertz(order[i]);
        if (nSpread < nBestSpread) {
            nBestSpread = nSpread;
            nBest = i;
        }
    }
    result.m_bComputed = true;
    double dSum = 0.0;
    for (std::size_t i = nBest; i < nBest + n; ++i) {
        const CXtalListEntry& entry = entries[static_cast<std::size_t>(order[i])];
        result.m_indices.push_back(order[i]);
        result.m_frequencies.push_back(entry.m_dFrequency);
        result.m_lines.push_back(entry.m_nLine);
        result.m_names.push_back(EntryName(entry));
        dSum += entry.m_dFrequency;
    }
    result.m_dSpread = (result.m_frequencies.back() - result.m_frequencies.front()) * 1e6;
    result.m_dMean = dSum / static_cast<double>(n);
    result.m_strSpread = XtalGrouped(result.m_dSpread, 1, "Hz");
    result.m_strMean = FormatC("%.7fMHz", result.m_dMean);
    result.m_strWarning = XtalListSpreadWarning(entries);

    std::string& str = result.m_strReport;
    str = ReportHeading("　　　　　***** 水晶の選別 *****\r\n", time);
    str += FormatC("　　　　　測定した水晶  %zu個\r\n", entries.size());
    str += FormatC("　　　　　選ぶ数  %d\r\n", nCount);
    for (std::size_t i = 0; i < n; ++i) {
        str += FormatC("　　　　　%s  %.7fMHz\r\n", result.m_names[i].c_str(),
                       result.m_frequencies[i]);
    }
    str += FormatC("　　　　　ばらつき  %s\r\n", result.m_strSpread.c_str());
    str += FormatC("　　　　　平均  %s\r\n", result.m_strMean.c_str());
    str += "\r\n";
    return result;
}
