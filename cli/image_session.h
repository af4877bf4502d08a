#pragma once
// The one image the library holds open, for the life of a command.
#include <cstdint>
#include <set>
#include <string>
#include <utility>

#include "global_options.h"
#include "library_codes.h"

namespace cli {

class ImageSession {
  public:
    // Opens the image, its allocation table read from the given copy, and reports on stderr why it could not
    // be opened, and, unless told to keep quiet, what is odd about it.
    ImageSession(std::string path, const GlobalOptions& options, bool reportOddities = true,
                 int32_t tableCopy = orva::kFirstTableCopy);
    ~ImageSession();
    ImageSession(const ImageSession&) = delete;
    ImageSession& operator=(const ImageSession&) = delete;

    bool isOpen() const { return open_; }
    int32_t openResult() const { return openResult_; }
    const std::string& path() const { return path_; }
    const GlobalOptions& options() const { return options_; }

    // For commands that change the image: false, with a message, when it was opened read-only.
    bool checkWritable() const;

    // Reports the slot check that made the last search of the folder return 2 or 3, once per slot however
    // often the folder is listed.
    void reportFailedCheck(const std::string& folder) const;
    // Whether a folder's listing ended before its end because its cluster chain leads back into itself.
    bool listingCut() const { return listingCut_; }

  private:
    std::string path_;
    const GlobalOptions& options_;
    int32_t openResult_ = 0;
    bool open_ = false;
    mutable std::set<std::pair<int32_t, uint32_t>> reported_;  // check code, slot offset
    mutable bool listingCut_ = false;
};

}  // namespace cli
