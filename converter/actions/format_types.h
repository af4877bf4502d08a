#pragma once
// Which types a floppy can be formatted to: the four with a boot sector template, and the type offered when
// the medium's own is not one of them.
#include <optional>
#include <span>

#include "bootsectors/boot_templates.h"
#include "media_types.h"

namespace converter::actions {

std::optional<bootsectors::TemplateId> templateFor(int32_t mediaType);
std::optional<MEDIA_TYPE> mediaTypeOf(bootsectors::TemplateId templateId);

// The medium's listed type can be formatted again (its information line names 1.x MB, 720 or 360 KB).
bool formattableMedium(const DiskGeometry& medium);

// The drive's highest type with a template. A drive that lists none: 1.44 MB when its second supported type
// is a 3.5-inch one, else 1.2 MB.
DiskGeometry offeredGeometry(std::span<const DiskGeometry> driveTypes);

}  // namespace converter::actions
