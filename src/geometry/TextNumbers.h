#pragma once
// Number conversion for the program's own text formats (3DM models, MFL lists).
// The decimal separator is always "." whatever the process locale says.
#include <cstdint>
#include <optional>
#include <string_view>

namespace quillaby {

// Blanks and control characters: everything up to and including the space character.
inline bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

// The text without leading and trailing blanks and control characters.
std::string_view TrimBlanks(std::string_view text);

// A decimal integer with an optional sign, surrounding blanks allowed; nullopt when the text
// holds anything else or the value does not fit 32 bits.
std::optional<int32_t> ToInteger(std::string_view text);

// A decimal real ("-7.73098e-005", ".5", "3."), surrounding blanks allowed; nullopt for anything
// else, including "inf", "nan", hexadecimal and values outside the type's finite range.
std::optional<float> ToSingle(std::string_view text);
std::optional<long double> ToExtended(std::string_view text);

// The messages a failed conversion reports, naming the offending text.
std::string InvalidIntegerMessage(std::string_view text);
std::string InvalidRealMessage(std::string_view text);

} // namespace quillaby
