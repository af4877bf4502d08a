#pragma once
// An action over one emulated drive seen through a CountingAccess, with a scratch folder for media and
// images.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "converter/actions/action_drive.h"
#include "counting_access.h"
#include "drive_setup.h"
#include "fixture.h"
#include "recording_observer.h"

namespace converter::actions::testing {

class ActionTest : public ::testing::Test {
  protected:
    // scenario: what follows "a=" ("1.44M:blank:wp"); platformLine "", "nt" or "9x".
    void attach(const std::string& scenario, const std::string& platformLine = "") {
        counting.reset();
        setup = {};
        setup = emulatedDrives({"a=" + scenario}, platformLine);
        ASSERT_EQ(setup.error, "");
        counting = std::make_unique<CountingAccess>(*setup.entries.at(0).access);
    }
    // A medium file of known bytes for drive a:.
    std::vector<uint8_t> medium(size_t bytes, uint32_t seed = 11) {
        auto content = testing_support::patternBytes(bytes, seed);
        testing_support::writeFile(scratch / "medium.bin", content);
        return content;
    }
    std::string path(const std::string& name) const { return (scratch / name).string(); }
    ActionDrive drive(int number = 1) { return {*counting, number, setup.osKind}; }

    testing_support::ScratchDir scratch;
    DriveSetup setup;
    std::unique_ptr<CountingAccess> counting;
    RecordingObserver observer;
};

}  // namespace converter::actions::testing
