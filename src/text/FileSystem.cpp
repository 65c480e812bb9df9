#include "text/FileSystem.h"

#include "report/CFormat.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

std::string FolderOf(const std::string& strPath) {
    const std::size_t nSlash = strPath.rfind('/');
    if (nSlash == std::string::npos) {
        return ".";
    }
    return nSlash == 0 ? "/" : strPath.substr(0, nSlash);
}

namespace {

// A mount point as the mount table writes it: space, tab, newline and
// backslash as octal escapes.
std::string Unescaped(const std::string& strField) {
    std::string strResult;
    for (std::size_t n = 0; n < strField.size(); ++n) {
        if (strField[n] == '\\' && n + 3 < strField.size()) {
            const std::string strOctal = strField.substr(n + 1, 3);
            char* pEnd = nullptr;
            const long nCode = std::strtol(strOctal.c_str(), &pEnd, 8);
            if (pEnd == strOctal.c_str() + 3) {
                strResult += static_cast<char>(nCode);
                n += 3;
                continue;
            }
        }
        strResult += strField[n];
    }
    return strResult;
}

} // namespace

std::string FileSystemTypeOf(const std::string& strPath) {
    char resolved[PATH_MAX];
    std::string strReal = ::realpath(strPath.c_str(), resolved) != nullptr ? resolved : "";
    if (strReal.empty() && ::realpath(FolderOf(strPath).c_str(), resolved) != nullptr) {
        strReal = resolved;
    }
    if (strReal.empty()) {
        return "";
    }
    std::ifstream mounts("/proc/self/mounts");
    std::string strLine;
    std::string strType;
    std::size_t nLongest = 0;
    while (std::getline(mounts, strLine)) {
        std::istringstream fields(strLine);
        std::string strDevice;
        std::string strMount;
        std::string strFsType;
        if (!(fields >> strDevice >> strMount >> strFsType)) {
            continue;
        }
        strMount = Unescaped(strMount);
        const bool bUnder =
            strMount == "/" || strReal == strMount || strReal.starts_with(strMount + "/");
        // The last of equal mount points is the one on top.
        if (bUnder && strMount.size() >= nLongest) {
            nLongest = strMount.size();
            strType = strFsType;
        }
    }
    return strType;
}

std::string ErrnoText(int nErrno) {
    switch (nErrno) {
    case EACCES:
    case EPERM:
        return "アクセスが許可されていません";
    case EROFS:
        return "読み取り専用のファイルシステムです";
    case ENOSPC:
        return "ディスクの空き容量がありません";
    case EDQUOT:
        return "ディスク使用量の上限（クォータ）に達しています";
    case ENOENT:
        return "ファイルまたはフォルダーが見つかりません";
    case ENOTDIR:
        return "パスの途中にフォルダーではないものがあります";
    case EISDIR:
        return "フォルダーです";
    case ENAMETOOLONG:
        return "名前が長すぎます";
    case ELOOP:
        return "シンボリックリンクが循環しています";
    case EIO:
        return "入出力エラーが起きました";
    case EMFILE:
    case ENFILE:
        return "開いているファイルが多すぎます";
    case ENOLCK:
        return "ファイルのロックを使えません";
    default:
        // No Japanese text for the rarer ones; the system's words and the
        // number still tell a maintainer what happened.
        return FormatC("%s (errno %d)", std::strerror(nErrno), nErrno);
    }
}
