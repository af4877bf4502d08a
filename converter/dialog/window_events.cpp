#include "converter/dialog/window_events.h"

#include <algorithm>

#include "converter/dialog/result_messages.h"
#include "converter/dialog/texts.h"
#include "media_types.h"

namespace converter::dialog {
namespace {

using actions::Phase;

const char* progressText(Phase phase) {
    switch (phase) {
        case Phase::Reading:
            return text::kReading;
        case Phase::Formatting:
            return text::kFormatting;
        case Phase::Writing:
            return text::kWriting;
    }
    return "";
}

const char* formatToQuestion(int32_t mediaType) {
    switch (mediaType) {
        case F3_1Pt44_512:
            return text::kFormatTo144;
        case F3_720_512:
            return text::kFormatTo720;
        case F5_360_512:
            return text::kFormatTo360;
        default:
            return text::kFormatTo12;
    }
}

}  // namespace

bool WindowEvents::insertMedium() {
    return view_.askOkCancel(text::kInsertDisk);
}

bool WindowEvents::eraseFloppy(char driveLetter) {
    return view_.askYesNo(text::shown(text::kEraseQuestion, driveLetter));
}

bool WindowEvents::formatBeforeWriting() {
    return view_.askYesNo(text::kFormatBeforeWrite);
}

bool WindowEvents::formatToOffered(const DiskGeometry& offered) {
    view_.showMessage(text::kCannotFormatType);
    return view_.askYesNo(formatToQuestion(offered.mediaType));
}

actions::BadSectorDecision WindowEvents::badSector(const actions::BadSector& s) {
    const bool goOn = view_.askOkCancel(text::shown(text::kBadSector, s.code, static_cast<int>(s.cylinder),
                                                    static_cast<int>(s.head), static_cast<int>(s.sector)));
    return goOn ? actions::BadSectorDecision::Fill : actions::BadSectorDecision::Stop;
}

void WindowEvents::mustBeFormatted() {
    view_.showMessage(text::kInsertFormatted);
}

void WindowEvents::started(Phase phase, const DiskGeometry& geometry) {
    // Writing after a format: the formatting line gives way.
    wait_.reset();
    removeProgressLine();
    progressLine_ = info_.append(progressText(phase));
    view_.repaintInfo();
    wait_ = view_.waitCursor();
    cylinders_ = static_cast<uint32_t>(geometry.cylinders);
    showCylinder(1);
    view_.SetRange(0, cylinders_);
    view_.SetStep(1);
    view_.SetPos(0);
}

void WindowEvents::cylinderDone(Phase, uint32_t cylinder) {
    // The next one is at work now; after the last, the last stays until the end is said. Set before the step,
    // which repaints.
    showCylinder(std::min(cylinder + 2, cylinders_));
    view_.StepIt();
}

void WindowEvents::showCylinder(uint32_t oneBased) {
    view_.setCylinderText(cylinders_ == 0 ? std::string()
                                          : text::fill(text::kCylinderOf, oneBased, cylinders_));
}

void WindowEvents::finished(const actions::Result& result) {
    result_ = result;
    wait_.reset();
    if (progressLine_) view_.setCylinderText("");
    for (const desktop::ShownText& message : resultMessages(kind_, result)) view_.showMessage(message);
    if (progressLine_) view_.SetPos(0);
    removeProgressLine();
}

void WindowEvents::removeProgressLine() {
    if (!progressLine_) return;
    info_.remove(*progressLine_);
    progressLine_.reset();
}

}  // namespace converter::dialog
