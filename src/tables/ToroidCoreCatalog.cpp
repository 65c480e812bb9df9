#include "tables/ToroidCoreCatalog.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string_view>

namespace {

// Paint codes of the iron-powder mixes; ferrite cores are unpainted and show
// two spaces, so that a report line keeps its width.
constexpr const char* kGreen = "緑";          // 41
constexpr const char* kYellow = "黄色";       // 6
constexpr const char* kGrey = "灰";           // 3
constexpr const char* kRed = "赤";            // 2
constexpr const char* kRedWhite = "赤／白";   // 15
constexpr const char* kBlue = "青";           // 1
constexpr const char* kOrange = "橙";         // 0
constexpr const char* kGreenWhite = "緑／白"; // 12
constexpr const char* kBlack = "黒";          // 10
constexpr const char* kNoColor = "  ";        // FT- and FB- ferrites

// The order is visible to the user (core list, every result list, size list),
// so it is part of the content.
// name, AL (nH/N²), outer diameter, inner diameter, height (mm), colour
constexpr ToroidCoreEntry kCores[] = {
    {"T-200-41", 75.5, 50.8, 31.8, 14.0, kGreen},
    {"T-200-6", 10.5, 50.8, 31.8, 14.0, kYellow},
    {"T-200-3", 36.0, 50.8, 31.8, 14.0, kGrey},
    {"T-200-2", 12.0, 50.8, 31.8, 14.0, kRed},
    {"T-184-41", 164.0, 46.7, 24.1, 18.1, kGreen},
    {"T-184-6", 19.5, 46.7, 24.1, 18.1, kYellow},
    {"T-184-3", 72.0, 46.7, 24.1, 18.1, kGrey},
    {"T-184-2", 24.0, 46.7, 24.1, 18.1, kRed},
    {"T-157-41", 97.0, 39.9, 24.1, 14.5, kGreen},
    {"T-157-6", 11.5, 39.9, 24.1, 14.5, kYellow},
    {"T-157-3", 42.0, 39.9, 24.1, 14.5, kGrey},
    {"T-157-2", 14.0, 39.9, 24.1, 14.5, kRed},
    {"T-130-41", 78.5, 33.0, 19.8, 11.1, kGreen},
    {"T-130-15", 25.0, 33.0, 19.8, 11.1, kRedWhite},
    {"T-130-6", 9.6, 33.0, 19.8, 11.1, kYellow},
    {"T-130-3", 33.0, 33.0, 19.8, 11.1, kGrey},
    {"T-130-1", 20.0, 33.0, 19.8, 11.1, kBlue},
    {"T-130-2", 11.0, 33.0, 19.8, 11.1, kRed},
    {"T-130-0", 1.5, 33.0, 19.8, 11.1, kOrange},
    {"T-106-41", 90.0, 26.9, 14.2, 11.1, kGreen},
    {"T-106-15", 33.0, 26.9, 14.2, 11.1, kRedWhite},
    {"T-106-6", 11.6, 26.9, 14.2, 11.1, kYellow},
    {"T-106-3", 40.5, 26.9, 14.2, 11.1, kGrey},
    {"T-106-2", 13.5, 26.9, 14.2, 11.1, kRed},
    {"T-106-1", 28.0, 26.9, 14.2, 11.1, kBlue},
    {"T-106-0", 1.92, 26.9, 14.2, 11.1, kOrange},
    {"T-94-41", 59.0, 23.9, 14.2, 7.9, kGreen},
    {"T-94-12", 3.2, 23.9, 14.2, 7.9, kGreenWhite},
    {"T-94-10", 5.8, 23.9, 14.2, 7.9, kBlack},
    {"T-94-6", 7.0, 23.9, 14.2, 7.9, kYellow},
    {"T-94-3", 24.8, 23.9, 14.2, 7.9, kGrey},
    {"T-94-2", 8.4, 23.9, 14.2, 7.9, kRed},
    {"T-94-1", 16.0, 23.9, 14.2, 7.9, kBlue},
    {"T-94-0", 1.06, 23.9, 14.2, 7.9, kOrange},
    {"T-80-41", 45.0, 20.2, 12.6, 6.4, kGreen},
    {"T-80-15", 17.0, 20.2, 12.6, 6.4, kRedWhite},
    {"T-80-12", 2.2, 20.2, 12.6, 6.4, kGreenWhite},
    {"T-80-10", 3.4, 20.2, 12.6, 6.4, kBlack},
    {"T-80-6", 4.5, 20.2, 12.6, 6.4, kYellow},
    {"T-80-3", 18.0, 20.2, 12.6, 6.4, kGrey},
    {"T-80-2", 5.5, 20.2, 12.6, 6.4, kRed},
    {"T-80-1", 11.5, 20.2, 12.6, 6.4, kBlue},
    {"T-80-0", 0.85, 20.2, 12.6, 6.4, kOrange},
    {"T-68-41", 42.0, 17.5, 9.6, 4.8, kGreen},
    {"T-68-15", 18.0, 17.5, 9.6, 4.8, kRedWhite},
    {"T-68-12", 2.1, 17.5, 9.6, 4.8, kGreenWhite},
    {"T-68-10", 3.2, 17.5, 9.6, 4.8, kBlack},
    {"T-68-6", 4.7, 17.5, 9.6, 4.8, kYellow},
    {"T-68-3", 19.5, 17.5, 9.6, 4.8, kGrey},
    {"T-68-2", 5.7, 17.5, 9.6, 4.8, kRed},
    {"T-68-1", 11.5, 17.5, 9.6, 4.8, kBlue},
    {"T-68-0", 0.75, 17.5, 9.6, 4.8, kOrange},
    {"T-50-41", 32.0, 12.7, 7.7, 4.8, kGreen},
    {"T-50-15", 13.5, 12.7, 7.7, 4.8, kRedWhite},
    {"T-50-12", 1.8, 12.7, 7.7, 4.8, kGreenWhite},
    {"T-50-10", 3.1, 12.7, 7.7, 4.8, kBlack},
    {"T-50-6", 4.0, 12.7, 7.7, 4.8, kYellow},
    {"T-50-3", 17.5, 12.7, 7.7, 4.8, kGrey},
    {"T-50-2", 5.0, 12.7, 7.7, 4.8, kRed},
    {"T-50-1", 10.0, 12.7, 7.7, 4.8, kBlue},
    {"T-50-0", 0.64, 12.7, 7.7, 4.8, kOrange},
    {"T-44-41", 22.9, 11.2, 5.8, 4.1, kGreen},
    {"T-44-15", 16.0, 11.2, 5.8, 4.1, kRedWhite},
    {"T-44-10", 3.3, 11.2, 5.8, 4.1, kBlack},
    {"T-44-6", 4.2, 11.2, 5.8, 4.1, kYellow},
    {"T-44-3", 18.0, 11.2, 5.8, 4.1, kGrey},
    {"T-44-2", 5.7, 11.2, 5.8, 4.1, kRed},
    {"T-44-1", 10.5, 11.2, 5.8, 4.1, kBlue},
    {"T-44-0", 0.65, 11.2, 5.8, 4.1, kOrange},
    {"T-37-41", 24.0, 9.4, 5.2, 3.3, kGreen},
    {"T-37-15", 9.0, 9.4, 5.2, 3.3, kRedWhite},
    {"T-37-12", 1.5, 9.4, 5.2, 3.3, kGreenWhite},
    {"T-37-10", 2.5, 9.4, 5.2, 3.3, kBlack},
    {"T-37-6", 3.0, 9.4, 5.2, 3.3, kYellow},
    {"T-37-3", 11.0, 9.4, 5.2, 3.3, kGrey},
    {"T-37-2", 4.2, 9.4, 5.2, 3.3, kRed},
    {"T-37-1", 8.0, 9.4, 5.2, 3.3, kBlue},
    {"T-37-0", 0.49, 9.4, 5.2, 3.3, kOrange},
    {"T-30-41", 37.5, 7.8, 3.8, 3.3, kGreen},
    {"T-30-15", 9.3, 7.8, 3.8, 3.3, kRedWhite},
    {"T-30-12", 1.6, 7.8, 3.8, 3.3, kGreenWhite},
    {"T-30-10", 2.5, 7.8, 3.8, 3.3, kBlack},
    {"T-30-6", 3.6, 7.8, 3.8, 3.3, kYellow},
    {"T-30-3", 11.0, 7.8, 3.8, 3.3, kGrey},
    {"T-30-2", 4.3, 7.8, 3.8, 3.3, kRed},
    {"T-30-1", 8.5, 7.8, 3.8, 3.3, kBlue},
    {"T-30-0", 0.6, 7.8, 3.8, 3.3, kOrange},
    {"T-25-41", 20.0, 6.5, 3.0, 2.4, kGreen},
    {"T-25-15", 8.5, 6.5, 3.0, 2.4, kRedWhite},
    {"T-25-12", 1.3, 6.5, 3.0, 2.4, kGreenWhite},
    {"T-25-10", 1.9, 6.5, 3.0, 2.4, kBlack},
    {"T-25-6", 2.7, 6.5, 3.0, 2.4, kYellow},
    {"T-25-3", 10.0, 6.5, 3.0, 2.4, kGrey},
    {"T-25-2", 3.4, 6.5, 3.0, 2.4, kRed},
    {"T-25-1", 7.0, 6.5, 3.0, 2.4, kBlue},
    {"T-25-0", 0.45, 6.5, 3.0, 2.4, kOrange},
    {"T-20-41", 17.5, 5.1, 2.2, 1.7, kGreen},
    {"T-20-15", 6.5, 5.1, 2.2, 1.7, kRedWhite},
    {"T-20-12", 1.0, 5.1, 2.2, 1.7, kGreenWhite},
    {"T-20-10", 1.6, 5.1, 2.2, 1.7, kBlack},
    {"T-20-6", 2.2, 5.1, 2.2, 1.7, kYellow},
    {"T-20-3", 9.0, 5.1, 2.2, 1.7, kGrey},
    {"T-20-2", 2.7, 5.1, 2.2, 1.7, kRed},
    {"T-20-1", 5.2, 5.1, 2.2, 1.7, kBlue},
    {"T-20-0", 0.35, 5.1, 2.2, 1.7, kOrange},
    {"T-16-41", 13.0, 4.1, 2.0, 1.5, kGreen},
    {"T-16-12", 0.8, 4.1, 2.0, 1.5, kGreenWhite},
    {"T-16-10", 1.3, 4.1, 2.0, 1.5, kBlack},
    {"T-16-6", 1.9, 4.1, 2.0, 1.5, kYellow},
    {"T-16-3", 6.1, 4.1, 2.0, 1.5, kGrey},
    {"T-16-2", 2.2, 4.1, 2.0, 1.5, kRed},
    {"T-16-1", 4.4, 4.1, 2.0, 1.5, kBlue},
    {"T-16-0", 0.3, 4.1, 2.0, 1.5, kOrange},
    {"T-12-41", 9.0, 3.2, 1.6, 1.3, kGreen},
    {"T-12-12", 0.85, 3.2, 1.6, 1.3, kGreenWhite},
    {"T-12-10", 1.2, 3.2, 1.6, 1.3, kBlack},
    {"T-12-6", 1.9, 3.2, 1.6, 1.3, kYellow},
    {"T-12-3", 6.0, 3.2, 1.6, 1.3, kGrey},
    {"T-12-2", 2.4, 3.2, 1.6, 1.3, kRed},
    {"T-12-1", 4.8, 3.2, 1.6, 1.3, kBlue},
    {"T-12-0", 0.3, 3.2, 1.6, 1.3, kOrange},
    {"FT-114-63", 25.4, 29.0, 19.0, 7.49, kNoColor},
    {"FT-114-61", 101.0, 29.0, 19.0, 7.49, kNoColor},
    {"FT-114-43", 603.0, 29.0, 19.0, 7.49, kNoColor},
    {"FT-114-72", 1610.0, 29.0, 19.0, 7.49, kNoColor},
    {"FT-114-75", 3170.0, 29.0, 19.0, 7.49, kNoColor},
    {"FT-82-75", 2930.0, 20.95, 13.21, 6.35, kNoColor},
    {"FT-82-72", 1268.0, 20.95, 13.21, 6.35, kNoColor},
    {"FT-82-63", 22.4, 20.95, 13.21, 6.35, kNoColor},
    {"FT-82-61", 79.3, 20.95, 13.21, 6.35, kNoColor},
    {"FT-82-43", 557.0, 20.95, 13.21, 6.35, kNoColor},
    {"FT-50-75", 2750.0, 12.7, 7.14, 4.77, kNoColor},
    {"FT-50-72", 1100.0, 12.7, 7.14, 4.77, kNoColor},
    {"FT-50-63", 22.0, 12.7, 7.14, 4.77, kNoColor},
    {"FT-50-61", 68.0, 12.7, 7.14, 4.77, kNoColor},
    {"FT-50-43", 523.0, 12.7, 7.14, 4.77, kNoColor},
    {"FT-37-75", 2210.0, 9.54, 4.75, 3.13, kNoColor},
    {"FT-37-72", 884.0, 9.54, 4.75, 3.13, kNoColor},
    {"FT-37-63", 17.7, 9.54, 4.75, 3.13, kNoColor},
    {"FT-37-61", 55.3, 9.54, 4.75, 3.13, kNoColor},
    {"FT-37-43", 420.0, 9.54, 4.75, 3.13, kNoColor},
    {"FT-23-75", 990.0, 5.84, 3.05, 1.52, kNoColor},
    {"FT-23-72", 396.0, 5.84, 3.05, 1.52, kNoColor},
    {"FT-23-63", 7.9, 5.84, 3.05, 1.52, kNoColor},
    {"FT-23-61", 24.8, 5.84, 3.05, 1.52, kNoColor},
    {"FT-23-43", 188.0, 5.84, 3.05, 1.52, kNoColor},
    {"FB-801-43", 1565.0, 7.5, 2.4, 7.5, kNoColor},
    {"FB-101-43", 609.0, 3.7, 1.4, 3.3, kNoColor},
};

constexpr int kCoreCount = static_cast<int>(std::size(kCores));

constexpr std::string_view SizeOf(std::string_view name) {
    return name.substr(0, name.rfind('-'));
}

constexpr std::string_view MixOf(std::string_view name) {
    return name.substr(name.rfind('-') + 1);
}

// Value of the leading decimal digits, as the material list is sorted.
constexpr int MixValue(std::string_view mix) {
    int nValue = 0;
    for (const char ch : mix) {
        if (ch < '0' || ch > '9') {
            break;
        }
        nValue = nValue * 10 + (ch - '0');
    }
    return nValue;
}

template <typename Key> constexpr int CountDistinct(Key key) {
    int nCount = 0;
    for (int i = 0; i < kCoreCount; ++i) {
        bool bSeen = false;
        for (int j = 0; j < i && !bSeen; ++j) {
            bSeen = key(kCores[j].pszName) == key(kCores[i].pszName);
        }
        nCount += bSeen ? 0 : 1;
    }
    return nCount;
}

// The fill loops below trust these bounds instead of checking them.
static_assert(kCoreCount <= CToroidCoreCatalog::kMaxCores);
static_assert(CountDistinct(SizeOf) <= CToroidCoreCatalog::kMaxSizes);
static_assert(CountDistinct(MixOf) <= CToroidCoreCatalog::kMaxMaterials);

template <size_t N>
void AppendUnique(std::array<std::string, N>& names, int& nCount, const std::string& strName) {
    if (std::find(names.begin(), names.begin() + nCount, strName) == names.begin() + nCount) {
        names[static_cast<size_t>(nCount++)] = strName;
    }
}

} // namespace

