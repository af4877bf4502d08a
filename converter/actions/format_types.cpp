#include "format_types.h"

#include <array>
#include <utility>

#include "geometry_list.h"

namespace converter::actions {
namespace {

using bootsectors::TemplateId;

constexpr std::array<std::pair<MEDIA_TYPE, TemplateId>, 4> kTemplates{{
    {F5_1Pt2_512, TemplateId::Disk1200K},
    {F3_1Pt44_512, TemplateId::Disk1440K},
    {F3_720_512, TemplateId::Disk720K},
    {F5_360_512, TemplateId::Disk360K},
}};

}  // namespace

std::optional<TemplateId> templateFor(int32_t mediaType) {
    for (const auto& [type, id] : kTemplates) {
        if (type == mediaType) return id;
    }
    return std::nullopt;
}

std::optional<MEDIA_TYPE> mediaTypeOf(TemplateId templateId) {
    for (const auto& [type, id] : kTemplates) {
        if (id == templateId) return type;
    }
    return std::nullopt;
}

bool formattableMedium(const DiskGeometry& medium) {
    return isFormattableLine(geometryLine(medium));
}

DiskGeometry offeredGeometry(std::span<const DiskGeometry> driveTypes) {
    // The largest type the drive lists that has a template: a drive that knows only one type (720 KB, 360 KB)
    // gets that one, never a type it cannot write.
    std::optional<DiskGeometry> best;
    for (const DiskGeometry& type : driveTypes) {
        const auto built = templateFor(type.mediaType) ? builtGeometry(type.mediaType) : std::nullopt;
        if (built && (!best || mediumBytes(*built) > mediumBytes(*best))) best = built;
    }
    if (best) return *best;
    // A drive that lists nothing formattable: its second type tells the size, 3.5-inch ones begin with "3".
    const bool threeAndAHalf =
        driveTypes.size() > 1 && MediaTypeLabel(driveTypes[1].mediaType).starts_with("3");
    return *builtGeometry(threeAndAHalf ? F3_1Pt44_512 : F5_1Pt2_512);
}

}  // namespace converter::actions
