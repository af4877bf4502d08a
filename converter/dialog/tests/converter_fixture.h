#pragma once
// Mirask's dialog over emulated drives, a scratch folder as the only file drive and a scripted view.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "converter/dialog/converter_dialog.h"
#include "counting_access.h"
#include "drive_setup.h"
#include "fixture.h"
#include "scripted_converter_view.h"

namespace converter::dialog::testing {

using actions::testing::CountingAccess;

class ConverterTest : public ::testing::Test {
  protected:
    // emulate: "a=SCENARIO" texts; platformLine "", "nt" or "9x"; text: the rest of the command line.
    void start(const std::vector<std::string>& emulate, const std::string& platformLine = "",
               const std::string& text = "") {
        // The drives of an earlier start let go of their medium files first.
        dialog.reset();
        counting.clear();
        setup = {};
        setup = emulatedDrives(emulate, platformLine);
        ASSERT_EQ(setup.error, "");
        counting.clear();
        ConverterServices services;
        for (const FloppyDriveEntry& entry : setup.entries) {
            counting.push_back(std::make_unique<CountingAccess>(*entry.access));
            services.floppies.push_back({entry.letter, counting.back().get()});
        }
        const std::string folder = scratch.path().string();
        services.listDrives = [folder] {
            return std::vector<platform::HostDrive>{{folder, platform::DriveType::Fixed}};
        };
        services.driveAccessible = [](const std::string&) { return true; };
        services.isDiskFolder = [](const std::string&) { return true; };
        dialog = std::make_unique<ConverterDialog>(view, services, parseConverterText(text, setup.osKind));
        dialog->initialise();
    }

    void typeName(const std::string& name) {
        view.name = name;
        dialog->onNameEdited();
    }

    CountingAccess& drive(size_t index = 0) { return *counting.at(index); }
    std::string path(const std::string& name) const { return (scratch / name).string(); }

    testing_support::ScratchDir scratch;
    ScriptedConverterView view;
    DriveSetup setup;
    std::vector<std::unique_ptr<CountingAccess>> counting;
    std::unique_ptr<ConverterDialog> dialog;
};

}  // namespace converter::dialog::testing
