#include "converter/dialog/rescue_window.h"

#include <algorithm>

#include "converter/dialog/rescue_report.h"
#include "converter/dialog/result_messages.h"
#include "converter/dialog/texts.h"

namespace converter::dialog {

bool RescueWindow::insertMedium() {
    return view_.askOkCancel(text::kInsertDisk);
}

void RescueWindow::started(actions::Phase, const DiskGeometry& geometry) {
    showLine(text::kRescuing);
    wait_ = view_.waitCursor();
    cylinders_ = static_cast<uint32_t>(geometry.cylinders);
    view_.SetRange(0, cylinders_);
    view_.SetStep(1);
    view_.SetPos(0);
}

void RescueWindow::passStarted(actions::RescuePass pass, uint32_t round, uint32_t) {
    switch (pass) {
        case actions::RescuePass::Cylinders:
            showLine(text::kPassCylinders);
            break;
        case actions::RescuePass::Sectors:
            showLine(text::kPassSectors);
            break;
        case actions::RescuePass::Retries:
            showLine(text::fill(text::kPassRetry, round, rounds_));
            break;
    }
    view_.SetPos(0);
}

void RescueWindow::cylinderTried(actions::RescuePass, uint32_t cylinder, uint32_t) {
    view_.setCylinderText(text::fill(text::kCylinderOf, cylinder + 1, cylinders_));
    view_.SetPos(std::min(cylinder + 1, cylinders_));
}

bool RescueWindow::stopRequested() {
    view_.letStopThrough();
    return stop_;
}

void RescueWindow::noted(actions::RescueNote note, uint32_t code) {
    switch (note) {
        case actions::RescueNote::DriverMessagesKept:
            info_.append(text::fill(text::kDriverMessagesKept, code));
            break;
        case actions::RescueNote::TrackLayoutUnknown:
            info_.append(text::fill(text::kTrackLayoutUnknown, code));
            break;
        case actions::RescueNote::MapWithoutImage:
            info_.append(text::kMapWithoutImage);
            break;
    }
    view_.repaintInfo();
}

void RescueWindow::finished(const actions::Result& result) {
    wait_.reset();
    if (progressLine_) {
        view_.setCylinderText("");
        view_.SetPos(0);
        info_.remove(*progressLine_);
        progressLine_.reset();
    }
    if (desktop::ShownText failure = failureMessage(actions::ActionKind::Read, result); !failure.empty())
        view_.showMessage(failure);
    // A run that got as far as its map says what the image holds, also after a stop or a failure.
    if (!summary_) return;
    const desktop::ShownText report = rescueReport(*summary_, imagePath_, mapPath_);
    const auto after = [&](const char* closing) {
        return desktop::ShownText(closing) + desktop::ShownText::verbatim("\n\n") + report;
    };
    switch (result.failure) {
        case actions::Failure::None:
            return view_.showMessage(after(text::kRescueDone));
        case actions::Failure::Stopped:
            return view_.showMessage(after(text::kRescueStopped));
        default:
            return view_.showMessage(report);
    }
}

void RescueWindow::showLine(const std::string& line) {
    if (progressLine_) info_.remove(*progressLine_);
    progressLine_ = info_.append(line);
    view_.repaintInfo();
}

}  // namespace converter::dialog
