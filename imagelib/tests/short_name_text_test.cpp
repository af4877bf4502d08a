// The 11 stored bytes of an 8.3 name as text and back.
#include <gtest/gtest.h>

#include <string>

#include "short_name_text.h"

namespace orva {
namespace {

ShortName stored(const std::string& eleven) {
    ShortName n;
    std::copy_n(eleven.begin(), n.size(), n.begin());
    return n;
}

TEST(ShortNameText, AsTextBothWays) {
    struct Row {
        const char* name;
        std::string bytes;  // 11
        std::string trimmed;
        std::string shownToFirstBlank;
    };
    const Row rows[] = {
        {"base and extension", "README  TXT", "README.TXT", "README.TXT"},
        {"no extension", "MAKEFILE   ", "MAKEFILE", "MAKEFILE"},
        {"full fields", "ABCDEFGHIJK", "ABCDEFGH.IJK", "ABCDEFGH.IJK"},
        {"blank inside the base", "MY FILE TXT", "MY FILE.TXT", "MY.TXT"},
        {"extension starting with a blank", "NAME     AB", "NAME. AB", "NAME"},
        {"0x05 stands for 0xE5",
         "\x05"
         "BC     TXT",
         "\x05"
         "BC.TXT",
         "\xE5"
         "BC.TXT"},
        {"all blank", "           ", "", ""},
    };
    for (const Row& row : rows) {
        const ShortName n = stored(row.bytes);
        EXPECT_EQ(storedShortName(n), row.trimmed) << row.name;
        EXPECT_EQ(joinedName(shownNameParts(n, NameEnd::AtFirstBlank)), row.shownToFirstBlank) << row.name;
    }
}

TEST(ShortNameText, StoredFromParts) {
    EXPECT_EQ(shortNameFrom("README", "TXT"), stored("README  TXT"));
    EXPECT_EQ(shortNameFrom("", ""), stored("           "));
    // Each part is cut to its field.
    EXPECT_EQ(shortNameFrom("LONGERTHAN8", "TEXT"), stored("LONGERTHTEX"));
    DirEntry e{};
    putShortName(e, stored("FILE    BIN"));
    EXPECT_EQ(shortNameOf(e), stored("FILE    BIN"));
    EXPECT_TRUE(isDotName(stored(".          ")));
    EXPECT_TRUE(isDotName(stored("..         ")));
    EXPECT_FALSE(isDotName(stored("...        ")));
}

}  // namespace
}  // namespace orva
