// A hostile image changed by a sequence of writing calls the input chooses, then read again in full.
#include <array>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

#include "bootsectors/boot_templates.h"
#include "memory_image.h"

namespace {

namespace fs = std::filesystem;

constexpr std::array<const char*, 12> kPaths = {
    "\\A.TXT",      "\\Long name.txt",         "\\DIR", "\\Příliš žluťoučký.txt",
    "\\DIR\\X.TXT", "\\DIR\\Nested long name", "SUB",   "\\DIR\\SUB\\",
    "A B+C.TXT",    "\\DIR\\SUB\\deep.bin",    "\\",    "ABCDEFGHIJKL"};

const std::array<std::string, 3>& hostFiles() {
    static const std::array<std::string, 3> files = [] {
        std::array<std::string, 3> f;
        const size_t sizes[3] = {0, 700, 5000};
        for (size_t i = 0; i < 3; ++i) {
            f[i] = (fuzzing::scratchFolder() / ("host" + std::to_string(i))).string();
            std::ofstream(f[i], std::ios::binary) << std::string(sizes[i], static_cast<char>('a' + i));
        }
        return f;
    }();
    return files;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Byte 1 says how many calls follow (up to 8), two bytes each; the image comes after them.
    const size_t calls = size > 1 ? data[1] % 9 : 0;
    const size_t header = 2 + 2 * calls;
    if (size < header) return 0;
    std::vector<uint8_t> imageInput{data[0]};
    imageInput.insert(imageInput.end(), data + header, data + size);
    fuzzing::ImageInput in = fuzzing::imageFromInput(imageInput);
    int32_t result = 0;
    auto state = fuzzing::openInMemory(in.image, in.fatCopy, result);
    if (!state->isOpen()) return 0;
    state->BlockTestFol(in.checkFlags);
    for (size_t i = 0; i < calls; ++i) {
        const uint8_t op = data[2 + 2 * i], arg = data[3 + 2 * i];
        const char* path = kPaths[arg % kPaths.size()];
        switch (op % 7) {
            case 0:
                state->CopyT(hostFiles()[arg % 3], path);
                break;
            case 1:
                state->MkDir(path);
                break;
            case 2:
                state->KillF(path, arg & 1);
                break;
            case 3:
                state->SetAttrib(path, arg);
                break;
            case 4:
                state->WriteVol(arg & 1 ? "" : path + 1);
                break;
            case 5: {
                auto sector = bootsectors::bootTemplate(bootsectors::kTemplateTable[arg % 4].id);
                (*sector)[arg % 512] ^= arg;
                state->WriteBoot(sector->data());
                break;
            }
            default:
                state->SetFWrkDir(path);
                break;
        }
        fuzzing::checkFreeCount(*state);
    }
    fuzzing::walkTree(*state, 4);
    // What was written must open and read again.
    state->CloseFDImg();
    state = fuzzing::openInMemory(in.image, 1, result);
    if (state->isOpen()) fuzzing::walkTree(*state, 4);
    return 0;
}
