#pragma once
// A tree the logic holds (ui_port), shown through Qt's item model: each index carries its item's
// handle, so selection and expansion reach the logic as handles and nothing is read back from a widget.
#include <QAbstractItemModel>

#include "ui_port/item_store.h"

namespace desktop {

class IconCache;
class TreeColumns;
class TreeDragDrop;

class TreeModel final : public QAbstractItemModel, private StoreListener {
  public:
    // program: the context its items' tooltips are translated under.
    TreeModel(TreeSource& source, const IconCache& icons, QObject* parent = nullptr, const char* program = "");
    ~TreeModel() override;

    // Columns after the names and the answers to drags and drops, both the program's; nullptr: none.
    void setColumns(const TreeColumns* columns);
    void setDragDrop(TreeDragDrop* dragDrop) { dragDrop_ = dragDrop; }

    ItemHandle handleOf(const QModelIndex& index) const;
    QModelIndex indexOf(ItemHandle item) const;  // invalid for kNoItem and unknown handles

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;
    // Only ever a copy: a drop never takes anything away from where it came.
    Qt::DropActions supportedDropActions() const override;
    Qt::DropActions supportedDragActions() const override;

  private:
    void beforeInsert(ItemHandle parent, size_t row) override;
    void afterInsert() override;
    void beforeRemove(ItemHandle parent, size_t row) override;
    void afterRemove() override;
    void beforeReset() override;
    void afterReset() override;
    void beforeReorder(ItemHandle parent) override;
    void afterReorder(ItemHandle parent) override;
    void faceChanged(ItemHandle item) override;
    void sourceGone() override;

    TreeSource* source_;  // null once the logic that holds the tree has ended
    const IconCache& icons_;
    const char* program_;
    const TreeColumns* columns_ = nullptr;
    TreeDragDrop* dragDrop_ = nullptr;
    // Indices a view keeps (expanded, selected, current) across a reorder, by the handle they stand for.
    QModelIndexList keptIndices_;
    std::vector<ItemHandle> keptHandles_;
};

}  // namespace desktop
