#include "image_session.h"

#include <array>
#include <cerrno>
#include <cstdio>

#include "boot_sector.h"
#include "dir_entry_layout.h"
#include "messages.h"
#include "orva.h"
#include "platform/host_errors.h"
#include "platform/path_info.h"

namespace cli {
namespace {

// The library only says that the file could not be opened; the host says why.
std::string whyNotOpened(const std::string& path, int32_t code) {
    if (code != result::OpenFDImg::kCannotOpen) return openResultText(code);
    const int error = platform::openFailure(path);
    if (error == EWOULDBLOCK) return "another program holds it locked: " + platform::errorText(error);
    if (error != 0) return platform::errorText(error);
    return platform::inspectPath(path).exists ? "not a regular file (a device or a pipe)"
                                              : openResultText(code);
}

}  // namespace

ImageSession::ImageSession(std::string path, const GlobalOptions& options, bool reportOddities,
                           int32_t tableCopy)
    : path_(std::move(path)), options_(options) {
    openResult_ = OpenFDImg(path_.c_str(), tableCopy);
    if (openFailed(openResult_)) {
        printError(path_ + ": cannot open the image: " + whyNotOpened(path_, openResult_) +
                   " (OpenFDImg result " + std::to_string(openResult_) + ")");
        return;
    }
    // The library would take whatever follows the only copy for a second one.
    std::array<uint8_t, orva::boot::kParamBytes> boot{};
    if (tableCopy == orva::kSecondTableCopy &&
        (GetFDType(nullptr, boot.data(), static_cast<int32_t>(boot.size())) != result::GetFDType::kRead ||
         orva::boot::get(boot, orva::boot::fatCount) < 2)) {
        printError(path_ + ": the image holds one copy of the allocation table, no second one to follow");
        return;
    }
    open_ = true;
    // Read-only is what a reading command wants anyway; only a size mismatch is worth a word.
    if (reportOddities && openResult_ >= result::OpenFDImg::kLonger) {
        printWarning(path_ + ": " + openResultText(openResult_));
    }
    // Check every slot the library reads; a failed check is then reported instead of hidden.
    if (options_.checkSlots) BlockTestFol(orva::check_flags::kEverySlot);
}

ImageSession::~ImageSession() {
    // Also after bad parameters, which can leave the image open.
    CloseFDImg();
}

bool ImageSession::checkWritable() const {
    // The library would refuse every write with 8; better to say so before anything is attempted.
    if (openResult_ != result::OpenFDImg::kReadOnly && openResult_ != result::OpenFDImg::kLongerReadOnly) {
        return true;
    }
    printError(path_ + ": the image file is read-only; nothing changed");
    return false;
}

void ImageSession::reportFailedCheck(const std::string& folder) const {
    int32_t code = 0;
    std::array<uint8_t, orva::kSlotBytes> slot{};
    uint32_t offset = 0;
    if (GetLastErr(&code, slot.data(), &offset) != result::GetLastErr::kRead ||
        code == orva::check::kPassed || !reported_.emplace(code, offset).second) {
        return;
    }
    char where[32];
    std::snprintf(where, sizeof where, "0x%X", offset);
    const std::string check = checkCodeText(code) + " (check " + std::to_string(code) + ")";
    if (code == orva::check::kChainLoop) {
        listingCut_ = true;
        printWarning(path_ + ": " + folder + ": " + check + " at offset " + where +
                     "; its entries are listed once, up to there");
        return;
    }
    printWarning(path_ + ": directory slot at offset " + where + " failed a check: " + check);
}

}  // namespace cli
