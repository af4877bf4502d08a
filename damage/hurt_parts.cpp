#include "damage/hurt_parts.h"

#include "damage/cluster_chain.h"
#include "damage/folder_walk.h"
#include "damage/table_copies.h"
#include "damage/unfinished_bytes.h"
#include "dir_entry_layout.h"

namespace damage {

std::optional<HurtParts> hurtParts(const std::string& imagePath, const platform::containers::Mapfile& map,
                                   int32_t& openResult) {
    const auto tables = readTableCopies(imagePath, openResult);
    if (!tables) return std::nullopt;
    const auto items = walkFolders(imagePath, openResult);
    if (!items) return std::nullopt;

    const orva::ImageLayout& l = tables->layout;
    HurtParts hurt;
    hurt.bootSector = unfinishedBytes(map, 0, l.fatOffset) > 0;
    for (uint32_t copy = 0; copy < l.fatCount; ++copy) {
        if (unfinishedBytes(map, l.fatOffset + uint64_t{copy} * l.fatBytes, l.fatBytes) > 0)
            hurt.tableCopies.push_back(copy + 1);
    }
    hurt.rootFolder = unfinishedBytes(map, l.rootDirOffset(), uint64_t{l.rootEntries} * orva::kSlotBytes) > 0;
    for (const WalkedItem& item : *items) {
        const ClusterChain chain = followChain(tables->copies.front(), item.firstCluster);
        if (itemUnfinishedBytes(chain, item.folder, item.size, l, map) > 0) hurt.items.push_back(item.path);
    }
    return hurt;
}

}  // namespace damage
