#include "cli/CalcCommand.h"

#include "cli/BashCompletion.h"
#include "report/CFormat.h"
#include "text/LogFile.h"
#include "text/NumberInput.h"
#include "text/ShiftJis.h"

#include <cmath>
#include <ostream>
#include <set>
#include <string_view>
#include <utility>

bool COptionValues::Has(const std::string& strName) const {
    return m_numbers.count(strName) != 0 || m_texts.count(strName) != 0;
}

double COptionValues::Number(const std::string& strName) const {
    const auto it = m_numbers.find(strName);
    return it == m_numbers.end() ? 0.0 : it->second;
}

const std::string& COptionValues::Text(const std::string& strName) const {
    static const std::string strEmpty;
    const auto it = m_texts.find(strName);
    return it == m_texts.end() ? strEmpty : it->second;
}

void COptionValues::SetNumber(const std::string& strName, double dValue) {
    m_numbers[strName] = dValue;
}

void COptionValues::SetText(const std::string& strName, const std::string& strValue) {
    m_texts[strName] = strValue;
}

CCalcOutcome DoneOutcome(std::string strReport, std::string strJson) {
    CCalcOutcome outcome;
    outcome.strReport = std::move(strReport);
    outcome.strJson = std::move(strJson);
    return outcome;
}

CCalcOutcome FailedOutcome(CCalcOutcome::EStatus eStatus, std::string strMessage) {
    CCalcOutcome outcome;
    outcome.eStatus = eStatus;
    outcome.strMessage = std::move(strMessage);
    return outcome;
}

std::optional<CCalcOutcome> RequireWholeNumber(const COptionValues& values, const char* pszName) {
    const double dValue = values.Number(pszName);
    if (!values.Has(pszName) || dValue == std::floor(dValue)) {
        return std::nullopt;
    }
    return FailedOutcome(CCalcOutcome::BadUsage, FormatC("--%s には整数を指定してください（%s）。",
                                                         pszName, FormatEditValue(dValue).c_str()));
}

std::optional<CCalcOutcome> RequireOneOf(const COptionValues& values, const char* pszCommand,
                                         const char* pszFirst, const char* pszSecond) {
    if (values.Has(pszFirst) != values.Has(pszSecond)) {
        return std::nullopt;
    }
    return FailedOutcome(CCalcOutcome::BadUsage,
                         FormatC("%s には --%s か --%s のどちらか一方を指定してください。",
                                 pszCommand, pszFirst, pszSecond));
}

const std::vector<COptionDef>& CommonOptions() {
    static const std::vector<COptionDef> options = {
        {"time", "\"YYYY-MM-DD HH:MM\"", "レポートの日時行にこの日時を使う", COptionDef::Text, 0.0,
         0.0, false},
        {"append", "FILE", "レポートを Shift-JIS のログ FILE の末尾に追加する", COptionDef::Text,
         0.0, 0.0, false, COptionDef::FileValue},
        {"encoding", "utf-8|cp932", "標準出力の文字コード", COptionDef::Text, 0.0, 0.0, false,
         COptionDef::ChoiceValue},
        {"json", "", "入力と結果を JSON で表示する", COptionDef::Text, 0.0, 0.0, false,
         COptionDef::NoValue},
        {"help", "", "使い方", COptionDef::Text, 0.0, 0.0, false, COptionDef::NoValue},
    };
    return options;
}

