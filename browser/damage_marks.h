#pragma once
// Which items of the image tree a rescue left hurt, told by a GNU ddrescue map lying beside the image.
#include <optional>
#include <string>

#include "browser/browser_view.h"
#include "damage/table_copies.h"
#include "platform/containers/mapfile.h"
#include "ui_port/shown_text.h"

namespace browser {

// What the marks are worked out from. Read before the library opens the image: it holds the file locked.
struct DamageSource {
    damage::ImageTables tables;
    platform::containers::Mapfile map;
};

struct DamageLookup {
    std::optional<DamageSource> source;  // nothing: no map, or one that cannot be used
    desktop::ShownText problem;          // a map that lies there but cannot be read, and why; else empty
};

// The map of disk.img is disk.map, else disk.img.map; nothing when neither lies there.
std::optional<std::string> mapBeside(const std::string& imagePath);

// An image the library cannot open gets no marks and no word from here: opening it says why.
DamageLookup lookUpDamage(const std::string& imagePath);

// Marks every hurt item of the tree below root, and root for the areas the file system keeps for itself.
// A folder is marked for its own clusters and for anything hurt inside it, so a closed folder still leads
// the way; its tooltip says which.
void markDamage(ItemTree& tree, ItemHandle root, const DamageSource& source);

}  // namespace browser
