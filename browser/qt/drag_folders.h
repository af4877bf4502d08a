#pragma once
// Fresh temporary folders for what is dragged out of an image: another program copies from them after the
// drop, at a time of its own choosing, so they stay until this program ends.
#include <memory>
#include <vector>

#include <QString>

class QTemporaryDir;

namespace kelvorn {

class DragFolders {
  public:
    DragFolders();
    ~DragFolders();
    DragFolders(const DragFolders&) = delete;
    DragFolders& operator=(const DragFolders&) = delete;

    // A new empty folder, kept until the end; empty with error set when none could be made.
    QString make(QString& error);
    // Removes one made here (a drag that came to nothing), or all of them; false when something stayed.
    bool remove(const QString& folder);
    bool removeAll();

  private:
    std::vector<std::unique_ptr<QTemporaryDir>> folders_;
};

}  // namespace kelvorn
