#include "desktop/tree_model.h"

#include <algorithm>

#include <QMimeData>

#include "desktop/icon_cache.h"
#include "desktop/translated_text.h"
#include "desktop/tree_columns.h"
#include "desktop/tree_drag_drop.h"

namespace desktop {

TreeModel::TreeModel(TreeSource& source, const IconCache& icons, QObject* parent, const char* program)
    : QAbstractItemModel(parent), source_(&source), icons_(icons), program_(program) {
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

void TreeModel::setColumns(const TreeColumns* columns) {
    beginResetModel();
    columns_ = columns;
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
    if (!source_ || row < 0 || column < 0 || column >= columnCount(parent)) return {};
    const ItemHandle item = source_->childAt(handleOf(parent), static_cast<size_t>(row));
    return item == kNoItem ? QModelIndex() : createIndex(row, column, static_cast<quintptr>(item));
}

QModelIndex TreeModel::parent(const QModelIndex& child) const {
    return source_ ? indexOf(source_->parentOf(handleOf(child))) : QModelIndex();
}

int TreeModel::rowCount(const QModelIndex& parent) const {
    if (!source_ || parent.column() > 0) return 0;
    return static_cast<int>(source_->childCount(handleOf(parent)));
}

int TreeModel::columnCount(const QModelIndex&) const {
    return 1 + (columns_ ? columns_->count() : 0);
}

QVariant TreeModel::data(const QModelIndex& index, int role) const {
    if (!source_ || !index.isValid()) return {};
    if (index.column() > 0)
        return columns_ ? columns_->value(handleOf(index), index.column(), role) : QVariant();
    const ItemHandle item = handleOf(index);
    const ItemFace& face = source_->face(item);
    const ItemWarning& warning = source_->warning(item);
    switch (role) {
        case Qt::DisplayRole:
            return QString::fromStdString(face.text);
        case Qt::DecorationRole:
            return icons_.iconFor(face, warning.shown());
        case Qt::ToolTipRole:
            return warning.shown() ? QVariant(translated(program_, warning.why)) : QVariant();
        default:
            return {};
    }
}

QVariant TreeModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (!columns_ || orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return columns_->title(section);
}

Qt::ItemFlags TreeModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractItemModel::flags(index);
    if (!dragDrop_ || !source_) return flags;
    // Every item may take a drop as far as the view can tell; what it takes is canDropMimeData's business.
    flags |= Qt::ItemIsDropEnabled;
    if (index.isValid() && dragDrop_->draggable(handleOf(index))) flags |= Qt::ItemIsDragEnabled;
    return flags;
}

QStringList TreeModel::mimeTypes() const {
    return dragDrop_ ? dragDrop_->dropFormats() : QStringList();
}

QMimeData* TreeModel::mimeData(const QModelIndexList& indexes) const {
    if (!dragDrop_ || !source_) return nullptr;
    // A row's every column stands for the same item.
    std::vector<ItemHandle> items;
    for (const QModelIndex& index : indexes) {
        const ItemHandle item = handleOf(index);
        if (std::find(items.begin(), items.end(), item) == items.end()) items.push_back(item);
    }
    return items.empty() ? nullptr : dragDrop_->dragOut(items);
}

bool TreeModel::canDropMimeData(const QMimeData* data, Qt::DropAction action, int, int,
                                const QModelIndex& parent) const {
    // Between two rows or on an item alike, the drop goes into the item that holds the place.
    return dragDrop_ && source_ && data && action == Qt::CopyAction &&
           dragDrop_->canDrop(*data, handleOf(parent));
}

bool TreeModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                             const QModelIndex& parent) {
    if (!canDropMimeData(data, action, row, column, parent)) return false;
    return dragDrop_->drop(*data, handleOf(parent));
}

Qt::DropActions TreeModel::supportedDropActions() const {
    return dragDrop_ ? Qt::CopyAction : Qt::IgnoreAction;
}

Qt::DropActions TreeModel::supportedDragActions() const {
    return dragDrop_ ? Qt::CopyAction : Qt::IgnoreAction;
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
    for (size_t i = 0; i < keptHandles_.size(); ++i) {
        const QModelIndex at = indexOf(keptHandles_[i]);
        const int column = keptIndices_[static_cast<int>(i)].column();
        moved.push_back(at.isValid() ? at.siblingAtColumn(column) : at);
    }
    changePersistentIndexList(keptIndices_, moved);
    keptIndices_.clear();
    keptHandles_.clear();
    const QModelIndex at = indexOf(parent);
    emit layoutChanged(at.isValid() ? QList<QPersistentModelIndex>{at} : QList<QPersistentModelIndex>{},
                       QAbstractItemModel::VerticalSortHint);
}

void TreeModel::faceChanged(ItemHandle item) {
    const QModelIndex at = indexOf(item);
    emit dataChanged(at, at, {Qt::DisplayRole, Qt::DecorationRole, Qt::ToolTipRole});
}

}  // namespace desktop
