#include "damage/hurt_parts.h"

#include "damage/cluster_chain.h"
#include "damage/folder_walk.h"
#include "damage/system_areas.h"
#include "damage/table_copies.h"
#include "damage/unfinished_bytes.h"

namespace damage {

std::optional<HurtParts> hurtParts(const std::string& imagePath, const platform::containers::Mapfile& map,
                                   int32_t& openResult) {
    const auto tables = readTableCopies(imagePath, TableCopies::First, openResult);
    if (!tables) return std::nullopt;
    const auto items = walkFolders(imagePath, openResult);
    if (!items) return std::nullopt;

    const orva::ImageLayout& l = tables->layout;
    const SystemAreaDamage areas = systemAreaDamage(l, map);
    HurtParts hurt;
    hurt.bootSector = areas.bootSector > 0;
    for (size_t copy = 0; copy < areas.tableCopies.size(); ++copy) {
        if (areas.tableCopies[copy] > 0) hurt.tableCopies.push_back(static_cast<uint32_t>(copy + 1));
    }
    hurt.rootFolder = areas.rootFolder > 0;
    for (const WalkedItem& item : *items) {
        const ClusterChain chain = followChain(tables->copies.front(), item.firstCluster);
        if (itemUnfinishedBytes(chain, item.folder, item.size, l, map) > 0) hurt.items.push_back(item.path);
    }
    return hurt;
}

}  // namespace damage
