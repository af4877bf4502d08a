#include "desktop/tree_model.h"

#include "desktop/icon_cache.h"

namespace desktop {

TreeModel::TreeModel(TreeSource& source, const IconCache& icons, QObject* parent)
    : QAbstractItemModel(parent), source_(&source), icons_(icons) {
    source_->setListener(this);
}

TreeModel::~TreeModel() {
    if (source_) source_->setListener(nullptr);
}

void TreeModel::sourceGone() {
    // What is left of the tree may not be asked even while the views hear of the reset.
    source_ = nullptr;
    beginResetModel();
    endResetModel();
}

ItemHandle TreeModel::handleOf(const QModelIndex& index) const {
    return index.isValid() ? static_cast<ItemHandle>(index.internalId()) : kNoItem;
}

QModelIndex TreeModel::indexOf(ItemHandle item) const {
    if (!source_ || !source_->contains(item)) return {};
    return createIndex(static_cast<int>(source_->rowOf(item)), 0, static_cast<quintptr>(item));
}

QModelIndex TreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (!source_ || row < 0 || column != 0) return {};
    const ItemHandle item = source_->childAt(handleOf(parent), static_cast<size_t>(row));
    return item == kNoItem ? QModelIndex() : createIndex(row, 0, static_cast<quintptr>(item));
}

QModelIndex TreeModel::parent(const QModelIndex& child) const {
    return source_ ? indexOf(source_->parentOf(handleOf(child))) : QModelIndex();
}

int TreeModel::rowCount(const QModelIndex& parent) const {
    if (!source_ || parent.column() > 0) return 0;
    return static_cast<int>(source_->childCount(handleOf(parent)));
}

int TreeModel::columnCount(const QModelIndex&) const {
    return 1;
}

QVariant TreeModel::data(const QModelIndex& index, int role) const {
    if (!source_ || !index.isValid()) return {};
    const ItemFace& face = source_->face(handleOf(index));
    switch (role) {
        case Qt::DisplayRole:
            return QString::fromStdString(face.text);
        case Qt::DecorationRole:
            return icons_.iconFor(face);
        default:
            return {};
    }
}

void TreeModel::beforeInsert(ItemHandle parent, size_t row) {
    beginInsertRows(indexOf(parent), static_cast<int>(row), static_cast<int>(row));
}
void TreeModel::afterInsert() {
    endInsertRows();
}
void TreeModel::beforeRemove(ItemHandle parent, size_t row) {
    beginRemoveRows(indexOf(parent), static_cast<int>(row), static_cast<int>(row));
}
void TreeModel::afterRemove() {
    endRemoveRows();
}
void TreeModel::beforeReset() {
    beginResetModel();
}
void TreeModel::afterReset() {
    endResetModel();
}

void TreeModel::beforeReorder(ItemHandle parent) {
    const QModelIndex at = indexOf(parent);
    emit layoutAboutToBeChanged(
        at.isValid() ? QList<QPersistentModelIndex>{at} : QList<QPersistentModelIndex>{},
        QAbstractItemModel::VerticalSortHint);
    keptIndices_ = persistentIndexList();
    keptHandles_.clear();
    for (const QModelIndex& kept : keptIndices_) keptHandles_.push_back(handleOf(kept));
}

void TreeModel::afterReorder(ItemHandle parent) {
    QModelIndexList moved;
    for (ItemHandle item : keptHandles_) moved.push_back(indexOf(item));
    changePersistentIndexList(keptIndices_, moved);
    keptIndices_.clear();
    keptHandles_.clear();
    const QModelIndex at = indexOf(parent);
    emit layoutChanged(at.isValid() ? QList<QPersistentModelIndex>{at} : QList<QPersistentModelIndex>{},
                       QAbstractItemModel::VerticalSortHint);
}

void TreeModel::faceChanged(ItemHandle item) {
    const QModelIndex at = indexOf(item);
    emit dataChanged(at, at, {Qt::DisplayRole, Qt::DecorationRole});
}

}  // namespace desktop