CToroidCoreCatalog::CToroidCoreCatalog() : m_nCoreCount(kCoreCount), m_cores(kCores) {
    for (int i = 0; i < m_nCoreCount; ++i) {
        AppendUnique(m_materialNames, m_nMaterialCount, GetMix(i));
        AppendUnique(m_sizeNames, m_nSizeCount, GetSize(i));
    }
    std::stable_sort(
        m_materialNames.begin(), m_materialNames.begin() + m_nMaterialCount,
        [](const std::string& a, const std::string& b) { return MixValue(a) < MixValue(b); });
    Search({}, {});
    SelectResult(0);
}

std::string CToroidCoreCatalog::GetMix(int nIndex) const {
    if (nIndex < 0 || nIndex >= m_nCoreCount) {
        return {};
    }
    return std::string(MixOf(m_cores[nIndex].pszName));
}

std::string CToroidCoreCatalog::GetSize(int nIndex) const {
    if (nIndex < 0 || nIndex >= m_nCoreCount) {
        return {};
    }
    return std::string(SizeOf(m_cores[nIndex].pszName));
}

int CToroidCoreCatalog::Search(const std::string& strSize, const std::string& strMix) {
    m_nResultCount = 0;
    for (int i = 0; i < m_nCoreCount; ++i) {
        const std::string_view name = m_cores[i].pszName;
        if (!strSize.empty() && strSize != SizeOf(name)) {
            continue;
        }
        if (!strMix.empty() && strMix != MixOf(name)) {
            continue;
        }
        m_results[static_cast<size_t>(m_nResultCount++)] = i;
    }
    return m_nResultCount;
}

