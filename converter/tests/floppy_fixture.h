#pragma once
// What the floppy tests share: emulated drives holding known bytes, page-aligned buffers, a recording bar.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "emulation/emulated_drive.h"
#include "emulation/memory_file.h"
#include "emulation/scenario.h"
#include "fixture.h"
#include "platform/aligned_buffer.h"
#include "progress_port.h"
#include "media_types.h"

namespace floppy_testing {

using converter::emulation::DriveKind;
using converter::emulation::EmulatedDrive;

// A drive of the given kind holding a formatted medium of the given type, filled with reproducible bytes.
inline std::unique_ptr<EmulatedDrive> driveWithPattern(DriveKind kind, const DiskGeometry& geometry,
                                                       std::vector<uint8_t>& contents, uint32_t seed = 7) {
    contents = testing_support::patternBytes(converter::mediumBytes(geometry), seed);
    auto drive = std::make_unique<EmulatedDrive>(kind);
    EXPECT_TRUE(drive->insert(geometry, std::make_unique<converter::emulation::MemoryFile>(contents)));
    return drive;
}

inline std::unique_ptr<EmulatedDrive> scenarioDrive(const std::string& text) {
    const auto parsed = converter::emulation::parseScenario(text);
    EXPECT_TRUE(parsed.scenario) << parsed.error;
    std::string error;
    auto drive = parsed.scenario ? converter::emulation::buildDrive(*parsed.scenario, error) : nullptr;
    EXPECT_TRUE(drive) << error;
    return drive;
}

inline DiskGeometry hdGeometry() {
    return {80, 2, 2, 18, 512};
}

inline platform::AlignedBuffer alignedBuffer(size_t bytes) {
    auto buffer = platform::AlignedBuffer::allocate(bytes);
    EXPECT_TRUE(buffer);
    return std::move(*buffer);
}

struct RecordingProgress : converter::ProgressPort {
    std::vector<std::string> calls;
    uint32_t steps = 0;
    void SetRange(uint32_t lower, uint32_t upper) override {
        calls.push_back("range " + std::to_string(lower) + ".." + std::to_string(upper));
    }
    void SetStep(uint32_t step) override { calls.push_back("step " + std::to_string(step)); }
    void SetPos(uint32_t position) override { calls.push_back("pos " + std::to_string(position)); }
    void StepIt() override { ++steps; }
};

}  // namespace floppy_testing
