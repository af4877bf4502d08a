#include "floppy/command_line_view.h"

#include "converter/dialog/texts.h"
#include "floppy/terminal_input.h"
#include "messages.h"
#include "progress.h"

namespace cli {
namespace {

namespace text = converter::dialog::text;

// The information list's line that opens each long run, and what the progress line calls it.
std::string phaseOf(const std::string& line) {
    if (line == text::kReading) return "reading";
    if (line == text::kWriting) return "writing";
    if (line == text::kFormatting) return "formatting";
    return {};
}

std::string quoted(const std::string& shown) {
    return " (\"" + shown + "\")";
}

}  // namespace

CommandLineView::CommandLineView(FloppyAction action, std::string drive, FloppyAnswers answers)
    : action_(action), drive_(std::move(drive)), answers_(answers) {}

CommandLineView::~CommandLineView() {
    eraseProgressLine();
}

void CommandLineView::say(bool failure, const std::string& english, const std::string& shown) {
    const std::string line = drive_ + " " + english + (shown.empty() ? "" : quoted(shown));
    if (failure) {
        failed_ = true;
        printError(line);
    } else {
        printWarning(line);
    }
}

void CommandLineView::fail(const std::string& english) {
    say(true, english, "");
}

void CommandLineView::showMessage(const std::string& shown) {
    const ShownText explained = explainMessage(shown, action_);
    switch (explained.kind) {
        case ShownKind::Done:
            done_ = true;
            break;
        case ShownKind::Note:
            say(false, explained.english, shown);
            break;
        case ShownKind::Failure:
            say(true, explained.english, shown);
            break;
    }
}

bool CommandLineView::agreeToErase(const std::string& english, const std::string& shown) {
    if (answers_.yes) return true;
    if (answers_.ask) {
        const auto answer = readAnswer("orva: " + drive_ + " " + english + quoted(shown) + " Go on? [y/N] ");
        if (answer && isYes(*answer)) return true;
        fail("left as it was");
        return false;
    }
    say(true, english + "; add --yes to go on", shown);
    return false;
}

bool CommandLineView::askYesNo(const std::string& shown) {
    if (filledPlaces(text::kEraseQuestion, shown))
        return agreeToErase("everything on the floppy will be erased", shown);
    if (shown == text::kFormatTo144)
        return agreeToErase("the floppy will be formatted to 3.5-inch 1.44 MB", shown);
    if (shown == text::kFormatTo12)
        return agreeToErase("the floppy will be formatted to 5.25-inch 1.2 MB", shown);
    if (shown == text::kFormatBeforeWrite) return answers_.formatFirst;
    if (shown == text::kRemovableHardDisk) {
        say(true, "the medium is a removable hard disk, not a floppy", shown);
        return false;
    }
    say(true, "the converter asks what orva cannot answer", shown);
    return false;
}

bool CommandLineView::askOkCancel(const std::string& shown) {
    if (const auto places = filledPlaces(text::kBadSector, shown)) {
        const auto& p = *places;  // error, cylinder, head, sector
        const std::string at = p[1] + "/" + p[2] + "/" + p[3];
        badSectors_.push_back(at);
        if (answers_.stopOnBadSector) {
            stoppedAtBadSector_ = true;
            say(true, "sector " + at + " cannot be read, error " + p[0] + "; stopped there", shown);
            return false;
        }
        say(false, "sector " + at + " cannot be read, error " + p[0] + "; filled with 0xEE", shown);
        return true;
    }
    if (shown == text::kInsertDisk) {
        if (answers_.ask) {
            const auto answer = readAnswer("orva: " + drive_ + " no floppy in the drive" + quoted(shown) +
                                           " Insert one and press Enter, or type n to give up: ");
            if (answer && !answer->starts_with('n') && !answer->starts_with('N')) return true;
        }
        say(true, "no floppy in the drive", shown);
        return false;
    }
    say(true, "the converter asks what orva cannot answer", shown);
    return false;
}

std::unique_ptr<converter::dialog::WaitCursorScope> CommandLineView::waitCursor() {
    return std::make_unique<converter::dialog::WaitCursorScope>();
}

void CommandLineView::appendInfo(const std::string& line) {
    info_.push_back(line);
    if (const std::string phase = phaseOf(line); !phase.empty()) phase_ = phase;
}

void CommandLineView::removeInfo(int index) {
    if (index < 0 || static_cast<size_t>(index) >= info_.size()) return;
    if (!phaseOf(info_[static_cast<size_t>(index)]).empty()) {
        phase_.clear();
        eraseProgressLine();
    }
    info_.erase(info_.begin() + index);
}

void CommandLineView::SetRange(uint32_t, uint32_t upper) {
    cylinders_ = upper;
    steps_ = 0;
    drawProgress();
}

void CommandLineView::StepIt() {
    ++steps_;
    drawProgress();
}

void CommandLineView::drawProgress() {
    if (phase_.empty() || !Progress::wanted()) return;
    drawProgressLine(phase_ + " " + drive_ + " cylinder " + std::to_string(steps_) + " of " +
                     std::to_string(cylinders_));
}

}  // namespace cli
