// CopyQM files as dsktrans writes them, and damaged ones.
#include <gtest/gtest.h>

#include "interop.h"
#include "platform/containers/copyqm_decode.h"

namespace {

using namespace platform::containers;
using containers_test::Interop;

void fixChecksum(std::vector<uint8_t>& file) {
    uint8_t sum = 0;
    for (size_t i = 0; i < 132; ++i) sum = static_cast<uint8_t>(sum + file[i]);
    file[132] = static_cast<uint8_t>(-sum);
}

TEST(CopyQmInterop, DsktransImagesReadAsTheirRawSource) {
    for (int kilobytes : {360, 720, 1200, 1440}) {
        SCOPED_TRACE(kilobytes);
        Interop fixture(kilobytes);
        SectorImage out;
        ASSERT_EQ(decodeCopyQm(fixture.dsktrans("copyqm"), out), ContainerError::None);
        EXPECT_EQ(out.geometry, fixture.geometry());
        EXPECT_EQ(out.bytes, fixture.raw());
        EXPECT_EQ(out.states, std::vector<SectorState>(out.geometry.sectorCount(), SectorState::Normal));
    }
}

TEST(CopyQmDecode, DamagedFilesAreRefusedWithTheirReason) {
    Interop fixture(720);
    const std::vector<uint8_t> good = fixture.dsktrans("copyqm");
    struct Row {
        const char* name;
        std::vector<uint8_t> file;
        ContainerError expected;
    };
    auto changed = [&](auto change, bool keepChecksum = true) {
        std::vector<uint8_t> f = good;
        change(f);
        if (keepChecksum) fixChecksum(f);
        return f;
    };
    // The runs start after the header and its comment; the first is the boot sector's literal run.
    const size_t runs = 133 + good[0x6F] + 256 * good[0x70];
    const std::vector<Row> rows = {
        {"header checksum", changed([](auto& f) { f[0x10] ^= 1; }, false), ContainerError::BadHeader},
        {"sector size 500", changed([](auto& f) { f[3] = 0xF4, f[4] = 1; }), ContainerError::BadHeader},
        {"three heads", changed([](auto& f) { f[0x12] = 3; }), ContainerError::BadHeader},
        {"no cylinders", changed([](auto& f) { f[0x5B] = 0; }), ContainerError::BadHeader},
        {"data checksum", changed([&](auto& f) { f[runs + 2 + 40] ^= 0xFF; }),
         ContainerError::ChecksumMismatch},
        {"a run past the image", changed([&](auto& f) {
             f.resize(runs);
             f.insert(f.end(), {0x00, 0x80, 0xE5});  // -32768
             for (int i = 0; i < 30; ++i) f.insert(f.end(), {0x00, 0x80, 0xE5});
         }),
         ContainerError::BadRecord},
        {"header only", std::vector<uint8_t>(good.begin(), good.begin() + 133), ContainerError::Truncated},
        {"short header", std::vector<uint8_t>(good.begin(), good.begin() + 100), ContainerError::Truncated},
        {"half the data", std::vector<uint8_t>(good.begin(), good.begin() + static_cast<long>(runs + 3000)),
         ContainerError::Truncated},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SectorImage out;
        EXPECT_EQ(decodeCopyQm(row.file, out), row.expected);
    }
}

}  // namespace
