#pragma once
// Writes a new, empty floppy image file from one of the boot sector templates.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "bootsectors/boot_templates.h"

namespace bootsectors {

enum CreateImageResult : int {
    kImageCreated = 0,
    kImageWriteFailed = 1,  // the partly written file stays on the disk
    kImageNotCreated = 4,   // nothing was written (also for an unknown template)
};

// Creates or replaces the file at path: the template's boot sector with the label in it, zeros everywhere
// else but the two reserved entries of both FATs, and, for a non-empty label, a label entry in the first root
// slot stamped with the current UTC time. An empty label leaves the root empty and puts "__NO_NAME__" in the
// boot sector. The label is taken as raw bytes, blank-padded and cut to 11. Shows no message.
int CreateEmptyImage(TemplateId templateId, const std::string& path, const std::string& label);

// The start of an empty file system of the template, up to the end of its second FAT: the boot sector with
// the label in it ("__NO_NAME__" for an empty one) and the two reserved entries of both FATs, zeros
// elsewhere. Nothing for an unknown template.
std::optional<std::vector<uint8_t>> emptyFileSystemStart(TemplateId templateId, const std::string& label);

// The label's entry, the first root slot right after that start, stamped with the current UTC time; nothing
// for an empty label.
std::vector<uint8_t> labelEntry(const std::string& label);

}  // namespace bootsectors
