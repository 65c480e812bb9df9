// The input is read both as CP932 bytes and as UTF-8 text. Decoding and
// encoding must never replace or drop anything: whatever succeeds converts
// back to the same text, and a failure points at a real first bad position.
// A decoded log also goes through the editor's line-end conversion, which
// must give back the same text unless its line ends were mixed.
#include "text/LineEnds.h"
#include "text/ShiftJis.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void Check(bool bCondition) {
    if (!bCondition) {
        std::abort();
    }
}

void CheckDecode(std::string_view bytes) {
    std::string strText;
    CDecodeError decodeError;
    if (!DecodeShiftJis(bytes, strText, decodeError)) {
        Check(strText.empty());
        Check(decodeError.m_nByteOffset < bytes.size());
        std::string strPrefix;
        Check(DecodeShiftJis(bytes.substr(0, decodeError.m_nByteOffset), strPrefix, decodeError));
        return;
    }
    std::size_t nBad = 0;
    Check(IsValidUtf8(strText, nBad));
    ELineEnds style = ELineEnds::None;
    const std::string strEditor = ToLf(strText, style);
    Check(strEditor.find('\r') == std::string::npos);
    if (style != ELineEnds::Mixed) {
        Check(FromLf(strEditor, style) == strText);
    }
    // Several byte pairs of CP932 share one character (NEC and IBM rows), so
    // the bytes may come back in their preferred form: the text may not change,
    // and the preferred bytes are a fixed point.
    std::string strBytes;
    CEncodeError encodeError;
    Check(EncodeShiftJis(strText, strBytes, encodeError));
    std::string strBack;
    Check(DecodeShiftJis(strBytes, strBack, decodeError));
    Check(strBack == strText);
    std::string strBytesAgain;
    Check(EncodeShiftJis(strBack, strBytesAgain, encodeError));
    Check(strBytesAgain == strBytes);
}

void CheckEncode(std::string_view utf8) {
    std::string strBytes;
    CEncodeError error;
    if (!EncodeShiftJis(utf8, strBytes, error)) {
        Check(strBytes.empty());
        Check(error.m_nByteOffset < utf8.size());
        Check(error.m_nLine >= 1 && error.m_nColumn >= 1);
        std::string strPrefix;
        CEncodeError prefixError;
        Check(EncodeShiftJis(utf8.substr(0, error.m_nByteOffset), strPrefix, prefixError));
        return;
    }
    std::string strBack;
    CDecodeError decodeError;
    Check(DecodeShiftJis(strBytes, strBack, decodeError));
    Check(strBack == utf8);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize) {
    const std::string_view input(reinterpret_cast<const char*>(pData), nSize);
    CheckDecode(input);
    CheckEncode(input);
    return 0;
}
