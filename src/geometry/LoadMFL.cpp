#include "geometry/LoadMFL.h"

#include "assets/StringList.h"
#include "base/Error.h"
#include "geometry/GLVertexAnimation.h"
#include "geometry/ModelImport.h"
#include "geometry/TGLPrimitive.h"
#include "geometry/TextNumbers.h"

namespace {

struct MFLFrame {
    Extended Time = 0;
    std::string ModelName;
};

[[noreturn]] void Fail(const std::string& SourceName, size_t Line, const std::string& Message) {
    throw quillaby::Error(SourceName + " (line " + std::to_string(Line) + "): " + Message);
}

// "<time> <model name>": split at the first space, the name keeps any further spaces.
MFLFrame ReadFrame(const std::string& SourceName, size_t Line, std::string_view Text) {
    const size_t space = Text.find(' ');
    const std::string_view time = Text.substr(0, space);
    const auto value = quillaby::ToExtended(time);
    if (!value) Fail(SourceName, Line, quillaby::InvalidRealMessage(time));
    if (space == std::string_view::npos)
        Fail(SourceName, Line, "'" + std::string(Text.substr(0, 40)) + "' names no model");
    return MFLFrame{*value, std::string(Text.substr(space + 1))};
}

} // namespace

void LoadMFLLines(const std::vector<std::string>& Lines, const std::string& SourceName,
                  TGLTextureList& Textures, TGLMaterialList& Materials, TAnimationList& Animations,
                  TGLPrimitiveList& Primitives, const TLoadSettings& From) {
    Animations.Clear();
    if (Lines.size() < 2) return;

    const std::string_view first = quillaby::TrimBlanks(Lines[0]);
    const std::string_view flagText = first.substr(0, first.find(' '));
    const auto flag = quillaby::ToInteger(flagText);
    if (!flag) Fail(SourceName, 1, quillaby::InvalidIntegerMessage(flagText));

    const MFLFrame base = ReadFrame(SourceName, 2, quillaby::TrimBlanks(Lines[1]));
    LoadModel(base.ModelName, Textures, Materials, Primitives, From);
    for (int i = 0; i < Primitives.Count(); ++i) {
        auto animation = std::make_unique<TGLVertexAnimation>();
        animation->Primitive = Primitives.Items(i);
        animation->SetLooped(*flag > 0);
        animation->Primitive->Vertices.AssignTo(&animation->AddKey(base.Time));
        Animations.Add(std::move(animation));
    }

    TGLPrimitiveList frames;
    for (size_t line = 3; line <= Lines.size(); ++line) {
        const std::string_view text = quillaby::TrimBlanks(Lines[line - 1]);
        if (text.empty()) continue;
        const MFLFrame frame = ReadFrame(SourceName, line, text);
        LoadPrimitiveList(frame.ModelName, frames, From);
        if (frames.Count() > Animations.Count())
            Fail(SourceName, line,
                 "'" + frame.ModelName + "' gives " + std::to_string(frames.Count()) +
                     " primitives, the first model " + std::to_string(Animations.Count()));
        for (int i = 0; i < frames.Count(); ++i) {
            auto* animation = dynamic_cast<TGLVertexAnimation*>(Animations.Items(i));
            if (animation == nullptr)
                Fail(SourceName, line, "animation " + std::to_string(i) + " is not a vertex animation");
            frames.Items(i)->Vertices.AssignTo(&animation->AddKey(frame.Time));
        }
    }
}

void LoadMFL(const std::string& FileName, TGLTextureList& Textures, TGLMaterialList& Materials,
             TAnimationList& Animations, TGLPrimitiveList& Primitives, const TLoadSettings& From) {
    Animations.Clear();
    std::vector<std::string> lines;
    if (From.LoadFromResources)
        LoadStringsResource(FileName, lines, From);
    else
        LoadStringsFile(From.ModelDirectory + FileName, lines);
    LoadMFLLines(lines, FileName, Textures, Materials, Animations, Primitives, From);
}
