// "<<----": an image file onto the floppy, a cylinder per request, after checking that its size is exactly
// the medium's; on the NT line the floppy may be formatted to its present geometry first.
#include <algorithm>
#include <cerrno>

#include "converter/dialog/converter_dialog.h"
#include "converter/dialog/texts.h"
#include "media_types.h"
#include "platform/aligned_buffer.h"
#include "platform/host_file.h"

namespace converter::dialog {

void ConverterDialog::onWriteImage() {
    FloppyAccess* access = selectedAccess();
    if (access == nullptr || !imagePathUsable()) return;
    writeImage(*access);
}

void ConverterDialog::writeImage(FloppyAccess& access) {
    const FloppyHandle handle = openAndLock(access);
    if (handle == INVALID_HANDLE_VALUE) return;
    if (osKind_ == OsKind::Nt) {
        if (!waitForMedium(access, handle)) {
            refreshFloppyInfo();
            return;
        }
    } else {
        view_.showMessage(text::kInsertFormatted);
    }
    const auto finish = [&] {
        release(access, handle);
        refreshFloppyInfo();
    };
    if (!view_.askYesNo(text::fill(text::kEraseQuestion, static_cast<char>(floppyDrive_ + 64))))
        return finish();
    DiskGeometry geometry{};
    if (!access.QueryGeometry(handle, floppyDrive_, geometry)) {
        view_.showMessage(text::kGeometryFailed);
        return finish();
    }
    const std::optional<uint32_t> cylinderSize = cylinderBytes(geometry);
    auto buffer = cylinderSize ? platform::AlignedBuffer::allocate(*cylinderSize) : std::nullopt;
    if (!buffer) {
        view_.showMessage(text::kAllocationFailed);
        return finish();
    }
    int error = 0;
    auto image = platform::openExclusive(currentPath_, platform::Access::ReadOnly, error);
    if (!image) {
        view_.showMessage(text::fill(text::kFileError, currentPath_.c_str(), error));
        return finish();
    }
    const uint32_t cylinders = static_cast<uint32_t>(geometry.cylinders);
    const std::optional<uint64_t> size = image->size();
    if (!size || !imageMatchesGeometry(*size, geometry)) {
        view_.showMessage(text::kNotThisType);
        image->close();
        return finish();
    }

    if (osKind_ == OsKind::Nt && view_.askYesNo(text::kFormatBeforeWrite)) {
        const int formatLine = appendProgressLine(text::kFormatting);
        auto wait = view_.waitCursor();
        const bool formatted = access.FormatAllCylinders(handle, geometry, view_);
        const uint32_t code = access.LastError();
        wait.reset();
        view_.removeInfo(formatLine);
        if (!formatted) {
            view_.showMessage(code == ERROR_WRITE_PROTECT ? text::kWriteProtected : text::kFormatError);
            view_.SetPos(0);
            image->close();
            // Given back like after every other run, so the drive is not left mounted.
            return finish();
        }
    }

    const int listIndex = appendProgressLine(text::kWriting);
    auto wait = view_.waitCursor();
    view_.SetRange(0, cylinders);
    view_.SetStep(1);
    view_.SetPos(0);
    bool failed = false;
    uint64_t offset = 0;
    for (uint32_t cylinder = 0; cylinder < cylinders; ++cylinder) {
        auto bytes = buffer->bytes();
        std::fill(bytes.begin(), bytes.end(), 0);
        const int64_t got = image->readAt(offset, bytes);
        std::string message;
        if (got <= 0) {
            message = text::fill(text::kImageReadError, errno);
        } else {
            // A file that shrank meanwhile: its short rest goes out padded to whole sectors.
            const uint64_t sectors =
                (static_cast<uint64_t>(got) + geometry.bytesPerSector - 1) / geometry.bytesPerSector;
            const auto chunk = bytes.first(static_cast<size_t>(sectors * geometry.bytesPerSector));
            uint32_t written = 0;
            if (!access.WriteSectors(handle, chunk, written, ByteOffset{static_cast<uint32_t>(offset)},
                                     floppyDrive_, geometry.bytesPerSector) ||
                written < got) {
                const uint32_t code = access.LastError();
                message = code == ERROR_WRITE_PROTECT ? text::kWriteProtected
                                                      : text::fill(text::kWriteError, static_cast<int>(code));
            } else {
                offset += static_cast<uint64_t>(got);
                view_.StepIt();
            }
        }
        if (!message.empty()) {
            wait.reset();
            view_.showMessage(message);
            failed = true;
            break;
        }
    }
    wait.reset();
    if (!failed) view_.showMessage(text::kWriteDone);
    view_.SetPos(0);
    view_.removeInfo(listIndex);
    image->close();
    finish();
}

}  // namespace converter::dialog
