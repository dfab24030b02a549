#pragma once
// The text of a settings file: one value a line, Name=value, an integer in decimal or a string in
// double quotes (\\ and \" escaped). Blank lines, # comments, lines that are no value and values of
// names nobody asks for are kept byte for byte; setting a value rewrites its line or appends one.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TSettingsText {
  public:
    enum class TKind { Missing, Integer, String, Invalid };
    struct TValue {
        TKind Kind = TKind::Missing;
        int32_t Integer = 0;
        std::string String;
    };

    explicit TSettingsText(std::string_view text = {});

    // The first line of that name (ASCII letters match in either case).
    TValue Find(std::string_view name) const;
    void SetInteger(std::string_view name, int32_t value);
    // Text(): every line ends in "\n".
    std::string Text() const;

  private:
    int IndexOf(std::string_view name) const;
    void SetLine(std::string_view name, std::string line);

    std::vector<std::string> FLines; // without their "\n"
};
