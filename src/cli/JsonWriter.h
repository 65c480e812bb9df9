#pragma once

#include <string>
#include <string_view>

// A small writer for the one JSON object vantix-calc prints. Numbers are
// written with the shortest text that reads back to the same double; NaN and
// infinity become null.
class CJsonWriter {
public:
    CJsonWriter& BeginObject(std::string_view key = {});
    CJsonWriter& EndObject();
    CJsonWriter& BeginArray(std::string_view key = {});
    CJsonWriter& EndArray();
    CJsonWriter& Number(std::string_view key, double dValue);
    CJsonWriter& Integer(std::string_view key, long long nValue);
    CJsonWriter& String(std::string_view key, std::string_view value);
    CJsonWriter& Bool(std::string_view key, bool bValue);
    // Array elements (no key).
    CJsonWriter& Number(double dValue) { return Number({}, dValue); }
    CJsonWriter& String(std::string_view value) { return String({}, value); }

    const std::string& Text() const { return m_strText; }

private:
    void Key(std::string_view key);
    std::string m_strText;
    bool m_bNeedComma = false;
};

std::string JsonQuote(std::string_view text);
