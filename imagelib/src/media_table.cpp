#include "media_table.h"

namespace orva {

std::optional<MediaKind> lookupMedia(uint8_t mediaByte, uint32_t sectorsPerTrack) {
    switch (mediaByte) {
        case 0xF0:
            return MediaKind{80, kMedia1Pt44};
        case 0xF9:
            if (sectorsPerTrack == 9) return MediaKind{80, kMedia720};
            if (sectorsPerTrack == 15) return MediaKind{80, kMedia1Pt2};
            return MediaKind{80, kMediaUnknown};
        case 0xFD:
            return MediaKind{40, kMedia360};
        default:
            return std::nullopt;
    }
}

}  // namespace orva
