#pragma once
// The pictures both trees share: the nine fixed ones in the order the logic's icon indices name them, then
// one per file extension as the logic asks for them.
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <QIcon>

namespace kelvorn {

// The program's own picture, from the icon theme once installed, else from our resources.
QIcon programIcon();

// Pictures of the four command buttons.
QIcon copyToHostIcon();
QIcon copyToImageIcon();
QIcon deleteIcon();
QIcon newIcon();

class ImageList {
  public:
    ImageList();

    // The icon the system shows for files ending in the extension (".txt"); nothing when it has none.
    std::optional<int> addExtensionIcon(const std::string& extension);

    int size() const { return static_cast<int>(icons_.size()); }
    // An index outside the list shows the generic file.
    QIcon icon(int index) const;
    // Shows image normally and selectedImage while the item is selected.
    QIcon itemIcon(int image, int selectedImage) const;

  private:
    std::vector<QIcon> icons_;
    mutable std::map<std::pair<int, int>, QIcon> pairs_;
};

}  // namespace kelvorn
