#pragma once
// The platform's floppy media type numbers, their labels, and the four types the converter builds itself.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "orva.h"

namespace converter {

// The platform's MEDIA_TYPE numbering; only the floppy types and the two that follow them matter here.
enum MEDIA_TYPE : int32_t {
    Unknown = 0,
    F5_1Pt2_512 = 1,
    F3_1Pt44_512 = 2,
    F3_2Pt88_512 = 3,
    F3_20Pt8_512 = 4,
    F3_720_512 = 5,
    F5_360_512 = 6,
    F5_320_512 = 7,
    F5_320_1024 = 8,
    F5_180_512 = 9,
    F5_160_512 = 10,
    RemovableMedia = 11,
    FixedMedia = 12,
};

// String table id of a type's label: 110 + type for 1..10, 121 ("Unknown") for everything else.
int mediaTypeLabelId(int32_t mediaType);
std::string_view MediaTypeLabel(int32_t mediaType);

// Types 1, 2, 5 and 6 with their whole geometry; every other type's geometry comes from the platform.
std::span<const DiskGeometry> builtGeometries();
std::optional<DiskGeometry> builtGeometry(int32_t mediaType);

// heads × sectors × bytes × cylinders (low half), wrapping as unsigned 32-bit arithmetic does.
uint32_t imageBytes(const DiskGeometry& geometry);
// The medium's sectors and bytes in full, for what holds or addresses a medium.
uint64_t mediumSectors(const DiskGeometry& geometry);
uint64_t mediumBytes(const DiskGeometry& geometry);
// An image file fits a geometry only at exactly its size.
bool imageMatchesGeometry(uint64_t fileBytes, const DiskGeometry& geometry);

// The medium's information line names a type that can be formatted ("1." , "720" or "360" in it).
bool isFormattableLine(std::string_view geometryLine);

// Bytes in one cylinder, for sizing transfer buffers. Nothing for type 0, whose cylinders and sectors may be
// left over from before the query, and nothing for numbers no floppy has (a confused or lying device).
std::optional<uint32_t> cylinderBytes(const DiskGeometry& geometry);

}  // namespace converter
