// The library on floppy containers: each kind opens like a raw image and gives its files back; a TeleDisk or
// CopyQM image is read-only; an ImageDisk image changed through the library is still one that dsktrans
// reads, and its file system is one fsck.fat and mtools accept.
#include <gtest/gtest.h>

#include "fixture.h"
#include "image_state.h"
#include "interop.h"
#include "platform/containers/container_format.h"
#include "platform/containers/zip_image.h"

namespace orva {
namespace {

using containers_test::Interop;
using testing_support::quote;
using testing_support::readFile;
using testing_support::run;
using testing_support::runOk;
using testing_support::writeFile;

struct Kind {
    const char* extension;
    std::function<std::vector<uint8_t>(const Interop&)> make;
    int32_t openResult;  // 1: opened read-only
};

const std::vector<Kind>& kinds() {
    static const std::vector<Kind> k = {
        {"imd", [](const Interop& f) { return f.dsktrans("imd"); }, 0},
        {"td0", [](const Interop& f) { return f.dsktrans("tele"); }, 1},
        {"cqm", [](const Interop& f) { return f.dsktrans("copyqm"); }, 1},
        {"imz",
         [](const Interop& f) {
             std::vector<uint8_t> out;
             platform::containers::zipImage({"DISK.IMA", f.raw()}, out);
             return out;
         },
         0},
    };
    return k;
}

TEST(ContainerImages, OpenLikeRawImagesAndGiveTheirFilesBack) {
    Interop fixture(1440);
    for (const Kind& kind : kinds()) {
        SCOPED_TRACE(kind.extension);
        const auto image = fixture.dir() / (std::string("disk.") + kind.extension);
        // Made once: the tool stamps the time of making into the header.
        const std::vector<uint8_t> original = kind.make(fixture);
        writeFile(image, original);
        ImageState state;
        ASSERT_EQ(state.OpenFDImg(image.string(), 1), kind.openResult);
        DiskGeometry g{};
        ASSERT_EQ(state.GetFDType(&g, nullptr, 0), 0);
        EXPECT_EQ(g.mediaType, 2);
        EXPECT_EQ(g.sectorsPerTrack, 18u);
        const auto out = fixture.dir() / (std::string("random.") + kind.extension);
        ASSERT_EQ(state.CopyF("\\Nested folder\\random data.bin", out.string()), 0);
        EXPECT_EQ(readFile(out), readFile(fixture.dir() / "files" / "Nested folder" / "random data.bin"));
        if (kind.openResult == 1) {
            EXPECT_EQ(state.CopyT(out.string(), "\\COPY.BIN"), 8);
            EXPECT_EQ(state.MkDir("\\NEW"), 8);
        }
        EXPECT_EQ(state.CloseFDImg(), 0);
        EXPECT_EQ(readFile(image), original);
    }
}

TEST(ContainerImages, AnImdChangedThroughTheLibraryStaysAValidImd) {
    for (int kilobytes : {720, 1200}) {
        SCOPED_TRACE(kilobytes);
        Interop fixture(kilobytes);
        const auto image = fixture.dir() / "edited.imd";
        writeFile(image, fixture.dsktrans("imd"));
        const auto host = fixture.dir() / "new file.bin";
        writeFile(host, testing_support::patternBytes(40000, 11));
        {
            ImageState state;
            ASSERT_EQ(state.OpenFDImg(image.string(), 1), 0);
            ASSERT_EQ(state.MkDir("\\Nový adresář"), 0);
            ASSERT_EQ(state.CopyT(host.string(), "\\Nový adresář\\new file.bin"), 0);
            ASSERT_EQ(state.KillF("\\README.TXT", 0), 0);
            ASSERT_EQ(state.CloseFDImg(), 0);
        }
        EXPECT_EQ(platform::containers::detectFormat(readFile(image)),
                  platform::containers::ContainerFormat::Imd);
        const std::vector<uint8_t> raw = fixture.dsktransToRaw(readFile(image), "imd");
        const auto rawPath = fixture.dir() / "back.img";
        ASSERT_EQ(raw.size(), static_cast<size_t>(kilobytes) * 1024);
        const auto fsck = run("fsck.fat -n " + quote(rawPath.string()));
        EXPECT_EQ(fsck.exitCode, 0) << fsck.output;
        const auto copied = fixture.dir() / "mcopied.bin";
        runOk("mcopy -n -i " + quote(rawPath.string()) + " " + quote("::/Nový adresář/new file.bin") + " " +
              quote(copied.string()));
        EXPECT_EQ(readFile(copied), readFile(host));
        EXPECT_NE(run("mdir -i " + quote(rawPath.string()) + " ::/README.TXT").exitCode, 0);
    }
}

}  // namespace
}  // namespace orva
