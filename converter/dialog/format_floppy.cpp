// "&Formát": a low-level format of the whole floppy, then an empty FAT12 file system from the template of its
// type, laid down in cylinder 0.
#include <algorithm>

#include "bootsectors/boot_templates.h"
#include "bootsectors/empty_image.h"
#include "converter/dialog/converter_dialog.h"
#include "converter/dialog/texts.h"
#include "dir_slot.h"
#include "dos_time.h"
#include "entry_group.h"
#include "media_types.h"
#include "platform/aligned_buffer.h"
#include "platform/clock.h"

namespace converter::dialog {
namespace {

std::optional<bootsectors::TemplateId> templateFor(int32_t mediaType) {
    switch (mediaType) {
        case F5_1Pt2_512:
            return bootsectors::TemplateId::Disk1200K;
        case F3_1Pt44_512:
            return bootsectors::TemplateId::Disk1440K;
        case F3_720_512:
            return bootsectors::TemplateId::Disk720K;
        case F5_360_512:
            return bootsectors::TemplateId::Disk360K;
        default:
            return std::nullopt;
    }
}

// The start of the empty file system; a label also gets its root entry, the first slot after the second FAT
// (the root lies inside cylinder 0 on every type with a template).
std::optional<std::vector<uint8_t>> fileSystemStart(bootsectors::TemplateId templateId,
                                                    const std::string& label) {
    auto start = bootsectors::emptyFileSystemStart(templateId, label);
    if (!start || label.empty()) return start;
    orva::Slot slot{};
    orva::fillLabelSlot(slot, label, orva::PackDosStamp(orva::stampTimeOf(platform::utcNow())));
    start->insert(start->end(), slot.begin(), slot.end());
    return start;
}

}  // namespace

bool ConverterDialog::chooseFormat(int32_t mediaType, const std::string& label) {
    if (mediaType != 0 && !templateFor(mediaType)) return false;
    chosenFormatType_ = mediaType;
    chosenFormatLabel_ = label;
    return true;
}

void ConverterDialog::onFormat() {
    FloppyAccess* access = selectedAccess();
    if (osKind_ != OsKind::Nt) {
        view_.showMessage(text::kFormatOnlyNt);
        return;
    }
    if (access != nullptr) formatFloppy(*access);
}

void ConverterDialog::formatFloppy(FloppyAccess& access) {
    const std::vector<std::string> lines = view_.infoLines();
    const auto line = [&](size_t at) { return at < lines.size() ? lines[at] : std::string(); };
    DiskGeometry geometry{};
    bool userChoseType = false;
    // The medium's own line counts only when the list holds one: an unformatted floppy has none, and the
    // drive's type lines that follow "Drive:" then would pass for it (and the format could never start).
    const bool mediumListed = line(0) == "Floppy:";
    const std::optional<DiskGeometry> chosen =
        chosenFormatType_ != 0 ? builtGeometry(chosenFormatType_) : std::nullopt;
    if (!chosen && (!mediumListed || !isFormattableLine(line(1)))) {
        view_.showMessage(text::kCannotFormatType);
        // The drive's second supported type tells a 3.5-inch drive from a 5.25-inch one.
        const auto header = std::find(lines.begin(), lines.end(), std::string(text::kDriveHeader));
        const size_t second = header == lines.end() ? 4 : static_cast<size_t>(header - lines.begin()) + 2;
        const bool highDensity35 = line(second).starts_with("3");
        if (!view_.askYesNo(highDensity35 ? text::kFormatTo144 : text::kFormatTo12)) return;
        geometry = highDensity35 ? DiskGeometry{80, F3_1Pt44_512, 2, 18, 512}
                                 : DiskGeometry{80, F5_1Pt2_512, 2, 15, 512};
        userChoseType = true;
    }
    const FloppyHandle handle = openAndLock(access);
    if (handle == INVALID_HANDLE_VALUE) return;
    if (!waitForMedium(access, handle)) {
        refreshFloppyInfo();
        return;
    }
    const auto finish = [&] {
        release(access, handle);
        refreshFloppyInfo();
    };
    if (!userChoseType) {
        if (!view_.askYesNo(text::fill(text::kEraseQuestion, static_cast<char>(floppyDrive_ + 64))))
            return finish();
        if (chosen) {
            geometry = *chosen;
        } else if (!access.QueryGeometry(handle, floppyDrive_, geometry)) {
            view_.showMessage(text::kGeometryFailed);
            return finish();
        }
    }
    // A floppy exchanged since it was listed may be of a type without a template.
    const std::optional<bootsectors::TemplateId> templateId = templateFor(geometry.mediaType);
    const auto start = templateId ? fileSystemStart(*templateId, chosenFormatLabel_) : std::nullopt;
    if (!start) {
        view_.showMessage(text::kTypeNotFormattable);
        return finish();
    }
    const std::optional<uint32_t> cylinderSize = cylinderBytes(geometry);
    auto buffer = cylinderSize ? platform::AlignedBuffer::allocate(*cylinderSize) : std::nullopt;
    if (!buffer || buffer->size() < start->size()) {
        view_.showMessage(text::kAllocationFailed);
        return finish();
    }

    const int listIndex = appendProgressLine(text::kFormatting);
    auto wait = view_.waitCursor();
    if (!access.FormatAllCylinders(handle, geometry, view_)) {
        const uint32_t code = access.LastError();
        wait.reset();
        view_.showMessage(code == ERROR_WRITE_PROTECT ? text::kWriteProtected : text::kTypeNotFormattable);
    } else {
        auto bytes = buffer->bytes();
        std::fill(bytes.begin(), bytes.end(), 0);
        std::copy(start->begin(), start->end(), bytes.begin());
        access.SetDrivePosition(handle, 0);
        uint32_t written = 0;
        const bool laid = access.WriteSectors(handle, bytes, written, ByteOffset{0}, floppyDrive_,
                                              geometry.bytesPerSector) &&
                          written == bytes.size();
        wait.reset();
        view_.showMessage(laid ? text::kFormatDone : text::kTrack0Failed);
    }
    view_.SetPos(0);
    view_.removeInfo(listIndex);
    finish();
}

}  // namespace converter::dialog
