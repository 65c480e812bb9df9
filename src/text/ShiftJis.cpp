#include "text/ShiftJis.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <iconv.h>
#include <vector>

namespace {

// RAII holder for one iconv conversion descriptor.
class CIconv {
public:
    CIconv(const char* pszTo, const char* pszFrom) : m_cd(iconv_open(pszTo, pszFrom)) {}
    ~CIconv() {
        if (IsOpen()) {
            iconv_close(m_cd);
        }
    }
    CIconv(const CIconv&) = delete;
    CIconv& operator=(const CIconv&) = delete;
    bool IsOpen() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts all of input; on failure nFailOffset is where in the input the
    // conversion stopped.
    bool Convert(std::string_view input, std::string& strOutput, std::size_t& nFailOffset) {
        strOutput.clear();
        if (!IsOpen()) {
            nFailOffset = 0;
            return false;
        }
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char* pIn = const_cast<char*>(input.data());
        std::size_t nInLeft = input.size();
        char buffer[16384];
        while (nInLeft > 0) {
            char* pOut = buffer;
            std::size_t nOutLeft = sizeof buffer;
            const std::size_t nResult = iconv(m_cd, &pIn, &nInLeft, &pOut, &nOutLeft);
            strOutput.append(buffer, static_cast<std::size_t>(pOut - buffer));
            if (nResult == static_cast<std::size_t>(-1) && errno != E2BIG) {
                nFailOffset = static_cast<std::size_t>(pIn - input.data());
                return false;
            }
        }
        char* pOut = buffer;
        std::size_t nOutLeft = sizeof buffer;
        iconv(m_cd, nullptr, nullptr, &pOut, &nOutLeft);
        strOutput.append(buffer, static_cast<std::size_t>(pOut - buffer));
        return true;
    }

private:
    iconv_t m_cd;
};

// Which single bytes and byte pairs the decoder takes, asked of the decoder
// itself once: CP932 has no state, so a text is valid exactly when it is a
// run of such characters.
// kValid: the decoder takes it; kOtherForm: the encoder writes the
// character in another form.
constexpr std::uint8_t kValid = 1;
constexpr std::uint8_t kOtherForm = 2;

struct CShiftJisTable {
    std::array<std::uint8_t, 256> singles{};
    std::vector<std::uint8_t> pairs = std::vector<std::uint8_t>(65536); // lead << 8 | trail
};

const CShiftJisTable& ShiftJisTable() {
    static const CShiftJisTable table = [] {
        CShiftJisTable made;
        CIconv decoder("UTF-8", "CP932");
        CIconv encoder("CP932", "UTF-8");
        std::string strDecoded;
        std::string strAgain;
        std::size_t nIgnored = 0;
        const auto writtenSo = [&](std::string_view bytes) {
            return encoder.Convert(strDecoded, strAgain, nIgnored) && strAgain == bytes;
        };
        for (int nLead = 1; nLead < 256; ++nLead) {
            const char lead = static_cast<char>(nLead);
            if (decoder.Convert(std::string_view(&lead, 1), strDecoded, nIgnored)) {
                made.singles[static_cast<std::size_t>(nLead)] =
                    writtenSo(std::string_view(&lead, 1)) ? kValid : kValid | kOtherForm;
                continue;
            }
            for (int nTrail = 1; nTrail < 256; ++nTrail) {
                const char pair[2] = {lead, static_cast<char>(nTrail)};
                if (decoder.Convert(std::string_view(pair, 2), strDecoded, nIgnored)) {
                    const auto nCode = static_cast<std::size_t>(nLead << 8 | nTrail);
                    made.pairs[nCode] =
                        writtenSo(std::string_view(pair, 2)) ? kValid : kValid | kOtherForm;
                }
            }
        }
        return made;
    }();
    return table;
}

std::size_t Utf8SequenceLength(unsigned char c) {
    if (c < 0x80) {
        return 1;
    }
    if ((c & 0xE0) == 0xC0) {
        return 2;
    }
    if ((c & 0xF0) == 0xE0) {
        return 3;
    }
    if ((c & 0xF8) == 0xF0) {
        return 4;
    }
    return 1;
}

char32_t DecodeCodePointAt(std::string_view utf8, std::size_t nOffset) {
    const auto c0 = static_cast<unsigned char>(utf8[nOffset]);
    const std::size_t nLength = Utf8SequenceLength(c0);
    if (nLength == 1 || nOffset + nLength > utf8.size()) {
        return c0 < 0x80 ? c0 : 0;
    }
    char32_t ch = c0 & (0x7F >> nLength);
    for (std::size_t k = 1; k < nLength; ++k) {
        ch = (ch << 6) | (static_cast<unsigned char>(utf8[nOffset + k]) & 0x3F);
    }
    return ch;
}

// Fills in line and column (1-based, in characters) of a byte offset.
CEncodeError PositionOf(std::string_view utf8, std::size_t nOffset) {
    CEncodeError error;
    error.m_nByteOffset = nOffset;
    error.m_nLine = 1;
    error.m_nColumn = 1;
    for (std::size_t i = 0; i < nOffset;) {
        if (utf8[i] == '\n') {
            ++error.m_nLine;
            error.m_nColumn = 1;
            ++i;
        } else {
            ++error.m_nColumn;
            i += Utf8SequenceLength(static_cast<unsigned char>(utf8[i]));
        }
    }
    error.m_chCodePoint = DecodeCodePointAt(utf8, nOffset);
    return error;
}

// Backs a byte offset up to the first byte of the UTF-8 character holding it.
std::size_t CharacterStart(std::string_view utf8, std::size_t nOffset) {
    while (nOffset > 0 && (static_cast<unsigned char>(utf8[nOffset]) & 0xC0) == 0x80) {
        --nOffset;
    }
    return nOffset;
}

} // namespace

