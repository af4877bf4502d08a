// Opening a hostile image and reading all of it: listing the whole tree, copying files out, every check mode.
#include <cstddef>
#include <cstdint>

#include "memory_image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzing::ImageInput in = fuzzing::imageFromInput({data, size});
    int32_t result = 0;
    auto state = fuzzing::openInMemory(in.image, in.fatCopy, result);
    if (!state->isOpen()) return 0;
    state->BlockTestFol(in.checkFlags);
    DiskGeometry geometry{};
    uint8_t boot[512];
    uint32_t free = 0;
    state->GetFDType(&geometry, boot, sizeof boot);
    state->FreeSpace(&free);
    fuzzing::walkTree(*state, 16);
    state->SetFWrkDir("\\");
    fuzzing::checkFreeCount(*state);
    state->CloseFDImg();
    return 0;
}
