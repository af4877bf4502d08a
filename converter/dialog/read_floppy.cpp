// "---->>": the whole floppy into an image file, a cylinder per request; a cylinder that fails is read again
// sector by sector, its bad sectors filled with 0xEE after asking whether to go on.
#include <algorithm>
#include <cerrno>

#include "converter/dialog/converter_dialog.h"
#include "converter/dialog/texts.h"
#include "media_types.h"
#include "platform/aligned_buffer.h"
#include "platform/host_file.h"

namespace converter::dialog {
namespace {

constexpr uint8_t kFiller = 0xEE;

}  // namespace

void ConverterDialog::onReadFloppy() {
    FloppyAccess* access = selectedAccess();
    if (access == nullptr || !imagePathUsable()) return;
    const auto root = std::find_if(fileDrives_.begin(), fileDrives_.end(),
                                   [&](const platform::HostDrive& d) { return d.path == fileDriveRoot_; });
    if (root != fileDrives_.end() && root->type == platform::DriveType::Optical) {
        view_.showMessage(text::kNoCd);
        return;
    }
    readFloppy(*access);
}

void ConverterDialog::readFloppy(FloppyAccess& access) {
    const FloppyHandle handle = openAndLock(access);
    if (handle == INVALID_HANDLE_VALUE) return;
    if (osKind_ == OsKind::Nt && !waitForMedium(access, handle)) return;
    DiskGeometry geometry{};
    if (!access.QueryGeometry(handle, floppyDrive_, geometry)) {
        view_.showMessage(text::kGeometryFailed);
        release(access, handle);
        return;
    }
    const std::optional<uint32_t> cylinderSize = cylinderBytes(geometry);
    auto buffer = cylinderSize ? platform::AlignedBuffer::allocate(*cylinderSize) : std::nullopt;
    if (!buffer) {
        view_.showMessage(text::kAllocationFailed);
        release(access, handle);
        return;
    }
    const uint32_t bytesPerSector = geometry.bytesPerSector;
    const uint32_t sectorsPerCylinder = *cylinderSize / bytesPerSector;
    const uint32_t cylinders = static_cast<uint32_t>(geometry.cylinders);
    const uint64_t mediumSize = uint64_t{cylinders} * *cylinderSize;

    const int listIndex = appendProgressLine(text::kReading);
    auto wait = view_.waitCursor();
    int error = 0;
    auto image = platform::createExclusive(currentPath_, error);
    if (!image) {
        wait.reset();
        view_.showMessage(text::fill(text::kFileError, currentPath_.c_str(), error));
    } else {
        view_.SetRange(0, cylinders);
        view_.SetStep(1);
        view_.SetPos(0);
        uint64_t offset = 0;
        uint32_t cylindersDone = 0;
        // Until the whole medium is in the image: a read that delivers less than a cylinder is followed by
        // one that starts after it, so nothing at the end is left out.
        while (offset < mediumSize) {
            const auto chunk = buffer->bytes().first(
                static_cast<size_t>(std::min<uint64_t>(*cylinderSize, mediumSize - offset)));
            uint32_t done = 0;
            size_t toWrite = 0;
            bool cancelled = false;
            if (access.ReadSectors(handle, chunk, done, floppyDrive_,
                                   ByteOffset{static_cast<uint32_t>(offset)}, bytesPerSector) &&
                done > 0) {
                toWrite = std::min<size_t>(done, chunk.size());
                offset += toWrite;
            } else {
                for (size_t i = 0; i * bytesPerSector < chunk.size(); ++i) {
                    const auto sector = chunk.subspan(i * bytesPerSector, bytesPerSector);
                    access.SetDrivePosition(handle, static_cast<uint32_t>(offset));
                    uint32_t got = 0;
                    if (!access.ReadSectors(handle, sector, got, floppyDrive_,
                                            ByteOffset{static_cast<uint32_t>(offset)}, bytesPerSector) ||
                        got < bytesPerSector) {
                        const auto code = static_cast<int>(access.LastError());
                        std::fill(sector.begin(), sector.end(), kFiller);
                        const uint64_t index = offset / bytesPerSector;
                        const uint32_t within = static_cast<uint32_t>(index % sectorsPerCylinder);
                        const std::string question =
                            text::fill(text::kBadSector, code, static_cast<int>(index / sectorsPerCylinder),
                                       static_cast<int>(within / geometry.sectorsPerTrack),
                                       static_cast<int>(within % geometry.sectorsPerTrack + 1));
                        if (!view_.askOkCancel(question)) {
                            cancelled = true;
                            break;
                        }
                    }
                    offset += bytesPerSector;
                }
                if (cancelled) break;
                access.SetDrivePosition(handle, static_cast<uint32_t>(offset));
                toWrite = chunk.size();
            }
            const uint64_t at = offset - toWrite;
            if (image->writeAt(at, chunk.first(toWrite)) != static_cast<int64_t>(toWrite)) {
                wait.reset();
                view_.showMessage(text::fill(text::kWriteError, errno));
                break;
            }
            for (; cylindersDone < offset / *cylinderSize; ++cylindersDone) view_.StepIt();
        }
        const bool closed = image->close();
        wait.reset();
        if (!closed) view_.showMessage(text::fill(text::kWriteError, errno));
        view_.showMessage(text::kReadDone);
    }
    wait.reset();
    view_.SetPos(0);
    view_.removeInfo(listIndex);
    release(access, handle);
}

}  // namespace converter::dialog
