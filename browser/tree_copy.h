#pragma once
// What the tree copies of both directions share: their own result codes.
#include <cstdint>

namespace browser::tree_copy {

inline constexpr int32_t kFolderNotMade = 6;         // a folder could not be made on the target side
inline constexpr int32_t kHostFolderUnreadable = 9;  // the host folder could not be read or entered
// The copy went to its end but left items out, each named in a message of its own.
inline constexpr int32_t kItemsLeftOut = 100;

}  // namespace browser::tree_copy
