#include "platform/shared_library.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "fixture.h"

namespace {

using platform::SharedLibrary;
using testing_support::ScratchDir;
using testing_support::writeFile;

TEST(SharedLibrary, LoadsTheImageLibraryAndFindsItsExports) {
    std::string error = "left from before";
    const auto library = SharedLibrary::load(ORVA_LIBRARY_PATH, error);
    ASSERT_TRUE(library.has_value()) << error;
    EXPECT_NE(library->symbol("OpenFDImg"), nullptr);
    EXPECT_NE(library->symbol("SetAttrib"), nullptr);
    EXPECT_EQ(library->symbol("NoSuchExport"), nullptr);
    EXPECT_EQ(library->symbol(nullptr), nullptr);
}

TEST(SharedLibrary, BareNameGoesThroughTheSearchOrder) {
    std::string error;
    const auto library = SharedLibrary::load("libc.so.6", error);
    ASSERT_TRUE(library.has_value()) << error;
    EXPECT_NE(library->symbol("strlen"), nullptr);
}

TEST(SharedLibrary, FailuresCarryTheLoadersExplanation) {
    ScratchDir dir;
    writeFile(dir / "libtext.so", std::string("not an ELF file\n"));
    for (const std::string& path : {(dir / "libmissing.so").string(), std::string("libmissing-orva-test.so"),
                                    (dir / "libtext.so").string(), dir.path().string(), std::string()}) {
        SCOPED_TRACE(path);
        std::string error;
        EXPECT_FALSE(SharedLibrary::load(path, error).has_value());
        EXPECT_FALSE(error.empty());
    }
}

TEST(SharedLibrary, ExecutableFolderIsWhereThisTestWasBuilt) {
    EXPECT_EQ(platform::executableFolder(), std::filesystem::canonical(ORVA_PLATFORM_TESTS_DIR).string());
}

}  // namespace
