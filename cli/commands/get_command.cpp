// orva get: copies a file, or with -r a folder tree, out of the image to the host.
#include <cerrno>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "commands/commands.h"
#include "entry_view.h"
#include "image_path.h"
#include "image_session.h"
#include "messages.h"
#include "orva.h"
#include "platform/file_times.h"
#include "platform/host_errors.h"
#include "platform/host_names.h"
#include "progress.h"
#include "table_copy_option.h"
#include "tree_walk.h"

namespace cli {
namespace {

namespace fs = std::filesystem;

struct GetArgs {
    std::string image;
    std::string path;
    std::string hostPath;
    bool recursive = false;
    bool noTimes = false;
    int32_t tableCopy = orva::kFirstTableCopy;
};

class Extractor {
  public:
    Extractor(const ImageSession& session, bool keepTimes) : session_(session), keepTimes_(keepTimes) {}

    int failures() const { return failures_; }
    int cutShort() const { return cutShort_; }
    void startProgress(uint64_t files, uint64_t bytes) { progress_.emplace("get", files, bytes); }
    const std::string& codePage() const { return session_.options().codePage; }

    void fail(const std::string& text) {
        printError(text);
        ++failures_;
    }

    // The host name an entry gets inside a folder; empty (and reported) when it cannot have one.
    std::string hostName(const ImageItem& item) {
        const std::string name = shownName(item.entry, session_.options().codePage);
        if (const std::string problem = platform::hostNameProblem(name); !problem.empty()) {
            fail(session_.path() + ": " + item.shownPath + ": skipped: " + problem);
            return {};
        }
        return name;
    }

    // A name we chose must not lead through a link to somewhere outside the target folder.
    bool linkInTheWay(const fs::path& target) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(target, ec))) return false;
        fail(target.string() + ": a symbolic link is in the way; not followed");
        return true;
    }

    // libraryPath: the item's path, or its name alone once the working directory is its folder.
    bool copyFile(const ImageItem& item, const std::string& libraryPath, const fs::path& target) {
        if (libraryPath.empty()) {
            fail(session_.path() + ": " + item.shownPath + ": " +
                 resolveErrorText(ResolveError::Unreachable));
            return false;
        }
        const int32_t r = CopyF(libraryPath.c_str(), target.c_str());
        if (r == result::CopyF::kCopied) {
            if (progress_) progress_->fileDone(item.entry.size);
            warnIfCutShort(item, target);
            return setTimes(item, target);
        }
        std::string text = session_.path() + ": " + item.shownPath + ": " + copyResultText(r);
        if (r == result::CopyF::kHostWriteFailed) {
            text += ": " + target.string();
            if (const int error = platform::createFailure(target.string()))
                text += ": " + platform::errorText(error);
        }
        fail(text + " (CopyF result " + std::to_string(r) + ")");
        return false;
    }

    // The entry's times on what was made of it, as cp -p and mcopy -m keep them; a folder's once everything
    // inside it is written.
    bool setTimes(const ImageItem& item, const fs::path& target) {
        if (!keepTimes_ || platform::setEntryTimes(target.string(), item.entry.writeDate,
                                                   item.entry.writeTime, item.entry.accessDate)) {
            return true;
        }
        fail(target.string() + ": cannot set the times: " + platform::errorText(errno));
        return false;
    }

    // The library ends a file whose chain ends before its size where the chain ends.
    void warnIfCutShort(const ImageItem& item, const fs::path& target) {
        std::error_code ec;
        const uintmax_t got = fs::file_size(target, ec);
        if (ec || got >= item.entry.size) return;
        printWarning(session_.path() + ": " + item.shownPath +
                     ": the file's cluster chain ends before its size; copied " + std::to_string(got) +
                     " of " + std::to_string(item.entry.size) + " bytes");
        ++cutShort_;
    }

    enum class Folder { Failed, Created, Existed };

    Folder makeFolder(const ImageItem& item, const fs::path& target, bool withParents) {
        std::error_code ec;
        const bool created =
            withParents ? fs::create_directories(target, ec) : fs::create_directory(target, ec);
        if (created) return Folder::Created;
        if (!ec && fs::is_directory(target, ec)) return Folder::Existed;
        fail(session_.path() + ": " + item.shownPath + ": cannot create the host folder " + target.string() +
             (ec ? ": " + platform::errorText(ec.value()) : ""));
        return Folder::Failed;
    }

  private:
    const ImageSession& session_;
    bool keepTimes_;
    int failures_ = 0;
    int cutShort_ = 0;
    std::optional<Progress> progress_;
};

// The files and bytes a tree copy will bring out, for the progress line.
class WorkCounter final : public TreeVisitor {
  public:
    void visitFolder(const ImageItem&, const std::vector<EntryView>& entries) override {
        for (const EntryView& e : entries) {
            if (e.isDirectory()) continue;
            ++files;
            bytes += e.size;
        }
    }
    bool enterFolder(const ImageItem&, const ImageItem&) override { return true; }

    uint64_t files = 0;
    uint64_t bytes = 0;
};

// Mirrors the folders it enters below the host folder of the walk's start.
class TreeCopier final : public TreeVisitor {
  public:
    TreeCopier(Extractor& out, const ImageItem& start, const fs::path& target, bool targetIsNew) : out_(out) {
        hostFolders_[start.entry.folderCluster()] = {target, targetIsNew};
    }

