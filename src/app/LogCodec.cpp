#include "app/LogCodec.h"

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

} // namespace

ELogDecodeFailure CLogCodec::Decode(std::string_view bytes, std::string& strText,
                                    CLogFormat& format, std::size_t& nBadOffset) {
    strText.clear();
    const std::size_t nNul = bytes.find('\0');
    if (nNul != std::string_view::npos) {
        nBadOffset = nNul;
        return ELogDecodeFailure::Nul;
    }
    // A byte-order mark is the writer saying "UTF-8": believe it before
    // trying Shift-JIS, which might happen to accept the same bytes.
    std::size_t nUtf8Error = 0;
    if (bytes.starts_with(kUtf8Bom) && IsValidUtf8(bytes.substr(kUtf8Bom.size()), nUtf8Error)) {
        format.eEncoding = ELogEncoding::Utf8Bom;
        strText = ToLf(bytes.substr(kUtf8Bom.size()), format.eLineEnds);
        return ELogDecodeFailure::None;
    }
    std::string strDecoded;
    CDecodeError decodeError;
    if (DecodeShiftJis(bytes, strDecoded, decodeError)) {
        format.eEncoding = ELogEncoding::ShiftJis;
        strText = ToLf(strDecoded, format.eLineEnds);
        return ELogDecodeFailure::None;
    }
    if (IsValidUtf8(bytes, nUtf8Error)) {
        format.eEncoding = ELogEncoding::Utf8;
        strText = ToLf(bytes, format.eLineEnds);
        return ELogDecodeFailure::None;
    }
    nBadOffset = decodeError.m_nByteOffset;
    return ELogDecodeFailure::NotText;
}

bool CLogCodec::Encode(std::string_view text, const CLogFormat& format, std::string& strBytes,
                       CEncodeError& error) {
    // A file whose breaks were mixed is normalised to CR LF when written.
    const ELineEnds eWritten = format.eLineEnds == ELineEnds::Lf ? ELineEnds::Lf : ELineEnds::CrLf;
    if (format.eEncoding == ELogEncoding::ShiftJis) {
        // Encoded before the CRs are added, so that the error's line and
        // column count in the editor's lines. CP932 never uses 0x0A inside a
        // character, so adding them afterwards is safe.
        std::string strEncoded;
        if (!EncodeShiftJis(text, strEncoded, error)) {
            strBytes.clear();
            return false;
        }
        strBytes = FromLf(strEncoded, eWritten);
        return true;
    }
    strBytes.clear();
    if (format.eEncoding == ELogEncoding::Utf8Bom) {
        strBytes = kUtf8Bom;
    }
    strBytes += FromLf(text, eWritten);
    return true;
}
