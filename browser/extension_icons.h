#pragma once
// Image-list indices of the system icons of file extensions, asked of the system once per extension.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace browser {

class ExtensionIcons {
  public:
    static constexpr size_t kSlots = 256;

    // The index for the extension (lower-cased here); addIcon is asked when the cache does not hold it and
    // returns the new image's index or nothing (then the generic file picture). A full cache gives up its
    // oldest slot, so an index it hands out always belongs to its extension.
    int indexFor(const std::string& extension,
                 const std::function<std::optional<int>(const std::string&)>& addIcon);

    size_t size() const { return slots_.size(); }

  private:
    struct Slot {
        std::string extension;
        int index;
    };
    std::vector<Slot> slots_;
    size_t oldest_ = 0;
};

}  // namespace browser
