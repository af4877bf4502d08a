#pragma once
// Any image file, container or raw, to sectors and back: the one entry to the format codecs.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/containers/container_error.h"
#include "platform/containers/container_format.h"
#include "platform/containers/imd_codec.h"
#include "platform/containers/sector_image.h"

namespace platform::containers {

struct DecodedImage {
    ContainerFormat format = ContainerFormat::Raw;
    SectorImage image;
    ImdLayout imdLayout;  // what an IMD file said beyond its sectors; empty otherwise
    std::string comment;  // the comment of an IMD or TeleDisk file
    std::string zipEntryName;
};

// The format is told by content.
ContainerError decodeImage(std::vector<uint8_t> file, DecodedImage& out);

struct EncodeOptions {
    std::string imdHeaderLine;  // for an IMD made from another format
    std::string zipEntryName;   // for a zip made from another format
};

// A raw image, zipped or not, cannot say that a sector is bad: such sectors are filled with
// kMissingSectorFill.
ContainerError encodeImage(const DecodedImage& image, ContainerFormat format, const EncodeOptions& options,
                           std::vector<uint8_t>& out);

// The header line an IMD written now carries.
std::string imdHeaderLineNow();

}  // namespace platform::containers
