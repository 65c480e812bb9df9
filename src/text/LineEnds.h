#pragma once

#include <string>
#include <string_view>

// How the lines of a file end.
enum class ELineEnds {
    None,  // no line break at all
    CrLf,  // every break is CR LF
    Lf,    // every break is a lone LF
    Mixed, // a mixture, or lone CRs: saving writes CR LF
};

// CR LF, lone CR and lone LF all become "\n"; the style found is returned.
std::string ToLf(std::string_view text, ELineEnds& style);

// The style alone, as ToLf finds it, without making the converted text.
ELineEnds DetectLineEnds(std::string_view text);

// "\n" becomes CR LF (style CrLf or Mixed or None) or stays "\n" (style Lf).
std::string FromLf(std::string_view text, ELineEnds style);
