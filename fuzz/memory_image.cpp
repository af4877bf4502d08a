#include "memory_image.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <set>

#include "boot_sector.h"
#include "bootsectors/boot_templates.h"
#include "platform/text_codec.h"
#include "short_name_text.h"

namespace fuzzing {
namespace {

namespace fs = std::filesystem;
namespace enumeration = orva::result::FindMInDir;

class MemoryFile final : public platform::RandomAccessFile {
  public:
    explicit MemoryFile(std::vector<uint8_t>& bytes) : bytes_(bytes) {}
    int64_t readAt(uint64_t offset, std::span<uint8_t> out) override {
        if (offset >= bytes_.size()) return 0;
        const size_t n = std::min<size_t>(out.size(), bytes_.size() - offset);
        std::copy_n(bytes_.begin() + static_cast<long>(offset), n, out.begin());
        return static_cast<int64_t>(n);
    }
    int64_t writeAt(uint64_t offset, std::span<const uint8_t> data) override {
        // An image never grows through the library: writing past its end is a fault worth a crash report.
        if (offset + data.size() > bytes_.size()) std::abort();
        std::copy(data.begin(), data.end(), bytes_.begin() + static_cast<long>(offset));
        return static_cast<int64_t>(data.size());
    }
    bool syncData() override { return true; }
    std::optional<uint64_t> size() override { return bytes_.size(); }
    bool close() override { return true; }

  private:
    std::vector<uint8_t>& bytes_;
};

std::vector<uint8_t> makeBlankImage(bootsectors::TemplateId templateId) {
    const auto params = bootsectors::templateParams(templateId);
    const auto sector = bootsectors::bootTemplate(templateId);
    std::vector<uint8_t> image(size_t{params->totalSectors} * params->bytesPerSector, 0);
    std::copy(sector->begin(), sector->end(), image.begin());
    for (uint32_t copy = 0; copy < params->fatCount; ++copy) {
        const size_t at =
            (params->reservedSectors + copy * size_t{params->sectorsPerFat}) * params->bytesPerSector;
        image[at] = params->mediaByte;
        image[at + 1] = image[at + 2] = 0xFF;
    }
    return image;
}

// Built once: every input starts from a copy.
const std::vector<uint8_t>& blankImage(int index) {
    static const std::array<std::vector<uint8_t>, 4> images = {
        makeBlankImage(bootsectors::kTemplateTable[0].id), makeBlankImage(bootsectors::kTemplateTable[1].id),
        makeBlankImage(bootsectors::kTemplateTable[2].id), makeBlankImage(bootsectors::kTemplateTable[3].id)};
    return images[static_cast<size_t>(index)];
}

}  // namespace

ImageInput imageFromInput(std::span<const uint8_t> input) {
    const uint8_t config = input.empty() ? 0 : input[0];
    if (!input.empty()) input = input.subspan(1);
    ImageInput in{blankImage(config & 3), (config >> 2) & 3, (config & 0x10) ? 2 : 1};
    const size_t start = (config & 0x20) ? orva::boot::kSectorBytes : 0;
    const size_t n = std::min(input.size(), in.image.size() - start);
    std::copy_n(input.begin(), n, in.image.begin() + static_cast<long>(start));
    return in;
}

const fs::path& scratchFolder() {
    static const fs::path folder = [] {
        const fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        std::string pattern = (base / "orva-fuzz-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) std::abort();
        const fs::path p(pattern);
        std::FILE* placeholder = std::fopen((p / "image.img").c_str(), "w");
        if (placeholder) std::fclose(placeholder);
        return p;
    }();
    return folder;
}

std::unique_ptr<orva::ImageState> openInMemory(std::vector<uint8_t>& image, int32_t fatCopy,
                                               int32_t& result) {
    auto state = std::make_unique<orva::ImageState>([&image](const std::string&, platform::Access, int&) {
        return std::unique_ptr<platform::RandomAccessFile>(std::make_unique<MemoryFile>(image));
    });
    result = state->OpenFDImg((scratchFolder() / "image.img").string(), fatCopy);
    return state;
}

size_t walkTree(orva::ImageState& state, size_t maxCopies) {
    struct Folder {
        uint32_t cluster;
        std::string path;
    };
    std::vector<Folder> pending{{orva::kRootCluster, "\\"}};
    std::set<uint32_t> visited{orva::kRootCluster};
    size_t seen = 0, copies = 0;
    const std::string out = (scratchFolder() / "out.bin").string();
    while (!pending.empty()) {
        const Folder folder = pending.back();
        pending.pop_back();
        std::vector<std::pair<DirEntry, std::string>> entries;
        DirEntry* e = nullptr;
        int32_t slots = 0;
        for (int32_t r = state.FindMInDir("*", static_cast<int32_t>(folder.cluster), &e, &slots);
             r == enumeration::kFound || r == enumeration::kFoundCheckFailed;
             r = state.FindMInDir("", orva::kWorkingDirCluster, &e, &slots)) {
            // The entry group never leaves the work area.
            if (slots < 1 || slots > static_cast<int32_t>(orva::kGroupSlots)) std::abort();
            entries.emplace_back(*e, folder.path + orva::storedShortName(orva::shortNameOf(*e)));
        }
        for (const auto& [entry, path] : entries) {
            ++seen;
            const uint32_t cluster = entry.firstCluster;
            if (entry.attributes & orva::attr::kDirectory) {
                if (cluster >= orva::kFirstDataCluster && visited.insert(cluster).second)
                    pending.push_back({cluster, path + "\\"});
            } else if (copies < maxCopies) {
                ++copies;
                state.CopyF(path, out);
            }
        }
    }
    // The other ways in: every slot of a mode that shows them all, raw slots, the last failed check.
    DirEntry* e = nullptr;
    int32_t slots = 0;
    for (int32_t r = state.FindMInDir("**", orva::kRootCluster, &e, &slots);
         r == enumeration::kFound || r == enumeration::kFoundCheckFailed;
         r = state.FindMInDir("", orva::kWorkingDirCluster, &e, &slots)) {
        ++seen;
    }
    uint8_t slot[orva::kSlotBytes];
    for (int32_t i = 0; i < 64 && state.GetFWDirEntry(i, slot) == orva::result::GetFWDirEntry::kRead; ++i) {
    }
    int32_t code = 0;
    uint32_t offset = 0;
    state.GetLastErr(&code, slot, &offset);
    return seen;
}

void checkFreeCount(const orva::ImageState& state) {
    if (state.isOpen() && state.freeClusters() != state.fat().countFree()) std::abort();
}

}  // namespace fuzzing
