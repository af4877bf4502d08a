#include "converter/dialog/info_list.h"

namespace converter::dialog {

void InfoList::clear() {
    lines_.clear();
    view_.clearInfo();
}

int InfoList::append(const std::string& line) {
    lines_.push_back(line);
    view_.appendInfo(line);
    return static_cast<int>(lines_.size()) - 1;
}

void InfoList::remove(int index) {
    if (index < 0 || static_cast<size_t>(index) >= lines_.size()) return;
    lines_.erase(lines_.begin() + index);
    view_.removeInfo(index);
}

}  // namespace converter::dialog
