#pragma once

#include "text/LineEnds.h"
#include "text/ShiftJis.h"

#include <cstddef>
#include <string>
#include <string_view>

// How a log file is written: the encoding it was found in and its line ends.
// A new log is Shift-JIS with CR LF.
enum class ELogEncoding {
    ShiftJis,
    Utf8,    // valid UTF-8 holding a non-ASCII byte, without a byte-order mark
    Utf8Bom, // the same with a byte-order mark, which is written back too
};

struct CLogFormat {
    ELogEncoding eEncoding = ELogEncoding::ShiftJis;
    ELineEnds eLineEnds = ELineEnds::CrLf;
};

enum class ELogDecodeFailure {
    None,
    Nul,     // the file holds a NUL byte
    NotText, // neither UTF-8 nor Shift-JIS
    // UTF-8 holding a character the editor would turn into a line break
    // (U+2029, or the noncharacters U+FDD0 / U+FDD1 that it uses itself)
    BreakCharacter,
};

// The log's bytes <-> the editor's text (UTF-8 with "\n" breaks). Decoding
// then encoding with the format found gives back the same bytes.
class CLogCodec {
public:
    // Decides how the bytes are read, once for the whole file: valid UTF-8
    // holding at least one non-ASCII byte is UTF-8 (Shift-JIS Japanese almost
    // never is valid UTF-8, while short UTF-8 text often is valid Shift-JIS);
    // anything else is Shift-JIS; a file that is neither is refused, with
    // nBadOffset where the reading that got further stops. A byte-order mark
    // makes the file UTF-8 or nothing. Also finds the line ends.
    static ELogDecodeFailure DetectFormat(std::string_view bytes, CLogFormat& format,
                                          std::size_t& nBadOffset);

    // On failure nBadOffset is the offset of the first byte that stops the
    // reading (the NUL, or the first byte Shift-JIS cannot read).
    static ELogDecodeFailure Decode(std::string_view bytes, std::string& strText,
                                    CLogFormat& format, std::size_t& nBadOffset);

    // Fails on the first character the encoding cannot hold (Shift-JIS only);
    // the error's line and column count in the editor's text.
    static bool Encode(std::string_view text, const CLogFormat& format, std::string& strBytes,
                       CEncodeError& error);
};
