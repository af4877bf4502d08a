#include "progress.h"

#include <cstdio>

#include "platform/host_extras.h"

namespace cli {
namespace {

// Redrawing for every small file would cost more than copying it.
constexpr auto kRedrawEvery = std::chrono::milliseconds(100);

bool lineOnScreen = false;

}  // namespace

bool Progress::wanted() {
    static const bool terminal = platform::stderrIsTerminal();
    return terminal;
}

Progress::Progress(std::string verb, uint64_t totalFiles, uint64_t totalBytes)
    : verb_(std::move(verb)), totalFiles_(totalFiles), totalBytes_(totalBytes), shown_(wanted()) {
    if (shown_) draw();
}

Progress::~Progress() {
    if (shown_) eraseProgressLine();
}

void Progress::fileDone(uint64_t bytes) {
    ++files_;
    bytes_ += bytes;
    if (!shown_) return;
    const auto now = std::chrono::steady_clock::now();
    if (now - lastDraw_ >= kRedrawEvery || files_ == totalFiles_) draw();
}

void Progress::draw() {
    lastDraw_ = std::chrono::steady_clock::now();
    drawProgressLine(verb_ + " " + std::to_string(files_) + "/" + std::to_string(totalFiles_) + " files, " +
                     std::to_string(bytes_) + "/" + std::to_string(totalBytes_) + " bytes");
}

void drawProgressLine(const std::string& text) {
    // Erase to the end of the line: the new text can be shorter than the one it replaces.
    std::fprintf(stderr, "\r%s\033[K", text.c_str());
    std::fflush(stderr);
    lineOnScreen = true;
}

void eraseProgressLine() {
    if (!lineOnScreen) return;
    std::fputs("\r\033[K", stderr);
    lineOnScreen = false;
}

}  // namespace cli
