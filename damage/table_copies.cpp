#include "damage/table_copies.h"

#include "image_state.h"
#include "library_codes.h"
#include "platform/containers/open_image.h"

namespace damage {
namespace {

// A check changes nothing, also not a container that would be written back when closed.
std::unique_ptr<platform::RandomAccessFile> openForReading(const std::string& path, platform::Access,
                                                           int& error) {
    return platform::containers::openImage(path, platform::Access::ReadOnly, error);
}

}  // namespace

std::optional<ImageTables> readTableCopies(const std::string& path, int32_t& openResult) {
    ImageTables tables;
    for (const int32_t copy : {orva::kFirstTableCopy, orva::kSecondTableCopy}) {
        orva::ImageState image(openForReading);
        openResult = image.OpenFDImg(path, copy);
        if (openResult >= orva::result::OpenFDImg::kLonger) return std::nullopt;
        tables.layout = image.layout();
        tables.copies.push_back(image.fat());
        if (tables.layout.fatCount < 2) break;
    }
    return tables;
}

}  // namespace damage
