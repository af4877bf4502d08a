#include "floppy/rescue_terminal.h"

#include "floppy/failure_texts.h"
#include "floppy/stop_signals.h"
#include "messages.h"
#include "progress.h"

namespace cli {

namespace actions = converter::actions;

std::string sectorText(const converter::SectorId& id) {
    return std::to_string(id.cylinder) + "/" + std::to_string(id.head) + "/" + std::to_string(id.sector);
}

void RescueTerminal::started(actions::Phase, const DiskGeometry& geometry) {
    cylinders_ = static_cast<uint32_t>(geometry.cylinders);
}

void RescueTerminal::passStarted(actions::RescuePass pass, uint32_t round, uint32_t missing) {
    switch (pass) {
        case actions::RescuePass::Cylinders:
            pass_ = "whole cylinders";
            break;
        case actions::RescuePass::Sectors:
            pass_ = "single sectors";
            break;
        case actions::RescuePass::Retries:
            pass_ = "retry round " + std::to_string(round);
            break;
    }
    if (Progress::wanted())
        drawProgressLine("rescue " + drive_ + " " + pass_ + ", " + std::to_string(missing) +
                         " sectors missing");
}

void RescueTerminal::cylinderTried(actions::RescuePass, uint32_t cylinder, uint32_t missing) {
    if (!Progress::wanted()) return;
    drawProgressLine("rescue " + drive_ + " " + pass_ + ": cylinder " + std::to_string(cylinder + 1) +
                     " of " + std::to_string(cylinders_) + ", " + std::to_string(missing) +
                     " sectors missing");
}

bool RescueTerminal::stopRequested() {
    return StopSignals::caught() != 0;
}

void RescueTerminal::noted(actions::RescueNote note, uint32_t code) {
    eraseProgressLine();
    const std::string error = ", error " + std::to_string(code);
    switch (note) {
        case actions::RescueNote::DriverMessagesKept:
            printWarning(drive_ + " the floppy driver goes on logging every failed read (only root can quiet it)" +
                         error);
            break;
        case actions::RescueNote::TrackLayoutUnknown:
            printWarning(drive_ + " the sectors on track 0 cannot be counted; the driver's geometry is used" + error);
            break;
        case actions::RescueNote::MapWithoutImage:
            printWarning("the map lies there without its image; every sector is read again and the map replaced");
            break;
    }
}

void RescueTerminal::finished(const actions::Result& result) {
    eraseProgressLine();
    result_ = result;
    if (const std::string text = failureText(actions::ActionKind::Read, result); !text.empty())
        printError(drive_ + " " + text);
}

}  // namespace cli
