#include "media_types.h"

#include <array>

namespace converter {
namespace {

constexpr int kUnknownLabelId = 121;

// Labels 111..121 in id order; the double spaces line the columns up in the list box.
constexpr std::array<std::string_view, 11> kLabels{
    "5.25 1.2MB  512 BpS",
    "3.5  1.44MB 512 BpS",
    "3.5  2.88MB 512 BpS",
    "3.5  20.8MB 512 BpS",
    "3.5  720KB  512 BpS",
    "5.25 360KB  512 BpS",
    "5.25 320KB  512 BpS",
    "5.25 320KB  1024 BpS",
    "5.25 180KB  512 BpS",
    "5.25 160KB  512 BpS",
    "Unknown",
};

constexpr std::array<DiskGeometry, 4> kBuilt{{
    {80, F5_1Pt2_512, 2, 15, 512},
    {80, F3_1Pt44_512, 2, 18, 512},
    {80, F3_720_512, 2, 9, 512},
    {40, F5_360_512, 2, 9, 512},
}};

// Generous bounds: the largest floppy cylinder (2.88 MB) holds 36 KB.
constexpr uint32_t kMaxHeads = 255;
constexpr uint32_t kMaxSectorsPerTrack = 255;
constexpr uint32_t kMaxBytesPerSector = 4096;
constexpr uint32_t kMaxCylinderBytes = 1u << 20;

}  // namespace

int mediaTypeLabelId(int32_t mediaType) {
    return mediaType >= F5_1Pt2_512 && mediaType <= F5_160_512 ? 110 + mediaType : kUnknownLabelId;
}

std::string_view MediaTypeLabel(int32_t mediaType) {
    return kLabels[mediaTypeLabelId(mediaType) - 111];
}

std::span<const DiskGeometry> builtGeometries() {
    return kBuilt;
}

std::optional<DiskGeometry> builtGeometry(int32_t mediaType) {
    for (const DiskGeometry& g : kBuilt) {
        if (g.mediaType == mediaType) return g;
    }
    return std::nullopt;
}

uint32_t imageBytes(const DiskGeometry& geometry) {
    return geometry.tracksPerCylinder * geometry.sectorsPerTrack * geometry.bytesPerSector *
           static_cast<uint32_t>(geometry.cylinders);
}

uint64_t mediumSectors(const DiskGeometry& geometry) {
    return static_cast<uint64_t>(geometry.cylinders) * geometry.tracksPerCylinder * geometry.sectorsPerTrack;
}

uint64_t mediumBytes(const DiskGeometry& geometry) {
    return mediumSectors(geometry) * geometry.bytesPerSector;
}

bool imageMatchesGeometry(uint64_t fileBytes, const DiskGeometry& geometry) {
    return fileBytes == imageBytes(geometry);
}

bool isFormattableLine(std::string_view geometryLine) {
    return geometryLine.find("1.") != std::string_view::npos ||
           geometryLine.find("720") != std::string_view::npos ||
           geometryLine.find("360") != std::string_view::npos;
}

std::optional<uint32_t> cylinderBytes(const DiskGeometry& geometry) {
    if (geometry.mediaType == Unknown) return std::nullopt;
    const uint32_t heads = geometry.tracksPerCylinder;
    const uint32_t sectors = geometry.sectorsPerTrack;
    const uint32_t bytes = geometry.bytesPerSector;
    if (heads == 0 || heads > kMaxHeads || sectors == 0 || sectors > kMaxSectorsPerTrack || bytes == 0 ||
        bytes > kMaxBytesPerSector) {
        return std::nullopt;
    }
    const uint32_t cylinderBytes = heads * sectors * bytes;
    if (cylinderBytes > kMaxCylinderBytes) return std::nullopt;
    return cylinderBytes;
}

}  // namespace converter
