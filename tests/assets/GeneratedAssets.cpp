#include "GeneratedAssets.h"

#include "AssetSet.h"

#include <charconv>
#include <csetjmp>
#include <cstdio>
#include <gtest/gtest.h>
#include <jpeglib.h>
#include <sstream>

namespace assettest {

namespace {

// The build runs the generator before it embeds the files; the tests read what it wrote, which
// is exactly what the program carries.
const char* const kGeneratedDirectory = QUILLABY_BINARY_DIR "/resources/generated/";

std::map<std::string, Bytes>& readAssets() {
    static std::map<std::string, Bytes> files;
    return files;
}

Bytes readFile(const std::string& path) {
    Bytes bytes;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        unsigned char buffer[65536];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
            bytes.insert(bytes.end(), buffer, buffer + n);
        std::fclose(file);
    } else {
        ADD_FAILURE() << "the build wrote no " << path;
    }
    return bytes;
}

} // namespace

const std::map<std::string, Bytes>& generatedAssets() {
    for (const assetgen::Asset& a : assetgen::allAssets()) asset(a.name);
    return readAssets();
}

const Bytes& asset(const std::string& name) {
    auto it = readAssets().find(name);
    if (it != readAssets().end()) return it->second;
    return readAssets()[name] = readFile(kGeneratedDirectory + name);
}

namespace {

struct JpegError {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

void jumpOnError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}

double number(const std::string& text) {
    double value = 0;
    auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    EXPECT_TRUE(result.ec == std::errc() && result.ptr == text.data() + text.size())
        << "bad number '" << text << "'";
    return value;
}

// "[a,b,c]" with no blanks.
std::vector<double> bracketed(const std::string& text) {
    std::vector<double> values;
    EXPECT_TRUE(text.size() > 2 && text.front() == '[' && text.back() == ']') << text;
    EXPECT_EQ(text.find(' '), std::string::npos) << text;
    std::string inner = text.substr(1, text.size() - 2);
    std::stringstream stream(inner);
    std::string part;
    while (std::getline(stream, part, ',')) values.push_back(number(part));
    EXPECT_EQ(values.size(), 3u) << text;
    values.resize(3);
    return values;
}

std::vector<int> face(const std::string& text) {
    std::vector<int> f;
    for (double v : bracketed(text)) f.push_back(static_cast<int>(v));
    return f;
}

} // namespace

DecodedJpeg decodeJpeg(const Bytes& bytes) {
    DecodedJpeg out;
    jpeg_decompress_struct info{};
    JpegError error{};
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = jumpOnError;
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&info);
        ADD_FAILURE() << "JPEG decoding failed";
        return {};
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    jpeg_start_decompress(&info);
    out.width = static_cast<int>(info.output_width);
    out.height = static_cast<int>(info.output_height);
    out.components = info.output_components;
    out.pixels.resize(static_cast<std::size_t>(out.width) * out.height * out.components);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = out.pixels.data() + info.output_scanline * out.width * out.components;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return out;
}

ModelFile readModel(const std::string& name) {
    const Bytes& bytes = asset(name);
    std::string text(bytes.begin(), bytes.end());
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << name << ": last line without CR LF";
            break;
        }
        std::string line = text.substr(start, end - start);
        EXPECT_FALSE(line.empty()) << name << ": blank line";
        EXPECT_EQ(line.find('\n'), std::string::npos) << name << ": lone LF";
        lines.push_back(line);
        start = end + 2;
    }

    ModelFile model;
    ModelObject* object = nullptr;
    for (std::size_t i = 0; i < lines.size();) {
        const std::string& header = lines[i++];
        if (header.empty() || header[0] != '#') {
            ADD_FAILURE() << name << ": expected a section header, got '" << header << "'";
            return model;
        }
        std::size_t space = header.find(' ');
        std::string section = header.substr(1, space - 1);
        int count = static_cast<int>(number(header.substr(space + 1)));
        model.sectionNames.push_back(section);
        if (i + count > lines.size()) {
            ADD_FAILURE() << name << ": section " << section << " runs past the end";
            return model;
        }
        std::vector<std::string> body(lines.begin() + i, lines.begin() + i + count);
        i += count;
        for (const std::string& line : body)
            EXPECT_NE(line[0], '#') << name << ": section " << section << " holds fewer lines than announced";
        if (section == "Header") {
            model.version = static_cast<int>(number(body.at(0).substr(8)));
        } else if (section == "MaterialStandard") {
            for (const std::string& line : body) {
                std::size_t s = line.find(' ');
                model.material[line.substr(0, s)] = line.substr(s + 1);
            }
        } else if (section == "Object") {
            model.objects.emplace_back();
            object = &model.objects.back();
            object->name = body.at(0).substr(5);
        } else if (object && section == "Vertices") {
            for (const std::string& line : body) {
                auto v = bracketed(line);
                object->vertices.push_back({v[0], v[1], v[2]});
            }
        } else if (object && section == "TextureCoords") {
            for (const std::string& line : body) {
                auto v = bracketed(line);
                object->textureCoords.push_back({v[0], v[1], v[2]});
            }
        } else if (object && section == "VertexFaces") {
            for (const std::string& line : body) object->vertexFaces.push_back(face(line));
        } else if (object && section == "TextureCoordFaces") {
            for (const std::string& line : body) object->textureCoordFaces.push_back(face(line));
        } else if (object && section == "FaceMatID") {
            for (const std::string& line : body) object->faceMatIds.push_back(static_cast<int>(number(line)));
        } else if (object && section == "Transform") {
            const std::string& m = body.at(0);
            EXPECT_EQ(m.rfind("(matrix3 ", 0), 0u) << m;
            std::stringstream rows(m.substr(9, m.size() - 10));
            std::string row;
            while (rows >> row) {
                auto v = bracketed(row);
                object->transform.push_back({v[0], v[1], v[2]});
            }
            EXPECT_EQ(object->transform.size(), 4u) << m;
        }
    }
    return model;
}

Vec3 toScene(const ModelObject& object, const Vec3& p) {
    Vec3 q = p;
    if (object.transform.size() == 4) {
        const auto& m = object.transform;
        q = {p.x * m[0].x + p.y * m[1].x + p.z * m[2].x + m[3].x,
             p.x * m[0].y + p.y * m[1].y + p.z * m[2].y + m[3].y,
             p.x * m[0].z + p.y * m[1].z + p.z * m[2].z + m[3].z};
        return {q.x, q.z, -q.y};
    }
    return q; // without a transform the importer leaves points as they are
}

} // namespace assettest
