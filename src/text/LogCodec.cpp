#include "text/LogCodec.h"

#include <algorithm>

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Characters that the editor stores as a break between blocks, so that they
// would come back as a line end when saved.
constexpr std::string_view kBreakCharacters[] = {"\xE2\x80\xA9", "\xEF\xB7\x90", "\xEF\xB7\x91"};

// Offset of the first such character in UTF-8 bytes, or npos.
std::size_t FindBreakCharacter(std::string_view utf8) {
    std::size_t nFirst = std::string_view::npos;
    for (const std::string_view character : kBreakCharacters) {
        nFirst = std::min(nFirst, utf8.find(character));
    }
    return nFirst;
}

} // namespace

ELogDecodeFailure CLogCodec::Decode(std::string_view bytes, std::string& strText,
                                    CLogFormat& format, std::size_t& nBadOffset) {
    strText.clear();
    const std::size_t nNul = bytes.find('\0');
    if (nNul != std::string_view::npos) {
        nBadOffset = nNul;
        return ELogDecodeFailure::Nul;
    }
    std::size_t nUtf8Error = 0;
    const auto takeUtf8 = [&](ELogEncoding eEncoding, std::size_t nSkip) {
        const std::size_t nBreak = FindBreakCharacter(bytes);
        if (nBreak != std::string_view::npos) {
            nBadOffset = nBreak;
            return ELogDecodeFailure::BreakCharacter;
        }
        format.eEncoding = eEncoding;
        strText = ToLf(bytes.substr(nSkip), format.eLineEnds);
        return ELogDecodeFailure::None;
    };
    // A byte-order mark is the writer saying "UTF-8": believe it before
    // trying Shift-JIS, which might happen to accept the same bytes.
    if (bytes.starts_with(kUtf8Bom) && IsValidUtf8(bytes, nUtf8Error)) {
        return takeUtf8(ELogEncoding::Utf8Bom, kUtf8Bom.size());
    }
    std::string strDecoded;
    CDecodeError decodeError;
    if (DecodeShiftJis(bytes, strDecoded, decodeError)) {
        format.eEncoding = ELogEncoding::ShiftJis;
        strText = ToLf(strDecoded, format.eLineEnds);
        return ELogDecodeFailure::None;
    }
    if (IsValidUtf8(bytes, nUtf8Error)) {
        return takeUtf8(ELogEncoding::Utf8, 0);
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
