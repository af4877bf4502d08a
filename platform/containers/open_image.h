#pragma once
// Opening an image file for the library: a raw image is the file itself; a container is decoded into the
// raw image it holds, read-only unless its format can be written back and its folder takes a new file.
#include <memory>
#include <string>

#include "platform/containers/container_error.h"
#include "platform/containers/container_file.h"
#include "platform/containers/image_codec.h"
#include "platform/host_file.h"

namespace platform::containers {

// Which format an open file holds by its first bytes; raw for an empty or unreadable one.
ContainerFormat formatOfFile(RandomAccessFile& file);
// Whether an open file holds a container by its first bytes (not a raw image).
bool holdsContainer(RandomAccessFile& file);

// Null on failure, with error set to an errno value (EINVAL for a container that cannot be decoded).
std::unique_ptr<RandomAccessFile> openImage(const std::string& path, Access access, int& error);

// The format a new image takes by its name: ImageDisk for ".imd", a zipped raw image for ".imz" (any case),
// else raw. The formats that only open for reading are never made.
ContainerFormat formatForNewImage(const std::string& path);

// A new image of that format at path (created, or emptied, and locked now) that holds the geometry's sectors
// in memory and is encoded into the file when it closes. Null with error set to an errno value.
std::unique_ptr<ContainerFile> createContainer(const std::string& path, ContainerFormat format,
                                               const SectorGeometry& geometry, int& error);

// Reads and decodes a whole image file of any format, for converting it. CannotRead with error set to an
// errno value when the file cannot be opened or read.
ContainerError loadImage(const std::string& path, DecodedImage& out, int& error);

// What is wrong with the container at path, when openImage refused it for its content; None for a raw image,
// one that decodes, or one that cannot be read at all.
ContainerError diagnoseImage(const std::string& path);

}  // namespace platform::containers
