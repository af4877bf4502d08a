#pragma once
// Mirask's pictures: its own, and the file tree's six in the order the logic's icon indices name them.
#include <array>

#include <QIcon>

namespace mirask {

// From the icon theme once installed, else from our resources.
QIcon programIcon();
// The about box's second picture.
QIcon floppyIcon();

class TreeIcons {
  public:
    TreeIcons();

    // The picture of an icon index; an index outside the six shows a folder.
    QIcon picture(int image) const;
    // What an item with that index shows: a folder opens while it is selected.
    QIcon forItem(int image) const;

  private:
    std::array<QIcon, 6> pictures_;
    QIcon folderItem_;
};

}  // namespace mirask
