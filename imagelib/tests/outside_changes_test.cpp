// Another program writes into the image while the library holds it open (mtools takes no lock): the
// library's next change starts from what is on disk then, never from the table it read at open.
#include <gtest/gtest.h>

#include <functional>

#include "fixture.h"
#include "image_state.h"

namespace orva {
namespace {

namespace fs = std::filesystem;
using testing_support::patternBytes;
using testing_support::quote;
using testing_support::readFile;
using testing_support::run;
using testing_support::runOk;
using testing_support::ScratchDir;
using testing_support::writeFile;

struct Case {
    const char* name;
    const char* meanwhile;  // an mtools command over $IMG, with the host files in $H
    std::function<int32_t(ImageState&, const fs::path& host)> change;  // the library's next change
    const char* listed;                                                // mdir -/ -b afterwards
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

class ChangedMeanwhile : public ::testing::TestWithParam<Case> {};

TEST_P(ChangedMeanwhile, TheNextChangeBuildsOnWhatIsOnDisk) {
    const Case& c = GetParam();
    ScratchDir dir;
    const fs::path image = dir / "img.img";
    const fs::path host = dir / "h";
    fs::create_directories(host);
    testing_support::makeFatImage(image, 1440);
    writeFile(host / "A.BIN", patternBytes(3000, 1));
    writeFile(host / "B.BIN", patternBytes(5000, 2));
    writeFile(host / "C.BIN", patternBytes(4000, 3));
    ImageState s;
    ASSERT_EQ(s.OpenFDImg(image.string(), 1), 0);
    ASSERT_EQ(s.CopyT((host / "A.BIN").string(), "\\A.BIN"), 0);

    runOk("IMG=" + quote(image.string()) + " H=" + quote(host.string()) + "; " + c.meanwhile);
    EXPECT_EQ(c.change(s, host), 0);
    ASSERT_EQ(s.CloseFDImg(), 0);

    const auto fsck = run("fsck.fat -n " + quote(image.string()));
    EXPECT_EQ(fsck.exitCode, 0) << fsck.output;
    EXPECT_EQ(runOk("mdir -/ -b -i " + quote(image.string()) + " ::"), c.listed);
    // Every file there holds its own bytes: none shares a cluster with another.
    for (const char* path : {"A.BIN", "B.BIN", "C.BIN", "D/C.BIN"}) {
        const fs::path back = dir / "back";
        fs::remove(back);
        if (run("mcopy -n -i " + quote(image.string()) + " ::" + path + " " + quote(back.string()))
                .exitCode != 0)
            continue;
        EXPECT_EQ(readFile(back), readFile(host / fs::path(path).filename())) << path;
    }
}

int32_t copyC(ImageState& s, const fs::path& host) {
    return s.CopyT((host / "C.BIN").string(), "\\C.BIN");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChangedMeanwhile,
    ::testing::Values(
        Case{"FileAddedThenCopyIn", "mcopy -i \"$IMG\" \"$H/B.BIN\" ::B.BIN", copyC,
             "::/A.BIN\n::/B.BIN\n::/C.BIN\n"},
        Case{"FileAddedThenFolderMade", "mcopy -i \"$IMG\" \"$H/B.BIN\" ::B.BIN",
             [](ImageState& s, const fs::path& host) {
                 const int32_t made = s.MkDir("\\D");
                 return made != 0 ? made : s.CopyT((host / "C.BIN").string(), "\\D\\C.BIN");
             },
             "::/A.BIN\n::/B.BIN\n::/D/\n::/D/C.BIN\n"},
        Case{"FileDeletedThenCopyIn", "mdel -i \"$IMG\" ::A.BIN", copyC, "::/C.BIN\n"},
        Case{"FileAddedThenDeleted", "mcopy -i \"$IMG\" \"$H/B.BIN\" ::B.BIN",
             [](ImageState& s, const fs::path&) { return s.KillF("\\A.BIN", 0); }, "::/B.BIN\n"},
        Case{"LabelWrittenThenCopyIn", "mlabel -i \"$IMG\" ::OTHER", copyC, "::/A.BIN\n::/C.BIN\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// New disk parameters make every offset the library knows wrong: each change is refused with its own code,
// and the image stays as the other program left it.
TEST(ChangedParameters, EveryChangeIsRefusedAndNothingWritten) {
    ScratchDir dir;
    const fs::path image = dir / "img.img";
    testing_support::makeFatImage(image, 1440);
    writeFile(dir / "F.BIN", patternBytes(700, 4));
    ImageState s;
    ASSERT_EQ(s.OpenFDImg(image.string(), 1), 0);
    ASSERT_EQ(s.CopyT((dir / "F.BIN").string(), "\\F.BIN"), 0);
    // Two sectors per cluster where there was one, as a new format of the same file would leave it.
    auto bytes = readFile(image);
    bytes[13] = 2;
    writeFile(image, bytes);
    const std::array<uint8_t, 512> boot{};
    const std::function<int32_t()> changes[] = {
        [&] { return s.CopyT((dir / "F.BIN").string(), "\\G.BIN"); },
        [&] { return s.MkDir("\\D"); },
        [&] { return s.KillF("\\F.BIN", 0); },
        [&] { return s.SetAttrib("\\F.BIN", attr::kReadOnly); },
        [&] { return s.WriteBoot(boot.data()); },
        [&] { return s.WriteVol("LABEL"); },
    };
    for (const auto& change : changes) EXPECT_EQ(change(), result::kChangedOutside);
    ASSERT_EQ(s.CloseFDImg(), 0);
    EXPECT_EQ(readFile(image), bytes);
}

}  // namespace
}  // namespace orva
