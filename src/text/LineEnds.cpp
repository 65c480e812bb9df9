#include "text/LineEnds.h"

std::string ToLf(std::string_view text, ELineEnds& style) {
    std::string strResult;
    strResult.reserve(text.size());
    bool bCrLf = false;
    bool bLf = false;
    bool bCr = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                bCrLf = true;
                ++i;
            } else {
                bCr = true;
            }
            strResult += '\n';
        } else {
            if (c == '\n') {
                bLf = true;
            }
            strResult += c;
        }
    }
    if (bCr || (bCrLf && bLf)) {
        style = ELineEnds::Mixed;
    } else if (bCrLf) {
        style = ELineEnds::CrLf;
    } else if (bLf) {
        style = ELineEnds::Lf;
    } else {
        style = ELineEnds::None;
    }
    return strResult;
}

ELineEnds DetectLineEnds(std::string_view text) {
    bool bCrLf = false;
    bool bLf = false;
    for (std::size_t i = text.find_first_of("\r\n"); i != std::string_view::npos;
         i = text.find_first_of("\r\n", i + 1)) {
        if (text[i] == '\n') {
            bLf = true;
        } else if (i + 1 < text.size() && text[i + 1] == '\n') {
            bCrLf = true;
            ++i;
        } else {
            return ELineEnds::Mixed; // a lone CR
        }
        if (bCrLf && bLf) {
            return ELineEnds::Mixed;
        }
    }
    return bCrLf ? ELineEnds::CrLf : bLf ? ELineEnds::Lf : ELineEnds::None;
}

std::string FromLf(std::string_view text, ELineEnds style) {
    if (style == ELineEnds::Lf) {
        return std::string(text);
    }
    std::string strResult;
    strResult.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c == '\n') {
            strResult += '\r';
        }
        strResult += c;
    }
    return strResult;
}
