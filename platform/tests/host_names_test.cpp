// Host names that become image names, and how names that are no text are shown.
#include <gtest/gtest.h>

#include <string>

#include "platform/host_names.h"
#include "platform/text_codec.h"

namespace platform {
namespace {

using orva::NameFault;

TEST(ImageNameFault, WhatAHostNameMustBeToNameAnEntry) {
    struct Row {
        std::string name;
        NameFault fault;
    } rows[] = {
        {"README.TXT", NameFault::None},
        {"Příliš žluťoučký kůň.txt", NameFault::None},
        {std::string(255, 'n'), NameFault::None},
        {std::string(256, 'n'), NameFault::TooLong},
        {std::string(254, 'n') + "ž", NameFault::None},           // 256 bytes, 255 characters
        {"\U0001F600" + std::string(253, 'n'), NameFault::None},  // two UTF-16 units
        {"\U0001F600" + std::string(254, 'n'), NameFault::TooLong},
        {"caf\xE9.txt", NameFault::NotText},
        {"", NameFault::Empty},
        {".", NameFault::DotName},
        {"..", NameFault::DotName},
        {"...", NameFault::TrailingDotOrBlank},
        {"a:b*c.txt", NameFault::ForbiddenChar},
        {"back\\slash", NameFault::ForbiddenChar},
        {"quote\"d", NameFault::ForbiddenChar},
        {"pipe|", NameFault::ForbiddenChar},
        {"tab\tname", NameFault::ControlChar},
        {"del\x7F", NameFault::ControlChar},
        {"name.", NameFault::TrailingDotOrBlank},
        {"name ", NameFault::TrailingDotOrBlank},
        {" leading.txt", NameFault::None},
        {".profile", NameFault::None},
        {"a+b [1];x=y,z.txt", NameFault::None},  // allowed in long names, not in 8.3 ones
    };
    for (const Row& r : rows) EXPECT_EQ(imageNameFault(r.name), r.fault) << shownUtf8(r.name);
}

TEST(ShownUtf8, BytesThatAreNoTextBecomeReplacementCharacters) {
    EXPECT_EQ(shownUtf8("plain.txt"), "plain.txt");
    EXPECT_EQ(shownUtf8("žluťoučký"), "žluťoučký");
    EXPECT_EQ(shownUtf8("caf\xE9.txt"), "caf\uFFFD.txt");
    EXPECT_EQ(shownUtf8("end\xC5"), "end\uFFFD");
}

}  // namespace
}  // namespace platform
