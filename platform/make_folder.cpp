#include "platform/make_folder.h"

#include <sys/stat.h>

namespace platform {

bool makeFolder(const std::string& path) {
    return ::mkdir(path.c_str(), 0777) == 0;
}

}  // namespace platform
