#include "cli/BashCompletion.h"

#include "tables/ToroidCoreCatalog.h"

#include <string_view>

namespace {

// One shell word in single quotes.
std::string Quoted(std::string_view text) {
    std::string strQuoted = "'";
    for (const char ch : text) {
        if (ch == '\'') {
            strQuoted += "'\\''";
        } else {
            strQuoted += ch;
        }
    }
    return strQuoted + "'";
}

std::string Joined(const std::vector<std::string>& words) {
    std::string strText;
    for (const std::string& strWord : words) {
        strText += (strText.empty() ? "" : " ") + strWord;
    }
    return strText;
}

struct CCatalogWords {
    std::vector<std::string> cores;
    std::vector<std::string> sizes;
    std::vector<std::string> mixes;
};

CCatalogWords CatalogWords() {
    CToroidCoreCatalog catalog;
    CCatalogWords words;
    for (int k = 0; catalog.SelectResult(k) >= 0; ++k) {
        words.cores.push_back(catalog.m_strName);
    }
    std::string strName;
    for (int i = 0; catalog.GetSizeName(i, strName) >= 0; ++i) {
        words.sizes.push_back(strName);
    }
    for (int i = 0; catalog.GetMaterialName(i, strName) >= 0; ++i) {
        words.mixes.push_back(strName);
    }
    return words;
}

// The words of a "utf-8|cp932" value name.
std::string ChoiceWords(std::string_view valueName) {
    std::string strWords(valueName);
    for (char& ch : strWords) {
        if (ch == '|') {
            ch = ' ';
        }
    }
    return strWords;
}

// Offers the file names that start with the word being completed.
constexpr const char* kFileAction =
    "compopt -o filenames 2>/dev/null; mapfile -t COMPREPLY < <(compgen -f -- \"$cur\"); return";

// What to offer after an option that takes this kind of value; empty for a flag.
std::string ValueAction(const COptionDef& option) {
    switch (option.eValue) {
    case COptionDef::FileValue:
        return kFileAction;
    case COptionDef::CoreNameValue:
        return "words=$cores";
    case COptionDef::CoreSizeValue:
        return "words=$sizes";
    case COptionDef::CoreMixValue:
        return "words=$mixes";
    case COptionDef::ChoiceValue:
        return "words=" + Quoted(ChoiceWords(option.pszValueName));
    case COptionDef::NoValue:
        return {};
    case COptionDef::AnyValue:
        break;
    }
    return "return";
}

// "case $prev in" arms: options with the same action share one arm.
std::string ValueArms(const std::vector<COptionDef>& options, const char* pszIndent) {
    std::vector<std::pair<std::string, std::string>> arms; // action, patterns
    for (const COptionDef& option : options) {
        const std::string strAction = ValueAction(option);
        if (strAction.empty()) {
            continue;
        }
        const std::string strPattern = std::string("--") + option.pszName;
        bool bMerged = false;
        for (auto& [strArmAction, strPatterns] : arms) {
            if (strArmAction == strAction) {
                strPatterns += "|" + strPattern;
                bMerged = true;
            }
        }
        if (!bMerged) {
            arms.emplace_back(strAction, strPattern);
        }
    }
    std::string strArms;
    for (const auto& [strAction, strPatterns] : arms) {
        strArms += pszIndent + strPatterns + ") " + strAction + " ;;\n";
    }
    return strArms;
}

// "--json|--help": the options that take no value, as a case pattern.
std::string FlagPattern(const std::vector<COptionDef>& options) {
    std::string strPattern;
    for (const COptionDef& option : options) {
        if (option.eValue == COptionDef::NoValue) {
            strPattern += (strPattern.empty() ? "--" : "|--") + std::string(option.pszName);
        }
    }
    return strPattern;
}

std::string OptionWords(const std::vector<COptionDef>& options) {
    std::vector<std::string> words;
    for (const COptionDef& option : options) {
        words.push_back(std::string("--") + option.pszName);
    }
    return Joined(words);
}

} // namespace

std::string BashCompletionScript(const std::vector<CCalcCommand>& commands) {
    const CCatalogWords catalog = CatalogWords();
    std::vector<std::string> firstWords;
    for (const CCalcCommand& command : commands) {
        firstWords.emplace_back(command.pszName);
    }
    firstWords.emplace_back("--help");
    firstWords.emplace_back("--version");

    std::string strScript =
        "# bash completion for vantix-calc, written by \"vantix-calc --completion bash\"\n"
        "_vantix_calc()\n"
        "{\n"
        "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}\n"
        "    local cores=" +
        Quoted(Joined(catalog.cores)) +
        "\n"
        "    local sizes=" +
        Quoted(Joined(catalog.sizes)) +
        "\n"
        "    local mixes=" +
        Quoted(Joined(catalog.mixes)) +
        "\n"
        "    local options words=- word argument= i\n"
        "    COMPREPLY=()\n"
        "    if ((COMP_CWORD == 1)); then\n"
        "        mapfile -t COMPREPLY < <(compgen -W " +
        Quoted(Joined(firstWords)) +
        " -- \"$cur\")\n"
        "        return\n"
        "    fi\n"
        "    case $prev in\n" +
        ValueArms(CommonOptions(), "    ") +
        "    esac\n"
        "    case ${COMP_WORDS[1]} in\n";
    for (const CCalcCommand& command : commands) {
        strScript += std::string("    ") + command.pszName + ")\n" +
                     "        options=" + Quoted(OptionWords(command.options)) + "\n";
        if (command.pszArgument != nullptr) {
            strScript += "        argument=1\n";
        }
        strScript += "        case $prev in\n" + ValueArms(command.options, "        ") +
                     "        esac ;;\n";
    }
    strScript += "    *) return ;;\n"
                 "    esac\n"
                 "    if [[ $words != - ]]; then\n"
                 "        mapfile -t COMPREPLY < <(compgen -W \"$words\" -- \"$cur\")\n"
                 "        return\n"
                 "    fi\n"
                 "    # A calculator's one argument is a file: offered until it is given.\n"
                 "    if [[ $argument && $cur != -* ]]; then\n"
                 "        for ((i = 2; i < COMP_CWORD; i++)); do\n"
                 "            case ${COMP_WORDS[i]} in\n"
                 "            " +
                 FlagPattern(CommonOptions()) +
                 ") ;;\n"
                 "            --*) ((i++)) ;;\n"
                 "            *) argument= ;;\n"
                 "            esac\n"
                 "        done\n"
                 "        if [[ $argument ]]; then\n"
                 "            " +
                 kFileAction +
                 "\n"
                 "        fi\n"
                 "    fi\n"
                 "    # Each option once: vantix-calc refuses one given twice.\n"
                 "    options=\" $options " +
                 OptionWords(CommonOptions()) +
                 " \"\n"
                 "    for word in \"${COMP_WORDS[@]:2:COMP_CWORD-2}\"; do\n"
                 "        options=${options/ \"$word\" / }\n"
                 "    done\n"
                 "    mapfile -t COMPREPLY < <(compgen -W \"$options\" -- \"$cur\")\n"
                 "}\n"
                 "complete -F _vantix_calc vantix-calc\n";
    return strScript;
}
