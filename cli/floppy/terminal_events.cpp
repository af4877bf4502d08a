#include "floppy/terminal_events.h"

#include "floppy/failure_texts.h"
#include "floppy/terminal_input.h"
#include "last_error_text.h"
#include "media_types.h"
#include "messages.h"
#include "progress.h"

namespace cli {
namespace {

using converter::actions::BadSectorDecision;
using converter::actions::Phase;

const char* phaseName(Phase phase) {
    switch (phase) {
        case Phase::Reading:
            return "reading";
        case Phase::Formatting:
            return "formatting";
        case Phase::Writing:
            return "writing";
    }
    return "";
}

}  // namespace

void TerminalEvents::say(bool failure, const std::string& english) {
    const std::string line = drive_ + " " + english;
    failure ? printError(line) : printWarning(line);
}

bool TerminalEvents::agreeToErase(const std::string& english) {
    if (answers_.yes) return true;
    if (answers_.ask) {
        const auto answer = readAnswer("orva: " + drive_ + " " + english + ". Go on? [y/N] ");
        if (answer && isYes(*answer)) return true;
        say(true, "left as it was");
        return false;
    }
    say(true, english + "; add --yes to go on");
    return false;
}

bool TerminalEvents::insertMedium() {
    if (!answers_.ask) return false;
    const auto answer = readAnswer(
        "orva: " + drive_ + " no floppy in the drive. Insert one and press Enter, or type n to give up: ");
    return answer && !answer->starts_with('n') && !answer->starts_with('N');
}

bool TerminalEvents::eraseFloppy(char) {
    return agreeToErase("everything on the floppy will be erased");
}

bool TerminalEvents::formatToOffered(const DiskGeometry& offered) {
    say(false, listedMedium_ ? "the floppy's present format, " + mediaTypeText(listedMedium_->mediaType) +
                                   ", cannot be laid down again"
                             : "the floppy is not formatted, or its format cannot be read");
    const std::string what = "the floppy will be formatted to " + mediaTypeText(offered.mediaType);
    // Agreed beforehand, the type it becomes is still said before anything is erased.
    if (answers_.yes) say(false, what);
    return agreeToErase(what);
}

BadSectorDecision TerminalEvents::badSector(const converter::actions::BadSector& s) {
    const std::string at =
        std::to_string(s.cylinder) + "/" + std::to_string(s.head) + "/" + std::to_string(s.sector);
    badSectors_.push_back(at);
    const std::string what =
        "sector " + at + " cannot be read, " + converter::lastErrorText(static_cast<uint32_t>(s.code));
    if (answers_.stopOnBadSector) {
        stoppedAtBadSector_ = true;
        say(true, what + "; stopped there");
        return BadSectorDecision::Stop;
    }
    say(false, what + "; filled with 0xEE");
    return BadSectorDecision::Fill;
}

void TerminalEvents::mustBeFormatted() {
    say(false, "the floppy must be formatted already");
}

void TerminalEvents::started(Phase phase, const DiskGeometry& geometry) {
    phase_ = phaseName(phase);
    cylinders_ = static_cast<uint32_t>(geometry.cylinders);
    done_ = 0;
    drawProgress();
}

void TerminalEvents::cylinderDone(Phase, uint32_t) {
    ++done_;
    drawProgress();
}

void TerminalEvents::finished(const Result& result) {
    eraseProgressLine();
    phase_.clear();
    result_ = result;
    if (const std::string text = failureText(kind_, result); !text.empty()) say(true, text);
}

void TerminalEvents::drawProgress() {
    if (phase_.empty() || !Progress::wanted()) return;
    drawProgressLine(phase_ + " " + drive_ + " cylinder " + std::to_string(done_) + " of " +
                     std::to_string(cylinders_));
}

}  // namespace cli