    void visitFolder(const ImageItem& folder, const std::vector<EntryView>& entries) override {
        const HostFolder& host = hostFolders_.at(folder.entry.folderCluster());
        // Names relative to the folder spare the library resolving the whole path for every file.
        const bool relative =
            !folder.libraryPath.empty() && SetFWrkDir(folder.libraryPath.c_str()) == result::SetFWrkDir::kSet;
        for (const EntryView& e : entries) {
            if (e.isDirectory()) continue;
            const ImageItem item = childItem(folder, e, out_.codePage());
            const std::string name = out_.hostName(item);
            // A folder we just created holds nothing that could be in the way.
            if (name.empty() || (!host.isNew && out_.linkInTheWay(host.path / name))) continue;
            out_.copyFile(item, relative ? libraryName(e) : item.libraryPath, host.path / name);
        }
    }

    bool enterFolder(const ImageItem& folder, const ImageItem& sub) override {
        const std::string name = out_.hostName(sub);
        if (name.empty()) return false;
        const HostFolder& parent = hostFolders_.at(folder.entry.folderCluster());
        const fs::path target = parent.path / name;
        if (!parent.isNew && out_.linkInTheWay(target)) return false;
        const Extractor::Folder made = out_.makeFolder(sub, target, false);
        if (made == Extractor::Folder::Failed) return false;
        hostFolders_[sub.entry.folderCluster()] = {target, made == Extractor::Folder::Created};
        madeFolders_.push_back({sub, target});
        return true;
    }

    // Writing into a folder moves its times: they are set once the walk has written everything.
    void setFolderTimes() {
        for (const auto& [item, path] : madeFolders_) out_.setTimes(item, path);
    }

  private:
    struct HostFolder {
        fs::path path;
        bool isNew;
    };

    Extractor& out_;
    std::map<int32_t, HostFolder> hostFolders_;
    std::vector<std::pair<ImageItem, fs::path>> madeFolders_;
};

// Like cp: into an existing folder under the item's own name, else to the path as given.
fs::path targetFor(Extractor& out, const ImageItem& item, const std::string& hostPath) {
    std::error_code ec;
    if (!hostPath.empty() && !fs::is_directory(hostPath, ec)) return hostPath;
    const std::string name = out.hostName(item);
    if (name.empty()) return {};
    const fs::path target = (hostPath.empty() ? fs::path(".") : fs::path(hostPath)) / name;
    if (out.linkInTheWay(target)) return {};
    return target;
}

int runGet(const GetArgs& args, const GlobalOptions& global) {
    ImageSession session(args.image, global, true, args.tableCopy);
    if (!session.isOpen()) return kExitFailure;
    const auto found = resolveOrReport(session, args.path);
    if (!found) return kExitFailure;
    const ImageItem& item = *found;
    Extractor out(session, !args.noTimes);
    if (!item.entry.isDirectory()) {
        const fs::path target = targetFor(out, item, args.hostPath);
        if (!target.empty()) out.copyFile(item, item.libraryPath, target);
        if (out.failures()) return kExitFailure;
        return out.cutShort() ? kExitPartial : kExitOk;
    }
    if (!args.recursive) {
        printError(args.image + ": " + item.shownPath + ": is a folder; use -r to copy a folder");
        return kExitFailure;
    }
    // The whole disk goes into the folder; any other folder becomes a folder of its own there.
    const fs::path target = item.isRoot() ? fs::path(args.hostPath.empty() ? "." : args.hostPath)
                                          : targetFor(out, item, args.hostPath);
    if (target.empty()) return kExitFailure;
    const Extractor::Folder made = out.makeFolder(item, target, true);
    if (made == Extractor::Folder::Failed) return kExitFailure;
    if (Progress::wanted()) {
        WorkCounter counter;
        walkTree(session, item, true, counter, false);
        out.startProgress(counter.files, counter.bytes);
    }
    TreeCopier copier(out, item, target, made == Extractor::Folder::Created);
    const int foldersLeftOut = walkTree(session, item, true, copier);
    copier.setFolderTimes();
    // The folder the walk started from, unless it is the whole disk, which no entry describes.
    if (!item.isRoot() && made == Extractor::Folder::Created) out.setTimes(item, target);
    if (out.failures()) return kExitFailure;
    return foldersLeftOut > 0 || session.listingCut() || out.cutShort() ? kExitPartial : kExitOk;
}

Runner configureGet(CLI::App* sub, const GlobalOptions& global) {
    auto args = std::make_shared<GetArgs>();
    sub->add_flag("-r,--recursive", args->recursive,
                  "Copy a folder with everything below it (\\ or / = whole disk)");
    sub->add_flag("--no-times", args->noTimes,
                  "Leave the host files' times at the copy's time instead of the entries' write times");
    sub->add_option("IMAGE", args->image, "Image file")->required();
    addTableCopyOption(*sub, args->tableCopy);
    sub->add_option("PATH", args->path, "File or folder inside the image (\\ or / separated, any case)")
        ->required();
    sub->add_option("HOSTPATH", args->hostPath,
                    "Host file or folder; an existing folder receives the item under its own name "
                    "(default: the current folder)");
    return [args, &global] { return runGet(*args, global); };
}

}  // namespace

constinit const CommandSpec kGetCommand{"get", "Copy a file, or with -r a folder tree, out of an image",
                                        configureGet};

}  // namespace cli
