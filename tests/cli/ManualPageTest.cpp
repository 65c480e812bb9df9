#include "cli/CalcCommand.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

// The manual page is written by hand; these keep it from falling behind the
// option tables that vantix-calc parses with.

namespace {

// The page's lines with roff's "\-" read as a plain hyphen.
std::vector<std::string> PageLines() {
    std::ifstream file(VANTIX_MAN_DIR "/vantix-calc.1.in");
    std::string strText((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    for (std::size_t n = 0; (n = strText.find("\\-", n)) != std::string::npos;) {
        strText.erase(n, 1);
    }
    std::vector<std::string> lines;
    std::istringstream stream(strText);
    for (std::string strLine; std::getline(stream, strLine);) {
        lines.push_back(strLine);
    }
    return lines;
}

bool StartsWith(const std::string& strText, const std::string& strStart) {
    return strText.compare(0, strStart.size(), strStart) == 0;
}

// The lines under a heading (".SH NAME" or ".SS name"), up to the next
// heading of the same or a higher level.
std::vector<std::string> Section(const std::vector<std::string>& lines,
                                 const std::string& strHeading) {
    std::vector<std::string> section;
    bool bInside = false;
    for (const std::string& strLine : lines) {
        if (bInside && (StartsWith(strLine, ".SH ") ||
                        (StartsWith(strHeading, ".SS ") && StartsWith(strLine, ".SS ")))) {
            break;
        }
        if (bInside) {
            section.push_back(strLine);
        }
        bInside = bInside || strLine == strHeading;
    }
    return section;
}

// Whether a tag line of a list (".B", ".BI", ".BR") names this option.
bool NamesOption(const std::vector<std::string>& section, const std::string& strName) {
    const std::string strOption = "--" + strName;
    for (const std::string& strLine : section) {
        if (!StartsWith(strLine, ".B")) {
            continue;
        }
        const std::size_t n = strLine.find(' ' + strOption);
        const std::size_t nEnd = n + 1 + strOption.size();
        if (n != std::string::npos &&
            (nEnd == strLine.size() ||
             std::string(" \"").find(strLine[nEnd]) != std::string::npos)) {
            return true;
        }
    }
    return false;
}

TEST(ManualPageTest, DescribesEveryCalculatorWithEachOfItsOptions) {
    const std::vector<std::string> lines = PageLines();
    ASSERT_FALSE(lines.empty()) << "no manual page at " VANTIX_MAN_DIR;
    for (const CCalcCommand& command : CalcCommands()) {
        const std::vector<std::string> section =
            Section(lines, std::string(".SS ") + command.pszName);
        EXPECT_FALSE(section.empty()) << "no section for " << command.pszName;
        for (const COptionDef& option : command.options) {
            EXPECT_TRUE(NamesOption(section, option.pszName))
                << command.pszName << " --" << option.pszName;
        }
    }
}

TEST(ManualPageTest, DescribesEveryCommonOption) {
    const std::vector<std::string> section = Section(PageLines(), ".SH COMMON OPTIONS");
    for (const COptionDef& option : CommonOptions()) {
        EXPECT_TRUE(NamesOption(section, option.pszName)) << "--" << option.pszName;
    }
}

// The option a list entry describes: "--name" from a tag line such as
// ".BI --turns \" n\"" (the line after ".TP"); empty for other entries.
std::vector<std::string> TaggedOptions(const std::vector<std::string>& section) {
    std::vector<std::string> options;
    for (std::size_t i = 1; i < section.size(); ++i) {
        const std::string& strLine = section[i];
        const std::size_t n = strLine.find(" --");
        if (section[i - 1] == ".TP" && StartsWith(strLine, ".B") && n != std::string::npos) {
            options.push_back(strLine.substr(n + 3, strLine.find_first_of(" \"", n + 3) - n - 3));
        }
    }
    return options;
}

// An option renamed or dropped must leave its calculator's section.
TEST(ManualPageTest, DescribesNoOptionTheCalculatorLacks) {
    const std::vector<std::string> lines = PageLines();
    for (const CCalcCommand& command : CalcCommands()) {
        for (const std::string& strName :
             TaggedOptions(Section(lines, std::string(".SS ") + command.pszName))) {
            bool bKnown = false;
            for (const COptionDef& option : command.options) {
                bKnown = bKnown || strName == option.pszName;
            }
            EXPECT_TRUE(bKnown) << command.pszName << " --" << strName;
        }
    }
}

// A calculator's positional argument ("FILE") is an entry ".I file" of its list.
TEST(ManualPageTest, DescribesTheArgumentOfACalculatorThatTakesOne) {
    const std::vector<std::string> lines = PageLines();
    for (const CCalcCommand& command : CalcCommands()) {
        if (command.pszArgument == nullptr) {
            continue;
        }
        std::string strEntry = ".I ";
        for (const char* p = command.pszArgument; *p != '\0'; ++p) {
            strEntry += static_cast<char>(std::tolower(static_cast<unsigned char>(*p)));
        }
        const std::vector<std::string> section =
            Section(lines, std::string(".SS ") + command.pszName);
        const auto it = std::find(section.begin(), section.end(), strEntry);
        EXPECT_TRUE(it != section.end() && it != section.begin() && *(it - 1) == ".TP")
            << command.pszName << ": no entry " << strEntry;
    }
}

// A calculator removed or renamed must leave the page too.
TEST(ManualPageTest, DescribesNoCalculatorTheProgramLacks) {
    for (const std::string& strLine : Section(PageLines(), ".SH CALCULATORS")) {
        if (!StartsWith(strLine, ".SS ")) {
            continue;
        }
        const std::string strName = strLine.substr(4);
        bool bKnown = false;
        for (const CCalcCommand& command : CalcCommands()) {
            bKnown = bKnown || strName == command.pszName;
        }
        EXPECT_TRUE(bKnown) << strName;
    }
}

} // namespace

namespace {

// vantix(1) names every option of the window program and where it keeps
// the recovery copies.
TEST(ManualPageTest, WindowProgramPageNamesItsOptionsAndFolders) {
    std::ifstream file(VANTIX_MAN_DIR "/vantix.1.in");
    std::string strPage((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    for (std::size_t n = 0; (n = strPage.find("\\-", n)) != std::string::npos;) {
        strPage.erase(n, 1);
    }
    ASSERT_FALSE(strPage.empty());
    for (const char* pszText :
         {"-p", "--print", "--print-to-pdf", "-h", "--help", "--version", ".B --\n",
          "~/.local/share/Vantix/recovery/", "/usr/share/doc/vantix/user-guide.md"}) {
        EXPECT_NE(strPage.find(pszText), std::string::npos) << pszText;
    }
}

} // namespace
