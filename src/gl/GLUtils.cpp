#include "gl/GLUtils.h"

#include "gl/BmpDecoder.h"
#include "gl/JpegDecoder.h"

namespace {

enum class ImageKind { None, Bmp, Jpeg };

std::string LowerExtension(std::string_view name) {
    const auto slash = name.find_last_of("/\\");
    const auto dot = name.rfind('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return {};
    std::string ext(name.substr(dot));
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return ext;
}

ImageKind KindOf(std::string_view name) {
    const std::string ext = LowerExtension(name);
    if (ext == ".bmp") return ImageKind::Bmp;
    if (ext == ".jpg" || ext == ".jepg") return ImageKind::Jpeg;
    return ImageKind::None;
}

} // namespace

void LoadBitmapResource(std::string_view name, quillaby::Bitmap& bitmap, const TLoadSettings& from) {
    const auto data = from.Source().Get(quillaby::ResourceName(name));
    bitmap = quillaby::DecodeBmp(data.Bytes());
}

void LoadJPEGResource(std::string_view name, quillaby::Bitmap& bitmap, const TLoadSettings& from) {
    const auto data = from.Source().Get(quillaby::ResourceName(name));
    bitmap = quillaby::DecodeJpeg(data.Bytes());
}

void LoadStringsResource(std::string_view name, std::vector<std::string>& lines, const TLoadSettings& from) {
    const auto data = from.Source().Get(quillaby::ResourceName(name));
    lines = SplitLines(data.Bytes());
}

void LoadStringsFile(const std::string& path, std::vector<std::string>& lines) {
    lines = SplitLines(quillaby::ReadWholeFile(path));
}

std::unique_ptr<quillaby::Bitmap> LoadBitmap(std::string_view name, const TLoadSettings& from) {
    auto bitmap = std::make_unique<quillaby::Bitmap>();
    switch (KindOf(name)) {
    case ImageKind::Bmp:
        *bitmap = quillaby::DecodeBmp(ReadImageData(name, from).Bytes());
        break;
    case ImageKind::Jpeg:
        *bitmap = quillaby::DecodeJpeg(ReadImageData(name, from).Bytes());
        break;
    case ImageKind::None:
        break;
    }
    return bitmap;
}
