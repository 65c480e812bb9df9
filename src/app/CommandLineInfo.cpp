#include "app/CommandLineInfo.h"

CCommandLineInfo CCommandLineInfo::Parse(const QStringList& arguments) {
    CCommandLineInfo info;
    const auto invalid = [&info](const QString& strError) {
        info.eCommand = Invalid;
        info.strError = strError;
        return info;
    };
    QStringList files;
    bool bPrint = false;
    bool bOptionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& strArg = arguments[i];
        if (bOptionsEnded || !strArg.startsWith(QLatin1Char('-')) || strArg == QLatin1String("-")) {
            files << strArg;
        } else if (strArg == QLatin1String("--")) {
            bOptionsEnded = true;
        } else if (strArg == QLatin1String("--version")) {
            info.eCommand = ShowVersion;
            return info;
        } else if (strArg == QLatin1String("--help") || strArg == QLatin1String("-h")) {
            info.eCommand = ShowHelp;
            return info;
        } else if (strArg == QLatin1String("-p") || strArg == QLatin1String("--print")) {
            bPrint = true;
        } else if (strArg == QLatin1String("--print-to-pdf")) {
            if (i + 1 >= arguments.size()) {
                return invalid(
                    QStringLiteral("--print-to-pdf には出力する PDF の名前が必要です。"));
            }
            info.strPdfName = arguments[++i];
        } else {
            return invalid(QStringLiteral("不明なオプションです: %1").arg(strArg));
        }
    }
    if (files.size() > 1) {
        return invalid(QStringLiteral("開けるファイルは 1 つだけです。"));
    }
    if (bPrint && !info.strPdfName.isEmpty()) {
        return invalid(QStringLiteral("-p と --print-to-pdf は同時に使えません。"));
    }
    if ((bPrint || !info.strPdfName.isEmpty()) && files.isEmpty()) {
        return invalid(QStringLiteral("印刷するファイルを指定してください。"));
    }
    if (!files.isEmpty()) {
        info.strFileName = files.first();
        info.eCommand = bPrint ? FilePrint : !info.strPdfName.isEmpty() ? FilePrintToPdf : FileOpen;
    }
    return info;
}

QString CCommandLineInfo::UsageText() {
    return QStringLiteral(
        "使い方: vantix [FILE]\n"
        "       vantix -p FILE                     FILE を既定のプリンタで印刷して終了\n"
        "                                          (--print FILE も同じ)\n"
        "       vantix --print-to-pdf OUT.pdf FILE FILE を PDF に印刷して終了\n"
        "       vantix --version                   バージョンを表示\n"
        "       vantix -h | --help                 この使い方を表示\n"
        "       vantix -- FILE                     - で始まる名前の FILE を開く\n"
        "                                          (-- のあとはオプションと見なさない)\n");
}
