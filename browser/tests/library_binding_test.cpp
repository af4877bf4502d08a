// Binding the image library at run time: every export found up front, or a message naming what is missing.
#include <gtest/gtest.h>

#include "browser/library_entries.h"

namespace browser::testing {
namespace {

TEST(LibraryBinding, ResolvesEveryExportOfTheBuiltLibrary) {
    auto bound = bindLibrary({"/nonexistent/libORVA.so", ORVA_LIBRARY_PATH});
    ASSERT_TRUE(std::holds_alternative<LibraryEntries>(bound)) << std::get<BindFailure>(bound).message;
    const LibraryEntries& e = std::get<LibraryEntries>(bound);
    EXPECT_EQ(e.CloseFDImg(), 0);
    EXPECT_EQ(e.FreeSpace(nullptr), 10);
    EXPECT_NE(e.WriteVol, nullptr);
}

TEST(LibraryBinding, FailuresNameTheFileOrTheExport) {
    auto missing = bindLibrary({"/nonexistent/libORVA.so"});
    ASSERT_TRUE(std::holds_alternative<BindFailure>(missing));
    EXPECT_NE(std::get<BindFailure>(missing).message.find("libORVA.so cannot be loaded"), std::string::npos);
    EXPECT_NE(std::get<BindFailure>(missing).message.find("/nonexistent/libORVA.so"), std::string::npos);

    // A library that loads but is not ours: the first export in function order is named.
    auto foreign = bindLibrary({"libc.so.6"});
    ASSERT_TRUE(std::holds_alternative<BindFailure>(foreign));
    EXPECT_NE(std::get<BindFailure>(foreign).message.find("has no function OpenFDImg"), std::string::npos)
        << std::get<BindFailure>(foreign).message;
}

TEST(LibraryBinding, CandidatesEndWithTheSystemSearch) {
    const auto candidates = libraryCandidates();
    ASSERT_GE(candidates.size(), 3u);
    EXPECT_EQ(candidates.back(), "libORVA.so");
    EXPECT_NE(std::find(candidates.begin(), candidates.end(), std::string(ORVA_LIBRARY_PATH)),
              candidates.end());
}

}  // namespace
}  // namespace browser::testing
