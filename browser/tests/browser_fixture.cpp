#include "browser_fixture.h"

#include <variant>

namespace browser::testing {

const LibraryEntries& boundLibrary() {
    static const LibraryEntries entries = [] {
        auto bound = bindLibrary({ORVA_LIBRARY_PATH});
        if (auto* failure = std::get_if<BindFailure>(&bound)) {
            ADD_FAILURE() << failure->message;
            return LibraryEntries{};
        }
        return std::get<LibraryEntries>(bound);
    }();
    return entries;
}

void BrowserTest::TearDown() {
    if (dialog) dialog->onClose();
}

BrowserDialog& BrowserTest::start(std::vector<platform::HostDrive> drives, StartOptions options) {
    HostServices host;
    host.listDrives = [drives] { return drives; };
    host.driveAccessible = [this](const std::string& path) { return inaccessible.count(path) == 0; };
    dialog = std::make_unique<BrowserDialog>(view, boundLibrary(), options, host);
    dialog->initialise();
    return *dialog;
}

std::string BrowserTest::makeImage(const std::string& name, const std::string& label,
                                   const std::string& filesFolder) {
    const std::string image = (scratch / name).string();
    testing_support::runOk(std::string(MAKE_BLANK_IMAGE_PATH) + " --type 1.44M " +
                           testing_support::quote(image) +
                           (label.empty() ? "" : " " + testing_support::quote(label)));
    if (!filesFolder.empty()) testing_support::mcopyTree(image, filesFolder);
    return image;
}

}  // namespace browser::testing
