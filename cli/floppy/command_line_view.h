#pragma once
// The converter's window as orva shows it: messages on stderr in English with the converter's own text,
// questions answered from the options (or asked at the terminal), a progress line per cylinder, and a
// record of how the action ended.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "converter/dialog/converter_view.h"
#include "floppy/converter_texts.h"

namespace cli {

struct FloppyAnswers {
    bool yes = false;              // erasing the floppy (or formatting it to the type offered) is agreed
    bool formatFirst = false;      // "format before writing?"
    bool stopOnBadSector = false;  // an unreadable sector ends the read instead of being filled
    bool ask = false;              // a person at the terminal answers what the options leave open
};

class CommandLineView final : public converter::dialog::ConverterView {
  public:
    using ItemHandle = converter::dialog::ItemHandle;

    CommandLineView(FloppyAction action, std::string drive, FloppyAnswers answers);
    ~CommandLineView() override;
    CommandLineView(const CommandLineView&) = delete;
    CommandLineView& operator=(const CommandLineView&) = delete;

    void showMessage(const std::string& text) override;
    bool askYesNo(const std::string& text) override;
    bool askOkCancel(const std::string& text) override;
    std::unique_ptr<converter::dialog::WaitCursorScope> waitCursor() override;

    void setFloppyDrives(const std::vector<std::string>&) override {}
    void selectFloppyDrive(int) override {}
    void clearInfo() override { info_.clear(); }
    void appendInfo(const std::string& line) override;
    void removeInfo(int index) override;
    std::vector<std::string> infoLines() const override { return info_; }
    void repaintInfo() override {}

    void setFileDrives(const std::vector<std::string>&) override {}
    void selectFileDrive(int) override {}
    void showFileTree(desktop::TreeSource&) override {}
    void expandItem(ItemHandle) override {}
    std::string nameText() const override { return name_; }
    void setNameText(const std::string& text) override { name_ = text; }

    void setArrows(bool on) override { arrows_ = on; }
    void setFormatEnabled(bool on) override { formatEnabled_ = on; }
    void showAbout() override {}

    void SetRange(uint32_t lower, uint32_t upper) override;
    void SetStep(uint32_t) override {}
    // The bar goes back to 0 when a run ends; the count of the run stays for what is said after it.
    void SetPos(uint32_t) override {}
    void StepIt() override;

    bool arrows() const { return arrows_; }
    bool formatEnabled() const { return formatEnabled_; }
    // The action's closing message was shown.
    bool done() const { return done_; }
    // Something failed, a question was refused or a wait for a floppy given up; already said on stderr.
    bool failed() const { return failed_; }
    bool stoppedAtBadSector() const { return stoppedAtBadSector_; }
    // "cylinder/head/sector" of each unreadable sector, in the order met.
    const std::vector<std::string>& badSectors() const { return badSectors_; }
    // Steps of the progress bar's last run: the cylinders it got through.
    uint32_t steps() const { return steps_; }
    // A failure orva found itself, said like the converter's.
    void fail(const std::string& english);

  private:
    void say(bool failure, const std::string& english, const std::string& shown);
    bool agreeToErase(const std::string& english, const std::string& shown);
    void drawProgress();

    FloppyAction action_;
    std::string drive_;
    FloppyAnswers answers_;
    std::vector<std::string> info_;
    std::string name_;
    bool arrows_ = false;
    bool formatEnabled_ = false;
    bool done_ = false;
    bool failed_ = false;
    bool stoppedAtBadSector_ = false;
    std::vector<std::string> badSectors_;
    std::string phase_;  // "reading" ..., while a long run goes on
    uint32_t cylinders_ = 0;
    uint32_t steps_ = 0;
};

}  // namespace cli
