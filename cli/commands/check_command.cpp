// orva check: which parts of an image are hurt (table copies that differ, chains that do not fit their files,
// cross or loop, folders that cannot be read) and, with a ddrescue map, which hold sectors not rescued.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "commands/commands.h"
#include "damage/cluster_chain.h"
#include "damage/folder_walk.h"
#include "damage/map_file.h"
#include "damage/system_areas.h"
#include "damage/table_copies.h"
#include "damage/unfinished_bytes.h"
#include "image_path.h"
#include "image_session.h"
#include "messages.h"
#include "table_copy_option.h"
#include "tree_walk.h"

namespace cli {
namespace {

using damage::ClusterChain;
using damage::ImageTables;
using damage::unfinishedBytes;

struct CheckArgs {
    std::string image;
    std::string map;
    int32_t tableCopy = orva::kFirstTableCopy;
};

using Item = damage::WalkedItem;

// Every file and folder below the root, in the order a listing shows them.
class ItemCollector final : public TreeVisitor {
  public:
    explicit ItemCollector(const std::string& codePage) : codePage_(codePage) {}
    void visitFolder(const ImageItem& folder, const std::vector<EntryView>& entries) override {
        for (const EntryView& e : entries) {
            // A folder's own dot entries name its clusters and its parent's, which their folders own.
            if (e.isDotEntry()) continue;
            const ImageItem item = childItem(folder, e, codePage_);
            items.push_back({item.shownPath, e.firstCluster, e.size, e.isDirectory()});
        }
    }
    bool enterFolder(const ImageItem&, const ImageItem& sub) override { return !sub.entry.isDotEntry(); }

    std::vector<Item> items;

  private:
    const std::string& codePage_;
};

// One finding a line on stdout.
class Findings {
  public:
    void add(std::string line) {
        // Names read from a damaged folder may hold anything; a finding stays one line.
        for (char& c : line) {
            if (static_cast<uint8_t>(c) < 0x20 || c == 0x7F) c = '?';
        }
        std::printf("%s\n", line.c_str());
        ++count_;
    }
    int count() const { return count_; }

