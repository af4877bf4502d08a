#pragma once
// The information list's lines about a geometry: "Floppy:" and "<label> CTS=c/t/s".
#include <string>

#include "orva.h"

namespace converter {

// Where the lines go: the main window's information list box, or a test's recording.
class ListPort {
public:
    virtual ~ListPort() = default;
    virtual void AppendLine(const std::string& line) = 0;
};

std::string geometryLine(const DiskGeometry& geometry);
void ListGeometryLine(bool withHeader, const DiskGeometry& geometry, ListPort& list);

}  // namespace converter
