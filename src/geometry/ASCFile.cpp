#include "geometry/ASCFile.h"

#include "base/Error.h"
#include "geometry/TextNumbers.h"

TASCFile::TASCFile(std::string_view Text, std::string SourceName)
    : FText(Text), FSourceName(std::move(SourceName)) {}

std::string_view TASCFile::NextLine() {
    for (;;) {
        if (FPosition >= FText.size()) throw TEndOfText{};
        size_t end = FText.find_first_of("\r\n", FPosition);
        if (end == std::string_view::npos) end = FText.size();
        const std::string_view line = FText.substr(FPosition, end - FPosition);
        // CR LF is one line break; a lone CR or LF is one too.
        FPosition = end;
        if (FPosition < FText.size()) {
            const bool crlf =
                FText[FPosition] == '\r' && FPosition + 1 < FText.size() && FText[FPosition + 1] == '\n';
            FPosition += crlf ? 2 : 1;
        }
        FLineNumber = FNextLineNumber++;
        if (!line.empty()) return quillaby::TrimBlanks(line);
    }
}

T3DMChunk TASCFile::ReadChunk() {
    std::string_view line;
    do {
        line = NextLine();
    } while (line.empty() || line[0] != '#');
    const size_t space = line.find(' ');
    if (space == std::string_view::npos)
        Fail("section header '" + std::string(line.substr(0, 40)) + "' has no count");
    return T3DMChunk{std::string(line.substr(1, space - 1)), ToInteger(line.substr(space + 1))};
}

T3DMParam TASCFile::ReadParam() {
    const std::string_view line = NextLine();
    const size_t space = line.find(' ');
    if (space == std::string_view::npos) return T3DMParam{std::string(), std::string(line)};
    return T3DMParam{std::string(line.substr(0, space)), std::string(line.substr(space + 1))};
}

void TASCFile::Fail(const std::string& Message) const {
    throw quillaby::Error(FSourceName + " (line " + std::to_string(FLineNumber) + "): " + Message);
}

int32_t TASCFile::ToInteger(std::string_view Text) const {
    const auto value = quillaby::ToInteger(Text);
    if (!value) Fail(quillaby::InvalidIntegerMessage(Text));
    return *value;
}

Single TASCFile::ToSingle(std::string_view Text) const {
    const auto value = quillaby::ToSingle(Text);
    if (!value) Fail(quillaby::InvalidRealMessage(Text));
    return *value;
}

std::array<std::string_view, 3> TASCFile::SplitTriple(std::string_view Text) const {
    // "[a,b,c]": the first and the last character are brackets and are not checked.
    if (Text.size() >= 2) {
        const std::string_view inner = Text.substr(1, Text.size() - 2);
        const size_t first = inner.find(',');
        const size_t second = first == std::string_view::npos ? first : inner.find(',', first + 1);
        if (second != std::string_view::npos)
            return {inner.substr(0, first), inner.substr(first + 1, second - first - 1),
                    inner.substr(second + 1)};
    }
    Fail("'" + std::string(Text.substr(0, 40)) + "' is not a valid triple");
}

std::array<Single, 3> TASCFile::ToRealTriple(std::string_view Text) const {
    const auto parts = SplitTriple(Text);
    return {ToSingle(parts[0]), ToSingle(parts[1]), ToSingle(parts[2])};
}

std::array<int32_t, 3> TASCFile::ToIntegerTriple(std::string_view Text) const {
    const auto parts = SplitTriple(Text);
    return {ToInteger(parts[0]), ToInteger(parts[1]), ToInteger(parts[2])};
}

std::array<Single, 3> TASCFile::ToColor(std::string_view Text) const {
    // "(color r g b)": seven characters of prefix, single spaces between, a closing character.
    constexpr size_t prefix = 7;
    if (Text.size() > prefix) {
        const std::string_view inner = Text.substr(prefix, Text.size() - prefix - 1);
        const size_t first = inner.find(' ');
        const size_t second = first == std::string_view::npos ? first : inner.find(' ', first + 1);
        if (second != std::string_view::npos)
            return {ToSingle(inner.substr(0, first)), ToSingle(inner.substr(first + 1, second - first - 1)),
                    ToSingle(inner.substr(second + 1))};
    }
    Fail("'" + std::string(Text.substr(0, 40)) + "' is not a valid colour");
}

void TASCFile::ReadMatrix(std::string_view Text, Single (&Rows)[4][3]) const {
    constexpr std::string_view keyword = "(matrix3";
    const size_t at = Text.find(keyword);
    if (at == std::string_view::npos) return;
    // A number starts after "[" or "," and ends before "," or "]"; a "," that ends one number
    // starts the next.
    bool seekingEnd = false;
    size_t start = 0;
    int read = 0;
    for (size_t i = at + keyword.size(); i < Text.size() && read < 12; ++i) {
        const char c = Text[i];
        if (!seekingEnd) {
            if (c == '[' || c == ',') {
                start = i + 1;
                seekingEnd = true;
            }
        } else if (c == ',' || c == ']') {
            Rows[read / 3][read % 3] = ToSingle(Text.substr(start, i - start));
            ++read;
            start = i + 1;
            seekingEnd = c == ',';
        }
    }
}
