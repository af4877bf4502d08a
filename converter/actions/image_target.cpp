#include "image_target.h"

#include <cerrno>

#include "action_result.h"
#include "platform/path_info.h"

namespace converter::actions {

std::optional<Result> refuseNonFileImage(const std::string& path) {
    const platform::PathInfo info = platform::inspectPath(path);
    if (!info.exists || info.regular) return std::nullopt;
    return failed(Failure::ImageFile, info.directory ? EISDIR : EINVAL, path);
}

}  // namespace converter::actions
