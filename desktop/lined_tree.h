#pragma once
// A tree drawn the way floppy tools always drew theirs: dotted lines joining each item to its parent and a
// boxed plus or minus on every item that has children.
#include <QTreeWidget>

namespace desktop {

class LinedTree : public QTreeWidget {
  public:
    using QTreeWidget::QTreeWidget;

  protected:
    void drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const override;
};

}  // namespace desktop
