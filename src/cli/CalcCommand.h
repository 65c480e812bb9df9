#pragma once

#include "report/LocalTime.h"

#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <vector>

// One option of a calculator on the command line ("--name value").
struct COptionDef {
    enum EKind { Number, Text };
    // What the value names, so that shell completion can offer it.
    enum EValue {
        AnyValue, // typed by the user: nothing to offer
        FileValue,
        CoreNameValue, // a core of the toroidal core catalogue, "T-50-2"
        CoreSizeValue, // a size code of the catalogue, "T-50"
        CoreMixValue,  // a mix of the catalogue, "43"
        ChoiceValue,   // one of the words of pszValueName, separated by '|'
        NoValue,       // a flag such as --json
    };
    const char* pszName;      // without the leading "--"
    const char* pszValueName; // shown in the usage, e.g. "MHz"
    const char* pszHelp;      // one line, Japanese
    EKind eKind = Number;
    double dMin = 0.0; // inclusive range of a Number, the same as the dialog field's
    double dMax = 0.0;
    bool bRequired = true;
    EValue eValue = AnyValue;
    // A Text option that may be given more than once: the values are kept
    // in order, one per line.
    bool bRepeatable = false;
};

// The option values a calculator receives, already parsed and range-checked.
class COptionValues {
public:
    bool Has(const std::string& strName) const;
    double Number(const std::string& strName) const; // 0 when absent
    const std::string& Text(const std::string& strName) const;

    void SetNumber(const std::string& strName, double dValue);
    void SetText(const std::string& strName, const std::string& strValue);

private:
    std::map<std::string, double> m_numbers;
    std::map<std::string, std::string> m_texts;
};

// What a calculator run produced.
struct CCalcOutcome {
    enum EStatus { Done = 0, Refused = 1, BadUsage = 2 };
    EStatus eStatus = Done;
    std::string strMessage; // for Refused and BadUsage: what went wrong
    std::string strReport;  // UTF-8 report with CR LF, exactly as the dialog hands it over
    std::string strJson;    // one JSON object with inputs and results at full precision
    std::string strWarning; // for Done: a line for stderr about doubtful input; may be empty
};

CCalcOutcome DoneOutcome(std::string strReport, std::string strJson);
CCalcOutcome FailedOutcome(CCalcOutcome::EStatus eStatus, std::string strMessage);

// Bad usage unless the option, when given, holds a whole number (a count).
std::optional<CCalcOutcome> RequireWholeNumber(const COptionValues& values, const char* pszName);

// Bad usage unless exactly one of two alternative options was given.
std::optional<CCalcOutcome> RequireOneOf(const COptionValues& values, const char* pszCommand,
                                         const char* pszFirst, const char* pszSecond);

using CalcRunFn = CCalcOutcome (*)(const COptionValues& values, const CLocalTime& time);

// Where a calculator's one positional argument (if it takes one) is kept
// among the text values.
inline constexpr const char* kArgumentValue = "";

struct CCalcCommand {
    const char* pszName;
    const char* pszSummary; // one line, Japanese
    std::vector<COptionDef> options;
    CalcRunFn pfnRun;
    // A required positional argument as the usage names it (e.g. "FILE");
    // null when the calculator takes options only.
    const char* pszArgument = nullptr;
};

// Every calculator the command line knows, in the order the usage lists them.
const std::vector<CCalcCommand>& CalcCommands();

// The options every calculator takes besides its own (--time, --append,
// --encoding, --json, --help).
const std::vector<COptionDef>& CommonOptions();

// The whole of vantix-calc: returns its exit status.
int RunCalcCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

// The same over a given list of calculators (tests use their own).
int RunCalcCli(const std::vector<CCalcCommand>& commands, int argc, const char* const* argv,
               std::ostream& out, std::ostream& err);
