#include "browser/extension_icons.h"

#include "browser/browser_view.h"
#include "platform/text_codec.h"

namespace browser {

int ExtensionIcons::indexFor(const std::string& extension,
                             const std::function<std::optional<int>(const std::string&)>& addIcon) {
    const std::string key = platform::lowerCaseUtf8(extension);
    for (const Slot& slot : slots_) {
        if (slot.extension == key) return slot.index;
    }
    const std::optional<int> index = addIcon(key);
    if (!index) return icon::kGenericFile;
    if (slots_.size() < kSlots) {
        slots_.push_back({key, *index});
    } else {
        slots_[oldest_] = {key, *index};
        oldest_ = (oldest_ + 1) % kSlots;
    }
    return *index;
}

}  // namespace browser
