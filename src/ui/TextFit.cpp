#include "ui/TextFit.h"

namespace quillaby::ui {

namespace {

constexpr std::string_view Ellipsis = "...";

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Drops the last character (a whole UTF-8 sequence) of `s`.
void PopCharacter(std::string& s) {
    while (!s.empty() && IsContinuationByte(s.back())) s.pop_back();
    if (!s.empty()) s.pop_back();
}

std::vector<std::string_view> Paragraphs(std::string_view text) {
    std::vector<std::string_view> paragraphs;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find('\n', start);
        std::string_view paragraph =
            text.substr(start, end == std::string_view::npos ? text.npos : end - start);
        if (!paragraph.empty() && paragraph.back() == '\r') paragraph.remove_suffix(1);
        paragraphs.push_back(paragraph);
        if (end == std::string_view::npos) return paragraphs;
        start = end + 1;
    }
}

// The length of the first line of `rest` (which starts with no blank).
std::size_t LineLength(std::string_view rest, float width, const TextMeasure& measure) {
    if (measure(rest) <= width) return rest.size();
    // The longest run of whole words that fits.
    std::size_t best = 0;
    for (std::size_t blank = rest.find(' '); blank != std::string_view::npos;
         blank = rest.find(' ', blank + 1)) {
        if (blank == 0 || rest[blank - 1] == ' ') continue;
        if (measure(rest.substr(0, blank)) > width) break;
        best = blank;
    }
    if (best > 0) return best;
    // A single word too wide for the box: cut it, at least one character a line.
    std::size_t cut = 1;
    while (cut < rest.size() && IsContinuationByte(rest[cut])) ++cut;
    for (std::size_t next = cut + 1; next <= rest.size(); ++next) {
        if (next < rest.size() && IsContinuationByte(rest[next])) continue;
        if (measure(rest.substr(0, next)) > width) break;
        cut = next;
    }
    return cut;
}

std::string_view SkipBlanks(std::string_view s) {
    const std::size_t first = s.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view() : s.substr(first);
}

} // namespace

std::vector<std::string> FitText(std::string_view text, float width, int maxLines,
                                 const TextMeasure& measure) {
    std::vector<std::string> lines;
    if (maxLines <= 0) return lines;
    const std::vector<std::string_view> paragraphs = Paragraphs(text);
    for (const std::string_view paragraph : paragraphs) {
        std::string_view rest = paragraph;
        do {
            if (static_cast<int>(lines.size()) == maxLines) {
                // More to show than fits: the last line goes on with the rest of its paragraph, as far
                // as it fits before "...".
                std::string& last = lines.back();
                if (rest.data() != paragraph.data()) (last += ' ') += rest;
                const std::string whole = last;
                while (!last.empty() && measure(last + std::string(Ellipsis)) > width) PopCharacter(last);
                // Cut at a blank where the line has one, so that no word or number ends half shown.
                const bool midWord = last.size() < whole.size() && whole[last.size()] != ' ';
                if (midWord && last.find(' ') != std::string::npos) last.erase(last.rfind(' '));
                while (!last.empty() && last.back() == ' ') last.pop_back();
                last += Ellipsis;
                return lines;
            }
            const std::size_t length = LineLength(rest, width, measure);
            lines.emplace_back(rest.substr(0, length));
            rest = SkipBlanks(rest.substr(length));
        } while (!rest.empty());
    }
    return lines;
}

} // namespace quillaby::ui
