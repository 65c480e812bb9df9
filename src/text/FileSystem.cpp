#include "text/FileSystem.h"

#include "report/CFormat.h"

#include <cerrno>
#include <cstring>

std::string FolderOf(const std::string& strPath) {
    const std::size_t nSlash = strPath.rfind('/');
    if (nSlash == std::string::npos) {
        return ".";
    }
    return nSlash == 0 ? "/" : strPath.substr(0, nSlash);
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
    default:
        // No Japanese text for the rarer ones; the system's words and the
        // number still tell a maintainer what happened.
        return FormatC("%s (errno %d)", std::strerror(nErrno), nErrno);
    }
}
