#pragma once
// The image library's 18 exports, bound at run time by name. A slot's position is the function number that
// selects the message for its result codes.
#include <string>
#include <variant>
#include <vector>

#include "orva.h"

namespace browser {

enum LibraryFunction : int {
    kOpenFDImg = 0,
    kGetFDType = 1,
    kGetFWDirEntry = 2,
    kGetFDirEntry = 3,
    kCloseFDImg = 4,
    kFindInDir = 5,
    kFindMInDir = 6,
    kSetFWrkDir = 7,
    kCopyF = 8,
    kFreeSpace = 9,
    kCopyT = 10,
    kKillF = 11,
    kMkDir = 12,
    kBlockTestFol = 13,
    kGetLastErr = 14,
    kSetAttrib = 15,
    kWriteBoot = 16,
    kWriteVol = 17,
};
inline constexpr int kLibraryFunctionCount = 18;

struct LibraryEntries {
    decltype(&::OpenFDImg) OpenFDImg = nullptr;
    decltype(&::GetFDType) GetFDType = nullptr;
    decltype(&::GetFWDirEntry) GetFWDirEntry = nullptr;
    decltype(&::GetFDirEntry) GetFDirEntry = nullptr;
    decltype(&::CloseFDImg) CloseFDImg = nullptr;
    decltype(&::FindInDir) FindInDir = nullptr;
    decltype(&::FindMInDir) FindMInDir = nullptr;
    decltype(&::SetFWrkDir) SetFWrkDir = nullptr;
    decltype(&::CopyF) CopyF = nullptr;
    decltype(&::FreeSpace) FreeSpace = nullptr;
    decltype(&::CopyT) CopyT = nullptr;
    decltype(&::KillF) KillF = nullptr;
    decltype(&::MkDir) MkDir = nullptr;
    decltype(&::BlockTestFol) BlockTestFol = nullptr;
    decltype(&::GetLastErr) GetLastErr = nullptr;
    decltype(&::SetAttrib) SetAttrib = nullptr;
    decltype(&::WriteBoot) WriteBoot = nullptr;
    decltype(&::WriteVol) WriteVol = nullptr;
};

// The library's file name on this platform.
inline constexpr const char* kLibraryFileName = "libORVA.so";

struct BindFailure {
    std::string message;  // names the file or the export that could not be had
};

// Loads the first candidate file that loads (a bare file name uses the system's search order) and resolves
// every export; a missing file or export is a failure here, never at the first call.
std::variant<LibraryEntries, BindFailure> bindLibrary(const std::vector<std::string>& candidates);

// Where kelvorn looks for the library: beside the program, the build tree, the installed library folder,
// then the system's search order.
std::vector<std::string> libraryCandidates();

}  // namespace browser
