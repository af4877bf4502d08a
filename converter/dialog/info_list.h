#pragma once
// The floppy side's information list as the logic holds it: every change is made here and shown by the view,
// so the logic never reads its lines back from the window.
#include <string>
#include <vector>

#include "converter/dialog/converter_view.h"
#include "geometry_list.h"

namespace converter::dialog {

class InfoList final : public ListPort {
  public:
    explicit InfoList(ConverterView& view) : view_(view) {}

    void clear();
    // The new line's index.
    int append(const std::string& line);
    void remove(int index);
    const std::vector<std::string>& lines() const { return lines_; }

    void AppendLine(const std::string& line) override { append(line); }

  private:
    ConverterView& view_;
    std::vector<std::string> lines_;
};

}  // namespace converter::dialog
