// orva put: copies host files, or with -r folder trees, into a folder of the image.
#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "commands/commands.h"
#include "entry_view.h"
#include "image_names.h"
#include "image_path.h"
#include "image_session.h"
#include "messages.h"
#include "orva.h"
#include "platform/host_attributes.h"
#include "platform/host_errors.h"
#include "platform/text_codec.h"
#include "progress.h"

namespace cli {
namespace {

namespace fs = std::filesystem;

struct PutArgs {
    std::string image;
    std::vector<std::string> paths;  // the host paths, then the image folder
    bool recursive = false;
};

// Stop: the image is full or cannot be written; nothing more is tried.
enum class Outcome { Done, Failed, Stop };

Outcome worse(Outcome a, Outcome b) {
    return std::max(a, b);
}

enum class HostKind { File, Folder, FolderLink, Other, Missing };

// Links to files are copied as the file; links to folders are not followed, so a link cannot make the walk
// go round in circles. A listed entry knows its own type already; only a link costs a look at its target.
HostKind hostKind(const fs::directory_entry& entry, bool followFolderLinks) {
    std::error_code ec;
    const bool link = entry.is_symlink(ec);
    if (ec) return HostKind::Missing;
    if (entry.is_regular_file(ec)) return HostKind::File;
    if (entry.is_directory(ec)) return link && !followFolderLinks ? HostKind::FolderLink : HostKind::Folder;
    return entry.exists(ec) ? HostKind::Other : HostKind::Missing;
}

// A folder's entries in name order, so that the same tree always gives the same image.
std::vector<fs::directory_entry> folderEntries(const fs::path& folder, std::error_code& ec) {
    std::vector<fs::directory_entry> entries;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        entries.push_back(*it);
    std::sort(entries.begin(), entries.end());
    return entries;
}

// How names are compared for clashes: without regard to case, in any script.
std::string nameKey(const std::string& name) {
    return platform::lowerCaseUtf8(name);
}

struct Work {
    uint64_t files = 0;
    uint64_t bytes = 0;
};

void countWork(const fs::directory_entry& entry, bool top, Work& work) {
    switch (hostKind(entry, top)) {
        case HostKind::File: {
            std::error_code ec;
            const auto size = entry.file_size(ec);
            ++work.files;
            work.bytes += ec ? 0 : size;
            return;
        }
        case HostKind::Folder: {
            std::error_code ec;
            for (const fs::directory_entry& e : folderEntries(entry.path(), ec)) countWork(e, false, work);
            return;
        }
        default:
            return;
    }
}

// A path from the command line; one that does not exist keeps its path for the message.
fs::directory_entry givenEntry(const std::string& path) {
    fs::directory_entry entry;
    std::error_code ec;
    entry.assign(path, ec);
    return entry;
}

// The name a host path gives its copy: "docs/", "docs/." and "." name the folder itself.
std::string hostEntryName(const std::string& hostPath) {
    std::error_code ec;
    fs::path p = fs::absolute(hostPath, ec).lexically_normal();
    if (!p.has_filename() && p.has_relative_path()) p = p.parent_path();
    return p.filename().string();
}

class Putter {
  public:
    Putter(const ImageSession& session, bool recursive) : session_(session), recursive_(recursive) {}

    void startProgress(const Work& work) { progress_.emplace("put", work.files, work.bytes); }

    Outcome put(const ImageItem& folder, const fs::directory_entry& entry, const std::string& name,
                bool top) {
        const fs::path& host = entry.path();
        switch (hostKind(entry, top)) {
            case HostKind::File: {
                std::error_code ec;
                const auto size = entry.file_size(ec);
                return putFile(folder, host, name, ec ? 0 : size);
            }
            case HostKind::Folder:
                if (recursive_) return putFolder(folder, host, name);
                return fail(host.string() + ": is a folder; use -r to copy a folder");
            case HostKind::FolderLink:
                return fail(host.string() + ": a symbolic link to a folder; not followed");
            case HostKind::Other:
                return fail(host.string() + ": not a regular file or folder; skipped");
            case HostKind::Missing:
                break;
        }
        return fail(host.string() + ": no such file or folder");
    }

