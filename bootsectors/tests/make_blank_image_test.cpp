#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "fixture.h"

namespace {

using testing_support::ScratchDir;

TEST(MakeBlankImage, CommandLine) {
    struct Case {
        std::string args;  // IMG stands for the image path
        int exitCode;
        uint64_t imageBytes;  // 0: no image expected
        std::string output;   // a part of what it prints
    };
    const std::vector<Case> cases{
        {"IMG", 0, 1474560, ""},
        {"--type 720K IMG DATA", 0, 737280, ""},
        {"--type=360k IMG", 0, 368640, ""},
        {"-t 1.2M -- IMG", 0, 1228800, ""},
        {"--type 2.88M IMG", 2, 0, "unknown floppy type '2.88M'"},
        {"", 2, 0, "no image file given"},
        {"IMG LABEL extra", 2, 0, "too many arguments"},
        {"IMG TWELVE_CHARS", 2, 0, "longer than 11 bytes"},
        {"--size 1 IMG", 2, 0, "unknown option --size"},
        {"IMG/sub.img", 1, 0, "cannot create"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        ScratchDir dir;
        const auto img = dir / "a.img";
        std::string args = c.args;
        if (const auto at = args.find("IMG"); at != std::string::npos) args.replace(at, 3, img.string());
        const auto result = testing_support::run(std::string(MAKE_BLANK_IMAGE) + " " + args);
        EXPECT_EQ(result.exitCode, c.exitCode) << result.output;
        EXPECT_NE(result.output.find(c.output), std::string::npos) << result.output;
        if (c.imageBytes) {
            EXPECT_EQ(std::filesystem::file_size(img), c.imageBytes);
        } else {
            EXPECT_FALSE(std::filesystem::exists(img));
        }
    }
}

}  // namespace
