#include "converter/dialog/rescue_report.h"

#include "converter/dialog/texts.h"
#include "damage/hurt_parts.h"
#include "damage/map_file.h"
#include "damage/unfinished_bytes.h"

namespace converter::dialog {
namespace {

using desktop::ShownText;

constexpr uint64_t kBootSectorBytes = 512;

ShownText line(const ShownText& text) {
    return ShownText::verbatim("\n    ") + text;
}

ShownText hurtList(const std::string& imagePath, const std::string& mapPath) {
    ShownText out = ShownText::verbatim("\n\n") + text::kHurtHeading;
    std::string error;
    const auto map = damage::readMapFile(mapPath, error);
    if (!map) return out + line(text::shown(text::kHurtUnknown, error.c_str()));
    int32_t opened = 0;
    const auto hurt = damage::hurtParts(imagePath, *map, opened);
    if (!hurt) {
        // The boot sector is the image's first 512 bytes whatever its layout; without it nothing opens.
        if (damage::unfinishedBytes(*map, 0, kBootSectorBytes) > 0) out += line(text::kHurtBoot);
        return out + line(text::shown(text::kImageNotOpened, opened));
    }
    const size_t before = out.pieces().size();
    if (hurt->bootSector) out += line(text::kHurtBoot);
    for (uint32_t copy : hurt->tableCopies) out += line(text::shown(text::kHurtTable, copy));
    if (hurt->rootFolder) out += line(text::kHurtRoot);
    for (const std::string& path : hurt->items) out += line(ShownText::verbatim(path));
    if (out.pieces().size() == before) out += line(text::kHurtNothing);
    return out;
}

}  // namespace

ShownText rescueReport(const actions::RescueSummary& s, const std::string& imagePath,
                       const std::string& mapPath) {
    ShownText out =
        text::shown(text::kRescueCounts, s.finished, s.sectors,
                    static_cast<unsigned>(s.recoveredByVote.size()), static_cast<unsigned>(s.missing.size()));
    if (!s.missing.empty()) out += hurtList(imagePath, mapPath);
    return out;
}

}  // namespace converter::dialog
