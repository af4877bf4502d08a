#pragma once
// What a tree gives to a drag and takes from a drop, answered by the program for its model: the model
// knows items only by handle, the program knows what they are.
#include <QStringList>
#include <vector>

#include "ui_port/item_store.h"

class QMimeData;

namespace desktop {

class TreeDragDrop {
  public:
    virtual ~TreeDragDrop() = default;
    virtual bool draggable(ItemHandle item) const = 0;
    // The formats drops may bring.
    virtual QStringList dropFormats() const = 0;
    // target: the item dropped on, or kNoItem for the space around the top level.
    virtual bool canDrop(const QMimeData& data, ItemHandle target) const = 0;
    virtual bool drop(const QMimeData& data, ItemHandle target) = 0;
    // What the dragged items carry; nullptr starts no drag (the program has said why, where it matters).
    virtual QMimeData* dragOut(const std::vector<ItemHandle>& items) = 0;
};

}  // namespace desktop
