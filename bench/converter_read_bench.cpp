// Reading an emulated 1.44 MB floppy into an image through Mirask's read action, with no drive delays: the
// software's own time per cylinder, to set against the 400 ms a real drive needs for one (32 s for 80).
#include <benchmark/benchmark.h>

#include <filesystem>

#include "converter/dialog/converter_dialog.h"
#include "drive_setup.h"
#include "fixture.h"
#include "scripted_converter_view.h"

namespace {

using namespace converter;
using namespace converter::dialog;

constexpr double kDriveMsPerCylinder = 32000.0 / 80;

void ReadWholeFloppy(benchmark::State& state) {
    testing_support::ScratchDir scratch;
    const std::string medium = (scratch / "medium.bin").string();
    testing_support::writeFile(medium, testing_support::patternBytes(1474560, 9));
    DriveSetup setup = emulatedDrives({"a=1.44M:" + medium}, "");
    testing::ScriptedConverterView view;
    ConverterServices services;
    services.floppies = setup.entries;
    const std::string folder = scratch.path().string();
    services.listDrives = [folder] {
        return std::vector<platform::HostDrive>{{folder, platform::DriveType::Fixed}};
    };
    ConverterDialog dialog(view, services, parseConverterText("", setup.osKind));
    dialog.initialise();
    view.name = "copy";
    dialog.onNameEdited();
    for (auto _ : state) {
        view.messages.clear();
        dialog.onReadFloppy();
        if (view.messages.size() != 1) state.SkipWithError("the read did not end cleanly");
    }
    state.counters["cylinders"] =
        benchmark::Counter(80.0 * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["drive_ms_per_cylinder"] = kDriveMsPerCylinder;
}
BENCHMARK(ReadWholeFloppy)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
