#pragma once
// A test with one image file in a scratch folder, opened by an ImageState, and its bytes as they are on disk.
#include <gtest/gtest.h>

#include "fixture.h"
#include "image_builder.h"
#include "image_state.h"

namespace orva::testing {

class ImageTest : public ::testing::Test {
protected:
    void open(const ImageBuilder& b) {
        b.save(imagePath());
        ASSERT_EQ(state.OpenFDImg(imagePath().string(), 1), 0);
    }
    testing_support::fs::path imagePath() const { return dir / "img.img"; }
    ImageBuilder onDisk() const {
        ImageBuilder b;
        b.bytes() = testing_support::readFile(imagePath());
        return b;
    }
    testing_support::fs::path hostFile(const std::string& name, const std::vector<uint8_t>& bytes) const {
        testing_support::writeFile(dir / name, bytes);
        return dir / name;
    }
    // Free clusters as the table on disk says, for comparing with FreeSpace.
    uint32_t freeInTable() const {
        ImageBuilder b = onDisk();
        uint32_t n = 0;
        for (uint32_t c = 2; c < state.layout().clusterLimit; ++c) n += b.fat(c) == 0;
        return n;
    }
    uint32_t freeSpace() {
        uint32_t bytes = 0;
        state.FreeSpace(&bytes);
        return bytes / state.layout().clusterBytes;
    }
    testing_support::ScratchDir dir;
    ImageState state;
};

}  // namespace orva::testing
