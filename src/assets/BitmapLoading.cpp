#include "assets/BitmapLoading.h"

#include "assets/BmpDecoder.h"
#include "assets/JpegDecoder.h"
#include "assets/Resources.h"
#include "base/Error.h"

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

// Decodes bytes read for `source` (the image's name, or its file name when read from a file);
// a decoding error gets the name in front, as the model readers' errors do.
quillaby::Bitmap Decode(ImageKind kind, const quillaby::ResourceData& data, std::string_view source) {
    try {
        return kind == ImageKind::Bmp ? quillaby::DecodeBmp(data.Bytes())
                                      : quillaby::DecodeJpeg(data.Bytes());
    } catch (const quillaby::Error& e) {
        throw quillaby::Error(std::string(source) + ": " + e.what());
    }
}

} // namespace

void LoadBitmapResource(std::string_view name, quillaby::Bitmap& bitmap, const TLoadSettings& from) {
    bitmap = Decode(ImageKind::Bmp, from.Source().Get(quillaby::ResourceName(name)), name);
}

void LoadJPEGResource(std::string_view name, quillaby::Bitmap& bitmap, const TLoadSettings& from) {
    bitmap = Decode(ImageKind::Jpeg, from.Source().Get(quillaby::ResourceName(name)), name);
}

bool IsPictureName(std::string_view name) {
    return KindOf(name) != ImageKind::None;
}

std::unique_ptr<quillaby::Bitmap> LoadBitmap(std::string_view name, const TLoadSettings& from) {
    auto bitmap = std::make_unique<quillaby::Bitmap>();
    const ImageKind kind = KindOf(name);
    if (kind == ImageKind::None) return bitmap;
    const std::string source =
        from.LoadFromResources ? std::string(name) : from.ImageDirectory + std::string(name);
    *bitmap = Decode(kind, ReadImageData(name, from), source);
    return bitmap;
}
