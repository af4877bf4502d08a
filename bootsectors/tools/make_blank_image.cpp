// make_blank_image [--type 1.44M|720K|1.2M|360K] IMAGE [LABEL]: writes an empty FAT12 floppy image.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "bootsectors/boot_templates.h"
#include "bootsectors/empty_image.h"

namespace {

constexpr size_t kMaxLabelBytes = 11;

int usage(const char* problem) {
    if (problem) std::fprintf(stderr, "make_blank_image: %s\n", problem);
    std::fprintf(problem ? stderr : stdout,
                 "usage: make_blank_image [--type 1.44M|720K|1.2M|360K] IMAGE [LABEL]\n"
                 "Writes an empty FAT12 floppy image (1.44M unless --type says otherwise), replacing IMAGE.\n"
                 "LABEL (at most 11 bytes, kept as typed) becomes the volume label.\n");
    return problem ? 2 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string_view type = "1.44M";
    std::vector<std::string> operands;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "-h" || arg == "--help") return usage(nullptr);
        if (arg == "--type" || arg == "-t") {
            if (++i == argc) return usage("--type needs a value");
            type = argv[i];
        } else if (arg.starts_with("--type=")) {
            type = arg.substr(7);
        } else if (arg == "--") {
            operands.insert(operands.end(), argv + i + 1, argv + argc);
            break;
        } else if (arg.size() > 1 && arg.front() == '-') {
            return usage(("unknown option " + std::string(arg)).c_str());
        } else {
            operands.emplace_back(arg);
        }
    }
    if (operands.empty()) return usage("no image file given");
    if (operands.size() > 2) return usage("too many arguments");

    const auto templateId = bootsectors::templateIdForType(type);
    if (!templateId) {
        return usage(("unknown floppy type '" + std::string(type) + "' (use 1.44M, 720K, 1.2M or 360K)").c_str());
    }
    const std::string& image = operands[0];
    const std::string label = operands.size() > 1 ? operands[1] : std::string();
    if (label.size() > kMaxLabelBytes) return usage("the label is longer than 11 bytes");

    switch (bootsectors::CreateEmptyImage(*templateId, image, label)) {
        case bootsectors::kImageCreated:
            return 0;
        case bootsectors::kImageWriteFailed:
            std::fprintf(stderr, "make_blank_image: writing '%s' failed; the file is incomplete\n", image.c_str());
            return 1;
        default:
            std::fprintf(stderr,
                         "make_blank_image: cannot create '%s' (missing folder, no permission, not a regular "
                         "file, or locked by another program)\n",
                         image.c_str());
            return 1;
    }
}
