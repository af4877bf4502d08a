#pragma once
// A FAT image made by mkfs.fat and filled by mcopy, and what libdsk's dsktrans makes of it: the independent
// side of every interop test.
#include <cstdint>
#include <string>
#include <vector>

#include "fixture.h"
#include "platform/containers/sector_image.h"

namespace containers_test {

class Interop {
  public:
    explicit Interop(int kilobytes);
    const testing_support::ScratchDir& dir() const { return dir_; }
    std::string rawPath() const { return (dir_ / "disk.img").string(); }
    std::vector<uint8_t> raw() const;
    platform::containers::SectorGeometry geometry() const;
    // The raw image converted by dsktrans to type ("imd", "tele", "copyqm").
    std::vector<uint8_t> dsktrans(const std::string& type) const;
    // A file of type converted back to raw by dsktrans.
    std::vector<uint8_t> dsktransToRaw(const std::vector<uint8_t>& file, const std::string& type) const;

  private:
    testing_support::ScratchDir dir_;
    int kilobytes_;
};

}  // namespace containers_test
