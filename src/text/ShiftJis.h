#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Shift-JIS (code page 932, Microsoft's table) <-> UTF-8. Nothing is ever
// replaced or dropped: the first byte sequence that cannot be decoded, or the
// first character that cannot be encoded, stops the conversion and is
// reported with its position.

struct CDecodeError {
    std::size_t m_nByteOffset = 0; // offset of the first bad byte in the input
};

struct CEncodeError {
    std::size_t m_nByteOffset = 0; // offset of the character in the UTF-8 input
    std::size_t m_nLine = 0;       // 1-based line of the character
    std::size_t m_nColumn = 0;     // 1-based column, counted in characters
    char32_t m_chCodePoint = 0;    // the character (0 when the input is not UTF-8)
};

// Decodes CP932 bytes to UTF-8. A NUL byte counts as invalid.
bool DecodeShiftJis(std::string_view bytes, std::string& strUtf8, CDecodeError& error);

// Whether DecodeShiftJis would take the bytes, and where it would stop
// (error.m_nByteOffset), without making the text: for a log whose encoding
// is only being decided.
bool IsValidShiftJis(std::string_view bytes, CDecodeError& error);

// Whether valid CP932 bytes come back the same from decoding and encoding
// again: false when some character has a second byte form (NEC and IBM
// extensions) that the encoder does not write.
bool IsCanonicalShiftJis(std::string_view bytes);

// Encodes UTF-8 text to CP932 bytes. U+0000 counts as unencodable.
bool EncodeShiftJis(std::string_view utf8, std::string& strBytes, CEncodeError& error);

// True when the bytes are well-formed UTF-8 (no overlongs, no surrogates);
// otherwise nErrorOffset is the offset of the first bad byte.
bool IsValidUtf8(std::string_view bytes, std::size_t& nErrorOffset);