int CToroidCoreCatalog::SelectResult(int k) {
    if (k < 0 || k >= m_nResultCount) {
        ClearCurrent();
        return -1;
    }
    const ToroidCoreEntry& core = m_cores[m_results[static_cast<size_t>(k)]];
    m_strName = core.pszName;
    m_strColor = core.pszColor;
    m_dAL = core.dAL;
    m_dOuterDiameter = core.dOuterDiameter;
    m_dInnerDiameter = core.dInnerDiameter;
    m_dHeight = core.dHeight;
    return k;
}

int CToroidCoreCatalog::FindName(const std::string& strName) {
    for (int k = 0; k < m_nResultCount; ++k) {
        SelectResult(k);
        if (m_strName == strName) {
            return k;
        }
    }
    return -1;
}

double CToroidCoreCatalog::GetInductance(double dTurns) const {
    return dTurns * m_dAL * dTurns / 1000.0;
}

double CToroidCoreCatalog::GetTurns(double dMicroHenry) const {
    return std::sqrt(dMicroHenry * 1000.0 / m_dAL);
}

int CToroidCoreCatalog::GetSizeName(int nIndex, std::string& strName) const {
    if (nIndex < 0 || nIndex >= m_nSizeCount) {
        strName.clear();
        return -1;
    }
    strName = m_sizeNames[static_cast<size_t>(nIndex)];
    return nIndex;
}

int CToroidCoreCatalog::GetMaterialName(int nIndex, std::string& strName) const {
    if (nIndex < 0 || nIndex >= m_nMaterialCount) {
        strName.clear();
        return -1;
    }
    strName = m_materialNames[static_cast<size_t>(nIndex)];
    return nIndex;
}

void CToroidCoreCatalog::ClearCurrent() {
    m_strName.clear();
    m_strColor.clear();
    m_dAL = 0.0;
    m_dOuterDiameter = 0.0;
    m_dInnerDiameter = 0.0;
    m_dHeight = 0.0;
}
