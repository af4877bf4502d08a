#pragma once
// What the tree copies of both directions share: their own result codes and the attribute bits they carry.
#include <cstdint>

namespace browser::tree_copy {

inline constexpr int32_t kFolderNotMade = 6;         // a folder could not be made on the target side
inline constexpr int32_t kHostFolderUnreadable = 9;  // the host folder could not be read or entered
inline constexpr uint8_t kLabelBit = 0x08;
inline constexpr uint8_t kDirectoryBit = 0x10;
inline constexpr uint8_t kCopiedAttributes = 0x27;  // read-only, hidden, system, archive

}  // namespace browser::tree_copy
