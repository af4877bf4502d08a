#pragma once
// A one-line count of a long copy, redrawn in place while stderr is a terminal and absent otherwise.
#include <chrono>
#include <cstdint>
#include <string>

namespace cli {

class Progress {
  public:
    // Whether a progress line would be shown at all: counting the work first is wasted otherwise.
    static bool wanted();

    Progress(std::string verb, uint64_t totalFiles, uint64_t totalBytes);
    ~Progress();  // clears the line
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    void fileDone(uint64_t bytes);

  private:
    void draw();

    std::string verb_;
    uint64_t totalFiles_;
    uint64_t totalBytes_;
    uint64_t files_ = 0;
    uint64_t bytes_ = 0;
    bool shown_;
    std::chrono::steady_clock::time_point lastDraw_{};
};

// Draws a progress line of any text in place of the last one (callers check Progress::wanted()).
void drawProgressLine(const std::string& text);

// Removes a progress line from the terminal, so that a message does not land in its middle; the next
// update draws it again below the message.
void eraseProgressLine();

}  // namespace cli
