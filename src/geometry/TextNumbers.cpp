#include "geometry/TextNumbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace quillaby {

std::string_view TrimBlanks(std::string_view text) {
    size_t first = 0;
    while (first < text.size() && IsBlank(text[first])) ++first;
    size_t last = text.size();
    while (last > first && IsBlank(text[last - 1])) --last;
    return text.substr(first, last - first);
}

namespace {

// from_chars accepts no leading "+"; a single one is allowed here as a sign.
std::string_view SkipPlus(std::string_view text) {
    if (!text.empty() && text[0] == '+' && (text.size() < 2 || text[1] != '-')) text.remove_prefix(1);
    return text;
}

// Only digits, signs, the point and the exponent mark may appear, which keeps out the
// spellings of infinity, not-a-number and hexadecimal that from_chars would take.
bool HasOnlyDecimalCharacters(std::string_view text) {
    for (char c : text) {
        const bool ok = (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E';
        if (!ok) return false;
    }
    return true;
}

// Parses as Wide, so that values too small for Real become zero, as they would when typed into any
// editor, while values too large for it are refused.
template <typename Real, typename Wide> std::optional<Real> ToReal(std::string_view text) {
    text = SkipPlus(TrimBlanks(text));
    if (text.empty() || !HasOnlyDecimalCharacters(text)) return std::nullopt;
    Wide value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    // A Real wider than Wide holds every finite Wide.
    if constexpr (sizeof(Real) <= sizeof(Wide))
        if (std::fabs(value) > static_cast<Wide>(std::numeric_limits<Real>::max())) return std::nullopt;
    return static_cast<Real>(value);
}

} // namespace

std::optional<int32_t> ToInteger(std::string_view text) {
    text = SkipPlus(TrimBlanks(text));
    if (text.empty()) return std::nullopt;
    int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// Double for singles: the library's long double conversion is several times slower.
std::optional<float> ToSingle(std::string_view text) {
    return ToReal<float, double>(text);
}

// Read as a double and widened: the C++ libraries' long double conversion rounds differently on
// Linux and Windows (the double one is correctly rounded on both), and the key times must be the same
// everywhere; a double's 17 digits are more than any key time carries.
std::optional<long double> ToExtended(std::string_view text) {
    return ToReal<long double, double>(text);
}

namespace {

// Quotes at most 40 characters of the text: a message must stay readable for a line of garbage.
std::string Quoted(std::string_view text) {
    constexpr size_t shown = 40;
    std::string result = "'";
    for (char c : text.substr(0, shown)) result += IsBlank(c) && c != ' ' ? '?' : c;
    if (text.size() > shown) result += "...";
    return result + "'";
}

} // namespace

std::string InvalidIntegerMessage(std::string_view text) {
    return Quoted(text) + " is not a valid integer value";
}

std::string InvalidRealMessage(std::string_view text) {
    return Quoted(text) + " is not a valid floating point value";
}

} // namespace quillaby