  private:
    Outcome fail(const std::string& text) {
        printError(text);
        return Outcome::Failed;
    }

    std::string where(const ImageItem& folder, const std::string& name) const {
        return session_.path() + ": " + joinPath(folder.shownPath, name);
    }

    // The library stores whatever it is given, so a name already there or one it cannot hold is refused here.
    bool nameUsable(const ImageItem& folder, const fs::path& host, const std::string& name) {
        if (const std::string problem = imageNameProblem(name); !problem.empty()) {
            fail(host.string() + ": skipped: " + problem);
            return false;
        }
        // A folder made by this copy holds only what the copy put there, so its names are known without
        // reading it back. Only a name with "~" could meet one of the aliases the library chose.
        const auto made = madeFolders_.find(folder.entry.folderCluster());
        if (made != madeFolders_.end() && name.find('~') == std::string::npos) {
            if (made->second.contains(nameKey(name))) {
                fail(where(folder, name) + ": already exists; " + host.string() + " not copied");
                return false;
            }
            return true;
        }
        if (const auto existing = findChild(session_, folder, name)) {
            const std::string shown = shownName(*existing, session_.options().codePage);
            fail(where(folder, name) + ": already exists" + (shown == name ? "" : " as " + shown) + "; " +
                 host.string() + " not copied");
            return false;
        }
        return true;
    }

    void remember(const ImageItem& folder, const std::string& name) {
        const auto made = madeFolders_.find(folder.entry.folderCluster());
        if (made != madeFolders_.end()) made->second.insert(nameKey(name));
    }

    Outcome putFile(const ImageItem& folder, const fs::path& host, const std::string& name, uint64_t size) {
        if (!nameUsable(folder, host, name)) return Outcome::Failed;
        const std::string target = joinPath(folder.libraryPath, name);
        if (const int32_t r = CopyT(host.c_str(), target.c_str()); r != result::CopyT::kCopied) {
            // Unreadable host files only cost themselves; a full or failing image ends the copy.
            const bool hostFault = r == result::CopyT::kHostReadFailed || r == result::CopyT::kHostUnopenable;
            const int error = r == result::CopyT::kHostUnopenable ? platform::openFailure(host.string()) : 0;
            printError(where(folder, name) + ": " + withCode(copyInResultText(r), "CopyT", r) + "; " +
                       host.string() + (error ? ": " + platform::errorText(error) : "") +
                       (hostFault ? " not copied" : " not copied; stopped"));
            return hostFault ? Outcome::Failed : Outcome::Stop;
        }
        remember(folder, name);
        const Outcome outcome = setAttributes(folder, name, platform::hostAttributes(host.string(), false));
        if (progress_) progress_->fileDone(size);
        return outcome;
    }

    Outcome putFolder(const ImageItem& folder, const fs::path& host, const std::string& name) {
        if (!nameUsable(folder, host, name)) return Outcome::Failed;
        const std::string target = joinPath(folder.libraryPath, name);
        if (const int32_t r = MkDir(target.c_str()); r != result::MkDir::kCreated) {
            printError(where(folder, name) + ": " + withCode(mkDirResultText(r), "MkDir", r) + "; " +
                       host.string() + " not copied; stopped");
            return Outcome::Stop;
        }
        remember(folder, name);
        DirEntry* entry = nullptr;
        int32_t slots = 0;
        if (const int32_t r = GetFDirEntry(target.c_str(), &entry, &slots, nullptr);
            r != result::GetFDirEntry::kFound) {
            printError(where(folder, name) + ": the new folder cannot be found again (GetFDirEntry result " +
                       std::to_string(r) + "); stopped");
            return Outcome::Stop;
        }
        ImageItem sub = childItem(folder, captureEntry(entry, slots), session_.options().codePage);
        sub.shownPath = joinPath(folder.shownPath, name);
        madeFolders_.try_emplace(sub.entry.folderCluster());

        std::error_code ec;
        const std::vector<fs::directory_entry> entries = folderEntries(host, ec);
        Outcome outcome =
            ec ? fail(host.string() + ": cannot list the folder: " + platform::errorText(ec.value()))
               : Outcome::Done;
        for (const fs::directory_entry& e : entries) {
            outcome = worse(outcome, put(sub, e, e.path().filename().string(), false));
            if (outcome == Outcome::Stop) return outcome;
        }
        // After the contents: the attributes describe the finished folder.
        return worse(outcome, setAttributes(folder, name, platform::hostAttributes(host.string(), true)));
    }

