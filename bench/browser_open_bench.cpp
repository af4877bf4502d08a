// Opening and listing a full 1.44 MB image (about 1000 entries in nested folders, long names) through the
// browser's logic with a scripted view: what a double-click on an image costs before the tree can be drawn.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "browser/browser_dialog.h"
#include "fixture.h"
#include "scripted_view.h"

namespace {

namespace fs = std::filesystem;
using namespace browser;

// 10 folders x 4 subfolders x 24 files with long names = 960 files and 50 folders, and a file that fills
// most of the rest of the disk.
std::string makeFullImage(const fs::path& at) {
    const fs::path files = at / "files";
    for (int a = 0; a < 10; ++a) {
        for (int b = 0; b < 4; ++b) {
            const fs::path dir =
                files / ("Project folder " + std::to_string(a)) / ("Part number " + std::to_string(b));
            fs::create_directories(dir);
            for (int c = 0; c < 24; ++c) {
                testing_support::writeFile(
                    dir / ("Quarterly report " + std::to_string(c) + " of part.txt"),
                    testing_support::patternBytes(1000, static_cast<uint32_t>(a * 100 + b * 10 + c)));
            }
        }
    }
    testing_support::writeFile(files / "Filler that takes the rest of the disk.bin",
                               testing_support::patternBytes(300 * 1024, 7));
    const std::string image = (at / "full.img").string();
    testing_support::runOk(std::string(MAKE_BLANK_IMAGE_PATH) + " --type 1.44M " +
                           testing_support::quote(image) + " FULL");
    testing_support::mcopyTree(image, files);
    return image;
}

void OpenAndListFullImage(benchmark::State& state) {
    testing_support::ScratchDir scratch;
    const std::string image = makeFullImage(scratch.path());
    auto bound = bindLibrary({ORVA_LIBRARY_PATH});
    const auto& lib = std::get<LibraryEntries>(bound);
    size_t items = 0;
    size_t entries = 0;
    for (auto _ : state) {
        testing::ScriptedView view;
        HostServices host;
        host.listDrives = [] { return std::vector<platform::HostDrive>{}; };
        BrowserDialog dialog(view, lib, {}, host);
        dialog.initialise();
        dialog.openImageAtStart(image);
        if (!dialog.imageIsOpen() || !view.messages.empty())
            state.SkipWithError("the image did not open cleanly");
        const std::string dump = view.dump(Tree::Image);
        items = dump.size();
        entries = static_cast<size_t>(std::count(dump.begin(), dump.end(), '\n'));
        if (entries < 2) state.SkipWithError(dump.c_str());
        dialog.onClose();
    }
    state.counters["tree_bytes"] = static_cast<double>(items);
    state.counters["entries"] = static_cast<double>(entries);
}
BENCHMARK(OpenAndListFullImage)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
