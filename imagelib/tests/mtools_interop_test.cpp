// Images written by mtools: the library must list exactly what mtools put there and copy out the same bytes.
#include <gtest/gtest.h>

#include <map>

#include "fixture.h"
#include "image_builder.h"
#include "image_state.h"
#include "platform/text_codec.h"

namespace orva {
namespace {

using testing_support::patternBytes;
namespace fs = std::filesystem;

struct Listed {
    std::string path;  // "/"-separated, long names where there are any
    std::string imagePath;
    bool directory;
    uint32_t size;
};

std::string displayName(const DirEntry* e, int32_t slots) {
    const std::u16string longName = testing::longNameOf(e, slots);
    if (!longName.empty()) return platform::utf16ToUtf8(longName);
    return storedShortName(shortNameOf(*e));
}

// The whole tree below a directory, collected one directory at a time (one enumeration exists at a time).
void listTree(ImageState& s, uint32_t cluster, const std::string& prefix, std::vector<Listed>& out) {
    std::vector<Listed> here;
    std::vector<uint32_t> clusters;
    DirEntry* e = nullptr;
    int32_t slots = 0;
    for (int32_t r = s.FindMInDir("*", static_cast<int32_t>(cluster), &e, &slots); r == 0;
         r = s.FindMInDir("", 0, &e, &slots)) {
        const std::string name = displayName(e, slots);
        if (name == "." || name == ".." || (e->attributes & attr::kLabel)) continue;
        const bool directory = e->attributes & attr::kDirectory;
        here.push_back({prefix + name, "", directory, e->size});
        clusters.push_back(e->firstCluster);
    }
    for (size_t i = 0; i < here.size(); ++i) {
        out.push_back(here[i]);
        if (here[i].directory) listTree(s, clusters[i], here[i].path + "/", out);
    }
}

std::map<std::string, std::vector<uint8_t>> sampleTree() {
    std::map<std::string, std::vector<uint8_t>> files = {
        {"README.TXT", patternBytes(512, 1)},
        {"Příliš žluťoučký kůň.txt", patternBytes(1000, 2)},
        {"Podsložka/Vnořená složka/Hluboko.bin", patternBytes(1024, 3)},
        {"Podsložka/EMPTY.DAT", {}},
        {"A name that is rather long, with commas and spaces.text", patternBytes(3000, 4)},
        {"MIXED Case.Txt", patternBytes(10, 5)},
        // Names in lower case that fit 8.3 are stored by mtools as upper-case short names with case bits,
        // which the library shows as they are stored; so every name here is either upper-case 8.3 or long.
        {"twelve_chars", patternBytes(2048, 6)},
        {"thirteen_char", patternBytes(1, 7)},
        {"twenty-six-characters-long", patternBytes(513, 8)},
        {"ABCDEFGHI", patternBytes(100, 9)},
        {"A&B.TXT", patternBytes(100, 10)},
    };
    for (int i = 0; i < 40; ++i) files["Dir With Many/file " + std::to_string(i) + ".txt"] = patternBytes(300, 100 + i);
    return files;
}

class MtoolsInterop : public ::testing::TestWithParam<int> {};

TEST_P(MtoolsInterop, ListsAndCopiesExactlyWhatMtoolsWrote) {
    testing_support::ScratchDir dir;
    const auto files = sampleTree();
    for (const auto& [path, bytes] : files) {
        fs::create_directories((dir / "tree" / path).parent_path());
        testing_support::writeFile(dir / "tree" / path, bytes);
    }
    const fs::path image = dir / "img.img";
    testing_support::makeFatImage(image, GetParam(), "MTOOLS");
    testing_support::mcopyTree(image, dir / "tree");

    ImageState s;
    ASSERT_EQ(s.OpenFDImg(image.string(), 1), 0);
    ASSERT_EQ(s.BlockTestFol(3), 0);  // mtools writes nothing the strict checks object to
    std::vector<Listed> listed;
    listTree(s, 1, "", listed);

    std::map<std::string, uint32_t> seenFiles;
    for (const Listed& l : listed) {
        if (!l.directory) seenFiles[l.path] = l.size;
    }
    std::map<std::string, uint32_t> expected;
    for (const auto& [path, bytes] : files) expected[path] = static_cast<uint32_t>(bytes.size());
    EXPECT_EQ(seenFiles, expected);

    for (const auto& [path, bytes] : files) {
        std::string imagePath = "\\" + path;
        std::replace(imagePath.begin(), imagePath.end(), '/', '\\');
        ASSERT_EQ(s.CopyF(imagePath, (dir / "out").string()), 0) << path;
        EXPECT_EQ(testing_support::readFile(dir / "out"), bytes) << path;
    }
    int32_t code = 0;
    s.GetLastErr(&code, nullptr, nullptr);
    EXPECT_EQ(code, 0);
}

INSTANTIATE_TEST_SUITE_P(FloppySizes, MtoolsInterop, ::testing::Values(1440, 720));

}  // namespace
}  // namespace orva
