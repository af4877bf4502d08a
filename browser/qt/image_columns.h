#pragma once
// The image tree's columns beside the names: a file's size and when an entry was last written, read from
// the entry as the logic listed it.
#include "browser/browser_view.h"
#include "desktop/tree_columns.h"

namespace kelvorn {

class ImageColumns final : public desktop::TreeColumns {
  public:
    enum Column { kName = 0, kSize = 1, kWritten = 2 };

    explicit ImageColumns(const browser::ItemTree& tree) : tree_(tree) {}

    int count() const override { return 2; }
    QString title(int column) const override;
    QVariant value(browser::ItemHandle item, int column, int role) const override;

  private:
    const browser::ItemTree& tree_;
};

}  // namespace kelvorn
