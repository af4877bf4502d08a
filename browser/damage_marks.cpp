#include "browser/damage_marks.h"

#include <set>
#include <vector>

#include "browser/message_table.h"
#include "damage/cluster_chain.h"
#include "damage/map_file.h"
#include "damage/system_areas.h"
#include "damage/unfinished_bytes.h"
#include "library_codes.h"
#include "platform/containers/rescue_map.h"
#include "platform/path_info.h"

namespace browser {
namespace {

using desktop::ShownText;

// Counted in bytes, as the map counts them: a file's last sector is only partly its own.
constexpr const char* kFileBytes = UI_TEXT("Kelvorn", "Data souboru: %llu nepřečtených bajtů");
constexpr const char* kFolderBytes = UI_TEXT("Kelvorn", "Položky adresáře: %llu nepřečtených bajtů");
constexpr const char* kHurtInside = UI_TEXT("Kelvorn", "Uvnitř jsou položky s nepřečtenými sektory");
constexpr const char* kBootBytes = UI_TEXT("Kelvorn", "Boot sektor: %llu nepřečtených bajtů");
constexpr const char* kTableBytes = UI_TEXT("Kelvorn", "%u. kopie FAT: %llu nepřečtených bajtů");
constexpr const char* kRootFolderBytes = UI_TEXT("Kelvorn", "Kořenový adresář: %llu nepřečtených bajtů");

void addLine(ShownText& text, const ShownText& line) {
    if (!text.empty()) text += ShownText::verbatim("\n");
    text += line;
}

void addBytes(ShownText& text, const char* format, uint64_t bytes) {
    if (bytes > 0) addLine(text, ShownText::printf(format, static_cast<unsigned long long>(bytes)));
}

ShownText rootNote(const damage::SystemAreaDamage& areas) {
    ShownText note;
    addBytes(note, kBootBytes, areas.bootSector);
    for (size_t copy = 0; copy < areas.tableCopies.size(); ++copy) {
        if (areas.tableCopies[copy] > 0)
            addLine(note, ShownText::printf(kTableBytes, static_cast<unsigned>(copy + 1),
                                            static_cast<unsigned long long>(areas.tableCopies[copy])));
    }
    addBytes(note, kRootFolderBytes, areas.rootFolder);
    return note;
}

// The item's own clusters, as the table the library opens the image with (the first copy) chains them.
uint64_t ownUnfinishedBytes(const ItemData& item, const DamageSource& source) {
    const bool folder = item.kind == ItemKind::ImageFolder;
    // Clusters 0 and 1 in a folder entry name no clusters of its own.
    if (folder && item.cluster < orva::kFirstDataCluster) return 0;
    const damage::ClusterChain chain = damage::followChain(source.tables.copies.front(), item.cluster);
    return damage::itemUnfinishedBytes(chain, folder, item.size, source.tables.layout, source.map);
}

}  // namespace

std::optional<std::string> mapBeside(const std::string& imagePath) {
    const size_t slash = imagePath.find_last_of('/');
    const size_t dot = imagePath.find_last_of('.');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
    std::vector<std::string> candidates;
    if (hasExtension) candidates.push_back(imagePath.substr(0, dot) + ".map");
    candidates.push_back(platform::containers::rescueMapPath(imagePath));
    for (const std::string& candidate : candidates) {
        if (platform::inspectPath(candidate).exists) return candidate;
    }
    return std::nullopt;
}

DamageLookup lookUpDamage(const std::string& imagePath) {
    DamageLookup out;
    const std::optional<std::string> mapPath = mapBeside(imagePath);
    if (!mapPath) return out;
    std::string error;
    auto map = damage::readMapFile(*mapPath, error);
    if (!map) {
        out.problem = shownMessage(Message::MapUnreadable, {*mapPath, error});
        return out;
    }
    int32_t opened = 0;
    auto tables = damage::readTableCopies(imagePath, damage::TableCopies::First, opened);
    if (!tables || tables->copies.empty()) return out;
    out.source = DamageSource{std::move(*tables), std::move(*map)};
    return out;
}

void markDamage(ItemTree& tree, ItemHandle root, const DamageSource& source) {
    // Parents before their children; walked backwards, every child is done before its parent.
    std::vector<ItemHandle> order{root};
    for (size_t at = 0; at < order.size(); ++at) {
        for (ItemHandle child : tree.children(order[at])) order.push_back(child);
    }
    std::set<ItemHandle> hurtInside;  // parents of hurt items, found while walking back
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        const ItemHandle item = *it;
        const ItemData& data = tree.data(item);
        ShownText note;
        if (item == root) {
            note = rootNote(damage::systemAreaDamage(source.tables.layout, source.map));
        } else {
            addBytes(note, data.kind == ItemKind::ImageFolder ? kFolderBytes : kFileBytes,
                     ownUnfinishedBytes(data, source));
        }
        if (hurtInside.count(item) != 0)
            addLine(note, ShownText(kHurtInside));
        if (note.empty()) continue;
        tree.setWarning(item, note);
        if (item != root) hurtInside.insert(tree.parentOf(item));
    }
}

}  // namespace browser
