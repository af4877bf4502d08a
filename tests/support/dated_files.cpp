#include "dated_files.h"

#include "fixture.h"

namespace testing_support {

const std::vector<DatedFile>& datedFiles() {
    static const std::vector<DatedFile> files{{"OLD.TXT", "2001-02-03 04:05:06"},
                                              {"Sub folder/deeper name.txt", "1999-12-31 23:59:58"},
                                              {"Sub folder/EVEN.DAT", "2020-06-30 12:00:00"}};
    return files;
}

void makeDatedTree(const fs::path& folder) {
    for (const DatedFile& f : datedFiles()) {
        fs::create_directories((folder / f.path).parent_path());
        writeFile(folder / f.path, std::string(f.path));
        runOk("touch -m -d " + quote(std::string(f.written) + " UTC") + " " +
              quote((folder / f.path).string()));
    }
}

std::string writtenUtc(const fs::path& path) {
    return runOk("date -u -r " + quote(path.string()) + " '+%F %T'");
}

}  // namespace testing_support
