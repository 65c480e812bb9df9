#include "cli/JsonWriter.h"

#include "report/CFormat.h"

#include <charconv>
#include <cmath>

std::string JsonQuote(std::string_view text) {
    std::string strQuoted = "\"";
    for (const char c : text) {
        switch (c) {
        case '"':
            strQuoted += "\\\"";
            break;
        case '\\':
            strQuoted += "\\\\";
            break;
        case '\n':
            strQuoted += "\\n";
            break;
        case '\r':
            strQuoted += "\\r";
            break;
        case '\t':
            strQuoted += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                strQuoted += FormatC("\\u%04x", static_cast<unsigned>(c));
            } else {
                strQuoted += c;
            }
        }
    }
    strQuoted += '"';
    return strQuoted;
}

void CJsonWriter::Key(std::string_view key) {
    if (m_bNeedComma) {
        m_strText += ',';
    }
    if (!key.empty()) {
        m_strText += JsonQuote(key);
        m_strText += ':';
    }
    m_bNeedComma = true;
}

CJsonWriter& CJsonWriter::BeginObject(std::string_view key) {
    Key(key);
    m_strText += '{';
    m_bNeedComma = false;
    return *this;
}

CJsonWriter& CJsonWriter::EndObject() {
    m_strText += '}';
    m_bNeedComma = true;
    return *this;
}

CJsonWriter& CJsonWriter::BeginArray(std::string_view key) {
    Key(key);
    m_strText += '[';
    m_bNeedComma = false;
    return *this;
}

CJsonWriter& CJsonWriter::EndArray() {
    m_strText += ']';
    m_bNeedComma = true;
    return *this;
}

CJsonWriter& CJsonWriter::Number(std::string_view key, double dValue) {
    Key(key);
    if (!std::isfinite(dValue)) {
        m_strText += "null";
        return *this;
    }
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, dValue + 0.0);
    m_strText.append(buffer, result.ptr);
    return *this;
}

CJsonWriter& CJsonWriter::Integer(std::string_view key, long long nValue) {
    Key(key);
    m_strText += std::to_string(nValue);
    return *this;
}

CJsonWriter& CJsonWriter::String(std::string_view key, std::string_view value) {
    Key(key);
    m_strText += JsonQuote(value);
    return *this;
}

CJsonWriter& CJsonWriter::Bool(std::string_view key, bool bValue) {
    Key(key);
    m_strText += bValue ? "true" : "false";
    return *this;
}