    Outcome setAttributes(const ImageItem& folder, const std::string& name, uint8_t attributes) {
        // New files carry the archive bit and folders nothing: no write needed for the common case.
        const bool isDefault = attributes == 0 || attributes == attr::kArchive;
        if (isDefault) return Outcome::Done;
        const std::string target = joinPath(folder.libraryPath, name);
        if (const int32_t r = SetAttrib(target.c_str(), attributes); r != result::SetAttrib::kSet) {
            return fail(where(folder, name) + ": cannot set the attributes " + attributeText(attributes) +
                        ": " + withCode(setAttribResultText(r), "SetAttrib", r));
        }
        return Outcome::Done;
    }

    const ImageSession& session_;
    bool recursive_;
    std::optional<Progress> progress_;
    std::unordered_map<int32_t, std::unordered_set<std::string>> madeFolders_;  // by cluster: name keys
};

int runPut(const PutArgs& args, const GlobalOptions& global) {
    const std::vector<std::string> hostPaths(args.paths.begin(), args.paths.end() - 1);
    const std::string& imageDir = args.paths.back();
    ImageSession session(args.image, global);
    if (!session.isOpen() || !session.checkWritable()) return kExitFailure;
    const auto folder = resolveOrReport(session, imageDir, true);
    if (!folder) return kExitFailure;
    Putter putter(session, args.recursive);
    if (args.recursive && Progress::wanted()) {
        Work work;
        for (const std::string& p : hostPaths) countWork(givenEntry(p), true, work);
        putter.startProgress(work);
    }
    Outcome outcome = Outcome::Done;
    for (const std::string& p : hostPaths) {
        const std::string name = hostEntryName(p);
        if (name.empty()) {
            printError(p + ": names no file or folder that could be copied");
            outcome = worse(outcome, Outcome::Failed);
            continue;
        }
        outcome = worse(outcome, putter.put(*folder, givenEntry(p), name, true));
        if (outcome == Outcome::Stop) break;
    }
    return outcome == Outcome::Done ? kExitOk : kExitFailure;
}

Runner configurePut(CLI::App* sub, const GlobalOptions& global) {
    auto args = std::make_shared<PutArgs>();
    sub->add_flag("-r,--recursive", args->recursive, "Copy folders with everything below them");
    sub->add_option("IMAGE", args->image, "Image file")->required();
    // One list: a trailing single positional after a list is not told apart by the parser.
    sub->add_option("PATHS", args->paths,
                    "HOSTPATH... IMAGEDIR: host files or folders, then the image folder that receives them "
                    "under their own names (\\ or / separated, any case; / = root)")
        ->required()
        ->expected(2, -1);
    sub->footer(
        "Like cp: orva put [-r] IMAGE HOSTPATH... IMAGEDIR, for example\n  orva put -r disk.img notes "
        "letter.txt /docs");
    return [args, &global] { return runPut(*args, global); };
}

}  // namespace

constinit const CommandSpec kPutCommand{
    "put", "Copy host files, or with -r folder trees, into a folder of an image", configurePut};

}  // namespace cli