namespace {

constexpr const char* kProgram = "vantix-calc";

// The column of the summaries in the usage: two blanks after the longest name.
constexpr std::size_t kSummaryColumn = 17;

// The column of the option texts in a calculator's help.
constexpr std::size_t kOptionHelpColumn = 28;

void PrintUsage(const std::vector<CCalcCommand>& commands, std::ostream& out) {
    out << "使い方: vantix-calc <計算> [--オプション 値 ...]\n"
           "\n"
           "計算:\n";
    for (const CCalcCommand& command : commands) {
        out << "  " << command.pszName;
        for (std::size_t n = std::string_view(command.pszName).size(); n < kSummaryColumn; ++n) {
            out << ' ';
        }
        out << command.pszSummary << '\n';
    }
    out << "\n"
           "共通のオプション:\n"
           "  --time \"YYYY-MM-DD HH:MM\"  レポートの日時行にこの日時を使う\n"
           "  --append FILE              レポートをログ FILE の末尾に、ログと同じ文字コード"
           "（新しいログは Shift-JIS）で追加する（何も表示しない）\n"
           "  --encoding utf-8|cp932     標準出力の文字コード（既定 utf-8）\n"
           "  --json                     入力と結果を JSON で表示する\n"
           "  --help, --version          使い方、バージョン\n"
           "\n"
           "各計算のオプションは vantix-calc <計算> --help で表示します。\n";
}

// Terminal columns a UTF-8 text takes: CJK and full-width characters take
// two, half-width katakana and everything else one.
std::size_t DisplayWidth(std::string_view text) {
    std::size_t nWidth = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        char32_t ch = c;
        std::size_t nLength = 1;
        if (c >= 0xF0) {
            nLength = 4;
            ch = c & 0x07;
        } else if (c >= 0xE0) {
            nLength = 3;
            ch = c & 0x0F;
        } else if (c >= 0xC0) {
            nLength = 2;
            ch = c & 0x1F;
        }
        for (std::size_t k = 1; k < nLength && i + k < text.size(); ++k) {
            ch = (ch << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        i += nLength;
        const bool bWide = ch >= 0x1100 && !(ch >= 0xFF61 && ch <= 0xFF9F);
        nWidth += bWide ? 2 : 1;
    }
    return nWidth;
}

void PrintCommandUsage(const CCalcCommand& command, std::ostream& out) {
    out << "使い方: vantix-calc " << command.pszName << " [オプション]";
    if (command.pszArgument != nullptr) {
        out << ' ' << command.pszArgument;
    }
    out << '\n' << command.pszSummary << "\n\n";
    for (const COptionDef& option : command.options) {
        std::string strLine = FormatC("  --%s %s", option.pszName, option.pszValueName);
        // A value name that lists its choices can reach the column: the text
        // then starts on the next line, so the two never run together.
        if (DisplayWidth(strLine) + 2 > kOptionHelpColumn) {
            out << strLine << '\n';
            strLine.clear();
        }
        while (DisplayWidth(strLine) < kOptionHelpColumn) {
            strLine += ' ';
        }
        out << strLine << option.pszHelp;
        if (option.eKind == COptionDef::Number) {
            out << FormatC("（%s から %s まで）", FormatEditValue(option.dMin).c_str(),
                           FormatEditValue(option.dMax).c_str());
        }
        if (!option.bRequired) {
            out << "（省略可）";
        }
        out << '\n';
    }
    out << "\n共通のオプション: --time, --append, --encoding, --json（vantix-calc --help "
           "を参照）\n";
}

std::string RangeText(const COptionDef& option) {
    return FormatC("%s から %s まで", FormatEditValue(option.dMin).c_str(),
                   FormatEditValue(option.dMax).c_str());
}

// What the value of an option should be, for messages about a missing one.
std::string ExpectedValueText(const COptionDef& option) {
    if (option.eKind == COptionDef::Number) {
        return FormatC("%s、%s", option.pszValueName, RangeText(option).c_str());
    }
    return option.pszValueName;
}

const CCalcCommand* FindCommand(const std::vector<CCalcCommand>& commands, std::string_view name) {
    for (const CCalcCommand& command : commands) {
        if (name == command.pszName) {
            return &command;
        }
    }
    return nullptr;
}

const COptionDef* FindOption(const std::vector<COptionDef>& options, std::string_view name) {
    for (const COptionDef& option : options) {
        if (name == option.pszName) {
            return &option;
        }
    }
    return nullptr;
}

struct CCommonOptions {
    CLocalTime time = CurrentLocalTime();
    std::string strAppend;
    bool bAppend = false;
    bool bJson = false;
    bool bShiftJisOutput = false;
    bool bHelp = false;
};

// Reads the options after the calculator's name. Returns false (after writing
// the message) on any usage error.
bool ParseOptions(const CCalcCommand& command, int argc, const char* const* argv,
                  CCommonOptions& common, COptionValues& values, std::ostream& err) {
    std::set<std::string> seen;
    for (int i = 2; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            common.bHelp = true;
            return true;
        }
        if (arg == "--json") {
            common.bJson = true;
            continue;
        }
        if (arg.substr(0, 2) != "--") {
            if (command.pszArgument == nullptr || values.Has(kArgumentValue)) {
                err << kProgram << ": 余分な引数 \"" << arg << "\" があります。\n";
                return false;
            }
            values.SetText(kArgumentValue, std::string(arg));
            continue;
        }
        const std::string strName(arg.substr(2));
        const COptionDef* option = FindOption(command.options, strName);
        const COptionDef* shared = FindOption(CommonOptions(), strName);
        const bool bCommon = shared != nullptr && shared->eValue != COptionDef::NoValue;
        if (option == nullptr && !bCommon) {
            err << kProgram << ": " << command.pszName << " に --" << strName
                << " というオプションはありません。\n";
            return false;
        }
        // A calculator's own flag takes no value.
        if (option != nullptr && option->eValue == COptionDef::NoValue) {
            if (!seen.insert(strName).second) {
                err << kProgram << ": --" << strName << " が二度指定されています。\n";
                return false;
            }
            values.SetText(strName, "");
            continue;
        }
        // A value never starts with "--": "--append --json" lacks its file.
        if (i + 1 >= argc || std::string_view(argv[i + 1]).substr(0, 2) == "--") {
            err << kProgram << ": --" << strName << " に値がありません";
            if (option != nullptr && !bCommon) {
                err << "（" << ExpectedValueText(*option) << "）";
            }
            err << "。\n";
            return false;
        }
        const bool bRepeatable = option != nullptr && option->bRepeatable && !bCommon;
        if (!seen.insert(strName).second && !bRepeatable) {
            err << kProgram << ": --" << strName << " が二度指定されています。\n";
            return false;
        }
        const char* pszValue = argv[++i];
        if (strName == "time") {
            if (!ParseLocalTime(pszValue, common.time)) {
                err << kProgram << ": --time の値 \"" << pszValue
                    << "\" は \"YYYY-MM-DD HH:MM\" の形の日時ではありません。\n";
                return false;
            }
        } else if (strName == "append") {
            common.strAppend = pszValue;
            common.bAppend = true;
        } else if (strName == "encoding") {
            const std::string_view encoding = pszValue;
            if (encoding == "utf-8" || encoding == "UTF-8") {
                common.bShiftJisOutput = false;
            } else if (encoding == "cp932" || encoding == "CP932" || encoding == "shift-jis") {
                common.bShiftJisOutput = true;
            } else {
                err << kProgram << ": --encoding は utf-8 か cp932 です（\"" << pszValue
                    << "\" は使えません）。\n";
                return false;
            }
        } else if (option->eKind == COptionDef::Text) {
            // Text values reach the report and the JSON, which are UTF-8.
            std::size_t nBad = 0;
            if (!IsValidUtf8(pszValue, nBad)) {
                err << kProgram << ": --" << strName << " の値が UTF-8 の文字列ではありません（"
                    << nBad + 1 << " バイト目）。\n";
                return false;
            }
            if (bRepeatable && std::string_view(pszValue).find('\n') != std::string_view::npos) {
                err << kProgram << ": --" << strName << " の値に改行は使えません。\n";
                return false;
            }
            values.SetText(strName, bRepeatable && values.Has(strName)
                                        ? values.Text(strName) + "\n" + pszValue
                                        : std::string(pszValue));
        } else {
            double dValue = 0.0;
            const std::string strRange = RangeText(*option);
            if (!ParseNumber(pszValue, dValue)) {
                err << kProgram << ": --" << strName << " の値 \"" << pszValue
                    << "\" は数値ではありません（" << strRange << "）。\n";
                return false;
            }
            if (!IsWithinRange(dValue, option->dMin, option->dMax)) {
                err << kProgram << ": --" << strName << " の値 " << pszValue << " は範囲外です（"
                    << strRange << "）。\n";
                return false;
            }
            values.SetNumber(strName, dValue);
        }
    }
    if (command.pszArgument != nullptr && !values.Has(kArgumentValue)) {
        err << kProgram << ": " << command.pszName << " には " << command.pszArgument
            << " が必要です。\n";
        return false;
    }
    for (const COptionDef& option : command.options) {
        if (option.bRequired && !values.Has(option.pszName)) {
            err << kProgram << ": " << command.pszName << " には --" << option.pszName
                << " が必要です（" << ExpectedValueText(option) << "）。\n";
            return false;
        }
    }
    return true;
}

// Standard output that cannot be written (a full disk, a closed pipe) must not
// end with status 0 as if the report had been delivered.
int Finish(std::ostream& out, std::ostream& err) {
    out.flush();
    if (!out) {
        err << kProgram << ": 標準出力に書き込めません。\n";
        return 1;
    }
    return 0;
}

} // namespace

int RunCalcCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    return RunCalcCli(CalcCommands(), argc, argv, out, err);
}

int RunCalcCli(const std::vector<CCalcCommand>& commands, int argc, const char* const* argv,
               std::ostream& out, std::ostream& err) {
    if (argc < 2) {
        PrintUsage(commands, out);
        return Finish(out, err);
    }
    const std::string_view first = argv[1];
    if (first == "--help" || first == "-h") {
        PrintUsage(commands, out);
        return Finish(out, err);
    }
    if (first == "--version") {
        out << kProgram << ' ' << VANTIX_VERSION << '\n';
        return Finish(out, err);
    }
    // Not in the usage: the build runs it to write the completion file that
    // the package installs.
    if (first == "--completion") {
        if (argc != 3 || std::string_view(argv[2]) != "bash") {
            err << kProgram << ": --completion に指定できるのは bash だけです。\n";
            return 2;
        }
        out << BashCompletionScript(commands);
        return Finish(out, err);
    }
    const CCalcCommand* command = FindCommand(commands, first);
    if (command == nullptr) {
        err << kProgram << ": \"" << first << "\" という計算はありません。\n\n";
        PrintUsage(commands, err);
        return 2;
    }
    CCommonOptions common;
    COptionValues values;
    if (!ParseOptions(*command, argc, argv, common, values, err)) {
        return 2;
    }
    if (common.bHelp) {
        PrintCommandUsage(*command, out);
        return Finish(out, err);
    }
    const CCalcOutcome outcome = command->pfnRun(values, common.time);
    if (outcome.eStatus != CCalcOutcome::Done) {
        err << kProgram << ": " << outcome.strMessage << '\n';
        return static_cast<int>(outcome.eStatus);
    }
    if (!outcome.strWarning.empty()) {
        err << kProgram << ": " << outcome.strWarning << '\n';
    }
    if (common.bAppend) {
        std::string strError;
        std::string strWarning;
        if (!AppendReportToLogFile(common.strAppend, outcome.strReport, strError, &strWarning)) {
            err << kProgram << ": " << strError << '\n';
            return 1;
        }
        if (!strWarning.empty()) {
            err << kProgram << ": " << strWarning << '\n';
        }
    }
    if (common.bJson) {
        out << outcome.strJson << '\n';
    } else if (!common.bAppend) {
        if (common.bShiftJisOutput) {
            std::string strBytes;
            CEncodeError error;
            if (!EncodeShiftJis(outcome.strReport, strBytes, error)) {
                err << kProgram << ": レポートを Shift-JIS で書けません（" << error.m_nLine
                    << " 行 " << error.m_nColumn << " 桁）。\n";
                return 1;
            }
            out << strBytes;
        } else {
            out << outcome.strReport;
        }
    }
    return Finish(out, err);
}
