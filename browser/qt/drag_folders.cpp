#include "drag_folders.h"

#include <cstdio>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

namespace kelvorn {
namespace {

// A folder copied out of an image keeps its read-only attribute as missing write permission, and nothing
// inside such a folder can be removed: open every folder up first.
void makeWritable(const QString& top) {
    const auto open = [](const QString& path) {
        QFile::setPermissions(
            path, QFile::permissions(path) | QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    };
    open(top);
    QDirIterator below(top, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                       QDirIterator::Subdirectories);
    while (below.hasNext()) open(below.next());
}

bool removeFolder(QTemporaryDir& folder) {
    makeWritable(folder.path());
    if (folder.remove()) return true;
    std::fprintf(stderr, "kelvorn: cannot remove the temporary folder %s\n", qPrintable(folder.path()));
    return false;
}

}  // namespace

DragFolders::DragFolders() = default;

DragFolders::~DragFolders() {
    removeAll();
}

QString DragFolders::make(QString& error) {
    auto folder =
        std::make_unique<QTemporaryDir>(QDir::temp().filePath(QStringLiteral("kelvorn-drag-XXXXXX")));
    if (!folder->isValid()) {
        error = folder->errorString();
        return {};
    }
    folder->setAutoRemove(false);  // removed here, after opening up what the copy made read-only
    const QString path = folder->path();
    folders_.push_back(std::move(folder));
    return path;
}

bool DragFolders::remove(const QString& path) {
    for (auto it = folders_.begin(); it != folders_.end(); ++it) {
        if ((*it)->path() != path) continue;
        const bool removed = removeFolder(**it);
        folders_.erase(it);
        return removed;
    }
    return false;
}

bool DragFolders::removeAll() {
    bool all = true;
    for (const auto& folder : folders_) all = removeFolder(*folder) && all;
    folders_.clear();
    return all;
}

}  // namespace kelvorn
