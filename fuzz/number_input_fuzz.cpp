// Whatever is typed, the parser either rejects it or yields a finite value
// that is never -0 and that survives being written back into the field.
#include "text/NumberInput.h"

#include <cmath>
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

// %.15g rounds the largest doubles up past the double range, so their edit
// text cannot be read back; every field range lies far below this.
constexpr double kLargestRewritable = 1.79769313486231e308;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize) {
    const std::string_view text(reinterpret_cast<const char*>(pData), nSize);
    double dValue = 0.0;
    if (!ParseNumber(text, dValue)) {
        return 0;
    }
    Check(std::isfinite(dValue));
    Check(!(dValue == 0.0 && std::signbit(dValue)));
    Check(IsWithinRange(dValue, dValue, dValue));
    if (std::fabs(dValue) > kLargestRewritable) {
        return 0;
    }
    const std::string strEdit = FormatEditValue(dValue);
    double dAgain = 0.0;
    Check(ParseNumber(strEdit, dAgain));
    // Fifteen digits are kept: the text is stable from the second write on.
    Check(FormatEditValue(dAgain) == strEdit);
    Check(std::fabs(dAgain - dValue) <= 1e-14 * std::fabs(dValue));
    return 0;
}
