#include "interop.h"

namespace containers_test {

using testing_support::quote;
using testing_support::runOk;

Interop::Interop(int kilobytes) : kilobytes_(kilobytes) {
    const auto files = dir_ / "files";
    std::filesystem::create_directories(files / "Nested folder");
    testing_support::writeFile(files / "README.TXT", std::string("A floppy in a container.\r\n"));
    testing_support::writeFile(files / "Nested folder" / "random data.bin",
                               testing_support::patternBytes(30000, 3));
    testing_support::makeFatImage(rawPath(), kilobytes, "INTEROP");
    testing_support::mcopyTree(rawPath(), files);
}

std::vector<uint8_t> Interop::raw() const {
    return testing_support::readFile(rawPath());
}

platform::containers::SectorGeometry Interop::geometry() const {
    switch (kilobytes_) {
        case 360:
            return {40, 2, 9, 512};
        case 720:
            return {80, 2, 9, 512};
        case 1200:
            return {80, 2, 15, 512};
        default:
            return {80, 2, 18, 512};
    }
}

std::vector<uint8_t> Interop::dsktrans(const std::string& type) const {
    const auto out = dir_ / ("disk." + type);
    std::filesystem::remove(out);
    runOk("dsktrans -itype raw " + quote(rawPath()) + " -otype " + type + " " + quote(out.string()));
    return testing_support::readFile(out);
}

std::vector<uint8_t> Interop::dsktransToRaw(const std::vector<uint8_t>& file, const std::string& type) const {
    const auto in = dir_ / ("ours." + type);
    const auto out = dir_ / "back.img";
    testing_support::writeFile(in, file);
    std::filesystem::remove(out);
    runOk("dsktrans -itype " + type + " " + quote(in.string()) + " -otype raw " + quote(out.string()));
    return testing_support::readFile(out);
}

}  // namespace containers_test