bool DecodeShiftJis(std::string_view bytes, std::string& strUtf8, CDecodeError& error) {
    // A NUL counts as invalid, but a bad sequence before it is the first error.
    const std::size_t nNul = bytes.find('\0');
    CIconv decoder("UTF-8", "CP932");
    std::size_t nFail = 0;
    if (!decoder.Convert(bytes.substr(0, nNul), strUtf8, nFail)) {
        error.m_nByteOffset = nFail;
        strUtf8.clear();
        return false;
    }
    if (nNul != std::string_view::npos) {
        error.m_nByteOffset = nNul;
        strUtf8.clear();
        return false;
    }
    return true;
}

bool IsValidShiftJis(std::string_view bytes, CDecodeError& error) {
    const CShiftJisTable& table = ShiftJisTable();
    for (std::size_t n = 0; n < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[n]);
        if ((table.singles[byte] & kValid) != 0) {
            ++n;
        } else if (n + 1 < bytes.size() &&
                   (table.pairs[static_cast<std::size_t>(
                        byte << 8 | static_cast<unsigned char>(bytes[n + 1]))] &
                    kValid) != 0) {
            n += 2;
        } else {
            error.m_nByteOffset = n;
            return false;
        }
    }
    return true;
}

bool IsCanonicalShiftJis(std::string_view bytes) {
    const CShiftJisTable& table = ShiftJisTable();
    for (std::size_t n = 0; n < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[n]);
        if (table.singles[byte] != 0) {
            if (table.singles[byte] != kValid) {
                return false;
            }
            ++n;
            continue;
        }
        if (n + 1 >= bytes.size() ||
            table.pairs[static_cast<std::size_t>(
                byte << 8 | static_cast<unsigned char>(bytes[n + 1]))] != kValid) {
            return false;
        }
        n += 2;
    }
    return true;
}

bool EncodeShiftJis(std::string_view utf8, std::string& strBytes, CEncodeError& error) {
    // Malformed UTF-8 and NUL (which the decoder refuses, so a text holding
    // one must not be saved) stop the encoding; an unencodable character
    // before them is still the first error.
    std::size_t nStop = 0;
    if (IsValidUtf8(utf8, nStop)) {
        nStop = utf8.size();
    }
    nStop = std::min(nStop, utf8.find('\0'));
    if (nStop < utf8.size()) {
        if (EncodeShiftJis(utf8.substr(0, nStop), strBytes, error)) {
            error = PositionOf(utf8, nStop);
            error.m_chCodePoint = 0;
        }
        strBytes.clear();
        return false;
    }
    std::size_t nBad = 0;
    CIconv encoder("CP932", "UTF-8");
    const bool bConverted = encoder.Convert(utf8, strBytes, nBad);
    const std::string_view converted = bConverted ? utf8 : utf8.substr(0, nBad);
    // The converter maps a few characters (such as U+00A5 and U+2212) to bytes
    // that read back as other characters. Decoding again finds them: the
    // texts agree up to the first such character. That one may come before
    // the character the converter stopped at.
    std::string strBack;
    CIconv decoder("UTF-8", "CP932");
    std::size_t nIgnored = 0;
    decoder.Convert(strBytes, strBack, nIgnored);
    if (strBack != converted) {
        std::size_t nDiff = 0;
        while (nDiff < converted.size() && nDiff < strBack.size() &&
               converted[nDiff] == strBack[nDiff]) {
            ++nDiff;
        }
        error = PositionOf(utf8, CharacterStart(utf8, nDiff));
        strBytes.clear();
        return false;
    }
    if (!bConverted) {
        error = PositionOf(utf8, nBad);
        strBytes.clear();
        return false;
    }
    return true;
}

bool IsValidUtf8(std::string_view bytes, std::size_t& nErrorOffset) {
    std::size_t i = 0;
    const std::size_t n = bytes.size();
    while (i < n) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t nLength = 0;
        char32_t ch = 0;
        char32_t nMin = 0;
        if (c >= 0xC2 && c <= 0xDF) {
            nLength = 2;
            ch = c & 0x1F;
            nMin = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            nLength = 3;
            ch = c & 0x0F;
            nMin = 0x800;
        } else if (c >= 0xF0 && c <= 0xF4) {
            nLength = 4;
            ch = c & 0x07;
            nMin = 0x10000;
        } else {
            nErrorOffset = i;
            return false;
        }
        if (i + nLength > n) {
            nErrorOffset = i;
            return false;
        }
        for (std::size_t k = 1; k < nLength; ++k) {
            const auto cc = static_cast<unsigned char>(bytes[i + k]);
            if ((cc & 0xC0) != 0x80) {
                nErrorOffset = i;
                return false;
            }
            ch = (ch << 6) | (cc & 0x3F);
        }
        if (ch < nMin || ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF)) {
            nErrorOffset = i;
            return false;
        }
        i += nLength;
    }
    return true;
}
