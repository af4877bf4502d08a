#include "damage/table_copies.h"

#include "damage/read_only_open.h"
#include "image_state.h"
#include "library_codes.h"

namespace damage {

std::optional<ImageTables> readTableCopies(const std::string& path, TableCopies wanted, int32_t& openResult) {
    ImageTables tables;
    for (const int32_t copy : {orva::kFirstTableCopy, orva::kSecondTableCopy}) {
        orva::ImageState image(openForReading);
        openResult = image.OpenFDImg(path, copy);
        if (openResult >= orva::result::OpenFDImg::kLonger) return std::nullopt;
        tables.layout = image.layout();
        tables.copies.push_back(image.fat());
        if (wanted == TableCopies::First || tables.layout.fatCount < 2) break;
    }
    return tables;
}

}  // namespace damage
