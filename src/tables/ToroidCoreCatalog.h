#pragma once

#include <array>
#include <string>

// One core of the built-in catalogue. AL is in nH per turn squared, the
// dimensions in mm; the colour is the paint code of the material (two spaces
// for ferrite cores, which carry none).
struct ToroidCoreEntry {
    const char* pszName; // size code, hyphen, mix: "T-50-2", "FB-801-43"
    double dAL;
    double dOuterDiameter;
    double dInnerDiameter;
    double dHeight;
    const char* pszColor;
};

// The toroidal core catalogue with a filtered result list and one current
// core copied out of it. Each coil dialog owns its own instance.
//
// Entry indices (GetMix, GetSize) count within the whole catalogue; result
// positions (SelectResult, FindName) count within the last Search.
class CToroidCoreCatalog {
public:
    static constexpr int kMaxCores = 200;
    static constexpr int kMaxSizes = 30;
    static constexpr int kMaxMaterials = 20;

    // Every core in the result list, T-200-41 current.
    CToroidCoreCatalog();
    virtual ~CToroidCoreCatalog() = default;
    CToroidCoreCatalog(const CToroidCoreCatalog&) = delete;
    CToroidCoreCatalog& operator=(const CToroidCoreCatalog&) = delete;

    // Text after / before the last hyphen of the entry's name; empty out of range.
    std::string GetMix(int nIndex) const;
    std::string GetSize(int nIndex) const;

    // Keeps the entries whose size code and mix equal the given texts exactly
    // (empty text: no filter), in catalogue order. The current core stays.
    int Search(const std::string& strSize, const std::string& strMix);
    int GetResultCount() const { return m_nResultCount; }

    // Makes the k-th result the current core and returns k; out of range the
    // current core is cleared (empty texts, zero numbers) and -1 returned.
    int SelectResult(int k);
    // The result position of the core with exactly this name, or -1. Walks the
    // results with SelectResult, so a miss leaves the last result current.
    int FindName(const std::string& strName);

    // Inductance in µH of that many turns on the current core, and back.
    // A cleared core (AL 0) gives 0 and a non-finite count respectively.
    double GetInductance(double dTurns) const;
    double GetTurns(double dMicroHenry) const;

    // The index-th size code (first-appearance order) or mix (ascending by
    // value); returns the index, or -1 with empty text when out of range.
    int GetSizeName(int nIndex, std::string& strName) const;
    int GetMaterialName(int nIndex, std::string& strName) const;

    int GetCoreCount() const { return m_nCoreCount; }
    int GetSizeCount() const { return m_nSizeCount; }
    int GetMaterialCount() const { return m_nMaterialCount; }

    // The current core, read directly by the dialogs.
    std::string m_strName;
    std::string m_strColor;
    double m_dHeight = 0.0;
    double m_dInnerDiameter = 0.0;
    double m_dOuterDiameter = 0.0;
    double m_dAL = 0.0;

private:
    void ClearCurrent();

    int m_nResultCount = 0;
    std::array<int, kMaxCores> m_results{};
    std::array<std::string, kMaxSizes> m_sizeNames;
    int m_nSizeCount = 0;
    int m_nMaterialCount = 0;
    std::array<std::string, kMaxMaterials> m_materialNames;
    int m_nCoreCount = 0;
    const ToroidCoreEntry* m_cores = nullptr; // the static table, never copied
};
