#pragma once
// Columns a tree shows after its items' names (a file's size, its date ...): the program reads them from
// the data it keeps with each item; the model only asks.
#include <QString>
#include <QVariant>

#include "ui_port/item_store.h"

namespace desktop {

class TreeColumns {
  public:
    virtual ~TreeColumns() = default;
    // Columns after the names' column.
    virtual int count() const = 0;
    // The header's text of a column; 0 is the names' column.
    virtual QString title(int column) const = 0;
    // What a column (1 or more) shows of an item in a role; nothing for an item without such a value.
    virtual QVariant value(ItemHandle item, int column, int role) const = 0;
};

}  // namespace desktop
