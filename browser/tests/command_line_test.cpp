// Options read from the command line, and the extension icon cache.
#include <gtest/gtest.h>

#include "browser/command_line.h"

namespace browser::testing {
namespace {

TEST(CommandLine, OptionsInTheArgumentText) {
    struct Row {
        const char* text;
        const char* extensions;
        int flags;
    } rows[] = {
        {"", "gvximgimdtd0cqmimz", 0},
        {"/eimgbin /o2", "imgbin", 2},
        {"/o2 /eimgbin", "imgbin", 2},
        {"/eab", "ab ", 0},
        {"/e", "", 0},
        {"/eimg /o", "img", 0},  // "/o" with no character after it
        {"/O2 /Eimg", "gvximgimdtd0cqmimz", 0},
        {"/oA", "gvximgimdtd0cqmimz", 1},  // the character's code masked to its low four bits
    };
    for (const Row& row : rows) {
        const StartOptions o = parseArgumentText(row.text);
        EXPECT_EQ(o.extensionList, row.extensions) << row.text;
        EXPECT_EQ(o.entryCheckFlags, row.flags) << row.text;
    }
}

TEST(CommandLine, AFileNamedOnTheLineIsNeverReadAsOptions) {
    const auto isFile = [](const std::string& a) { return a == "/opt/disk.img" || a == "/etc/x.img"; };
    StartOptions o = parseArguments({"/opt/disk.img"}, isFile);
    EXPECT_EQ(o.imageToOpen, "/opt/disk.img");
    EXPECT_EQ(o.extensionList, "gvximgimdtd0cqmimz");
    EXPECT_EQ(o.entryCheckFlags, 0);

    o = parseArguments({"/eimg", "/etc/x.img", "/o3"}, isFile);
    EXPECT_EQ(o.imageToOpen, "/etc/x.img");
    EXPECT_EQ(o.extensionList, "img");  // "/eimg /o3": up to the next '/', blanks trimmed
    EXPECT_EQ(o.entryCheckFlags, 3);

    o = parseArguments({"/opt/missing.img"}, isFile);
    EXPECT_EQ(o.imageToOpen, "");
    EXPECT_EQ(o.entryCheckFlags, 'p' & 0x0F);
}

}  // namespace
}  // namespace browser::testing
