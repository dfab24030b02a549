#include "ui/SettingsText.h"

#include <charconv>
#include <limits>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && (IsBlank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

// Splits "Name=value" (a value line) into its trimmed parts; false for blank lines, comments and
// lines without "=".
bool SplitLine(std::string_view line, std::string_view& name, std::string_view& value) {
    const std::string_view trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() == '#') return false;
    const auto eq = trimmed.find('=');
    if (eq == std::string_view::npos) return false;
    name = Trim(trimmed.substr(0, eq));
    value = Trim(trimmed.substr(eq + 1));
    return !name.empty();
}

TSettingsText::TValue ParseValue(std::string_view text) {
    TSettingsText::TValue value;
    value.Kind = TSettingsText::TKind::Invalid;
    if (text.empty()) return value;
    if (text.front() == '"') {
        std::string s;
        size_t i = 1;
        for (; i < text.size() && text[i] != '"'; ++i) {
            if (text[i] == '\\') {
                if (++i == text.size() || (text[i] != '\\' && text[i] != '"')) return value;
            }
            s += text[i];
        }
        if (i != text.size() - 1) return value; // no closing quote, or text after it
        value.Kind = TSettingsText::TKind::String;
        value.String = std::move(s);
        return value;
    }
    const char* first = text.data();
    const char* last = first + text.size();
    if (*first == '+') ++first;
    int64_t n = 0;
    const auto [end, ec] = std::from_chars(first, last, n);
    if (ec != std::errc() || end != last || n < std::numeric_limits<int32_t>::min() ||
        n > std::numeric_limits<int32_t>::max())
        return value;
    value.Kind = TSettingsText::TKind::Integer;
    value.Integer = static_cast<int32_t>(n);
    return value;
}

} // namespace

TSettingsText::TSettingsText(std::string_view text) {
    while (!text.empty()) {
        const auto nl = text.find('\n');
        FLines.emplace_back(text.substr(0, nl));
        text.remove_prefix(nl == std::string_view::npos ? text.size() : nl + 1);
    }
}

int TSettingsText::IndexOf(std::string_view name) const {
    for (size_t i = 0; i < FLines.size(); ++i) {
        std::string_view n, v;
        if (SplitLine(FLines[i], n, v) && SameName(n, name)) return static_cast<int>(i);
    }
    return -1;
}

TSettingsText::TValue TSettingsText::Find(std::string_view name) const {
    const int i = IndexOf(name);
    if (i < 0) return {};
    std::string_view n, v;
    SplitLine(FLines[static_cast<size_t>(i)], n, v);
    return ParseValue(v);
}

void TSettingsText::SetLine(std::string_view name, std::string line) {
    const int i = IndexOf(name);
    if (i >= 0)
        FLines[static_cast<size_t>(i)] = std::move(line);
    else
        FLines.push_back(std::move(line));
}

void TSettingsText::SetInteger(std::string_view name, int32_t value) {
    SetLine(name, std::string(name) + "=" + std::to_string(value));
}

std::string TSettingsText::Text() const {
    std::string text;
    for (const auto& line : FLines) text += line + "\n";
    return text;
}
