#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// A fresh folder under /tmp, removed with everything in it at the end.
class CTempFolder {
public:
    CTempFolder() {
        std::string strTemplate =
            (std::filesystem::temp_directory_path() / "vantix-test-XXXXXX").string();
        m_strPath = ::mkdtemp(strTemplate.data()) != nullptr ? strTemplate : std::string();
    }
    ~CTempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_strPath, ignored);
    }
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;

    std::string File(const std::string& strName) const { return m_strPath + "/" + strName; }
    const std::string& Path() const { return m_strPath; }

private:
    std::string m_strPath;
};

inline void WriteBytes(const std::string& strPath, const std::string& bytes) {
    std::ofstream(strPath, std::ios::binary) << bytes;
}

inline std::string ReadBytes(const std::string& strPath) {
    std::ifstream file(strPath, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}