  private:
    int count_ = 0;
};

std::string hex(uint32_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%03X", value);
    return text;
}

std::string clusters(size_t n) {
    return std::to_string(n) + (n == 1 ? " cluster" : " clusters");
}

void compareCopies(const ImageTables& t, Findings& out) {
    if (t.copies.size() < 2) return;
    const orva::FatTable& first = t.copies[0];
    const orva::FatTable& second = t.copies[1];
    for (uint32_t c = orva::kFirstDataCluster; c < first.clusterLimit(); ++c) {
        if (first.raw(c) == second.raw(c)) continue;
        out.add("tables differ: cluster " + std::to_string(c) + ": first copy " + hex(first.raw(c)) +
                ", second copy " + hex(second.raw(c)));
    }
}

void checkChain(const Item& item, const ClusterChain& chain, uint32_t clusterBytes, Findings& out) {
    const std::string what = item.path + ": ";
    switch (chain.end) {
        case ClusterChain::End::Outside:
            out.add("chain outside the disk: " + what + "first cluster " + std::to_string(item.firstCluster));
            return;
        case ClusterChain::End::Loop:
            out.add("chain loops: " + what + "after " + clusters(chain.clusters.size()) +
                    " it leads back to cluster " + std::to_string(chain.loopsTo));
            break;
        case ClusterChain::End::Broken:
            out.add("chain broken: " + what + "cluster " + std::to_string(chain.clusters.back()) +
                    " leads to a free cluster");
            break;
        case ClusterChain::End::Mark:
            break;
    }
    if (item.folder) return;  // a folder's size says nothing of its clusters
    const uint64_t needed = (uint64_t{item.size} + clusterBytes - 1) / clusterBytes;
    const size_t held = chain.clusters.size();
    if (held < needed && chain.end == ClusterChain::End::Mark) {
        out.add("chain short: " + what + clusters(held) + " for " + std::to_string(item.size) + " bytes (" +
                std::to_string(needed) + " needed)");
    } else if (held > needed) {
        out.add("chain long: " + what + clusters(held) + " for " + std::to_string(item.size) + " bytes (" +
                std::to_string(needed) + " needed)");
    }
}

void reportArea(const std::string& name, uint64_t bad, Findings& out) {
    if (bad > 0) out.add("bad sectors: " + name + ": " + std::to_string(bad) + " bytes");
}

void checkSystemAreas(const orva::ImageLayout& l, const platform::containers::Mapfile& map, Findings& out) {
    const damage::SystemAreaDamage areas = damage::systemAreaDamage(l, map);
    reportArea("boot sector", areas.bootSector, out);
    for (size_t copy = 0; copy < areas.tableCopies.size(); ++copy)
        reportArea("table copy " + std::to_string(copy + 1), areas.tableCopies[copy], out);
    reportArea("root folder", areas.rootFolder, out);
}

int runCheck(const CheckArgs& args, const GlobalOptions& global) {
    std::optional<platform::containers::Mapfile> map;
    if (!args.map.empty()) {
        std::string error;
        map = damage::readMapFile(args.map, error);
        if (!map) {
            printError(args.map + ": cannot read the map: " + error);
            return kExitFailure;
        }
    }
    int32_t opened = 0;
    const auto tables = damage::readTableCopies(args.image, damage::TableCopies::All, opened);
    if (!tables) {
        printError(args.image + ": cannot open the image: " + withCode(openResultText(opened), "OpenFDImg", opened));
        return kExitFailure;
    }
    ImageSession session(args.image, global, false, args.tableCopy);
    if (!session.isOpen()) return kExitFailure;

    Findings out;
    const orva::ImageLayout& layout = tables->layout;
    if (map) checkSystemAreas(layout, *map, out);
    compareCopies(*tables, out);

    ItemCollector collector(global.codePage);
    const int foldersLeftOut = walkTree(session, rootItem(), true, collector);
    const orva::FatTable& table = tables->copies.at(args.tableCopy == orva::kSecondTableCopy ? 1 : 0);
    std::map<uint32_t, size_t> owner;                      // cluster -> the first item holding it
    std::map<std::pair<size_t, size_t>, uint32_t> shared;  // items -> how many clusters they share
    std::map<std::pair<size_t, size_t>, uint32_t> firstShared;
    for (size_t i = 0; i < collector.items.size(); ++i) {
        const Item& item = collector.items[i];
        const ClusterChain chain = damage::followChain(table, item.firstCluster);
        checkChain(item, chain, layout.clusterBytes, out);
        for (uint32_t c : chain.clusters) {
            const auto [at, added] = owner.emplace(c, i);
            if (added) continue;
            const auto pair = std::make_pair(at->second, i);
            if (shared[pair]++ == 0) firstShared[pair] = c;
        }
        if (map) reportArea(item.path, damage::itemUnfinishedBytes(chain, item.folder, item.size, layout, *map), out);
    }
    for (const auto& [pair, count] : shared) {
        out.add("clusters shared: " + collector.items[pair.first].path + " and " +
                collector.items[pair.second].path + ": " + clusters(count) + " from cluster " +
                std::to_string(firstShared[pair]));
    }
    // The walk has said on stderr which folders it could not list whole.
    const bool hurt = out.count() > 0 || foldersLeftOut > 0 || session.listingCut();
    if (!hurt) std::printf("no damage found\n");
    return hurt ? kExitPartial : kExitOk;
}

Runner configureCheck(CLI::App* sub, const GlobalOptions& global) {
    auto args = std::make_shared<CheckArgs>();
    sub->add_option("IMAGE", args->image, "Image file")->required();
    sub->add_option("--map", args->map,
                    "A GNU ddrescue map of the image: name every part that holds sectors not finished (+)");
    addTableCopyOption(*sub, args->tableCopy);
    return [args, &global] { return runCheck(*args, global); };
}

}  // namespace

constinit const CommandSpec kCheckCommand{
    "check",
    "Tell which parts of an image are hurt: table copies that differ, chains that do not fit their files, "
    "cross or loop, and with --map the parts on sectors a ddrescue map does not call finished (exit 3)",
    configureCheck};

}  // namespace cli
