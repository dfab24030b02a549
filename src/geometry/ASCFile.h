#pragma once
// TASCFile: the line reader under the 3DM model format. It hands out trimmed lines, section
// headers and key/value lines, converts the format's value syntaxes, and words every failure
// with the source's name and the line number.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "math/Geometry.h"

// A section header: "#Vertices 25" is ("Vertices", 25).
struct T3DMChunk {
    std::string Name;
    int32_t Count = 0;
};

// A key/value line split at its first space: "Ambient (color 1 2 3)" is ("Ambient", "(color 1 2 3)").
struct T3DMParam {
    std::string Name;
    std::string Value;
};

// Thrown when the text has no further line. The end of the text ends a load normally, so the
// reader catches it; it never reaches a caller of the reader.
struct TEndOfText {};

class TASCFile {
  public:
    // SourceName is what messages call the text (the file or resource name).
    TASCFile(std::string_view Text, std::string SourceName);

    // The next line of non-zero length, trimmed of blanks and control characters at both ends;
    // TEndOfText when the text is used up. The view points into the text.
    std::string_view NextLine();
    // The next line that begins with "#", read as a section header.
    T3DMChunk ReadChunk();
    // The next line, split at its first space; without a space the key is empty.
    T3DMParam ReadParam();

    // 1-based number of the line last returned (0 before the first).
    int LineNumber() const { return FLineNumber; }
    const std::string& SourceName() const { return FSourceName; }

    // Raises quillaby::Error "<source> (line <n>): <message>".
    [[noreturn]] void Fail(const std::string& Message) const;

    // Conversions that fail with the source and line named.
    int32_t ToInteger(std::string_view Text) const;
    Single ToSingle(std::string_view Text) const;
    // "[x,y,z]": reals, or integers for faces.
    std::array<Single, 3> ToRealTriple(std::string_view Text) const;
    std::array<int32_t, 3> ToIntegerTriple(std::string_view Text) const;
    // "(color r g b)": three reals.
    std::array<Single, 3> ToColor(std::string_view Text) const;
    // "... (matrix3 [a,b,c] [d,e,f] [g,h,i] [j,k,l])": up to twelve reals into rows 0..3,
    // columns 0..2 in reading order; entries the line does not reach keep their values.
    void ReadMatrix(std::string_view Text, Single (&Rows)[4][3]) const;

  private:
    std::array<std::string_view, 3> SplitTriple(std::string_view Text) const;

    std::string_view FText;
    size_t FPosition = 0;
    int FLineNumber = 0;
    // Physical line number of the next line to be scanned.
    int FNextLineNumber = 1;
    std::string FSourceName;
};
