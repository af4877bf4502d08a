#include "image_target.h"

#include <cerrno>

#include "action_result.h"
#include "platform/containers/open_image.h"
#include "platform/host_file.h"
#include "platform/path_info.h"

namespace converter::actions {

std::optional<Result> refuseNonFileImage(const std::string& path) {
    const platform::PathInfo info = platform::inspectPath(path);
    if (!info.exists || info.regular) return std::nullopt;
    return failed(Failure::ImageFile, info.directory ? EISDIR : EINVAL, path);
}

ImageTarget createTarget(const std::string& path, const DiskGeometry& geometry, int& error) {
    namespace containers = platform::containers;
    const containers::ContainerFormat format = containers::formatForNewImage(path);
    if (format == containers::ContainerFormat::Raw) return {platform::createExclusive(path, error)};
    const containers::SectorGeometry sectors{static_cast<uint32_t>(geometry.cylinders),
                                             geometry.tracksPerCylinder, geometry.sectorsPerTrack,
                                             geometry.bytesPerSector};
    auto container = containers::createContainer(path, format, sectors, error);
    ImageTarget target;
    target.container = container.get();
    target.file = std::move(container);
    return target;
}

}  // namespace converter::actions
