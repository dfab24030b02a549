#include "ImageFiles.h"

#include <algorithm>
#include <array>
#include <limits>

namespace assetgen {

namespace {

struct Box {
    std::vector<Rgb> colours;
};

int widestChannel(const Box& box, float& extent) {
    std::array<float, 3> lo{1e9f, 1e9f, 1e9f}, hi{-1e9f, -1e9f, -1e9f};
    for (const Rgb& c : box.colours) {
        float v[3] = {c.r, c.g, c.b};
        for (int k = 0; k < 3; ++k) {
            lo[k] = std::min(lo[k], v[k]);
            hi[k] = std::max(hi[k], v[k]);
        }
    }
    int best = 0;
    for (int k = 1; k < 3; ++k)
        if (hi[k] - lo[k] > hi[best] - lo[best]) best = k;
    extent = hi[best] - lo[best];
    return best;
}

float channel(const Rgb& c, int k) {
    return k == 0 ? c.r : (k == 1 ? c.g : c.b);
}

Rgb average(const Box& box) {
    Rgb sum;
    for (const Rgb& c : box.colours) sum = sum + c;
    return sum * (1.0f / static_cast<float>(box.colours.size()));
}

void putLe16(Bytes& out, int v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void putLe32(Bytes& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF));
}

} // namespace

PalettedImage quantise(const Image& image) {
    // Median cut: split the box with the widest channel range at its median until there are 256.
    std::vector<Box> boxes(1);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            Rgb c = image.at(x, y);
            boxes[0].colours.push_back({clamp01(c.r), clamp01(c.g), clamp01(c.b)});
        }
    while (boxes.size() < 256) {
        int pick = -1, pickChannel = 0;
        float pickExtent = 1.0f / 512.0f;
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i].colours.size() < 2) continue;
            float extent = 0;
            int k = widestChannel(boxes[i], extent);
            if (extent > pickExtent) {
                pickExtent = extent;
                pick = static_cast<int>(i);
                pickChannel = k;
            }
        }
        if (pick < 0) break;
        auto& colours = boxes[pick].colours;
        auto middle = colours.begin() + colours.size() / 2;
        std::nth_element(colours.begin(), middle, colours.end(), [pickChannel](const Rgb& a, const Rgb& b) {
            return channel(a, pickChannel) < channel(b, pickChannel);
        });
        Box upper{std::vector<Rgb>(middle, colours.end())};
        colours.erase(middle, colours.end());
        boxes.push_back(std::move(upper));
    }

    PalettedImage out;
    out.width = image.width();
    out.height = image.height();
    for (const Box& box : boxes) out.palette.push_back(average(box));

    // Floyd-Steinberg diffusion hides the banding of smooth gradients.
    Image work = image;
    out.indices.resize(static_cast<std::size_t>(image.width()) * image.height());
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            Rgb want = work.at(x, y);
            int best = 0;
            float bestDistance = std::numeric_limits<float>::max();
            for (std::size_t i = 0; i < out.palette.size(); ++i) {
                Rgb d = out.palette[i] - want;
                float distance = d.r * d.r + d.g * d.g + d.b * d.b;
                if (distance < bestDistance) {
                    bestDistance = distance;
                    best = static_cast<int>(i);
                }
            }
            out.indices[y * image.width() + x] = static_cast<std::uint8_t>(best);
            Rgb error = want - out.palette[best];
            auto spread = [&](int dx, int dy, float weight) {
                int nx = x + dx, ny = y + dy;
                if (nx < 0 || nx >= image.width() || ny >= image.height()) return;
                work.at(nx, ny) = work.at(nx, ny) + error * weight;
            };
            spread(1, 0, 7 / 16.0f);
            spread(-1, 1, 3 / 16.0f);
            spread(0, 1, 5 / 16.0f);
            spread(1, 1, 1 / 16.0f);
        }
    }
    return out;
}

Bytes encodeBmp8(const PalettedImage& image) {
    const int rowSize = (image.width + 3) & ~3;
    const std::uint32_t headerSize = 14 + 40 + 256 * 4;
    const std::uint32_t fileSize = headerSize + rowSize * image.height;
    Bytes out;
    out.reserve(fileSize);
    out.push_back('B');
    out.push_back('M');
    putLe32(out, fileSize);
    putLe32(out, 0);
    putLe32(out, headerSize);
    putLe32(out, 40); // BITMAPINFOHEADER
    putLe32(out, static_cast<std::uint32_t>(image.width));
    putLe32(out, static_cast<std::uint32_t>(image.height)); // positive: rows bottom-up
    putLe16(out, 1);
    putLe16(out, 8);
    putLe32(out, 0); // uncompressed
    putLe32(out, rowSize * image.height);
    putLe32(out, 2835); // 72 dpi
    putLe32(out, 2835);
    putLe32(out, 256);
    putLe32(out, 0);
    for (int i = 0; i < 256; ++i) {
        Rgb c = i < static_cast<int>(image.palette.size()) ? image.palette[i] : Rgb{};
        out.push_back(static_cast<std::uint8_t>(clamp01(c.b) * 255.0f + 0.5f));
        out.push_back(static_cast<std::uint8_t>(clamp01(c.g) * 255.0f + 0.5f));
        out.push_back(static_cast<std::uint8_t>(clamp01(c.r) * 255.0f + 0.5f));
        out.push_back(0);
    }
    for (int y = image.height - 1; y >= 0; --y) {
        const std::uint8_t* row = image.indices.data() + y * image.width;
        out.insert(out.end(), row, row + image.width);
        out.insert(out.end(), rowSize - image.width, 0);
    }
    return out;
}

} // namespace assetgen
