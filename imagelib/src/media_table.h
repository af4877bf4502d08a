#pragma once
// Which floppy a boot sector describes: media byte and sectors per track give cylinders and media type.
#include <cstdint>
#include <optional>

namespace orva {

enum MediaType : int32_t {
    kMediaUnknown = 0,
    kMedia1Pt2 = 1,   // 5.25" 1.2 MB
    kMedia1Pt44 = 2,  // 3.5" 1.44 MB
    kMedia720 = 5,    // 3.5" 720 KB
    kMedia360 = 6,    // 5.25" 360 KB
};

struct MediaKind {
    uint32_t cylinders;
    int32_t mediaType;
};

// Nothing for a media byte the library does not know.
std::optional<MediaKind> lookupMedia(uint8_t mediaByte, uint32_t sectorsPerTrack);

}  // namespace orva
