#include <string>
#include <utility>

#include "browser/library_entries.h"
#include "platform/shared_library.h"

namespace browser {
namespace {

template <typename Function>
bool resolve(const platform::SharedLibrary& library, const char* name, Function& slot, BindFailure& failure) {
    slot = reinterpret_cast<Function>(library.symbol(name));
    if (slot == nullptr)
        failure.message =
            "The image library " + std::string(kLibraryFileName) + " has no function " + name + ".";
    return slot != nullptr;
}

}  // namespace

std::variant<LibraryEntries, BindFailure> bindLibrary(const std::vector<std::string>& candidates) {
    std::string errors;
    for (const std::string& path : candidates) {
        std::string error;
        auto library = platform::SharedLibrary::load(path, error);
        if (!library) {
            errors += "\n  " + error;
            continue;
        }
        LibraryEntries e;
        BindFailure failure;
        // In function-number order, so a failure names the first missing one.
        const bool complete = resolve(*library, "OpenFDImg", e.OpenFDImg, failure) &&
                              resolve(*library, "GetFDType", e.GetFDType, failure) &&
                              resolve(*library, "GetFWDirEntry", e.GetFWDirEntry, failure) &&
                              resolve(*library, "GetFDirEntry", e.GetFDirEntry, failure) &&
                              resolve(*library, "CloseFDImg", e.CloseFDImg, failure) &&
                              resolve(*library, "FindInDir", e.FindInDir, failure) &&
                              resolve(*library, "FindMInDir", e.FindMInDir, failure) &&
                              resolve(*library, "SetFWrkDir", e.SetFWrkDir, failure) &&
                              resolve(*library, "CopyF", e.CopyF, failure) &&
                              resolve(*library, "FreeSpace", e.FreeSpace, failure) &&
                              resolve(*library, "CopyT", e.CopyT, failure) &&
                              resolve(*library, "KillF", e.KillF, failure) &&
                              resolve(*library, "MkDir", e.MkDir, failure) &&
                              resolve(*library, "BlockTestFol", e.BlockTestFol, failure) &&
                              resolve(*library, "GetLastErr", e.GetLastErr, failure) &&
                              resolve(*library, "SetAttrib", e.SetAttrib, failure) &&
                              resolve(*library, "WriteBoot", e.WriteBoot, failure) &&
                              resolve(*library, "WriteVol", e.WriteVol, failure);
        if (!complete) {
            failure.message += " (" + path + ")";
            return failure;
        }
        return e;
    }
    return BindFailure{"The image library " + std::string(kLibraryFileName) + " cannot be loaded:" + errors};
}

std::vector<std::string> libraryCandidates() {
    std::vector<std::string> candidates;
    const std::string beside = platform::executableFolder();
    if (!beside.empty()) candidates.push_back(beside + "/" + kLibraryFileName);
    candidates.push_back(std::string(ORVA_BUILD_LIBRARY_DIR) + "/" + kLibraryFileName);
    candidates.push_back(std::string(ORVA_INSTALL_LIBRARY_DIR) + "/" + kLibraryFileName);
    candidates.push_back(kLibraryFileName);
    return candidates;
}

}  // namespace browser
