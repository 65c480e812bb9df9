#include "text/LogCodec.h"

#include <algorithm>
#include <utility>

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

bool HasNonAscii(std::string_view bytes) {
    return std::any_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// Whether a character belongs in Japanese text: ASCII, kana of both widths,
// kanji, full-width forms, Japanese punctuation, and the Greek letters and
// symbols of the CP932 repertoire that reports use (μ, Ω, ±, →, ○).
bool IsJapaneseCharacter(char32_t ch) {
    const auto within = [ch](char32_t first, char32_t last) { return ch >= first && ch <= last; };
    return ch < 0x80 || within(0x0391, 0x03C9) || within(0x2010, 0x266F) ||
           within(0x3000, 0x30FF) || within(0x31F0, 0x31FF) || within(0x3400, 0x4DBF) ||
           within(0x4E00, 0x9FFF) || within(0xF900, 0xFAFF) || within(0xFF01, 0xFFEF);
}

// Every character of valid UTF-8 is Japanese text.
bool IsJapaneseText(std::string_view utf8) {
    for (std::size_t n = 0; n < utf8.size();) {
        const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(utf8[n + k]); };
        char32_t ch = byte(0);
        std::size_t nLength = 1;
        if (ch >= 0xF0) {
            ch = ((ch & 0x07) << 18) | ((byte(1) & 0x3F) << 12) | ((byte(2) & 0x3F) << 6) |
                 (byte(3) & 0x3F);
            nLength = 4;
        } else if (ch >= 0xE0) {
            ch = ((ch & 0x0F) << 12) | ((byte(1) & 0x3F) << 6) | (byte(2) & 0x3F);
            nLength = 3;
        } else if (ch >= 0xC0) {
            ch = ((ch & 0x1F) << 6) | (byte(1) & 0x3F);
            nLength = 2;
        }
        if (!IsJapaneseCharacter(ch)) {
            return false;
        }
        n += nLength;
    }
    return true;
}

// The encoding alone. When it is Shift-JIS, pstrDecoded (if given) gets the
// text, so that a caller needing it does not decode twice.
ELogDecodeFailure DetectEncoding(std::string_view bytes, ELogEncoding& eEncoding,
                                 std::size_t& nBadOffset, std::string* pstrDecoded) {
    const std::size_t nNul = bytes.find('\0');
    if (nNul != std::string_view::npos) {
        nBadOffset = nNul;
        return ELogDecodeFailure::Nul;
    }
    std::size_t nUtf8Error = 0;
    const bool bUtf8 = IsValidUtf8(bytes, nUtf8Error);
    if (bUtf8 && HasNonAscii(bytes)) {
        // Half-width katakana can pair into valid UTF-8 ("ﾐｽ" is "н"): when
        // both readings are valid and only the Shift-JIS one is Japanese
        // text, it is Shift-JIS. Otherwise UTF-8, as a BOM always says.
        std::string strShiftJis;
        CDecodeError ignored;
        if (!bytes.starts_with(kUtf8Bom) && !IsJapaneseText(bytes) &&
            DecodeShiftJis(bytes, strShiftJis, ignored) && IsJapaneseText(strShiftJis)) {
            eEncoding = ELogEncoding::ShiftJis;
            if (pstrDecoded != nullptr) {
                *pstrDecoded = std::move(strShiftJis);
            }
            return ELogDecodeFailure::None;
        }
        eEncoding = bytes.starts_with(kUtf8Bom) ? ELogEncoding::Utf8Bom : ELogEncoding::Utf8;
        return ELogDecodeFailure::None;
    }
    if (bytes.starts_with(kUtf8Bom)) {
        nBadOffset = nUtf8Error;
        return ELogDecodeFailure::NotText;
    }
    std::string strDecoded;
    CDecodeError decodeError;
    if (pstrDecoded == nullptr ? IsValidShiftJis(bytes, decodeError)
                               : DecodeShiftJis(bytes, strDecoded, decodeError)) {
        eEncoding = ELogEncoding::ShiftJis;
        if (pstrDecoded != nullptr) {
            *pstrDecoded = std::move(strDecoded);
        }
        return ELogDecodeFailure::None;
    }
    nBadOffset = std::max(nUtf8Error, decodeError.m_nByteOffset);
    return ELogDecodeFailure::NotText;
}

} // namespace

ELogDecodeFailure CLogCodec::DetectFormat(std::string_view bytes, CLogFormat& format,
                                          std::size_t& nBadOffset) {
    const ELogDecodeFailure eFailure = DetectEncoding(bytes, format.eEncoding, nBadOffset, nullptr);
    if (eFailure == ELogDecodeFailure::None) {
        // CR and LF never occur inside a character of either encoding.
        format.eLineEnds = DetectLineEnds(bytes);
    }
    return eFailure;
}

ELogDecodeFailure CLogCodec::Decode(std::string_view bytes, std::string& strText,
                                    CLogFormat& format, std::size_t& nBadOffset) {
    strText.clear();
    std::string strDecoded;
    ELogEncoding eEncoding = ELogEncoding::ShiftJis;
    const ELogDecodeFailure eFailure = DetectEncoding(bytes, eEncoding, nBadOffset, &strDecoded);
    if (eFailure != ELogDecodeFailure::None) {
        return eFailure;
    }
    if (eEncoding == ELogEncoding::ShiftJis) {
        format.eEncoding = eEncoding;
        strText = ToLf(strDecoded, format.eLineEnds);
        return ELogDecodeFailure::None;
    }
    const std::size_t nBreak = FindBreakCharacter(bytes);
    if (nBreak != std::string_view::npos) {
        nBadOffset = nBreak;
        return ELogDecodeFailure::BreakCharacter;
    }
    format.eEncoding = eEncoding;
    const std::size_t nSkip = eEncoding == ELogEncoding::Utf8Bom ? kUtf8Bom.size() : 0;
    strText = ToLf(bytes.substr(nSkip), format.eLineEnds);
    return ELogDecodeFailure::None;
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
