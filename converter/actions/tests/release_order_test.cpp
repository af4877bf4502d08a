// How each way an action ends gives the drive back: only what was taken, in the platform's order, and all of
// it before the caller hears the result (the window then opens the drive again to list it).
#include <functional>

#include "action_fixture.h"
#include "converter/actions/format_floppy.h"
#include "converter/actions/read_floppy.h"
#include "converter/actions/write_image.h"
#include "media_types.h"

namespace converter::actions::testing {
namespace {

using testing_support::patternBytes;
using testing_support::writeFile;

constexpr size_t kHd = 1474560;

class ReleaseOrder : public ActionTest {};

TEST_F(ReleaseOrder, EachPathGivesBackWhatItTook) {
    using Run = std::function<void()>;
    const Run read = [this] { readFloppy(drive(), {path("copy.img")}, observer); };
    const Run readB = [this] { readFloppy(drive(2), {path("copy.img")}, observer); };
    const Run write = [this] { writeImage(drive(), {path("full.img")}, observer); };
    // As listed before: a 1.44 MB medium, so its own type is formatted.
    const Run format = [this] {
        formatFloppy(drive(), {.listed = {.medium = builtGeometry(F3_1Pt44_512)}}, observer);
    };
    const std::vector<std::string> all{"dismount", "unlock", "close"};
    struct Row {
        const char* path;
        const char* options;  // after the medium
        Run run;
        std::deque<bool> answers;
        Failure failure;
        std::vector<std::string> releases;
    } rows[] = {
        {"the drive does not open", "", readB, {}, Failure::DriveNotOpened, {}},
        {"another program holds the drive", ":locked", read, {}, Failure::DriveLocked, {"close"}},
        {"the wait for a medium given up", ":none", read, {false}, Failure::NoMedium, {"unlock", "close"}},
        {"no geometry", ":unformatted", read, {}, Failure::NoGeometry, all},
        {"a whole read", "", read, {}, Failure::None, all},
        {"the erase declined", "", write, {false}, Failure::Declined, all},
        {"the format before writing refused", ":wp", write, {true, true}, Failure::WriteProtected, all},
        {"a whole write", "", write, {true, false}, Failure::None, all},
        {"formatting with its type offered, then no medium",
         ":none",
         format,
         {true, false},
         Failure::NoMedium,
         {"unlock", "close"}},
        {"a whole format", "", format, {true}, Failure::None, all},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.path);
        const std::string options = row.options;
        const bool noMediumFile = options == ":none" || options == ":unformatted";
        writeFile(scratch / "medium.bin", patternBytes(kHd, 1));
        writeFile(scratch / "full.img", patternBytes(kHd, 2));
        attach(noMediumFile ? "1.44M" + options : "1.44M:" + path("medium.bin") + options);
        observer = {};
        observer.answers = row.answers;
        size_t callsWhenFinished = 0;
        observer.whenFinished = [&] { callsWhenFinished = counting->calls.size(); };
        row.run();
        EXPECT_EQ(observer.result().failure, row.failure);
        EXPECT_EQ(counting->releases(), row.releases);
        const auto tail = std::vector<std::string>(
            counting->calls.end() - static_cast<long>(row.releases.size()), counting->calls.end());
        EXPECT_EQ(tail, row.releases) << "nothing after giving the drive back";
        EXPECT_EQ(callsWhenFinished, counting->calls.size()) << "given back before the result";
        EXPECT_TRUE(observer.answers.empty()) << "every scripted question asked";
    }
}

}  // namespace
}  // namespace converter::actions::testing
