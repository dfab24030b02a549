#pragma once
// Compares a rendered picture with a reviewed reference PNG under a stated tolerance. On a mismatch
// the actual picture is written beside the build, and the message names both files and the first
// pixel that is out of tolerance.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/PngWriter.h"

namespace quillaby::test {

struct ImageTolerance {
    int ChannelDifference = 8;        // a pixel differs when any channel is further off than this
    double DifferingFraction = 0.005; // and the pictures differ when more pixels than this share differ
};

// Pixels (RGBA) of two pictures of one size whose worst channel differs by more than `channel`.
inline long CountDifferingPixels(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b, int channel) {
    long differing = 0;
    for (std::size_t i = 0; i + 3 < a.size() && i + 3 < b.size(); i += 4) {
        int worst = 0;
        for (int c = 0; c < 4; ++c) worst = std::max(worst, std::abs(a[i + c] - b[i + c]));
        differing += worst > channel;
    }
    return differing;
}

inline testing::AssertionResult MatchesGolden(const std::string& referencePath, int width, int height,
                                              const std::vector<uint8_t>& actual,
                                              ImageTolerance tolerance = {}) {
    const std::string actualPath = std::string(QUILLABY_BINARY_DIR) + "/golden-actual-" +
                                   std::filesystem::path(referencePath).filename().string();
    // QUILLABY_UPDATE_GOLDEN=1 rewrites the references (review them by eye before committing).
    if (std::getenv("QUILLABY_UPDATE_GOLDEN") != nullptr) {
        app::WritePng(referencePath, width, height, actual);
        return testing::AssertionSuccess() << "reference rewritten";
    }
    int rw = 0, rh = 0;
    std::vector<uint8_t> reference;
    try {
        reference = app::ReadPng(referencePath, rw, rh);
    } catch (const std::exception& e) {
        app::WritePng(actualPath, width, height, actual);
        return testing::AssertionFailure() << e.what() << "; actual picture: " << actualPath;
    }
    if (rw != width || rh != height) {
        app::WritePng(actualPath, width, height, actual);
        return testing::AssertionFailure() << "reference is " << rw << "x" << rh << ", picture is " << width
                                           << "x" << height << "; actual picture: " << actualPath;
    }
    long differing = 0;
    long first = -1;
    int worst = 0;
    for (long i = 0; i < static_cast<long>(width) * height; ++i) {
        int pixelWorst = 0;
        for (int c = 0; c < 4; ++c)
            pixelWorst = std::max(pixelWorst, std::abs(actual[i * 4 + c] - reference[i * 4 + c]));
        worst = std::max(worst, pixelWorst);
        if (pixelWorst > tolerance.ChannelDifference) {
            if (first < 0) first = i;
            ++differing;
        }
    }
    if (differing <= tolerance.DifferingFraction * width * height) return testing::AssertionSuccess();
    app::WritePng(actualPath, width, height, actual);
    std::ostringstream out;
    const long x = first % width, y = first / width;
    out << differing << " of " << width * height << " pixels differ by more than "
        << tolerance.ChannelDifference << " (worst " << worst << "); first bad pixel (" << x << ", " << y
        << ") from the top: actual RGBA (" << int(actual[first * 4]) << ", " << int(actual[first * 4 + 1])
        << ", " << int(actual[first * 4 + 2]) << ", " << int(actual[first * 4 + 3]) << "), reference ("
        << int(reference[first * 4]) << ", " << int(reference[first * 4 + 1]) << ", "
        << int(reference[first * 4 + 2]) << ", " << int(reference[first * 4 + 3])
        << ")\n  reference: " << referencePath << "\n  actual:    " << actualPath;
    return testing::AssertionFailure() << out.str();
}

} // namespace quillaby::test
